#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "app/SettingsTransfer.h"
#include "base/AtomicFile.h"
#include "support/SessionRig.h"
#include "support/TempFolder.h"

namespace orbic::test {
namespace {

using app::TransferOutcome;
namespace fs = std::filesystem;

// A session that has read the mouse, with a scratch folder as the program folder.
struct TransferRig : SessionRig {
  explicit TransferRig(ui::BehaviourConfig config = {}) : SessionRig(config) {
    folder = temp_.Path();
    session.SetProgramFolder(folder.string() + "/");
    connected = session.ConnectNow() == app::ConnectionOutcome::kRead;
    ui.Clear();
    mouse->ClearTranscript();
  }

  void WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::string error;
    ASSERT_TRUE(orbic::WriteFileAtomically((folder / name).string(), bytes, error)) << error;
  }
  int Count(std::uint8_t command) const {
    const auto commands = Commands();
    return static_cast<int>(std::count(commands.begin(), commands.end(), command));
  }

  orbic::test::TempFolder temp_;
  fs::path folder;
  bool connected = false;
  app::SettingsTransfer transfer{session};
};

std::vector<std::uint8_t> Bytes(const params::Image& image) {
  return {image.begin(), image.end()};
}

TEST(SettingsTransfer, ApplyWritesTheAssembledImageAndVerifiesIt) {
  TransferRig rig;
  ASSERT_TRUE(rig.connected);
  rig.session.Settings().options.fireTime = 0x33;  // an edit on the fire page

  EXPECT_EQ(rig.transfer.Apply(), TransferOutcome::kWritten);

  const auto commands = rig.Commands();
  EXPECT_EQ(commands.front(), 0x01);
  EXPECT_EQ(commands[1], 0x03);
  EXPECT_EQ(commands[2], 0x06);
  EXPECT_EQ(rig.Count(0x07), 342);
  EXPECT_EQ(rig.Count(0x05), 342);
  EXPECT_EQ(std::vector<std::uint8_t>(commands.end() - 2, commands.end()),
            (std::vector<std::uint8_t>{0x08, 0x02}));
  const auto& memory = rig.mouse->firmware.memory;
  EXPECT_EQ(memory[0xF8], 0x33);
  // The assembled image always carries valid checksums.
  EXPECT_EQ(memory[0xFA], params::SectionChecksum(std::span(memory).subspan(0xF0, 10)));
  EXPECT_EQ(memory[47], params::SectionChecksum(std::span(memory).first(47)));
  EXPECT_TRUE(rig.ui.messages.empty());
  EXPECT_TRUE(rig.ui.timerEnabled);
  EXPECT_FALSE(rig.ui.pagesCovered);
}

// Whatever the pages hold, the image that reaches the mouse passes every
// check the mouse's reader applies: a write can never brick the settings.
TEST(SettingsTransfer, WhatReachesTheMouseAlwaysPassesItsOwnChecks) {
  std::mt19937 random(7);
  for (int round = 0; round < 5; ++round) {
    TransferRig rig;
    ASSERT_TRUE(rig.connected);
    orbic::app::SettingsModel& settings = rig.session.Settings();
    settings.dpi.cbb_DPICountChange(static_cast<int>(random() % 6));
    settings.dpi.cb_CPIChange(1 + static_cast<int>(random() % 7), static_cast<int>(random() % 12));
    settings.options.fireTime = static_cast<int>(random() % 256);
    settings.options.yOffsets[random() % 10] = static_cast<int>(random() % 256) - 128;
    settings.lighting.rb_NoSaveClick();
    settings.OpenKeyModePage(2);
    // Damaged working copies too: the assembly must still give valid sections.
    rig.session.Image().data.parameterB[3] = rig.session.Image().data.parameterB[2];
    ASSERT_EQ(rig.transfer.Apply(), TransferOutcome::kWritten);

    params::ParameterImage written;
    std::copy(rig.mouse->firmware.memory.begin(), rig.mouse->firmware.memory.end(),
              written.raw.begin());
    const params::SplitReport report = written.SplitImage();
    EXPECT_FALSE(report.parameterARepaired || report.parameterBRepaired || report.profileRepaired ||
                 report.fireKeyRepaired)
        << "round " << round;
  }
}

TEST(SettingsTransfer, WithoutAMouseOnlyTheEngineerDefaultStaysSilent) {
  TransferRig rig;
  rig.backend.Unplug(sim::SimulatedHidBackend::kMousePath);
  rig.session.Monitor().lastInterfaceCount = 1;
  rig.session.Monitor().DevTimerTimer();  // notices the mouse is gone
  rig.ui.Clear();
  std::string error;

  EXPECT_EQ(rig.transfer.Apply(), TransferOutcome::kNoMouse);
  EXPECT_EQ(rig.transfer.Preset(2), TransferOutcome::kNoMouse);
  EXPECT_EQ(rig.transfer.LoadProfile((rig.folder / "x.bin").string(), error),
            TransferOutcome::kNoMouse);
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>(3, "Finding the specified device"));
  rig.ui.Clear();
  EXPECT_EQ(rig.transfer.EngineerDefault(), TransferOutcome::kNoMouse);
  EXPECT_TRUE(rig.ui.messages.empty());
}

