#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orbic::device {

// The filter driver's fixed interface, as installed beside the mouse in driver mode.
namespace driver {
inline constexpr std::string_view kInterfaceClassGuid = "{902E3649-BB28-43E0-83E2-858CECFBEE7B}";

// The driver id sits as four hexadecimal characters at positions 55..58 of the
// device path, counting the first character as 1.
inline constexpr std::size_t kIdPosition = 55;
inline constexpr std::size_t kIdLength = 4;

// Device type 0x22, buffered, any access.
inline constexpr std::uint32_t kIoctlRead = 0x223E04;       // function 0xF81: frame in, frame out
inline constexpr std::uint32_t kIoctlWrite = 0x223E08;      // function 0xF82: frame with data in
inline constexpr std::uint32_t kIoctlLiveState = 0x223E0C;  // function 0xF83: four bytes out

// Request frame: 32-bit little-endian address, 32-bit little-endian length, data.
inline constexpr std::size_t kFrameHeaderSize = 8;

// Driver address map.
inline constexpr std::uint32_t kParameterAAddress = 0;
inline constexpr std::uint32_t kParameterALength = 48;
inline constexpr std::uint32_t kParameterBAddress = 48;
inline constexpr std::uint32_t kParameterBLength = 8;
inline constexpr std::uint32_t kProfileAddress = 64;
inline constexpr std::uint32_t kProfileLength = 55;
inline constexpr std::uint32_t kLiveStateAddress = 160;
inline constexpr std::uint32_t kLiveStateLength = 4;
inline constexpr std::uint32_t kFireKeyBlockAddress = 240;
inline constexpr std::uint32_t kFireKeyBlockLength = 13;  // two leading bytes + Fire Key section
inline constexpr std::uint32_t kMacroRecordsAddress = 256;
inline constexpr std::uint32_t kMacroRecordSize = 2048;
inline constexpr std::uint32_t kProfileDumpLength = 40960;
inline constexpr std::uint32_t kFullLoadLength = 102400;
}  // namespace driver

using DriverHandle = std::intptr_t;
inline constexpr DriverHandle kInvalidDriverHandle = -1;

// Device interfaces of a class, and device I/O control on them.
// Real: SetupApi + DeviceIoControl (Windows only); tests: the simulated filter driver.
class DriverPort {
 public:
  virtual ~DriverPort() = default;
  // Device paths of every present interface of the class.
  virtual std::vector<std::string> EnumerateInterfaces(std::string_view classGuid) = 0;
  virtual DriverHandle Open(const std::string& path) = 0;
  virtual void Close(DriverHandle handle) = 0;
  // Synchronous device I/O control; input and output may be the same bytes.
  // Returns the Boolean result of the call.
  virtual bool DeviceIoControl(DriverHandle handle, std::uint32_t code,
                               std::span<const std::uint8_t> input,
                               std::span<std::uint8_t> output) = 0;
};

}  // namespace orbic::device
