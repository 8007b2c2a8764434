#include "platform/WinInterfaceList.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/HexText.h"

namespace orbic::platform {
namespace {

// The device path of one listed interface; empty when the system gives none.
std::string InterfacePath(WinSystem& system, HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data) {
  DWORD required = 0;
  // The size query fails by design; only a size with "buffer too small" says a path follows.
  system.SetupDiGetDeviceInterfaceDetailA(set, data, nullptr, 0, &required);
  if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) ||
      system.GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return {};
  }
  // std::vector storage comes from operator new, aligned for the record.
  std::vector<std::uint8_t> storage(required);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
  // The size of the fixed part, which the call checks (5 in 32-bit programs, 8 in 64-bit ones).
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
  if (!system.SetupDiGetDeviceInterfaceDetailA(set, data, detail, required, nullptr)) {
    return {};
  }
  // The path may fill the record to its end without a terminator.
  const std::size_t pathSpace = required - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
  return std::string(detail->DevicePath, strnlen(detail->DevicePath, pathSpace));
}

}  // namespace

std::vector<std::string> InterfacePaths(WinSystem& system, const GUID& classGuid) {
  std::vector<std::string> paths;
  const HDEVINFO set =
      system.SetupDiGetClassDevsA(classGuid, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) {
    return paths;
  }
  SP_DEVICE_INTERFACE_DATA data{};
  data.cbSize = sizeof data;
  for (DWORD index = 0; system.SetupDiEnumDeviceInterfaces(set, classGuid, index, data); ++index) {
    std::string path = InterfacePath(system, set, data);
    if (!path.empty()) {
      paths.push_back(std::move(path));
    }
  }
  system.SetupDiDestroyDeviceInfoList(set);
  return paths;
}

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

}  // namespace orbic::platform
