#include "app/RawMacroImport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/AtomicFile.h"
#include "core/macros/TestMacros.h"
#include "support/SessionRig.h"
#include "support/TempFolder.h"

namespace orbic::test {
namespace {

using app::TransferOutcome;
namespace fs = std::filesystem;

// A session that has read the mouse, with a scratch folder for the files.
struct ImportRig : SessionRig {
  ImportRig() {
    folder = temp_.Path();
    connected = session.ConnectNow() == app::ConnectionOutcome::kRead;
    ui.Clear();
    mouse->ClearTranscript();
  }

  std::string File(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = (folder / name).string();
    std::string error;
    EXPECT_TRUE(orbic::WriteFileAtomically(path, bytes, error)) << error;
    return path;
  }

  // Command 6's address and length, and the bytes of the command-7 chunks.
  struct Written {
    int address = -1;
    int length = -1;
    std::vector<std::uint8_t> bytes;
  };
  Written WriteRequest() const {
    Written written;
    for (const sim::TranscriptEntry& entry : mouse->Transcript()) {
      if (!entry.sent) {
        continue;
      }
      if (entry.bytes[1] == 0x06) {
        written.address = entry.bytes[2] | (entry.bytes[3] << 8);
        written.length = entry.bytes[4] | (entry.bytes[5] << 8);
      } else if (entry.bytes[1] == 0x07) {
        written.bytes.insert(written.bytes.end(), entry.bytes.begin() + 2, entry.bytes.end());
      }
    }
    if (written.length >= 0 && written.bytes.size() > static_cast<std::size_t>(written.length)) {
      written.bytes.resize(static_cast<std::size_t>(written.length));
    }
    return written;
  }

  orbic::test::TempFolder temp_;
  fs::path folder;
  bool connected = false;
  orbic::app::RawMacroImport import{session};
};

// A base macro file: slot 1 and slot 3 occupied, then 16 bytes past the area.
std::vector<std::uint8_t> BaseMacroFile() {
  std::vector<std::uint8_t> bytes(1024 + 16, 0xEE);
  std::fill(bytes.begin(), bytes.begin() + 1024, 0);
  const auto one = TypingMacro("Reload").Bytes();
  const auto three = TypingMacro("Grenade", 4, macros::StopMode::kUntilKeyRelease).Bytes();
  std::copy(one.begin(), one.end(), bytes.begin());
  std::copy(three.begin(), three.end(), bytes.begin() + 512);
  return bytes;
}

TEST(RawMacroImport, BaseMacrosFillSlotsOneToFourAndAreWrittenAt256) {
  ImportRig rig;
  ASSERT_TRUE(rig.connected);
  const std::vector<std::uint8_t> file = BaseMacroFile();
  const auto before = rig.mouse->firmware.memory;
  // A button of key mode 1 already refers to slot 3.
  ASSERT_TRUE(rig.session.Settings().keys.Assign(1, 5, "0E0321", rig.session.Image().data));
  std::string error;

  EXPECT_EQ(rig.import.Btn_ImportBaseMacroClick(rig.File("base.bin", file), error),
            TransferOutcome::kWritten);

  const ImportRig::Written written = rig.WriteRequest();
  EXPECT_EQ(written.address, 256);
  EXPECT_EQ(written.length, 1024);
  EXPECT_EQ(written.bytes, std::vector<std::uint8_t>(file.begin(), file.begin() + 1024));
  const auto commands = rig.Commands();
  ASSERT_GE(commands.size(), 4u);
  EXPECT_EQ(commands[0], 0x01);
  EXPECT_EQ(commands[1], 0x03);
  EXPECT_EQ(commands[2], 0x06);
  EXPECT_EQ(std::vector<std::uint8_t>(commands.end() - 2, commands.end()),
            (std::vector<std::uint8_t>{0x08, 0x02}));
  // Only the base macro area changed in the mouse.
  const auto& memory = rig.mouse->firmware.memory;
  EXPECT_TRUE(std::equal(memory.begin() + 256, memory.begin() + 1280, file.begin()));
  EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + 256, before.begin()));
  EXPECT_TRUE(std::equal(memory.begin() + 1280, memory.end(), before.begin() + 1280));

