#pragma once

#include <memory>
#include <optional>
#include <string>

#include "device/Clock.h"
#include "device/HidBackend.h"
#include "sim/SimulatedMouse.h"

namespace orbic::cli {

struct GlobalOptions {
  std::string simulatedState;  // empty: the machine's real HID interfaces
  bool trace = false;
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
  device::Clock& Clock() { return *clock_; }
  bool Simulated() const { return mouse_ != nullptr; }
  // Writes the simulated mouse back to its state file; true for real devices.
  bool SaveSimulatedState(std::string& error);

 private:
  DeviceAccess() = default;

  GlobalOptions options_;
  std::shared_ptr<sim::SimulatedMouse> mouse_;
  std::unique_ptr<device::HidBackend> inner_;
  std::unique_ptr<device::HidBackend> backend_;
  std::unique_ptr<device::Clock> clock_;
};

}  // namespace orbic::cli
