#include "platform/WinDriverPort.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h first: SetupApi's header relies on its types.
#include <setupapi.h>

#include <cstddef>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "base/HexText.h"

namespace orbic::platform {

namespace {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; nothing when malformed.
std::optional<GUID> ParseGuid(std::string_view text) {
  constexpr std::string_view kShape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  if (text.size() != kShape.size()) {
    return std::nullopt;
  }
  // The 32 digits in order, checking the punctuation on the way.
  std::uint8_t digits[32];
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (kShape[i] != 'X') {
      if (text[i] != kShape[i]) {
        return std::nullopt;
      }
      continue;
    }
    const std::optional<std::uint8_t> digit = HexDigitValue(text[i]);
    if (!digit) {
      return std::nullopt;
    }
    digits[count++] = *digit;
  }
  auto number = [&digits](std::size_t first, std::size_t length) {
    unsigned long value = 0;
    for (std::size_t i = first; i < first + length; ++i) {
      value = value * 16 + digits[i];
    }
    return value;
  };
  GUID guid{};
  guid.Data1 = number(0, 8);
  guid.Data2 = static_cast<unsigned short>(number(8, 4));
  guid.Data3 = static_cast<unsigned short>(number(12, 4));
  for (std::size_t i = 0; i < 8; ++i) {
    guid.Data4[i] = static_cast<unsigned char>(number(16 + 2 * i, 2));
  }
  return guid;
}

HANDLE ToHandle(device::DriverHandle handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

std::vector<std::string> WinDriverPort::EnumerateInterfaces(std::string_view classGuid) {
  std::vector<std::string> paths;
  const std::optional<GUID> guid = ParseGuid(classGuid);
  if (!guid) {
    return paths;
  }
  const HDEVINFO set =
      SetupDiGetClassDevsA(&*guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) {
    return paths;
  }
  SP_DEVICE_INTERFACE_DATA interfaceData{};
  interfaceData.cbSize = sizeof interfaceData;
  for (DWORD index = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &*guid, index, &interfaceData);
       ++index) {
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailA(set, &interfaceData, nullptr, 0, &required, nullptr);
    if (required == 0 || GetLastError() != ERROR_INSUFFICIENT_BUFFER ||
        required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
      continue;
    }
    // new[] storage is aligned for any fundamental type, as the record needs.
    std::vector<std::uint8_t> storage(required);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
    // The size of the fixed part, which the call checks (5 bytes in 32-bit builds).
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (SetupDiGetDeviceInterfaceDetailA(set, &interfaceData, detail, required, nullptr, nullptr)) {
      const std::size_t pathSpace =
          required - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
      paths.emplace_back(detail->DevicePath, strnlen(detail->DevicePath, pathSpace));
    }
  }
  SetupDiDestroyDeviceInfoList(set);
  return paths;
}

device::DriverHandle WinDriverPort::Open(const std::string& path) {
  // No access rights: the driver's control codes are defined for any access.
  const HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return device::kInvalidDriverHandle;
  }
  return reinterpret_cast<device::DriverHandle>(handle);
}

void WinDriverPort::Close(device::DriverHandle handle) {
  if (handle != device::kInvalidDriverHandle) {
    CloseHandle(ToHandle(handle));
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
  return ::DeviceIoControl(ToHandle(handle), code,
                           input.empty() ? nullptr : const_cast<std::uint8_t*>(input.data()),
                           static_cast<DWORD>(input.size()),
                           output.empty() ? nullptr : output.data(),
                           static_cast<DWORD>(output.size()), &returned, nullptr) != FALSE;
}

}  // namespace orbic::platform