TEST(SettingsTransfer, AWriteThatDoesNotReachTheMouseIsReported) {
  struct Case {
    const char* name;
    std::function<void(sim::SimulatedMouse&)> fault;
    TransferOutcome outcome;
    bool exchangeClosed;
  };
  const std::vector<Case> cases = {
      {"memory not ready", [](auto& m) { m.firmware.memoryReady = false; },
       TransferOutcome::kNotAllowed, true},
      {"mouse silent", [](auto& m) { m.faults.neverAck = {0x01}; }, TransferOutcome::kNoAnswer,
       false},
      {"stuck byte", [](auto& m) { m.faults.stuck[0x300] = 0x5A; }, TransferOutcome::kWriteFailed,
       true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    TransferRig rig;
    ASSERT_TRUE(rig.connected);
    test.fault(*rig.mouse);
    EXPECT_EQ(rig.transfer.Apply(), test.outcome);
    EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"Fail"});
    EXPECT_EQ(rig.Count(0x02) == 1, test.exchangeClosed);
  }
}

TEST(SettingsTransfer, APresetTheMouseRefusesIsReplacedByWhatTheMouseHolds) {
  for (const int preset : {2, 3}) {
    SCOPED_TRACE(preset);
    TransferRig rig;
    ASSERT_TRUE(rig.connected);
    rig.mouse->firmware.chipByte = 0x35;
    const auto held = rig.mouse->firmware.memory;
    ASSERT_NE(held, rig.session.DefaultImages()[preset - 1]);
    EXPECT_EQ(rig.transfer.Preset(preset), TransferOutcome::kNotAllowed);
    EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"Fail"});
    EXPECT_EQ(rig.mouse->firmware.memory, held);
    EXPECT_EQ(rig.session.Image().raw, held);
    EXPECT_EQ(rig.session.LastOutcome(), app::ConnectionOutcome::kRead);
  }
}

TEST(SettingsTransfer, PresetsWriteTheirFileOrTheMatchingBuiltInImage) {
  for (int preset = 1; preset <= 3; ++preset) {
    SCOPED_TRACE(preset);
    TransferRig rig;
    rig.mouse->firmware.memory.fill(0);
    EXPECT_EQ(rig.transfer.Preset(preset), TransferOutcome::kWritten);
    EXPECT_EQ(rig.mouse->firmware.memory, rig.session.DefaultImages()[preset - 1]);
  }

  TransferRig rig;
  params::Image custom = rig.session.DefaultImages()[0];
  custom[0x700] = 0x42;
  rig.WriteFile("ORBIC5xData_Cfg2.bin", Bytes(custom));
  EXPECT_EQ(rig.transfer.Preset(2), TransferOutcome::kWritten);
  EXPECT_EQ(rig.mouse->firmware.memory, custom);
}

TEST(SettingsTransfer, APresetIsWrittenOnlyToAFullAccessChip) {
  TransferRig rig;
  rig.mouse->firmware.chipByte = 0x35;  // ChipCode 0x90
  rig.mouse->firmware.memory.fill(0);

  EXPECT_EQ(rig.transfer.Preset(1), TransferOutcome::kNotAllowed);
  EXPECT_EQ(rig.Count(0x06), 0);
  // The mouse keeps its settings, and the pages show them again, not the preset.
  EXPECT_EQ(rig.session.Image().raw, rig.mouse->firmware.memory);
  EXPECT_NE(rig.session.Image().raw, rig.session.DefaultImages()[0]);
  rig.ui.Clear();
  EXPECT_EQ(rig.transfer.Apply(), TransferOutcome::kWritten);
}

