#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "device/HidBackend.h"

namespace orbic::platform {

class WinSystem;

// The machine's HID interfaces through SetupApi and hid.dll. Each top-level collection is its
// own device interface on Windows, so its capabilities are the collection's. UI thread only.
class WinHidBackend : public device::HidBackend {
 public:
  WinHidBackend();
  explicit WinHidBackend(WinSystem& system);
  ~WinHidBackend() override;
  WinHidBackend(const WinHidBackend&) = delete;
  WinHidBackend& operator=(const WinHidBackend&) = delete;

  std::vector<device::HidInterfaceInfo> Enumerate() override;
  bool CanOpen(const std::string& path) override;
  device::HidHandle Open(const std::string& path) override;
  bool PermissionDenied(const std::string& path) override;
  void Close(device::HidHandle handle) override;
  bool SetFeature(device::HidHandle handle, const std::uint8_t* report,
                  std::size_t length) override;
  bool GetFeature(device::HidHandle handle, std::uint8_t* report, std::size_t length) override;
  bool Gone(device::HidHandle handle) override;

 private:
  struct OpenInterface {
    void* system;             // the system handle
    unsigned long lastError;  // of the last failed report on it
  };
  OpenInterface* Find(device::HidHandle handle);
  bool Describe(device::HidInterfaceInfo& info);

  WinSystem& system_;
  // Handles are small positive ids handed out in order and never reused, so a stale handle
  // cannot reach a device opened later.
  std::map<device::HidHandle, OpenInterface> open_;
  device::HidHandle nextHandle_ = 1;
  std::string refusedPath_;  // the last path whose open was refused for want of rights
};

}  // namespace orbic::platform