  const orbic::app::SettingsModel& settings = rig.session.Settings();
  EXPECT_EQ(settings.macroSlots.Slot(1).record, TypingMacro("Reload"));
  EXPECT_EQ(settings.macroSlots.LB_MacroName()[2], "Grenade");
  EXPECT_EQ(settings.keys.Label(1, 5), "Grenade");
  EXPECT_TRUE(std::equal(rig.session.Image().raw.begin() + 256,
                         rig.session.Image().raw.begin() + 1280, file.begin()));
  EXPECT_TRUE(rig.ui.timerEnabled);
  EXPECT_FALSE(rig.ui.pagesCovered);
  EXPECT_TRUE(rig.ui.messages.empty());
}

TEST(RawMacroImport, GunMacrosGoToTheFireMacroAreaAt1280) {
  ImportRig rig;
  ASSERT_TRUE(rig.connected);
  std::vector<std::uint8_t> file(256);
  for (std::size_t i = 0; i < file.size(); ++i) {
    file[i] = static_cast<std::uint8_t>(i * 7 + 1);
  }
  bool editorRefreshed = false;
  rig.session.Image().hooks.splitFireMacros = [&](params::DataBuf& data) {
    editorRefreshed = std::equal(file.begin(), file.end(), data.fireMacroTable.begin());
  };
  const auto slotsBefore = rig.session.Settings().macroSlots.LB_MacroName();
  std::string error;

  EXPECT_EQ(rig.import.Btn_ImportGunMacroClick(rig.File("gun.bin", file), error),
            TransferOutcome::kWritten);

  const ImportRig::Written written = rig.WriteRequest();
  EXPECT_EQ(written.address, 1280);
  EXPECT_EQ(written.length, 256);
  EXPECT_EQ(written.bytes, file);
  EXPECT_TRUE(std::equal(file.begin(), file.end(), rig.mouse->firmware.memory.begin() + 1280));
  EXPECT_TRUE(
      std::equal(file.begin(), file.end(), rig.session.Image().data.fireMacroTable.begin()));
  EXPECT_TRUE(editorRefreshed);
  EXPECT_EQ(rig.session.Settings().macroSlots.LB_MacroName(), slotsBefore);
}

