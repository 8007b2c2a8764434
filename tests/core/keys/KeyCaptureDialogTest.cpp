#include "keys/KeyCaptureDialog.h"

#include <gtest/gtest.h>

#include <vector>

namespace orbic::keys {
namespace {

struct Case {
  KeyEventKind kind;
  std::vector<std::uint16_t> keys;
  const char* name;
  const char* event;
};

TEST(KeyCaptureDialogTest, CapturesTheLastKey) {
  using enum KeyEventKind;
  const Case cases[] = {
      {kPress, {}, "", ""},
      {kPress, {0x41}, "A", "A CODE:8204"},
      {kRelease, {0x41}, "A", "A CODE:0204"},
      {kPress, {0x41, 0x42}, "B", "B CODE:8205"},
      {kPress, {0x10}, "Shift", "Shift CODE:82E1"},  // modifiers are keys here
      // Shift, Ctrl and Alt of either side are the side-less key.
      {kPress, {0xA1}, "Shift", "Shift CODE:82E1"},
      {kPress, {0xA0}, "Shift", "Shift CODE:82E1"},
      {kRelease, {0xA3}, "Ctrl", "Ctrl CODE:02E0"},
      {kPress, {0xA4}, "Alt", "Alt CODE:82E2"},
      {kPress, {0x5C}, "Right Windows", "Right Windows CODE:82E7"},
      {kPress, {0xAF}, "Volume_Up", "Volume_Up CODE:82C5"},
      {kPress, {0xB6}, "Launch_App1", "Launch_App1 CODE:8200"},
      {kRelease, {0xE5}, "None", "None CODE:0200"},
  };
  for (const Case& c : cases) {
    KeyCaptureDialog dialog(c.kind);
    for (std::uint16_t key : c.keys) {
      dialog.KeyDown(key);
    }
    EXPECT_EQ(dialog.FieldText(), c.name) << c.event;
    const KeyCaptureResult result = dialog.Confirm();
    EXPECT_EQ(result.keyName, c.name);
    EXPECT_EQ(result.eventText, c.event);
  }
}

// "Clear" empties the field, so OK must not hand over the key it showed before.
TEST(KeyCaptureDialogTest, ClearForgetsTheKey) {
  KeyCaptureDialog dialog(KeyEventKind::kPress);
  dialog.KeyDown(0x41);
  dialog.Clear();
  EXPECT_EQ(dialog.FieldText(), "");
  EXPECT_EQ(dialog.Confirm().keyName, "");
  EXPECT_EQ(dialog.Confirm().eventText, "");
  dialog.KeyDown(0x0D);
  EXPECT_EQ(dialog.Confirm().eventText, "Enter CODE:8228");
}

}  // namespace
}  // namespace orbic::keys
