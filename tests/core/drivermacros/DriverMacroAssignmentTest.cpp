#include "drivermacros/DriverMacroAssignment.h"

#include <gtest/gtest.h>

#include <string>

#include "app/SettingsModel.h"
#include "core/macros/TestMacros.h"
#include "keys/KeyCode.h"
#include "macros/MacroLibrary.h"
#include "params/DefaultImages.h"
#include "params/ImageFields.h"
#include "support/RecordingUiHost.h"

namespace orbic::drivermacros {
namespace {

using macros::StopMode;
using test::DriverTypingMacro;

constexpr const char* kLeftClick = "010100";

ui::BehaviourConfig DriverConfig() {
  ui::BehaviourConfig config;
  config.apMode = 1;
  config.eepromMode = false;
  return config;
}

// Driver-mode pages over the first default image: left click on button 1 of
// each key mode, no macros, an empty driver list.
struct Pages {
  Pages() {
    model.BindTo(image);
    image.raw = params::LoadDefaultImages()[0];
    image.SplitImage();
    model.DataBufToUI(image.data);
  }

  DriverAssignOutcome Assign(int keyMode, int button, const macros::DriverMacroRecord& macro) {
    model.assignment.ShowPnlMain_OnClick("Key" + std::to_string(button), keyMode);
    return model.driverMacroAssignment.ChangeProfile1StringForDriverMode(macro);
  }
  std::string ProfileCode(int keyMode, int button) const {
    const std::size_t at = params::profile::ButtonOffset(static_cast<std::size_t>(keyMode),
                                                         static_cast<std::size_t>(button));
    return keys::CodeString(
        {image.data.profile[at], image.data.profile[at + 1], image.data.profile[at + 2]});
  }
  void ExpectCode(int keyMode, int button, const std::string& code) const {
    EXPECT_EQ(model.keys.Code(keyMode, button), code) << keyMode << "." << button;
    EXPECT_EQ(ProfileCode(keyMode, button), code) << keyMode << "." << button;
  }

