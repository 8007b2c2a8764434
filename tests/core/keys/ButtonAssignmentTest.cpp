#include "keys/ButtonAssignment.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "keys/CodeLabels.h"
#include "keys/FixedFunctions.h"
#include "keys/KeyCode.h"
#include "params/DeviceOptions.h"
#include "params/ImageFields.h"
#include "perf/DpiPage.h"
#include "support/RecordingUiHost.h"
#include "ui/BehaviourConfig.h"
#include "ui/MessageStrings.h"

namespace orbic::keys {
namespace {

constexpr int kRightClickFunction = 901;
constexpr std::string_view kLeftClick = "010100";
constexpr std::string_view kMiddleClick = "010400";
constexpr std::string_view kKeyOff = "000000";
constexpr std::uint16_t kSlot1 = 0x0121;
constexpr std::uint16_t kSlot2 = 0x0221;

// Base macro slots named as the user named them.
class NamedMacros final : public MacroNameSource {
 public:
  std::map<std::uint16_t, std::string> names;
  std::optional<std::string> MacroNameForAddress(std::uint16_t address) const override {
    const auto found = names.find(address);
    return found == names.end() ? std::nullopt : std::optional<std::string>(found->second);
  }
};

class ButtonAssignmentTest : public ::testing::Test {
 protected:
  ButtonAssignmentTest() {
    macros.names = {{kSlot1, "Left Click"}, {kSlot2, "AIM"}};
    context.macros = &macros;
    AllMiddleClick();
  }

  // Every button a middle click unless a test says otherwise.
  void AllMiddleClick() {
    for (int mode = 1; mode <= kKeyModes; ++mode) {
      for (int button = 1; button <= kButtons; ++button) {
        Set(mode, button, kMiddleClick);
      }
    }
  }

  void Set(int mode, int button, std::string_view code) {
    ASSERT_TRUE(keys.Assign(mode, button, code, data));
  }

  std::string ProfileCode(int mode, int button) const {
    const std::size_t at = params::profile::ButtonOffset(static_cast<std::size_t>(mode),
                                                         static_cast<std::size_t>(button));
    return CodeString(KeyCode{data.profile[at], data.profile[at + 1], data.profile[at + 2]});
  }

  // The code string and the Profile bytes must never disagree.
  void ExpectCode(int mode, int button, std::string_view code) const {
    EXPECT_EQ(keys.Code(mode, button), code) << "key mode " << mode << " button " << button;
    EXPECT_EQ(ProfileCode(mode, button), code) << "key mode " << mode << " button " << button;
  }

  std::array<std::string, kKeyModes * kButtons> AllCodes() const {
    std::array<std::string, kKeyModes * kButtons> codes;
    for (int mode = 1; mode <= kKeyModes; ++mode) {
      for (int button = 1; button <= kButtons; ++button) {
        codes[static_cast<std::size_t>((mode - 1) * kButtons + button - 1)] =
            keys.Code(mode, button);
      }
    }
    return codes;
  }

