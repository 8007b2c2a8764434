#include "keys/LayoutKeyNames.h"

#include <array>
#include <mutex>

namespace orbic::keys {
namespace {

// Letters, digits and the punctuation keys; Enter, Escape, Backspace, Tab and
// Space (0x28..0x2C) have the same name on every layout.
bool IsCharacterPlace(std::uint8_t usage) {
  return (usage >= 0x04 && usage <= 0x27) || (usage >= 0x2D && usage <= 0x38) || usage == 0x64;
}

// One UTF-8 sequence, well formed, not a control or space character.
bool IsOnePrintableCharacter(const std::string& name) {
  if (name.empty()) {
    return false;
  }
  const auto lead = static_cast<unsigned char>(name[0]);
  std::size_t length = 0;
  if (lead < 0x80) {
    length = 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
  }
  if (length == 0 || name.size() != length) {
    return false;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(name[i]) & 0xC0) != 0x80) {
      return false;
    }
  }
  return length > 1 || (lead > 0x20 && lead < 0x7F);
}

struct Table {
  std::mutex mutex;
  std::array<std::string, 256> names;
};

Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

void LearnLayoutKeyName(std::uint8_t usage, const std::string& name) {
  if (!IsCharacterPlace(usage) || !IsOnePrintableCharacter(name)) {
    return;
  }
  Table& table = TheTable();
  const std::lock_guard lock(table.mutex);
  table.names[usage] = name;
}

std::optional<std::string> LayoutKeyName(std::uint8_t usage) {
  Table& table = TheTable();
  const std::lock_guard lock(table.mutex);
  if (table.names[usage].empty()) {
    return std::nullopt;
  }
  return table.names[usage];
}

void ForgetLayoutKeyNames() {
  Table& table = TheTable();
  const std::lock_guard lock(table.mutex);
  table.names = {};
}

}  // namespace orbic::keys