  ui::BehaviourConfig config = DriverConfig();
  ui::MessageStrings messages;
  test::RecordingUiHost host;
  params::ParameterImage image;
  orbic::app::SettingsModel model{config, image.data, host, messages};
};

TEST(DriverMacroAssignment, TheFirstMacroTakesPositionZeroWithTheTypeOfItsStopMode) {
  struct Case {
    StopMode stop;
    const char* code;
  };
  for (const Case& c :
       {Case{StopMode::kAfterMacroIsOver, "060120"}, Case{StopMode::kUntilKeyRelease, "0E0120"}}) {
    Pages pages;
    const auto outcome = pages.Assign(2, 4, DriverTypingMacro("Reload", 2, c.stop));
    EXPECT_EQ(outcome.result, DriverAssignResult::kAssigned);
    EXPECT_EQ(outcome.position, 0u);
    pages.ExpectCode(2, 4, c.code);
    EXPECT_EQ(pages.model.keys.Label(2, 4), "Reload");
    EXPECT_EQ(pages.model.driverSlots.LB_MacroName(), std::vector<std::string>{"Reload"});
    EXPECT_TRUE(pages.host.messages.empty());
  }
}

TEST(DriverMacroAssignment, AMacroKeepsItsCopyAndANewOneTakesTheNextAddress) {
  Pages pages;
  const auto reload = DriverTypingMacro("Reload");
  pages.Assign(1, 4, reload);
  EXPECT_EQ(pages.Assign(2, 7, reload).position, 0u);
  const auto jump = DriverTypingMacro("Jump", 3, StopMode::kUntilKeyRelease);
  EXPECT_EQ(pages.Assign(1, 5, jump).position, 1u);
  pages.ExpectCode(1, 4, "060120");
  pages.ExpectCode(2, 7, "060120");
  pages.ExpectCode(1, 5, "0E0920");
  EXPECT_EQ(pages.model.keys.Label(1, 5), "Jump");
  EXPECT_EQ(pages.model.driverSlots.Count(), 2u);
}

TEST(DriverMacroAssignment, AMacroNamedOutsideAsciiGetsItsTypeFromItsStopMode) {
  Pages pages;
  pages.Assign(1, 3, DriverTypingMacro("Édition", 1, StopMode::kUntilKeyRelease));
  pages.ExpectCode(1, 3, "0E0120");
  EXPECT_EQ(pages.model.keys.Label(1, 3), "Édition");
}

TEST(DriverMacroAssignment, TheLastLeftClickStaysAndNothingIsCopied) {
  Pages pages;
  const auto outcome = pages.Assign(1, 1, DriverTypingMacro("Reload"));
  EXPECT_EQ(outcome.result, DriverAssignResult::kLeftClickKept);
  EXPECT_EQ(pages.host.messages, std::vector<std::string>{"Please keep a Left Key"});
  pages.ExpectCode(1, 1, kLeftClick);
  EXPECT_EQ(pages.model.keys.Label(1, 1), "Left Click");
  EXPECT_EQ(pages.model.driverSlots.Count(), 0u);
}

TEST(DriverMacroAssignment, AThirtyThirdMacroIsRefusedWithAMessageAndChangesNothing) {
  Pages pages;
  for (int i = 0; i < 32; ++i) {
    ASSERT_EQ(pages.Assign(1 + i % 2, 4, DriverTypingMacro("M" + std::to_string(i))).result,
              DriverAssignResult::kAssigned);
  }
  pages.ExpectCode(2, 4, "06F920");  // position 31, the last a code can address
  const auto outcome = pages.Assign(2, 4, DriverTypingMacro("M32"));
  EXPECT_EQ(outcome.result, DriverAssignResult::kListFull);
  ASSERT_EQ(pages.host.messages.size(), 1u);
  EXPECT_EQ(pages.host.messages[0], kDriverListFullMessage);
  pages.ExpectCode(2, 4, "06F920");
  EXPECT_EQ(pages.model.keys.Label(2, 4), "M31");
  EXPECT_EQ(pages.model.driverSlots.Count(), 32u);
}

TEST(DriverMacroAssignment, NothingHappensWithoutAButtonOrAMacro) {
  Pages pages;
  EXPECT_EQ(pages.model.driverMacroAssignment
                .ChangeProfile1StringForDriverMode(DriverTypingMacro("Reload"))
                .result,
            DriverAssignResult::kNoTarget);
  macros::DriverMacroLibrary library;
  pages.model.assignment.ShowPnlMain_OnClick("Key4", 1);
  EXPECT_EQ(pages.model.driverMacroAssignment.ChangeProfile1StringForDriverMode(library, 0).result,
            DriverAssignResult::kNoMacro);
  EXPECT_EQ(pages.Assign(1, 4, macros::DriverMacroRecord{}).result, DriverAssignResult::kNoMacro);
  pages.ExpectCode(1, 4, "010800");
  EXPECT_EQ(pages.model.driverSlots.Count(), 0u);
}

TEST(DriverMacroAssignment, BeforeAWriteBackFireKeyButtonsTakeTheTypeOfTheFireMode) {
  for (const bool continuous : {true, false}) {
    Pages pages;
    pages.model.options.continuousFire = continuous;
    pages.model.keys.Assign(1, 9, "0600F0", pages.image.data);
    pages.model.keys.Assign(2, 9, "0E00F0", pages.image.data);
    // A macro named like the Fire Key keeps its reference.
    pages.Assign(1, 8, DriverTypingMacro("Fire Key"));
    pages.model.assignment.AIMKeyToDataBuf();
    const std::string fireKey = continuous ? "0E00F0" : "0600F0";
    pages.ExpectCode(1, 9, fireKey);
    pages.ExpectCode(2, 9, fireKey);
    pages.ExpectCode(1, 8, "060120");
  }
}

}  // namespace
}  // namespace orbic::drivermacros
