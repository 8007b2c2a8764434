#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The two stored forms of a macro: a 256-byte record (a name field and a
// 224-byte content, as the mouse's slots hold it) and a 2048-byte record (a
// name field and a 2016-byte content, for the driver path).
namespace orbic::macros {

inline constexpr std::size_t kNameFieldSize = 32;
inline constexpr std::size_t kMaxNameUnits = kNameFieldSize / 2;  // UTF-16 code units
inline constexpr std::size_t kContentSize = 224;
inline constexpr std::size_t kDriverContentSize = 2016;
inline constexpr std::size_t kRecordSize = kNameFieldSize + kContentSize;              // 256
inline constexpr std::size_t kDriverRecordSize = kNameFieldSize + kDriverContentSize;  // 2048

// Content byte 0.
enum class StopMode : std::uint8_t {
  kAfterMacroIsOver = 0,  // "Stop after the macro is over"
  kUntilKeyRelease = 1,   // "Stop until the key release"
};

using NameField = std::array<std::uint8_t, kNameFieldSize>;
using Content = std::array<std::uint8_t, kContentSize>;
using DriverContent = std::array<std::uint8_t, kDriverContentSize>;

// The name as UTF-16 code units, big-endian, zero-padded. Nothing when the
// name needs more than 16 units (the name dialog keeps within that).
std::optional<NameField> EncodeName(std::string_view utf8);
// The units before the first zero unit, as UTF-8; an unpaired surrogate
// becomes "?".
std::string DecodeName(const NameField& field);
// Bytes 0 and 1 both zero: the record holds no macro.
inline bool IsEmptyName(const NameField& field) {
  return field[0] == 0 && field[1] == 0;
}

// Number of UTF-16 units `utf8` takes; nothing for text that is not UTF-8.
std::optional<std::size_t> Utf16Length(std::string_view utf8);

struct MacroRecord {
  NameField name{};
  Content content{};

  bool Empty() const { return IsEmptyName(name); }
  std::array<std::uint8_t, kRecordSize> Bytes() const;
  // `bytes` must hold at least kRecordSize bytes; more are ignored.
  static MacroRecord FromBytes(std::span<const std::uint8_t> bytes);
  friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};

struct DriverMacroRecord {
  NameField name{};
  DriverContent content{};

  bool Empty() const { return IsEmptyName(name); }
  std::array<std::uint8_t, kDriverRecordSize> Bytes() const;
  // `bytes` must hold at least kDriverRecordSize bytes; more are ignored.
  static DriverMacroRecord FromBytes(std::span<const std::uint8_t> bytes);
  friend bool operator==(const DriverMacroRecord&, const DriverMacroRecord&) = default;
};

// The checksum of a 224-byte content: the 8-bit sum of the bytes at offsets
// 1 .. L (L = byte 1) XOR 0x5A, stored at offset L + 1.
bool ContentChecksumHolds(const Content& content);
// A slot whose content fails its checksum (an empty one included) is zeroed,
// so a damaged macro never reaches a button. Returns whether it was zeroed
// while holding something.
bool CheckMacroContentBuf(Content& content);

}  // namespace orbic::macros
