#include "macros/MacroAssignment.h"

#include <gtest/gtest.h>

#include "app/SettingsModel.h"
#include "core/macros/TestMacros.h"
#include "keys/KeyCode.h"
#include "keys/MacroReferences.h"
#include "params/DefaultImages.h"
#include "params/ImageFields.h"
#include "support/RecordingUiHost.h"

namespace orbic::macros {
namespace {

using test::TypingMacro;

constexpr const char* kLeftClick = "010100";

// The pages over the first default image, whose key modes have their left
// click on button 1 only and no macros.
struct Pages {
  Pages() {
    model.BindTo(image);
    image.raw = params::LoadDefaultImages()[0];
    image.SplitImage();
    model.DataBufToUI(image.data);
  }

  MacroAssignOutcome AssignOnMain(int keyMode, int button, const MacroRecord& macro) {
    model.assignment.ShowPnlMain_OnClick("Key" + std::to_string(button), keyMode);
    return model.macroAssignment.LB_NameClick(macro);
  }
  MacroAssignOutcome AssignOnEngineer(int keyMode, int button, const MacroRecord& macro) {
    model.assignment.TLShowPnlMain_OnClick("btn_Key" + std::to_string(keyMode * 100 + button));
    return model.macroAssignment.LB_NameClick(macro);
  }

  std::string ProfileCode(int keyMode, int button) const {
    const std::size_t at = params::profile::ButtonOffset(static_cast<std::size_t>(keyMode),
                                                         static_cast<std::size_t>(button));
    return keys::CodeString(
        {image.data.profile[at], image.data.profile[at + 1], image.data.profile[at + 2]});
  }
  // The code string and the Profile bytes must agree.
  void ExpectCode(int keyMode, int button, const std::string& code) const {
    EXPECT_EQ(model.keys.Code(keyMode, button), code) << keyMode << "." << button;
    EXPECT_EQ(ProfileCode(keyMode, button), code) << keyMode << "." << button;
  }

  ui::BehaviourConfig config;
  ui::MessageStrings messages;
  test::RecordingUiHost host;
  params::ParameterImage image;
  orbic::app::SettingsModel model{config, image.data, host, messages};
};

TEST(MacroAssignment, TheFirstMacroGoesToSlotOneWithTheCodeOfItsStopMode) {
  struct Case {
    StopMode stop;
    const char* code;
  };
  for (const Case& c :
       {Case{StopMode::kAfterMacroIsOver, "060121"}, Case{StopMode::kUntilKeyRelease, "0E0121"}}) {
    SCOPED_TRACE(c.code);
    Pages pages;
    const MacroRecord macro = TypingMacro("Reload", 2, c.stop);

    const MacroAssignOutcome outcome = pages.AssignOnMain(2, 3, macro);

    EXPECT_EQ(outcome.result, MacroAssignResult::kAssigned);
    EXPECT_EQ(outcome.slot, 1);
    pages.ExpectCode(2, 3, c.code);
    // Key mode 2 button 3: Profile bytes 33..35.
    EXPECT_EQ(keys::CodeString({pages.image.data.profile[33], pages.image.data.profile[34],
                                pages.image.data.profile[35]}),
              c.code);
    EXPECT_EQ(pages.model.keys.Label(2, 3), "Reload");
    EXPECT_EQ(pages.model.macroSlots.Slot(1).record, macro);
    EXPECT_EQ(pages.model.macroSlots.LB_MacroName()[0], "Reload");
    const auto bytes = macro.Bytes();
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), pages.image.data.baseMacroArea.begin()));
    EXPECT_TRUE(pages.host.messages.empty());
  }
}

TEST(MacroAssignment, TheSameMacroOnASecondButtonSharesItsSlot) {
  Pages pages;
  const MacroRecord reload = TypingMacro("Reload");
  const MacroRecord jump = TypingMacro("Jump", 2);
  ASSERT_EQ(pages.AssignOnMain(1, 2, reload).slot, 1);
  ASSERT_EQ(pages.AssignOnMain(1, 3, jump).slot, 2);

  EXPECT_EQ(pages.AssignOnMain(2, 5, reload).slot, 1);
  pages.ExpectCode(2, 5, "060121");
  pages.ExpectCode(1, 2, "060121");
  EXPECT_EQ(pages.model.keys.Label(2, 5), "Reload");
}

