#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/SettingsTransfer.h"
#include "base/AtomicFile.h"
#include "core/macros/TestMacros.h"
#include "keys/MacroReferences.h"
#include "params/ImageFields.h"
#include "support/SessionRig.h"
#include "support/TempFolder.h"

// The slots follow every image the session takes in, and what is assigned
// reaches the mouse and comes back.
namespace orbic::test {
namespace {

using app::TransferOutcome;
using macros::MacroRecord;
namespace fs = std::filesystem;

constexpr std::size_t kSlotOffsets[] = {0x100, 0x200, 0x300, 0x400, 0x600, 0x700};

struct SlotRig : SessionRig {
  SlotRig() {
    folder = temp_.Path();
    session.SetProgramFolder(folder.string() + "/");
  }

  const macros::MacroSlots& Slots() { return session.Settings().macroSlots; }

  orbic::test::TempFolder temp_;
  fs::path folder;
  app::SettingsTransfer transfer{session};
};

// The first default image with `record` in `slot` and key mode 2 button 4
// referring to it.
params::Image ImageWithMacro(int slot, const MacroRecord& record) {
  params::Image image = params::LoadDefaultImages()[0];
  const auto bytes = record.Bytes();
  std::copy(bytes.begin(), bytes.end(),
            image.begin() + static_cast<std::ptrdiff_t>(kSlotOffsets[slot - 1]));
  const std::size_t button = params::layout::kProfile.offset + params::profile::ButtonOffset(2, 4);
  const auto code = keys::MacroReference(false, *keys::BaseMacroAddress(slot)).Bytes();
  std::copy(code.begin(), code.end(), image.begin() + static_cast<std::ptrdiff_t>(button));
  const auto profile =
      std::span(image).subspan(params::layout::kProfile.offset, params::profile::kChecksum);
  image[params::layout::kProfile.offset + params::profile::kChecksum] =
      params::SectionChecksum(profile);
  return image;
}

TEST(MacroSlotsSession, TheConnectionStartFillsTheSlotsAndEmptiesADamagedOne) {
  SlotRig rig;
  params::Image memory = ImageWithMacro(5, TypingMacro("Reload", 3));
  const auto six = TypingMacro("Broken").Bytes();
  std::copy(six.begin(), six.end(), memory.begin() + 0x700);
  memory[0x700 + 32 + 2] ^= 0x40;  // slot 6's first event byte
  rig.mouse->firmware.memory = memory;

  ASSERT_EQ(rig.session.ConnectNow(), app::ConnectionOutcome::kRead);

  EXPECT_EQ(rig.Slots().Slot(5).record, TypingMacro("Reload", 3));
  EXPECT_EQ(rig.session.Settings().keys.Label(2, 4), "Reload");
  EXPECT_TRUE(rig.Slots().Slot(6).emptiedByCheck);
  EXPECT_EQ(rig.Slots().Slot(6).record.content, macros::Content{});
  EXPECT_EQ(rig.Slots().LB_MacroName()[5], "Broken");
}

TEST(MacroSlotsSession, LoadedProfilesPresetsAndTheNoDeviceStateReplaceTheSlots) {
  struct Case {
    const char* name;
    std::function<void(SlotRig&)> load;
    std::string slotTwo;  // name in slot 2 afterwards
  };
  const std::vector<Case> cases = {
      {"profile",
       [](SlotRig& rig) {
         const params::Image file = ImageWithMacro(2, TypingMacro("From file"));
         std::string error;
         ASSERT_TRUE(orbic::WriteFileAtomically((rig.folder / "p.bin").string(), file, error));
         EXPECT_EQ(rig.transfer.LoadProfile((rig.folder / "p.bin").string(), error),
                   TransferOutcome::kWritten);
       },
       "From file"},
      {"preset file",
       [](SlotRig& rig) {
         const params::Image file = ImageWithMacro(2, TypingMacro("Preset"));
         std::string error;
         ASSERT_TRUE(orbic::WriteFileAtomically((rig.folder / "ORBIC5xData_Cfg1.bin").string(),
                                                file, error));
         EXPECT_EQ(rig.transfer.Preset(1), TransferOutcome::kWritten);
       },
       "Preset"},
      {"mouse unplugged",
       [](SlotRig& rig) {
         rig.backend.Unplug(sim::SimulatedHidBackend::kMousePath);
         rig.session.Monitor().lastInterfaceCount = 1;
         rig.session.Monitor().DevTimerTimer();
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SlotRig rig;
    rig.mouse->firmware.memory = ImageWithMacro(2, TypingMacro("On the mouse"));
    ASSERT_EQ(rig.session.ConnectNow(), app::ConnectionOutcome::kRead);
    ASSERT_EQ(rig.Slots().LB_MacroName()[1], "On the mouse");

    c.load(rig);

    EXPECT_EQ(rig.Slots().LB_MacroName()[1], c.slotTwo);
    EXPECT_EQ(rig.session.Settings().keys.Label(2, 4), c.slotTwo.empty() ? "Back" : c.slotTwo);
  }
}

TEST(MacroSlotsSession, AnAssignedLibraryMacroComesBackFromTheMouseUnchanged) {
  SlotRig rig;
  ASSERT_EQ(rig.session.ConnectNow(), app::ConnectionOutcome::kRead);
  macros::MacroLibrary library;
  library.Add(TypingMacro("Spare"));
  library.Add(TypingMacro("Combo", 5, macros::StopMode::kUntilKeyRelease));
  orbic::app::SettingsModel& settings = rig.session.Settings();
  for (const auto& [mode, button, slot] : {std::tuple{1, 3, 1}, std::tuple{2, 6, 1}}) {
    settings.assignment.ShowPnlMain_OnClick("Key" + std::to_string(button), mode);
    ASSERT_EQ(settings.macroAssignment.LB_NameClick(library, 1).slot, slot);
  }
  settings.assignment.ShowPnlMain_OnClick("Key4", 1);
  ASSERT_EQ(settings.macroAssignment.LB_NameClick(library, 0).slot, 2);

  ASSERT_EQ(rig.transfer.Apply(), TransferOutcome::kWritten);
  // Forget everything the program holds and read the mouse again.
  rig.session.RefreshErrorAP();
  ASSERT_TRUE(rig.Slots().Slot(1).record.Empty());
  rig.transfer.Read();
  ASSERT_EQ(rig.session.LastOutcome(), app::ConnectionOutcome::kRead);

  EXPECT_EQ(rig.Slots().Slot(1).record, library.Record(1));
  EXPECT_EQ(rig.Slots().Slot(2).record, library.Record(0));
  EXPECT_FALSE(rig.Slots().Slot(1).emptiedByCheck);
  EXPECT_EQ(settings.keys.Code(1, 3), "0E0121");
  EXPECT_EQ(settings.keys.Code(2, 6), "0E0121");
  EXPECT_EQ(settings.keys.Code(1, 4), "060221");
  EXPECT_EQ(settings.keys.Label(2, 6), "Combo");
  const auto stored = library.Record(1).Bytes();
  EXPECT_TRUE(std::equal(stored.begin(), stored.end(), rig.mouse->firmware.memory.begin() + 0x100));
}

}  // namespace
}  // namespace orbic::test