TEST(SettingsTransfer, ShortPresetAndProfileFilesAreRefusedWhole) {
  TransferRig rig;
  const params::Image before = rig.session.Image().raw;
  rig.WriteFile("ORBIC5xData_Cfg1.bin", std::vector<std::uint8_t>(100, 0x11));
  rig.WriteFile("short.bin", std::vector<std::uint8_t>(2047, 0x22));
  std::string error;

  EXPECT_EQ(rig.transfer.Preset(1), TransferOutcome::kBadFile);
  EXPECT_EQ(rig.transfer.LoadProfile((rig.folder / "short.bin").string(), error),
            TransferOutcome::kBadFile);
  EXPECT_NE(error.find("2047"), std::string::npos);
  EXPECT_EQ(rig.transfer.LoadProfile((rig.folder / "missing.bin").string(), error),
            TransferOutcome::kBadFile);
  EXPECT_EQ(rig.session.Image().raw, before);
  EXPECT_EQ(rig.Count(0x06), 0);
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>(3, "BIN file type error"));
}

TEST(SettingsTransfer, ALoadedProfileIsWrittenAsLoadedAndShownRepaired) {
  TransferRig rig;
  params::Image profile = rig.session.DefaultImages()[1];
  profile[0x040] = 0x02;  // button 1 changed without a new Profile checksum
  std::vector<std::uint8_t> file = Bytes(profile);
  file.resize(3000, 0xAB);  // longer files give their first 2048 bytes
  rig.WriteFile("profile.bin", file);
  std::string error;

  EXPECT_EQ(rig.transfer.LoadProfile((rig.folder / "profile.bin").string(), error),
            TransferOutcome::kWritten);

  EXPECT_EQ(rig.mouse->firmware.memory, profile);  // the file's bytes, bad checksum and all
  EXPECT_TRUE(rig.session.LastSplit().profileRepaired);
  EXPECT_EQ(rig.session.Image().data.profile[0], 0x01);  // the pages show the repair default
}

TEST(SettingsTransfer, SaveStoresWhatTheMouseHoldsAfterAFreshRead) {
  TransferRig rig;
  rig.mouse->firmware.memory[0x7FF] = 0x99;  // changed behind the program's back
  rig.session.Image().raw[0x100] = 0x55;     // an unapplied change
  std::string error;

  EXPECT_EQ(rig.transfer.SaveProfile((rig.folder / "mine").string(), error),
            TransferOutcome::kSaved);
  EXPECT_EQ(rig.transfer.SaveProfile((rig.folder / "again.bin").string(), error),
            TransferOutcome::kSaved);

  std::vector<std::uint8_t> saved;
  ASSERT_TRUE(orbic::ReadWholeFile((rig.folder / "mine.bin").string(), saved, error)) << error;
  EXPECT_EQ(saved, Bytes(rig.mouse->firmware.memory));
  EXPECT_TRUE(fs::exists(rig.folder / "again.bin"));
  EXPECT_FALSE(fs::exists(rig.folder / "again.bin.bin"));

  rig.mouse->faults.neverAck = {0x04};
  EXPECT_EQ(rig.transfer.SaveProfile((rig.folder / "lost.bin").string(), error),
            TransferOutcome::kReadFailed);
  EXPECT_FALSE(fs::exists(rig.folder / "lost.bin"));
}

// "Save Profile" saves what the mouse holds; the window asks first when the
// pages hold edits the mouse has not taken, so it must know when they do.
TEST(SettingsTransfer, PendingEditsFollowEditsAndTheWritesThatTakeThem) {
  TransferRig rig;
  ASSERT_TRUE(rig.connected);
  EXPECT_FALSE(rig.session.PendingEdits());  // just read: the pages are the mouse

  rig.session.Settings().options.fireTime = 0x33;
  EXPECT_TRUE(rig.session.PendingEdits());
  // Asking changes nothing: the image and its copies are as they were.
  EXPECT_NE(rig.session.Image().raw[0xF8], 0x33);
  EXPECT_TRUE(rig.session.PendingEdits());

  ASSERT_EQ(rig.transfer.Apply(), TransferOutcome::kWritten);
  EXPECT_FALSE(rig.session.PendingEdits());

  rig.session.Settings().options.fireTime = 0x44;
  rig.mouse->faults.neverAck = {0x05};  // the write is not taken
  EXPECT_NE(rig.transfer.Apply(), TransferOutcome::kWritten);
  EXPECT_TRUE(rig.session.PendingEdits());

  rig.mouse->faults.neverAck.clear();
  rig.session.ReadDevInfo();  // a fresh read shows the mouse again
  EXPECT_FALSE(rig.session.PendingEdits());
}

}  // namespace
}  // namespace orbic::test
