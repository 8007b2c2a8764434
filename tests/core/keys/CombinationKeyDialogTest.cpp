#include "keys/CombinationKeyDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keys/CodeLabels.h"

namespace orbic::keys {
namespace {

constexpr std::uint16_t kA = 0x41;
constexpr std::uint16_t kB = 0x42;
constexpr std::uint16_t kD = 0x44;
constexpr std::uint16_t kCtrlKey = 0x11;
constexpr std::uint16_t kLaunchApp1 = 0xB6;
constexpr HeldModifiers kCtrlHeld{.ctrl = true};

// One user action: a key going down, a box click or "Clear".
struct Step {
  enum Kind { kKey, kBox, kClear } kind;
  std::uint16_t virtualKey = 0;
  HeldModifiers held{};
  ModifierBox box = ModifierBox::kCtrl;
  bool checked = false;
};

Step Key(std::uint16_t virtualKey, HeldModifiers held = {}) {
  return {Step::kKey, virtualKey, held};
}
Step Check(ModifierBox box) {
  return {Step::kBox, 0, {}, box, true};
}
Step Uncheck(ModifierBox box) {
  return {Step::kBox, 0, {}, box, false};
}
Step ClearStep() {
  return {Step::kClear};
}

struct Case {
  const char* name;
  std::vector<Step> steps;
  const char* field;
  const char* code;
};

using enum ModifierBox;

TEST(CombinationKeyDialogTest, Sequences) {
  const Case cases[] = {
      {"nothing", {}, "", "020000"},
      {"next key replaces", {Key(kA), Key(kB)}, "B", "020005"},
      {"held Ctrl captures nothing", {Key(kA, kCtrlHeld)}, "", "020000"},
      {"box then key", {Check(kCtrl), Key(kA)}, "Ctrl+A", "020104"},
      {"next key keeps boxes", {Check(kCtrl), Key(kA), Key(kB)}, "Ctrl+B", "020105"},
      {"key then boxes", {Key(kA), Check(kAlt), Check(kCtrl)}, "Ctrl+Alt+A", "020504"},
      {"box order", {Check(kWin), Check(kShift)}, "Shift+Win", "020A00"},
      {"all boxes",
       {Check(kWin), Check(kAlt), Check(kShift), Check(kCtrl), Key(kD)},
       "Ctrl+Shift+Alt+Win+D",
       "020F07"},
      {"uncheck first", {Check(kCtrl), Check(kAlt), Uncheck(kCtrl)}, "Alt", "020400"},
      {"uncheck last", {Check(kCtrl), Check(kAlt), Uncheck(kAlt)}, "Ctrl", "020100"},
      {"uncheck middle",
       {Check(kCtrl), Check(kShift), Key(kA), Uncheck(kShift)},
       "Ctrl+A",
       "020104"},
      {"uncheck only", {Check(kShift), Uncheck(kShift)}, "", "020000"},
      {"uncheck before key", {Check(kShift), Key(kA), Uncheck(kShift)}, "A", "020004"},
      {"modifier key clears the key",
       {Check(kCtrl), Key(kA), Key(kCtrlKey, kCtrlHeld)},
       "Ctrl",
       "020100"},
      {"modifier key not reported held", {Key(kA), Key(kCtrlKey)}, "", "020000"},
      {"windows key clears the key", {Key(kA), Key(0x5B)}, "", "020000"},
      {"right modifier key", {Key(kA), Key(0xA5)}, "", "020000"},
      {"capture after held Ctrl", {Key(kA, kCtrlHeld), Key(kB)}, "B", "020005"},
      {"unmapped key", {Check(kShift), Key(kLaunchApp1)}, "Shift+Launch_App1", "020200"},
      {"clear", {Check(kCtrl), Key(kA), ClearStep()}, "", "020000"},
      {"key after clear", {Check(kCtrl), Key(kA), ClearStep(), Key(kB)}, "B", "020005"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CombinationKeyDialog dialog;
    for (const Step& step : c.steps) {
      switch (step.kind) {
        case Step::kKey:
          dialog.KeyDown(step.virtualKey, step.held);
          break;
        case Step::kBox:
          dialog.SetBox(step.box, step.checked);
          break;
        case Step::kClear:
          dialog.Clear();
          break;
      }
    }
    EXPECT_EQ(dialog.FieldText(), c.field);
    const CombinationResult result = dialog.Confirm();
    EXPECT_EQ(result.label, c.field);
    EXPECT_EQ(result.code, c.code);
  }
}

TEST(CombinationKeyDialogTest, ClearUnchecksTheBoxes) {
  CombinationKeyDialog dialog;
  dialog.SetBox(kCtrl, true);
  dialog.SetBox(kWin, true);
  dialog.Clear();
  for (ModifierBox box : {kCtrl, kShift, kAlt, kWin}) {
    EXPECT_FALSE(dialog.IsBoxChecked(box));
  }
  EXPECT_EQ(dialog.ModifierBits(), 0);
}

// The label the dialog hands over is the label the code gets when reloaded.
TEST(CombinationKeyDialogTest, ResultLabelMatchesCodeLabel) {
  CombinationKeyDialog dialog;
  dialog.SetBox(kShift, true);
  dialog.SetBox(kAlt, true);
  dialog.KeyDown(0x70);
  const CombinationResult result = dialog.Confirm();
  EXPECT_EQ(result.label, "Shift+Alt+F1");
  EXPECT_EQ(LabelForCode(result.code), result.label);
}

}  // namespace
}  // namespace orbic::keys
