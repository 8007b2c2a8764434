#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/Clock.h"
#include "device/DriverPort.h"
#include "device/HidBackend.h"
#include "sim/SimulatedFilterDriver.h"
#include "sim/SimulatedMouse.h"

namespace orbic::cli {

struct GlobalOptions {
  std::string simulatedState;   // empty: the machine's real HID interfaces
  std::string simulatedDriver;  // empty: the machine's filter driver, where there is one
  std::string configPath;       // empty: the embedded behaviour configuration
  bool trace = false;
  bool noBackup = false;  // write to the mouse without backing up its settings first
  bool progress = false;  // a progress bar on stderr for long transfers
};

// The HID interfaces and the clock a command talks to: the real ones, or a
// simulated mouse loaded from its state file (on a virtual clock) and saved
// back when the command is done.
class DeviceAccess {
 public:
  // Null and `error` set when the simulated state cannot be loaded.
  static std::unique_ptr<DeviceAccess> Open(const GlobalOptions& options, std::string& error);
  ~DeviceAccess();

  device::HidBackend& Backend() { return backend_ ? *backend_ : *inner_; }
  orbic::Clock& Clock() { return *clock_; }
  bool Simulated() const { return mouse_ != nullptr; }
  // The filter driver's device interfaces: the simulated driver, or the
  // machine's own on Windows; null where there is none to talk to.
  device::DriverPort* Driver() { return driverPort_.get(); }
  // Writes the simulated mouse and driver back to their state files; true
  // for real devices.
  bool SaveSimulatedState(std::string& error);

 private:
  DeviceAccess() = default;

  GlobalOptions options_;
  std::shared_ptr<sim::SimulatedMouse> mouse_;
  std::unique_ptr<device::HidBackend> inner_;
  std::unique_ptr<device::HidBackend> backend_;
  std::unique_ptr<orbic::Clock> clock_;
  sim::SimulatedFilterDriver* driver_ = nullptr;  // owned by driverPort_ when simulated
  std::unique_ptr<device::DriverPort> driverPort_;
};

}  // namespace orbic::cli
