#include "platform/WinDriverPort.h"

#include "platform/WinInterfaceList.h"
#include "platform/WinSystem.h"

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace orbic::platform {

namespace {

HANDLE ToHandle(device::DriverHandle handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

WinDriverPort::WinDriverPort() : WinDriverPort(RealWinSystem()) {}

WinDriverPort::WinDriverPort(WinSystem& system) : system_(system) {}

std::vector<std::string> WinDriverPort::EnumerateInterfaces(std::string_view classGuid) {
  const std::optional<GUID> guid = ParseGuid(classGuid);
  if (!guid) {
    return {};
  }
  return InterfacePaths(system_, *guid);
}

device::DriverHandle WinDriverPort::Open(const std::string& path) {
  // No access rights: the driver's control codes are defined for any access.
  const HANDLE handle =
      system_.CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (handle == INVALID_HANDLE_VALUE) {
    return device::kInvalidDriverHandle;
  }
  return reinterpret_cast<device::DriverHandle>(handle);
}

void WinDriverPort::Close(device::DriverHandle handle) {
  if (handle != device::kInvalidDriverHandle) {
    system_.CloseHandle(ToHandle(handle));
  }
}

bool WinDriverPort::DeviceIoControl(device::DriverHandle handle, std::uint32_t code,
                                    std::span<const std::uint8_t> input,
                                    std::span<std::uint8_t> output) {
  constexpr std::size_t kMaxSize = std::numeric_limits<DWORD>::max();
  if (handle == device::kInvalidDriverHandle || input.size() > kMaxSize ||
      output.size() > kMaxSize) {
    return false;
  }
  // Buffered transfer: the system copies the input before the driver writes
  // the output, so both may be the same bytes.
  DWORD returned = 0;
  return system_.DeviceIoControl(ToHandle(handle), code,
                                 input.empty() ? nullptr : const_cast<std::uint8_t*>(input.data()),
                                 static_cast<DWORD>(input.size()),
                                 output.empty() ? nullptr : output.data(),
                                 static_cast<DWORD>(output.size()), &returned) != FALSE;
}

}  // namespace orbic::platform