TEST(MacroAssignment, AButtonThatAloneUsedASlotReusesIt) {
  Pages pages;
  ASSERT_EQ(pages.AssignOnMain(1, 2, TypingMacro("A")).slot, 1);
  ASSERT_EQ(pages.AssignOnMain(1, 3, TypingMacro("B")).slot, 2);
  ASSERT_EQ(pages.AssignOnMain(1, 4, TypingMacro("C")).slot, 3);

  EXPECT_EQ(pages.AssignOnMain(1, 3, TypingMacro("D", 3)).slot, 2);
  pages.ExpectCode(1, 3, "060221");
  EXPECT_EQ(pages.model.macroSlots.LB_MacroName(),
            (std::array<std::string, kSlotCount>{"A", "D", "C", "", "", ""}));
  EXPECT_EQ(pages.model.keys.Label(1, 2), "A");
  EXPECT_EQ(pages.model.keys.Label(1, 4), "C");
}

TEST(MacroAssignment, WithEverySlotTakenASeventhMacroLeavesEverythingAsItWas) {
  Pages pages;
  for (int button = 2; button <= 7; ++button) {
    ASSERT_EQ(pages.AssignOnMain(1, button, TypingMacro("M" + std::to_string(button))).slot,
              button - 1);
  }
  const std::string before = pages.model.keys.Code(1, 8);
  const params::DataBuf data = pages.image.data;
  pages.host.Clear();

  const MacroAssignOutcome outcome = pages.AssignOnMain(1, 8, TypingMacro("Seventh"));

  EXPECT_EQ(outcome.result, MacroAssignResult::kNoFreeSlot);
  pages.ExpectCode(1, 8, before);
  EXPECT_EQ(pages.image.data.profile, data.profile);
  EXPECT_EQ(pages.image.data.baseMacroArea, data.baseMacroArea);
  EXPECT_EQ(pages.image.data.secondMacroArea, data.secondMacroArea);
  EXPECT_TRUE(pages.host.messages.empty());
  // Reassigning one of the six buttons still works: its own slot is free.
  EXPECT_EQ(pages.AssignOnMain(1, 4, TypingMacro("Seventh")).slot, 3);
}

TEST(MacroAssignment, TheEngineerPageUsesOnlySlotsOneToFour) {
  Pages pages;
  for (int button = 2; button <= 5; ++button) {
    ASSERT_EQ(pages.AssignOnEngineer(2, button, TypingMacro("E" + std::to_string(button))).slot,
              button - 1);
  }
  EXPECT_EQ(pages.AssignOnEngineer(1, 2, TypingMacro("Fifth")).result,
            MacroAssignResult::kNoFreeSlot);
  pages.ExpectCode(1, 2, "010400");
  EXPECT_TRUE(pages.model.macroSlots.Slot(5).record.Empty());
  // The main page takes slot 5 for the same choice.
  EXPECT_EQ(pages.AssignOnMain(1, 2, TypingMacro("Fifth")).slot, 5);
  pages.ExpectCode(1, 2, "060621");
}

TEST(MacroAssignment, TheEngineerPageIsNotBlockedByAStaleNameInSlotFive) {
  Pages pages;
  ASSERT_EQ(pages.AssignOnMain(1, 2, TypingMacro("Old")).slot, 1);
  ASSERT_EQ(pages.AssignOnMain(1, 3, TypingMacro("Old 2")).slot, 2);
  ASSERT_EQ(pages.AssignOnMain(1, 4, TypingMacro("Old 3")).slot, 3);
  ASSERT_EQ(pages.AssignOnMain(1, 5, TypingMacro("Old 4")).slot, 4);
  ASSERT_EQ(pages.AssignOnMain(1, 6, TypingMacro("Reload")).slot, 5);
  // Buttons 4..6 move on, leaving slot 5 unused but still named "Reload".
  for (int button = 4; button <= 6; ++button) {
    ASSERT_TRUE(pages.model.keys.Assign(1, button, "010400", pages.image.data));
  }
  EXPECT_EQ(pages.AssignOnEngineer(2, 7, TypingMacro("Reload")).slot, 3);
}