  NamedMacros macros;
  LabelContext context;
  params::DataBuf data;
  KeyAssignments keys{[this](std::string_view code) { return LabelForCode(code, context); }};
  perf::DpiPage dpi;
  params::DeviceOptions options;
  ui::BehaviourConfig config;
  ui::MessageStrings messages;
  test::RecordingUiHost ui;
  ButtonAssignment assignment{keys, data, dpi, options, config, messages, ui};
};

struct Placement {
  int mode;
  int button;
  std::string_view code;
};

TEST_F(ButtonAssignmentTest, LeftClickRule) {
  struct Case {
    const char* name;
    std::vector<Placement> codes;  // over the all-middle-click start
    bool engineer;                 // opened from btn_Key<mode>0<button>
    int mode;
    int button;
    int function;
    bool accepted;
  };
  const Case cases[] = {
      {"last left click refused", {{1, 1, kLeftClick}}, false, 1, 1, kRightClickFunction, false},
      {"second left click on button 8",
       {{1, 1, kLeftClick}, {1, 8, kLeftClick}},
       false,
       1,
       1,
       kRightClickFunction,
       true},
      {"left click over the last left click", {{1, 1, kLeftClick}}, false, 1, 1, 900, true},
      {"another button", {{1, 1, kLeftClick}}, false, 1, 2, kRightClickFunction, true},
      {"macro labelled as the left click counts",
       {{1, 1, kLeftClick}, {1, 8, "060121"}},
       false,
       1,
       1,
       kRightClickFunction,
       true},
      {"other key mode does not count",
       {{1, 1, kLeftClick}, {2, 1, kLeftClick}},
       false,
       2,
       1,
       kRightClickFunction,
       false},
      {"engineer page, key mode 2",
       {{1, 1, kLeftClick}, {2, 4, kLeftClick}},
       true,
       2,
       4,
       1004,
       false},
      {"engineer page, second left click",
       {{1, 1, kLeftClick}, {2, 4, kLeftClick}, {2, 9, kLeftClick}},
       true,
       2,
       4,
       1004,
       true},
      // With no left click at all, nothing but a left click is accepted, and
      // the refused button keeps showing the code it still holds.
      {"no left click at all", {{1, 2, kKeyOff}}, false, 1, 2, kRightClickFunction, false},
      {"no left click, left click chosen", {}, false, 1, 5, 900, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AllMiddleClick();
    for (const Placement& p : c.codes) {
      Set(p.mode, p.button, p.code);
    }
    ui.Clear();
    if (c.engineer) {
      assignment.TLShowPnlMain_OnClick("btn_Key" + std::to_string(c.mode * 100 + c.button));
    } else {
      assignment.ShowPnlMain_OnClick("Key" + std::to_string(c.button), c.mode);
    }
    const std::string before = keys.Code(c.mode, c.button);
    assignment.KeyStatusOnClick(c.function);

    EXPECT_FALSE(assignment.Menu().open);
    if (c.accepted) {
      ExpectCode(c.mode, c.button, CodeForFunction(c.function));
      EXPECT_TRUE(ui.messages.empty());
    } else {
      ExpectCode(c.mode, c.button, before);
      EXPECT_EQ(keys.Label(c.mode, c.button), LabelForCode(before, context));
      ASSERT_EQ(ui.messages, std::vector<std::string>{"Please keep a Left Key"});
      EXPECT_EQ(ui.styles.front(), orbic::MessageStyle::kDialog);
    }
  }
}

TEST_F(ButtonAssignmentTest, EditingTargetFromControlName) {
  struct Case {
    const char* name;
    bool engineer;
    int shownKeyMode;
    int mode;
    int button;  // -1: no target
  };
  const Case cases[] = {
      {"Key3", false, 1, 1, 3},       {"Key9", false, 2, 2, 9},
      {"KeyX", false, 1, 1, -1},      {"Key0", false, 1, 1, -1},
      {"", false, 1, 1, -1},          {"Key4", false, 3, 3, -1},
      {"btn_Key203", true, 0, 2, 3},  {"btn_Key109", true, 0, 1, 9},
      {"btn_Key210", true, 0, 2, -1}, {"btn_Key301", true, 0, 3, -1},
      {"btn_KeyA01", true, 0, 1, -1}, {"01", true, 0, 1, -1},
      {"btn_Key100", true, 0, 1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.engineer) {
      assignment.TLShowPnlMain_OnClick(c.name);
    } else {
      assignment.ShowPnlMain_OnClick(c.name, c.shownKeyMode);
    }
    EXPECT_EQ(assignment.Target().button, c.button);
    EXPECT_EQ(assignment.Target().surface,
              c.engineer ? MenuSurface::kEngineer : MenuSurface::kMain);
    EXPECT_TRUE(assignment.Menu().open);
    if (c.button > 0) {
      EXPECT_EQ(assignment.Target().keyMode, c.mode);
      continue;
    }
    // Nothing may be written through a target without a button.
    const auto codes = AllCodes();
    const auto profile = data.profile;
    assignment.KeyStatusOnClick(900);
    assignment.ApplyCombinationResult({"A", "020004"});
    EXPECT_EQ(AllCodes(), codes);
    EXPECT_EQ(data.profile, profile);
  }
}

TEST_F(ButtonAssignmentTest, MenuEntriesFollowSurfaceAndGameMode) {
  struct Case {
    const char* name;
    bool engineer;
    int shownKeyMode;
    bool gdEnable;
    bool extra;
  };
  const Case cases[] = {
      {"office mode", false, 1, true, false},
      {"game mode with GD_Enable", false, 2, true, true},
      {"game mode without GD_Enable", false, 2, false, false},
      {"engineer", true, 0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    config.gdEnable = c.gdEnable;
    if (c.engineer) {
      assignment.TLShowPnlMain_OnClick("btn_Key105");
    } else {
      assignment.ShowPnlMain_OnClick("Key5", c.shownKeyMode);
    }
    EXPECT_EQ(assignment.Menu().fireMacroVisible, !c.engineer);
    EXPECT_EQ(assignment.Menu().tlFireMacroVisible, c.engineer);
    EXPECT_EQ(assignment.Menu().extraEntriesInView, c.extra);
  }
}

TEST_F(ButtonAssignmentTest, AimEntryTakesTheCurrentAimValue) {
  Set(1, 1, kLeftClick);
  dpi.RefreshAIMKey(4);
  assignment.ShowPnlMain_OnClick("Key6", 1);
  assignment.KeyStatusOnClick(kAimFunction);
  ExpectCode(1, 6, "0A0400");
  EXPECT_EQ(keys.Label(1, 6), "AIM");
}

TEST_F(ButtonAssignmentTest, CombinationReplacesEvenTheLastLeftClick) {
  Set(1, 1, kLeftClick);
  assignment.ShowPnlMain_OnClick("Key1", 1);
  assignment.Key_AssemblyClick();
  EXPECT_FALSE(assignment.Combination().confirmed);
  EXPECT_FALSE(assignment.Menu().open);

  assignment.ApplyCombinationResult({"Ctrl+A", "020104"});
  ExpectCode(1, 1, "020104");
  EXPECT_EQ(keys.Label(1, 1), "Ctrl+A");
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(assignment.Combination().confirmed);
  EXPECT_EQ(assignment.Combination().code, "020104");

  assignment.Key_AssemblyClick();
  EXPECT_FALSE(assignment.Combination().confirmed);
  EXPECT_EQ(assignment.Combination().label, "");
  EXPECT_EQ(assignment.Combination().code, "");
}

TEST_F(ButtonAssignmentTest, AimValueChangeRewritesEveryAimButton) {
  Set(1, 3, "0A0000");
  Set(2, 7, "0A0B00");
  EXPECT_TRUE(assignment.AnyAimButton());

  assignment.cb_AIMKeyValueChange(5);
  ExpectCode(1, 3, "0A0500");
  ExpectCode(2, 7, "0A0500");
  ExpectCode(1, 4, kMiddleClick);
  EXPECT_EQ(dpi.Controls().aimValue, 5);
  EXPECT_EQ(dpi.Controls().cb_AIMKeyValue, 5);
  EXPECT_TRUE(ui.messages.empty());

  // Not an entry of the setting: nothing happens.
  assignment.cb_AIMKeyValueChange(perf::kAimStepCount);
  ExpectCode(1, 3, "0A0500");
  EXPECT_EQ(dpi.Controls().aimValue, 5);
}

TEST_F(ButtonAssignmentTest, AimValueChangeWithoutAimButton) {
  dpi.RefreshAIMKey(3);
  const auto profile = data.profile;
  EXPECT_FALSE(assignment.AnyAimButton());

  assignment.cb_AIMKeyValueChange(5);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Please select a AIM Key in Profile!"});
  EXPECT_EQ(ui.styles.front(), orbic::MessageStyle::kDialog);
  EXPECT_EQ(dpi.Controls().aimValue, 0);
  EXPECT_EQ(dpi.Controls().cb_AIMKeyValue, 0);
  EXPECT_EQ(data.profile, profile);
}

// A macro the user named "AIM" shows the aim label but is no aim key: its
// reference must survive the aim value's rewrites.
TEST_F(ButtonAssignmentTest, MacroNamedLikeTheAimKeepsItsReference) {
  Set(1, 2, "060221");
  Set(2, 6, "0A0100");
  ASSERT_EQ(keys.Label(1, 2), "AIM");
  dpi.RefreshAIMKey(9);

  assignment.cb_AIMKeyValueChange(6);
  ExpectCode(1, 2, "060221");
  ExpectCode(2, 6, "0A0600");
  assignment.AIMKeyToDataBuf();
  ExpectCode(1, 2, "060221");
  EXPECT_EQ(assignment.TLRefreshAIMKey(), 6);
}

TEST_F(ButtonAssignmentTest, AimKeyToDataBufRewritesOperands) {
  Set(1, 9, "0A0200");
  Set(2, 1, "0A0900");
  dpi.RefreshAIMKey(7);
  int driverRuleRuns = 0;
  assignment.SetDriverFireKeyRule([&](KeyAssignments&, params::DataBuf&) { ++driverRuleRuns; });

  assignment.AIMKeyToDataBuf();
  ExpectCode(1, 9, "0A0700");
  ExpectCode(2, 1, "0A0700");
  ExpectCode(1, 1, kMiddleClick);
  EXPECT_EQ(driverRuleRuns, 0);

  config.eepromMode = false;
  assignment.AIMKeyToDataBuf();
  EXPECT_EQ(driverRuleRuns, 1);
}

TEST_F(ButtonAssignmentTest, RefreshAimKeyFromButtons) {
  // Key mode 2 is read after key mode 1, whatever the button numbers.
  Set(1, 9, "0A0800");
  Set(2, 1, "0A0100");
  EXPECT_EQ(assignment.TLRefreshAIMKey(), 1);
  assignment.RefreshAIMKey();
  EXPECT_EQ(dpi.Controls().aimValue, 1);
  EXPECT_EQ(dpi.Controls().cb_AIMKeyValue, 1);

  Set(2, 1, kMiddleClick);
  Set(1, 9, kMiddleClick);
  EXPECT_EQ(assignment.TLRefreshAIMKey(), std::nullopt);
  assignment.RefreshAIMKey();
  EXPECT_EQ(dpi.Controls().aimValue, 1);
}

TEST_F(ButtonAssignmentTest, KeyModeSwitchOptions) {
  struct Case {
    const char* name;
    bool midStart, cpiStart;
    std::vector<int> clicks;
    bool mid, cpi, gun;
  };
  const Case cases[] = {
      {"middle on", false, false, {1}, true, false, false},
      {"DPI turns middle off", false, false, {1, 2}, false, true, false},
      {"middle turns DPI off", false, false, {2, 1}, true, false, false},
      {"middle toggles off", false, false, {1, 1}, false, false, false},
      {"turning off leaves the other off", false, false, {2, 2, 1, 1}, false, false, false},
      {"gun key independent", false, false, {1, 3}, true, false, true},
      {"gun key toggles", false, false, {3, 2, 3}, false, true, false},
      {"both stored on, middle clicked off", true, true, {1}, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    options = {};
    options.midPress = c.midStart;
    options.cpiPress = c.cpiStart;
    for (const int option : c.clicks) {
      switch (option) {
        case 1:
          assignment.IB_ComboKey1Click();
          break;
        case 2:
          assignment.IB_ComboKey2Click();
          break;
        default:
          assignment.IB_ComboKey3Click();
          break;
      }
    }
    EXPECT_EQ(options.midPress, c.mid);
    EXPECT_EQ(options.cpiPress, c.cpi);
    EXPECT_EQ(options.gunPress, c.gun);
    EXPECT_EQ(assignment.ComboKeyPicture(1), c.mid ? "CbS_E" : "CbS_D");
    EXPECT_EQ(assignment.ComboKeyPicture(2), c.cpi ? "CbS_E" : "CbS_D");
    EXPECT_EQ(assignment.ComboKeyPicture(3), c.gun ? "CbS_E" : "CbS_D");
  }

  for (const bool gdEnable : {false, true}) {
    config.gdEnable = gdEnable;
    EXPECT_FALSE(assignment.ComboKey3Visible(1));
    EXPECT_EQ(assignment.ComboKey3Visible(2), gdEnable);
  }
}

}  // namespace
}  // namespace orbic::keys