TEST(RawMacroImport, NothingIsWrittenUnlessTheMouseAllowsIt) {
  struct Case {
    const char* name;
    std::function<void(sim::SimulatedMouse&)> fault;
    TransferOutcome outcome;
    std::vector<std::uint8_t> commands;
  };
  const std::vector<Case> cases = {
      {"memory not ready",
       [](auto& m) { m.firmware.memoryReady = false; },
       TransferOutcome::kNotAllowed,
       {0x01, 0x03, 0x08, 0x02}},
      {"another chip",
       [](auto& m) { m.firmware.chipByte = 0x35; },
       TransferOutcome::kNotAllowed,
       {0x01, 0x03, 0x08, 0x02}},
      // An answered command 1 is always closed.
      {"not ready",
       [](auto& m) { m.firmware.readyByte = 0x55; },
       TransferOutcome::kNoAnswer,
       {0x01, 0x03, 0x08, 0x02}},
      {"silent", [](auto& m) { m.faults.neverAck = {0x01}; }, TransferOutcome::kNoAnswer, {0x01}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ImportRig rig;
    ASSERT_TRUE(rig.connected);
    c.fault(*rig.mouse);
    const auto before = rig.mouse->firmware.memory;
    std::string error;

    EXPECT_EQ(rig.import.Btn_ImportBaseMacroClick(rig.File("base.bin", BaseMacroFile()), error),
              c.outcome);

    std::vector<std::uint8_t> commands = rig.Commands();
    commands.erase(std::unique(commands.begin(), commands.end()), commands.end());  // retries
    EXPECT_EQ(commands, c.commands);
    EXPECT_EQ(rig.mouse->firmware.memory, before);
    // The image and the slots take the file all the same.
    EXPECT_EQ(rig.session.Settings().macroSlots.LB_MacroName()[0], "Reload");
    EXPECT_TRUE(rig.ui.messages.empty());
    EXPECT_TRUE(rig.ui.timerEnabled);
  }
}

TEST(RawMacroImport, ALostChunkIsAFailedWrite) {
  ImportRig rig;
  ASSERT_TRUE(rig.connected);
  rig.mouse->faults.neverAck = {0x07};
  std::string error;
  EXPECT_EQ(rig.import.Btn_ImportGunMacroClick(
                rig.File("gun.bin", std::vector<std::uint8_t>(256, 1)), error),
            TransferOutcome::kWriteFailed);
  const auto commands = rig.Commands();
  EXPECT_EQ(std::vector<std::uint8_t>(commands.end() - 2, commands.end()),
            (std::vector<std::uint8_t>{0x08, 0x02}));
}

TEST(RawMacroImport, TheAreaIsReadBackAndAByteTheMouseDidNotKeepFailsTheWrite) {
  struct Case {
    const char* name;
    bool stuck;
    TransferOutcome outcome;
  };
  for (const Case& c : std::vector<Case>{{"kept", false, TransferOutcome::kWritten},
                                         {"stuck byte", true, TransferOutcome::kWriteFailed}}) {
    SCOPED_TRACE(c.name);
    ImportRig rig;
    ASSERT_TRUE(rig.connected);
    if (c.stuck) {
      rig.mouse->faults.stuck[1280 + 3] = 0x5A;
    }
    std::string error;
    EXPECT_EQ(rig.import.Btn_ImportGunMacroClick(
                  rig.File("gun.bin", std::vector<std::uint8_t>(256, 1)), error),
              c.outcome);
    // Written (6), then read back (4), inside the one exchange.
    std::vector<std::uint8_t> commands = rig.Commands();
    const auto write = std::find(commands.begin(), commands.end(), 0x06);
    ASSERT_NE(write, commands.end());
    EXPECT_NE(std::find(write, commands.end(), 0x04), commands.end());
    EXPECT_EQ(std::vector<std::uint8_t>(commands.end() - 2, commands.end()),
              (std::vector<std::uint8_t>{0x08, 0x02}));
  }
}

TEST(RawMacroImport, AShortOrMissingFileChangesNothing) {
  struct Case {
    const char* name;
    bool base;
    std::size_t size;  // 0: no file at all
  };
  for (const Case& c : {Case{"base 1023", true, 1023}, Case{"gun 255", false, 255},
                        Case{"empty", true, 1}, Case{"missing", false, 0}}) {
    SCOPED_TRACE(c.name);
    ImportRig rig;
    ASSERT_TRUE(rig.connected);
    const params::Image raw = rig.session.Image().raw;
    const params::DataBuf data = rig.session.Image().data;
    const auto names = rig.session.Settings().macroSlots.LB_MacroName();
    const std::string path = c.size == 0
                                 ? (rig.folder / "none.bin").string()
                                 : rig.File("short.bin", std::vector<std::uint8_t>(c.size, 0x11));
    std::string error;

    const TransferOutcome outcome = c.base ? rig.import.Btn_ImportBaseMacroClick(path, error)
                                           : rig.import.Btn_ImportGunMacroClick(path, error);

    EXPECT_EQ(outcome, TransferOutcome::kBadFile);
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(rig.session.Image().raw, raw);
    EXPECT_EQ(rig.session.Image().data.baseMacroArea, data.baseMacroArea);
    EXPECT_EQ(rig.session.Image().data.fireMacroTable, data.fireMacroTable);
    EXPECT_EQ(rig.session.Settings().macroSlots.LB_MacroName(), names);
    EXPECT_TRUE(rig.Commands().empty());
    EXPECT_EQ(rig.ui.messages.size(), 1u);
  }
}

}  // namespace
}  // namespace orbic::test
