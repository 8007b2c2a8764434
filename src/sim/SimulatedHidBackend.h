#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/HidBackend.h"
#include "sim/SimulatedMouse.h"

namespace orbic::sim {

// A machine's HID interfaces: the simulated mouse and any unrelated devices,
// each of which can be plugged in or pulled out at any time.
class SimulatedHidBackend : public device::HidBackend {
 public:
  static constexpr const char* kMousePath = "/dev/hidraw-sim-orbic40";

  // Adds the mouse's vendor interface (present unless the mouse is unplugged).
  void AttachMouse(std::shared_ptr<SimulatedMouse> mouse, std::string path = kMousePath);
  // Adds an unrelated interface; it answers no feature report.
  void AddInterface(const device::HidInterfaceInfo& info, bool openable = true);
  void Plug(const std::string& path);
  void Unplug(const std::string& path);
  // Handles the program holds open, for leak checks.
  int OpenHandles() const { return static_cast<int>(handles_.size()); }
  int Enumerations() const { return enumerations_; }

  std::vector<device::HidInterfaceInfo> Enumerate() override;
  bool CanOpen(const std::string& path) override;
  device::HidHandle Open(const std::string& path) override;
  void Close(device::HidHandle handle) override;
  bool SetFeature(device::HidHandle handle, const std::uint8_t* report,
                  std::size_t length) override;
  bool GetFeature(device::HidHandle handle, std::uint8_t* report, std::size_t length) override;
  bool Gone(device::HidHandle handle) override;
  bool PermissionDenied(const std::string& path) override;
  // A present interface that only a user with access may open (as a hidraw
  // node without the udev rule).
  void SetPermissionDenied(const std::string& path, bool denied);

 private:
  struct Interface {
    device::HidInterfaceInfo info;
    std::shared_ptr<SimulatedMouse> mouse;  // null for unrelated devices
    bool present = true;
    bool openable = true;
    bool permissionDenied = false;
    // Counts plug-ins: a handle from before an unplug stays dead after the
    // device comes back, as a hidraw node's file descriptor does.
    int generation = 0;
  };
  struct OpenHandle {
    std::string path;
    int generation;
  };
  Interface* Find(const std::string& path);
  bool Present(const Interface& entry) const;
  SimulatedMouse* MouseFor(device::HidHandle handle);

  std::vector<Interface> interfaces_;
  std::map<device::HidHandle, OpenHandle> handles_;
  device::HidHandle nextHandle_ = 1;
  int enumerations_ = 0;
};

}  // namespace orbic::sim