TEST(MacroAssignment, UsedSlotSetsWithAGapGiveAFreeSlot) {
  struct Case {
    std::vector<int> used;
    int slot;
  };
  for (const Case& c : {Case{{3, 4, 5}, 1}, Case{{1, 4, 5, 6}, 2}, Case{{3, 4, 5, 6}, 1}}) {
    Pages pages;
    int button = 2;
    for (const int slot : c.used) {
      pages.model.macroSlots.Store(slot, TypingMacro("S" + std::to_string(slot)));
      ASSERT_TRUE(pages.model.keys.Assign(
          1, button++, keys::CodeString(keys::MacroReference(false, *keys::BaseMacroAddress(slot))),
          pages.image.data));
    }
    const auto names = pages.model.macroSlots.LB_MacroName();

    EXPECT_EQ(pages.AssignOnMain(2, 4, TypingMacro("New")).slot, c.slot);
    for (const int slot : c.used) {
      EXPECT_EQ(pages.model.macroSlots.LB_MacroName()[static_cast<std::size_t>(slot - 1)],
                names[static_cast<std::size_t>(slot - 1)]);
    }
  }
}

TEST(MacroAssignment, TheLastLeftClickStays) {
  Pages pages;
  const params::DataBuf data = pages.image.data;

  const MacroAssignOutcome outcome = pages.AssignOnMain(1, 1, TypingMacro("Reload"));

  EXPECT_EQ(outcome.result, MacroAssignResult::kLeftClickKept);
  EXPECT_EQ(pages.host.messages, std::vector<std::string>{"Please keep a Left Key"});
  pages.ExpectCode(1, 1, kLeftClick);
  EXPECT_EQ(pages.model.keys.Label(1, 1), "Left Click");
  EXPECT_TRUE(pages.model.macroSlots.Slot(1).record.Empty());
  EXPECT_EQ(pages.image.data.baseMacroArea, data.baseMacroArea);

  // With a second left click in the key mode the choice goes through; a macro
  // that is itself named like the left click counts as one.
  pages.host.Clear();
  ASSERT_TRUE(pages.model.keys.Assign(1, 8, kLeftClick, pages.image.data));
  EXPECT_EQ(pages.AssignOnMain(1, 1, TypingMacro("Reload")).result, MacroAssignResult::kAssigned);
  EXPECT_EQ(pages.AssignOnMain(2, 1, TypingMacro("Left Click")).result,
            MacroAssignResult::kAssigned);
  EXPECT_TRUE(pages.host.messages.empty());
}

TEST(MacroAssignment, NothingHappensWithoutAButtonOrAMacro) {
  Pages pages;
  const params::DataBuf data = pages.image.data;
  // A label whose name ends in no digit gives no target.
  pages.model.assignment.ShowPnlMain_OnClick("KeyX", 1);
  EXPECT_EQ(pages.model.macroAssignment.LB_NameClick(TypingMacro("A")).result,
            MacroAssignResult::kNoTarget);

  pages.model.assignment.ShowPnlMain_OnClick("Key2", 1);
  EXPECT_EQ(pages.model.macroAssignment.LB_NameClick(MacroRecord{}).result,
            MacroAssignResult::kNoMacro);
  MacroLibrary library;
  library.Add(TypingMacro("Only"));
  EXPECT_EQ(pages.model.macroAssignment.LB_NameClick(library, 1).result,
            MacroAssignResult::kNoMacro);
  EXPECT_FALSE(pages.model.assignment.Menu().open);
  EXPECT_EQ(pages.image.data.profile, data.profile);
  EXPECT_EQ(pages.image.data.baseMacroArea, data.baseMacroArea);

  EXPECT_EQ(pages.model.macroAssignment.LB_NameClick(library, 0).slot, 1);
  EXPECT_EQ(pages.model.keys.Label(1, 2), "Only");
}

TEST(MacroAssignment, ADamagedLibraryMacroIsRefusedWithAMessage) {
  Pages pages;
  MacroRecord broken = TypingMacro("Broken", 1, StopMode::kUntilKeyRelease);
  broken.content[4] ^= 0x10;
  const std::string before = pages.model.keys.Code(1, 2);
  const auto profileBefore = pages.image.data.profile;
  const MacroAssignOutcome outcome = pages.AssignOnMain(1, 2, broken);
  EXPECT_EQ(outcome.result, MacroAssignResult::kDamaged);
  EXPECT_EQ(pages.host.messages, (std::vector<std::string>{std::string(kDamagedMacroMessage)}));
  pages.ExpectCode(1, 2, before);
  EXPECT_EQ(pages.image.data.profile, profileBefore);
  EXPECT_TRUE(pages.model.macroSlots.Slot(1).record.Empty());

  // A macro without events has no checksum to fail and is still assigned.
  MacroRecord silent;
  silent.name = broken.name;
  EXPECT_EQ(pages.AssignOnMain(1, 2, silent).result, MacroAssignResult::kAssigned);
}

}  // namespace
}  // namespace orbic::macros
