#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/DriverPort.h"
#include "macros/MacroRecord.h"

namespace orbic::device {

class CommandChannel;

// Current DPI level, LED mode and two more state bytes, as the mouse takes
// them with command 9 and the driver keeps them at its live-state address.
using LiveState = std::array<std::uint8_t, driver::kLiveStateLength>;

// One framed exchange: control code, frame address and length, and the size
// of the buffer the program hands over (at least the 8-byte header plus the
// length; the profile transfers carry some slack behind the data).
struct DriverExchange {
  std::uint32_t code;
  std::uint32_t address;
  std::uint32_t length;
  std::size_t bufferSize;
};

namespace driver_exchange {
using namespace driver;
inline constexpr DriverExchange kReadParameterA{kIoctlRead, kParameterAAddress, kParameterALength,
                                                kFrameHeaderSize + kParameterALength};
inline constexpr DriverExchange kReadParameterB{kIoctlRead, kParameterBAddress, kParameterBLength,
                                                kFrameHeaderSize + kParameterBLength};
inline constexpr DriverExchange kReadProfile{kIoctlRead, kProfileAddress, kProfileLength,
                                             kFrameHeaderSize + kProfileLength};
inline constexpr DriverExchange kReadFireKeyBlock{
    kIoctlRead, kFireKeyBlockAddress, kFireKeyBlockLength, kFrameHeaderSize + kFireKeyBlockLength};
inline constexpr DriverExchange kWriteParameterA{kIoctlWrite, kParameterAAddress, kParameterALength,
                                                 kFrameHeaderSize + kParameterALength};
inline constexpr DriverExchange kWriteParameterB{kIoctlWrite, kParameterBAddress, kParameterBLength,
                                                 kFrameHeaderSize + kParameterBLength};
inline constexpr DriverExchange kWriteProfile{kIoctlWrite, kProfileAddress, kProfileLength,
                                              kFrameHeaderSize + kProfileLength};
inline constexpr DriverExchange kWriteFireKeyBlock{
    kIoctlWrite, kFireKeyBlockAddress, kFireKeyBlockLength, kFrameHeaderSize + kFireKeyBlockLength};
// The profile transfers hand over slightly larger buffers than their frames
// need (3 and 47 bytes of zeros behind the data); the driver reads the length
// from the header, and the sizes are kept as the driver has always seen them.
inline constexpr DriverExchange kSaveProfileDump{kIoctlRead, 0, kProfileDumpLength, 40971};
inline constexpr DriverExchange kLoadProfile{kIoctlWrite, 0, kFullLoadLength, 102455};
inline constexpr DriverExchange kLoadDefaults{kIoctlWrite, 0, kFullLoadLength,
                                              kFrameHeaderSize + kFullLoadLength};
}  // namespace driver_exchange

// The fire-key block is two leading bytes, then the 11-byte Fire Key section.
inline constexpr std::size_t kFireKeySectionSize = 11;
inline constexpr std::size_t kFireKeyLeadingBytes =
    driver::kFireKeyBlockLength - kFireKeySectionSize;

// The driver id carried at positions 55..58 of `path`; nothing when the path
// is too short or those four characters are not hexadecimal digits.
std::optional<std::uint16_t> DriverIdInPath(std::string_view path);

// Macro records to read back when a driver connection starts: the largest
// macro address among the buttons' code strings (types 06 and 0E; the Fire
// Key code is no macro), rounded up to the record that holds it; 0 when no
// button refers to a macro.
std::size_t DriverMacroRecordCount(std::span<const std::string> codeStrings);

// The live state a full load carries (bytes 160..163; zero past the end).
LiveState LiveStateInLoad(std::span<const std::uint8_t> bytes);

// The channel to the filter driver: finding and opening its interface, and
// every exchange the program performs. Operations return their result and
// show nothing. Without an open driver every exchange fails without effect.
class DriverChannel {
 public:
  explicit DriverChannel(DriverPort& port);
  ~DriverChannel();
  DriverChannel(const DriverChannel&) = delete;
  DriverChannel& operator=(const DriverChannel&) = delete;

  // Scans every interface of the driver's class; the last path carrying the
  // id that opens becomes the driver (a driver opened earlier is closed).
  bool OpenDriverById(std::uint16_t id);
  // Command 0x81 for the driver id (reply bytes 1..2, high byte first), then
  // OpenDriverById with it.
  bool OpenDriverChannel(CommandChannel& mouse);
  bool IsOpen() const { return handle_ != kInvalidDriverHandle; }

  // `state` is left as it was when the call fails.
  bool ReadLiveState(LiveState& state);

  // One framed exchange each. A read that fails leaves `data` zero-filled,
  // as the buffer was before the call.
  bool ReadDriverSection(const DriverExchange& exchange, std::span<std::uint8_t> data);
  bool WriteDriverSection(const DriverExchange& exchange, std::span<const std::uint8_t> data);

  bool ReadParameterA(std::span<std::uint8_t, driver::kParameterALength> section);
  bool ReadParameterB(std::span<std::uint8_t, driver::kParameterBLength> section);
  bool ReadProfile(std::span<std::uint8_t, driver::kProfileLength> section);
  // The Fire Key section behind the block's two leading bytes.
  bool ReadFireKeySection(std::span<std::uint8_t, kFireKeySectionSize> section);
  bool WriteParameterA(std::span<const std::uint8_t, driver::kParameterALength> section);
  bool WriteParameterB(std::span<const std::uint8_t, driver::kParameterBLength> section);
  bool WriteProfile(std::span<const std::uint8_t, driver::kProfileLength> section);
  // Two zero bytes, then the Fire Key section.
  bool WriteFireKeySection(std::span<const std::uint8_t, kFireKeySectionSize> section);

  // The first `count` macro records of the driver's macro memory; all zero
  // when the read fails. No exchange at all for a count of 0.
  std::vector<macros::DriverMacroRecord> ReadDriverMacros(std::size_t count);
  // Every record in list order; an empty list still sends its 8-byte frame.
  bool WriteDriverMacros(std::span<const macros::DriverMacroRecord> records);

  // The first 40960 bytes of the driver's memory with `liveState` at
  // 160..163, as a driver profile file holds them. Nothing when the read fails.
  std::optional<std::vector<std::uint8_t>> ReadProfileDump(const LiveState& liveState);
  // A driver profile file (up to 102400 bytes, zero behind its end) or a
  // default parameter file into the driver's memory from address 0.
  // False without an exchange when `bytes` is longer than a full load.
  bool LoadDriverProfile(std::span<const std::uint8_t> bytes);
  bool LoadDefaultDriverParameters(std::span<const std::uint8_t> bytes);

 private:
  bool Exchange(std::uint32_t code, std::span<std::uint8_t> buffer, bool readBack);

  DriverPort& port_;
  DriverHandle handle_ = kInvalidDriverHandle;
};

}  // namespace orbic::device
