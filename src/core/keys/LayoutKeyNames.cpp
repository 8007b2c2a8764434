#include "keys/LayoutKeyNames.h"

#include <array>
#include <mutex>

#include "ui/UnicodeText.h"

namespace orbic::keys {
namespace {

// Letters, digits and the punctuation keys; Enter, Escape, Backspace, Tab and
// Space (0x28..0x2C) have the same name on every layout.
bool IsCharacterPlace(std::uint8_t usage) {
  return (usage >= 0x04 && usage <= 0x27) || (usage >= 0x2D && usage <= 0x38) || usage == 0x64;
}

// One well-formed UTF-8 character, not a control or a space.
bool IsOnePrintableCharacter(const std::string& name) {
  const auto codePoints = ui::Utf8CodePoints(name);
  if (!codePoints || codePoints->size() != 1) {
    return false;
  }
  const char32_t c = codePoints->front();
  return c > 0x20 && !(c >= 0x7F && c <= 0xA0);
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
