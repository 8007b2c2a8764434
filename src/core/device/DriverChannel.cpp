#include "device/DriverChannel.h"

#include <algorithm>

#include "base/HexText.h"
#include "device/CommandChannel.h"
#include "keys/KeyCode.h"

namespace orbic::device {

namespace {

// Frame header: address at 0, length at 4, both 32-bit little-endian.
constexpr std::size_t kFrameAddressOffset = 0;
constexpr std::size_t kFrameLengthOffset = 4;

void PutU32(std::span<std::uint8_t> buffer, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) {
    buffer[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

// Zero-filled, header written.
std::vector<std::uint8_t> MakeFrame(const DriverExchange& exchange) {
  std::vector<std::uint8_t> buffer(exchange.bufferSize, 0);
  PutU32(buffer, kFrameAddressOffset, exchange.address);
  PutU32(buffer, kFrameLengthOffset, exchange.length);
  return buffer;
}

bool Fits(const DriverExchange& exchange, std::size_t dataSize) {
  return dataSize <= exchange.length &&
         exchange.bufferSize >= driver::kFrameHeaderSize + exchange.length;
}

// Macro codes in driver mode point at a record's content, 32 bytes into
// record k at 256 + k x 2048; adding the content size and dividing by the
// record size turns such an address into k + 1, the records through k.
constexpr std::uint32_t kRecordRoundUp = macros::kDriverContentSize;

// The Fire Key's own address; a code pointing there plays no macro record.
constexpr std::uint16_t kFireKeyOperand = 0x00F0;

}  // namespace

std::optional<std::uint16_t> DriverIdInPath(std::string_view path) {
  const std::size_t first = driver::kIdPosition - 1;
  if (path.size() < first + driver::kIdLength) {
    return std::nullopt;
  }
  std::uint16_t id = 0;
  for (std::size_t i = 0; i < driver::kIdLength; ++i) {
    const std::optional<std::uint8_t> digit = HexDigitValue(path[first + i]);
    if (!digit) {
      return std::nullopt;
    }
    id = static_cast<std::uint16_t>(id * 16 + *digit);
  }
  return id;
}

std::size_t DriverMacroRecordCount(std::span<const std::string> codeStrings) {
  std::uint32_t largest = 0;
  for (const std::string& text : codeStrings) {
    const std::optional<keys::KeyCode> code = keys::ParseCodeString(text);
    if (!code || (code->type != keys::code_type::kMacroRunToEnd &&
                  code->type != keys::code_type::kMacroWhileHeld)) {
      continue;
    }
    if (code->Operand() == kFireKeyOperand) {
      continue;
    }
    largest = std::max<std::uint32_t>(largest, code->Operand());
  }
  if (largest == 0) {
    return 0;
  }
  return (largest + kRecordRoundUp) / macros::kDriverRecordSize;
}

LiveState LiveStateInLoad(std::span<const std::uint8_t> bytes) {
  LiveState state{};
  for (std::size_t i = 0; i < state.size(); ++i) {
    const std::size_t at = driver::kLiveStateAddress + i;
    state[i] = at < bytes.size() ? bytes[at] : 0;
  }
  return state;
}

DriverChannel::DriverChannel(DriverPort& port) : port_(port) {}

DriverChannel::~DriverChannel() {
  if (IsOpen()) {
    port_.Close(handle_);
  }
}

bool DriverChannel::OpenDriverById(std::uint16_t id) {
  bool opened = false;
  for (const std::string& path : port_.EnumerateInterfaces(driver::kInterfaceClassGuid)) {
    if (DriverIdInPath(path) != id) {
      continue;
    }
    const DriverHandle handle = port_.Open(path);
    if (handle == kInvalidDriverHandle) {
      continue;
    }
    if (IsOpen()) {
      port_.Close(handle_);
    }
    handle_ = handle;
    opened = true;
  }
  return opened;
}

bool DriverChannel::OpenDriverChannel(CommandChannel& mouse) {
  if (!mouse.SendCommand(command::kDriverId)) {
    return false;
  }
  const auto id = static_cast<std::uint16_t>((mouse.Reply(1) << 8) | mouse.Reply(2));
  return OpenDriverById(id);
}

bool DriverChannel::Exchange(std::uint32_t code, std::span<std::uint8_t> buffer, bool readBack) {
  if (!IsOpen()) {
    return false;
  }
  // A read hands the same buffer in and out; the driver fills its data part.
  return port_.DeviceIoControl(handle_, code, buffer,
                               readBack ? buffer : std::span<std::uint8_t>());
}

bool DriverChannel::ReadLiveState(LiveState& state) {
  if (!IsOpen()) {
    return false;
  }
  LiveState buffer{};
  if (!port_.DeviceIoControl(handle_, driver::kIoctlLiveState, {}, buffer)) {
    return false;
  }
  state = buffer;
  return true;
}

bool DriverChannel::ReadDriverSection(const DriverExchange& exchange,
                                      std::span<std::uint8_t> data) {
  std::fill(data.begin(), data.end(), 0);
  if (!Fits(exchange, data.size())) {
    return false;
  }
  std::vector<std::uint8_t> buffer = MakeFrame(exchange);
  if (!Exchange(exchange.code, buffer, true)) {
    return false;
  }
  std::copy_n(buffer.begin() + driver::kFrameHeaderSize, data.size(), data.begin());
  return true;
}

bool DriverChannel::WriteDriverSection(const DriverExchange& exchange,
                                       std::span<const std::uint8_t> data) {
  if (!Fits(exchange, data.size())) {
    return false;
  }
  std::vector<std::uint8_t> buffer = MakeFrame(exchange);
  std::copy(data.begin(), data.end(), buffer.begin() + driver::kFrameHeaderSize);
  return Exchange(exchange.code, buffer, false);
}

bool DriverChannel::ReadParameterA(std::span<std::uint8_t, driver::kParameterALength> section) {
  return ReadDriverSection(driver_exchange::kReadParameterA, section);
}

bool DriverChannel::ReadParameterB(std::span<std::uint8_t, driver::kParameterBLength> section) {
  return ReadDriverSection(driver_exchange::kReadParameterB, section);
}

bool DriverChannel::ReadProfile(std::span<std::uint8_t, driver::kProfileLength> section) {
  return ReadDriverSection(driver_exchange::kReadProfile, section);
}

bool DriverChannel::ReadFireKeySection(std::span<std::uint8_t, kFireKeySectionSize> section) {
  std::array<std::uint8_t, driver::kFireKeyBlockLength> block{};
  const bool ok = ReadDriverSection(driver_exchange::kReadFireKeyBlock, block);
  std::copy_n(block.begin() + kFireKeyLeadingBytes, section.size(), section.begin());
  return ok;
}

bool DriverChannel::WriteParameterA(
    std::span<const std::uint8_t, driver::kParameterALength> section) {
  return WriteDriverSection(driver_exchange::kWriteParameterA, section);
}

bool DriverChannel::WriteParameterB(
    std::span<const std::uint8_t, driver::kParameterBLength> section) {
  return WriteDriverSection(driver_exchange::kWriteParameterB, section);
}

bool DriverChannel::WriteProfile(std::span<const std::uint8_t, driver::kProfileLength> section) {
  return WriteDriverSection(driver_exchange::kWriteProfile, section);
}

bool DriverChannel::WriteFireKeySection(
    std::span<const std::uint8_t, kFireKeySectionSize> section) {
  std::array<std::uint8_t, driver::kFireKeyBlockLength> block{};
  std::copy(section.begin(), section.end(), block.begin() + kFireKeyLeadingBytes);
  return WriteDriverSection(driver_exchange::kWriteFireKeyBlock, block);
}

std::vector<macros::DriverMacroRecord> DriverChannel::ReadDriverMacros(std::size_t count) {
  if (count == 0) {
    return {};
  }
  const auto length = static_cast<std::uint32_t>(count * macros::kDriverRecordSize);
  const DriverExchange exchange{driver::kIoctlRead, driver::kMacroRecordsAddress, length,
                                driver::kFrameHeaderSize + length};
  std::vector<std::uint8_t> bytes(length);
  ReadDriverSection(exchange, bytes);
  std::vector<macros::DriverMacroRecord> records;
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    records.push_back(macros::DriverMacroRecord::FromBytes(
        std::span(bytes).subspan(i * macros::kDriverRecordSize, macros::kDriverRecordSize)));
  }
  return records;
}

bool DriverChannel::WriteDriverMacros(std::span<const macros::DriverMacroRecord> records) {
  const auto length = static_cast<std::uint32_t>(records.size() * macros::kDriverRecordSize);
  const DriverExchange exchange{driver::kIoctlWrite, driver::kMacroRecordsAddress, length,
                                driver::kFrameHeaderSize + length};
  std::vector<std::uint8_t> bytes;
  bytes.reserve(length);
  for (const macros::DriverMacroRecord& record : records) {
    const auto recordBytes = record.Bytes();
    bytes.insert(bytes.end(), recordBytes.begin(), recordBytes.end());
  }
  return WriteDriverSection(exchange, bytes);
}

std::optional<std::vector<std::uint8_t>> DriverChannel::ReadProfileDump(
    const LiveState& liveState) {
  std::vector<std::uint8_t> dump(driver::kProfileDumpLength);
  // A failed read would leave zeros; saving those as a profile would lose the
  // user's settings without a word, so the caller gets nothing instead.
  if (!ReadDriverSection(driver_exchange::kSaveProfileDump, dump)) {
    return std::nullopt;
  }
  std::copy(liveState.begin(), liveState.end(), dump.begin() + driver::kLiveStateAddress);
  return dump;
}

bool DriverChannel::LoadDriverProfile(std::span<const std::uint8_t> bytes) {
  return WriteDriverSection(driver_exchange::kLoadProfile, bytes);
}

bool DriverChannel::LoadDefaultDriverParameters(std::span<const std::uint8_t> bytes) {
  return WriteDriverSection(driver_exchange::kLoadDefaults, bytes);
}

}  // namespace orbic::device
