#pragma once

#include "device/DriverPort.h"

namespace orbic::platform {

class WinSystem;

// The filter driver on Windows: device interfaces through SetupApi, handles
// from CreateFileA with no access rights, synchronous DeviceIoControl.
class WinDriverPort : public device::DriverPort {
 public:
  WinDriverPort();
  explicit WinDriverPort(WinSystem& system);

  std::vector<std::string> EnumerateInterfaces(std::string_view classGuid) override;
  device::DriverHandle Open(const std::string& path) override;
  void Close(device::DriverHandle handle) override;
  bool DeviceIoControl(device::DriverHandle handle, std::uint32_t code,
                       std::span<const std::uint8_t> input,
                       std::span<std::uint8_t> output) override;

 private:
  WinSystem& system_;
};

}  // namespace orbic::platform
