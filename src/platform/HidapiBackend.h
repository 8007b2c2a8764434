#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "device/HidBackend.h"

// hidapi's device type, declared here so users of the backend need no hidapi headers.
struct hid_device_;

namespace orbic::platform {

// The machine's HID interfaces through hidapi's hidraw backend. UI thread only.
class HidapiBackend : public device::HidBackend {
 public:
  HidapiBackend();
  ~HidapiBackend() override;
  HidapiBackend(const HidapiBackend&) = delete;
  HidapiBackend& operator=(const HidapiBackend&) = delete;

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
  struct OpenDevice {
    hid_device_* device;
    std::string path;
    int lastError;  // errno of the last failed feature report, 0 after a success
  };
  OpenDevice* Find(device::HidHandle handle);

  bool initialized_ = false;
  // Handles are small positive ids handed out in order and never reused, so a stale handle
  // cannot reach a device opened later.
  std::map<device::HidHandle, OpenDevice> open_;
  device::HidHandle nextHandle_ = 1;
};

}  // namespace orbic::platform
