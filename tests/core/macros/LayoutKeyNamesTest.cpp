// A place whose name the keyboard layout gives shows that name everywhere a
// key byte is named; the bytes and the codes stay those of the place.
#include "keys/LayoutKeyNames.h"

#include <gtest/gtest.h>

#include "keys/CombinationKeyDialog.h"
#include "keys/KeyCaptureDialog.h"
#include "keys/KeyNames.h"
#include "keys/VirtualKeys.h"
#include "macros/MacroCodec.h"

namespace orbic::keys {
namespace {

class LayoutKeyNamesTest : public ::testing::Test {
 protected:
  void TearDown() override { ForgetLayoutKeyNames(); }
};

TEST_F(LayoutKeyNamesTest, ALearnedNameShowsWhereverThePlaceIsNamed) {
  // French: the "1" place reads "&", the "Q" place "A".
  LearnLayoutKeyName(0x1E, "&");
  LearnLayoutKeyName(0x14, "A");

  EXPECT_EQ(KeyNameForUsage(0x1E), "&");
  EXPECT_EQ(KeyNameForVirtualKey(0x31), "&");
  EXPECT_EQ(KeyNameForVirtualKey(0x51), "A");
  EXPECT_EQ(KeyNameForVirtualKey(0x41), "A");  // the "A" place itself was not learned
  EXPECT_EQ(KeyboardLabel(0x01, 0x1E), "Ctrl+&");

  KeyCaptureDialog capture(KeyEventKind::kPress);
  capture.KeyDown(0x31);
  EXPECT_EQ(capture.FieldText(), "&");
  EXPECT_EQ(capture.Confirm().eventText, "& CODE:821E");

  CombinationKeyDialog combination;
  combination.SetBox(ModifierBox::kCtrl, true);
  combination.KeyDown(0x31);
  EXPECT_EQ(combination.FieldText(), "Ctrl+&");
  EXPECT_EQ(combination.KeyByte(), 0x1E);

  // A macro read back names the key as it was recorded, and encodes the same.
  const macros::MacroLines lines = {"00", "1 & CODE:821E", "2 & CODE:021E"};
  macros::Content content{};
  ASSERT_TRUE(macros::EncodeMacroLines(lines, macros::StopMode::kAfterMacroIsOver, content).ok);
  EXPECT_EQ(macros::DecodeMacroContent(content).lines, lines);

  ForgetLayoutKeyNames();
  EXPECT_EQ(KeyNameForVirtualKey(0x31), "1");
  EXPECT_EQ(KeyboardLabel(0x01, 0x1E), "Ctrl+1");
}

TEST_F(LayoutKeyNamesTest, OnlyOneCharacterForACharacterPlaceIsLearned) {
  const struct {
    std::uint8_t usage;
    const char* name;
    const char* learned;  // null: the US name stays
  } cases[] = {
      {0x34, "\xC3\x84", "\xC3\x84"},  // German "Ä" on the "'" place
      {0x64, "<", "<"},                // the ISO key beside the left Shift
      {0x2D, "\xC3\x9F", "\xC3\x9F"},  // "ß" on the "-" place
      {0x1E, "", nullptr},
      {0x1E, "&&", nullptr},
      {0x1E, " ", nullptr},
      {0x1E, "\x01", nullptr},
      {0x1E, "\xC3", nullptr},       // a cut UTF-8 sequence
      {0x1E, "\xC3\x84x", nullptr},  // more than one character
      {0x28, "E", nullptr},          // Enter has one name on every layout
      {0x2C, "X", nullptr},          // Space
      {0x3A, "X", nullptr},          // F1
      {0xE1, "X", nullptr},          // Left Shift
  };
  for (const auto& c : cases) {
    LearnLayoutKeyName(c.usage, c.name);
    const auto learned = LayoutKeyName(c.usage);
    if (c.learned == nullptr) {
      EXPECT_FALSE(learned.has_value()) << int(c.usage) << " " << c.name;
    } else {
      EXPECT_EQ(learned, c.learned) << int(c.usage);
      EXPECT_EQ(KeyNameForUsage(c.usage), c.learned);
    }
    ForgetLayoutKeyNames();
  }
  // A later layout's name replaces the earlier one.
  LearnLayoutKeyName(0x1F, "\xC3\xA9");
  LearnLayoutKeyName(0x1F, "\"");
  EXPECT_EQ(KeyNameForUsage(0x1F), "\"");
}

}  // namespace
}  // namespace orbic::keys
