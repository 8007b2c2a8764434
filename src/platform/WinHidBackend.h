#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "device/HidBackend.h"

namespace orbic::platform {

// The machine's HID interfaces through SetupApi and hid.dll. Each top-level collection is its
// own device interface on Windows, so its capabilities are the collection's. UI thread only.
class WinHidBackend : public device::HidBackend {
 public:
  WinHidBackend();
  ~WinHidBackend() override;
  WinHidBackend(const WinHidBackend&) = delete;
  WinHidBackend& operator=(const WinHidBackend&) = delete;

  std::vector<device::HidInterfaceInfo> Enumerate() override;
  bool CanOpen(const std::string& path) override;
  device::HidHandle Open(const std::string& path) override;
  void Close(device::HidHandle handle) override;
  bool SetFeature(device::HidHandle handle, const std::uint8_t* report,
                  std::size_t length) override;
  bool GetFeature(device::HidHandle handle, std::uint8_t* report, std::size_t length) override;

 private:
  void* Find(device::HidHandle handle) const;

  // Handles are small positive ids handed out in order and never reused, so a stale handle
  // cannot reach a device opened later.
  std::map<device::HidHandle, void*> open_;  // system handles
  device::HidHandle nextHandle_ = 1;
};

}  // namespace orbic::platform
