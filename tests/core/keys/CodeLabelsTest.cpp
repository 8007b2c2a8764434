#include "keys/CodeLabels.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "keys/KeyCode.h"

namespace orbic::keys {
namespace {

// Knows a macro at every address, so any code that reaches the macro rule
// shows which address it asked for.
class EveryAddressNamed final : public MacroNameSource {
 public:
  std::optional<std::string> MacroNameForAddress(std::uint16_t address) const override {
    return "macro@" + HexByte(static_cast<std::uint8_t>(address >> 8)) +
           HexByte(static_cast<std::uint8_t>(address));
  }
};

class FakeGunList final : public GunKeySource {
 public:
  std::map<std::string, int> positions;
  std::optional<int> GunKeyPosition(const KeyCode& code) const override {
    const auto found = positions.find(CodeString(code));
    if (found == positions.end()) {
      return std::nullopt;
    }
    return found->second;
  }
};

struct Case {
  const char* code;
  const char* label;
};

TEST(CodeLabelsTest, RulesApplyInOrder) {
  const EveryAddressNamed macros;
  const LabelContext context{.macros = &macros};
  const Case cases[] = {
      {"000000", "Key Off"},  // a valid code, unlike ""
      {"", ""},
      {"010100", "Left Click"},
      {"020807", "Desktop"},  // fixed function before keyboard label
      {"020806", "Win+C"},
      {"0A0000", "AIM"},
      {"0A0300", "AIM"},  // any aim index
      {"0A0B00", "AIM"},
      {"0AFF12", "AIM"},
      {"0600F0", "Fire Key"},  // before the macro rule
      {"0E00F0", "Fire Key"},  // driver mode's continuous Fire Key
      {"060121", "macro@0121"},
      {"0E0721", "macro@0721"},
      {"060920", "macro@0920"},
      {"0B0501", ""},  // fire macro key table entry, not a button function
      {"030195", ""},  // consumer usage without a fixed function
      {"010300", ""},
      {"040000", ""},
      {"110000", ""},
      {"FF0000", ""},
      {"0100", ""},
      {"0AXX00", ""},  // damaged strings never take a rule
      {"0600F00", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LabelForCode(c.code, context), c.label) << c.code;
  }
}

TEST(CodeLabelsTest, KeyboardLabels) {
  const Case cases[] = {
      {"020500", "Ctrl+Alt+"},  // modifiers only keep the trailing plus
      {"020F04", "Ctrl+Shift+Alt+Win+A"},
      {"020004", "A"},
      {"020228", "Shift+Enter"},
      {"0201C5", "Ctrl+Volume_Up"},
      {"020132", "Ctrl+"},  // key byte without a name
      {"020000", ""},
      {"02F004", "A"},  // bits above Win are no modifiers
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LabelForCode(c.code), c.label) << c.code;
  }
}

TEST(CodeLabelsTest, MacroReferenceWithoutKnownMacroIsUnlabelled) {
  const NullMacroNameSource none;
  EXPECT_EQ(LabelForCode("060121", {.macros = &none}), "");
  EXPECT_EQ(LabelForCode("060121"), "");
}

TEST(CodeLabelsTest, GunKeys) {
  const Case presets[] = {
      {"0C0101", "AKM"},
      {"0C0202", "M16"},
      {"0C0303", "M4"},
      {"0C0404", "UMP9"},
      {"0C0505", "SCAR-L"},
      {"0C0606", "5.56mm Fire"},
      {"0C0607", "5.56mm Fire"},
      {"0C0808", "7.62mm Fire"},
      {"0C0809", "7.62mm Fire"},
      {"0C080A", "7.62mm Fire"},
      {"0C0608", ""},
      {"0C0102", ""},
      {"0C0707", ""},
      {"0C0A0A", ""},
      {"0C0000", ""},
  };
  for (const Case& c : presets) {
    EXPECT_EQ(LabelForCode(c.code), c.label) << c.code;
  }

  FakeGunList list;
  list.positions = {{"0C0305", 2}, {"0C0101", 1}};
  const LabelContext context{.gunKeys = &list};
  EXPECT_EQ(LabelForCode("0C0305", context), "Fire Macro2");
  EXPECT_EQ(LabelForCode("0C0101", context), "Fire Macro1");
  EXPECT_EQ(LabelForCode("0C0202", context), "M16");
  EXPECT_EQ(LabelForCode("0C0306", context), "");
}

}  // namespace
}  // namespace orbic::keys
