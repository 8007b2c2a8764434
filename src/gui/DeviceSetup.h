#pragma once

#include <memory>
#include <string>

#include "base/Clock.h"
#include "device/HidBackend.h"
#include "sim/SimulatedMouse.h"

namespace orbic::gui {

// The HID interfaces and the clock the window talks to: the machine's own,
// or, in demo mode (ORBIC40_DEVICE=simulated), a simulated mouse whose state
// lives in $XDG_STATE_HOME/orbic40/mouse.state and survives between runs.
class DeviceSetup {
 public:
  // `deviceEnv`: the value of ORBIC40_DEVICE; `stateFolder`: where the demo
  // mouse is kept. `error` tells why a demo mouse could not be loaded (a fresh
  // one is used then).
  static std::unique_ptr<DeviceSetup> Create(const std::string& deviceEnv,
                                             const std::string& stateFolder, std::string& error);
  ~DeviceSetup();

  device::HidBackend& Backend() { return *backend_; }
  orbic::Clock& Clock() { return *clock_; }
  bool Demo() const { return mouse_ != nullptr; }
  sim::SimulatedMouse* DemoMouse() { return mouse_.get(); }
  // Writes the demo mouse back to its state file; true outside demo mode.
  bool Save(std::string& error);

  // $XDG_STATE_HOME/orbic40, or ~/.local/state/orbic40.
  static std::string DefaultStateFolder();

 private:
  DeviceSetup() = default;
  std::string statePath_;
  std::shared_ptr<sim::SimulatedMouse> mouse_;
  std::unique_ptr<device::HidBackend> backend_;
  std::unique_ptr<orbic::Clock> clock_;
};

}  // namespace orbic::gui
