#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/Backups.h"
#include "app/RawMacroImport.h"
#include "app/SettingsTransfer.h"
#include "base/AtomicFile.h"
#include "support/SessionRig.h"
#include "support/TempFolder.h"

namespace orbic::test {
namespace {

using app::BackupFolder;
using app::TransferOutcome;
namespace fs = std::filesystem;
using namespace std::chrono;

// 2026-12-11 01:39:20.123 UTC
const system_clock::time_point kMoment =
    sys_days{year{2026} / December / 11} + hours{1} + minutes{39} + seconds{20} + milliseconds{123};

params::Image ImageWith(std::uint8_t first) {
  params::Image image{};
  image[0] = first;
  return image;
}

std::vector<std::uint8_t> FileBytes(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << error;
  return bytes;
}

TEST(BackupFolder, NamesCarryTheUtcTimeToTheMillisecond) {
  EXPECT_EQ(BackupFolder::NameFor(kMoment), "orbic40-20261211-013920-123.bin");
  EXPECT_EQ(BackupFolder::NameFor(sys_days{year{2027} / January / 1}),
            "orbic40-20270101-000000-000.bin");
  for (const char* name : {"orbic40-20261211-013920-123.bin", "orbic40-19991231-235959-999.bin"}) {
    EXPECT_TRUE(BackupFolder::IsBackupName(name)) << name;
  }
  for (const char* name : {"orbic40-20261211-013920.bin", "orbic40-2026121x-013920-123.bin",
                           "mouse-20261211-013920-123.bin", "orbic40-20261211-013920-123.bin.txt",
                           ".orbic40-20261211-013920-123.bin.1.orbic40-part"}) {
    EXPECT_FALSE(BackupFolder::IsBackupName(name)) << name;
  }
}

// Saves within one millisecond still get names of their own, in order, and
// only the newest twenty stay.
TEST(BackupFolder, KeepsTheNewestTwentyInOrder) {
  TempFolder temp;
  const BackupFolder backups((temp.Path() / "state" / "backups").string(), [] { return kMoment; });
  std::ofstream(temp.Path() / "notes.txt") << "not a backup";
  for (int i = 0; i < 25; ++i) {
    std::string error;
    const std::string path = backups.Save(ImageWith(static_cast<std::uint8_t>(i)), error);
    ASSERT_FALSE(path.empty()) << error;
    EXPECT_EQ(backups.Newest(), path);
  }
  const std::vector<std::string> kept = backups.List();
  ASSERT_EQ(kept.size(), BackupFolder::kKept);
  for (std::size_t k = 0; k < kept.size(); ++k) {
    const auto bytes = FileBytes(kept[k]);
    ASSERT_EQ(bytes.size(), params::kImageSize);
    EXPECT_EQ(bytes[0], 5 + k) << kept[k];  // saves 5..24, oldest first
  }
  EXPECT_TRUE(fs::exists(temp.Path() / "notes.txt"));
}

TEST(BackupFolder, AFolderThatCannotBeMadeIsNamedInTheError) {
  TempFolder temp;
  std::ofstream(temp.Path() / "file") << "x";
  const std::string folder = (temp.Path() / "file" / "backups").string();
  const BackupFolder backups(folder);
  std::string error;
  EXPECT_TRUE(backups.Save(ImageWith(1), error).empty());
  EXPECT_THAT(error, ::testing::HasSubstr(folder));
  EXPECT_TRUE(backups.List().empty());
}

// A session that has read the mouse, backing up into a scratch folder.
struct BackupRig : SessionRig {
  BackupRig() {
    session.SetProgramFolder(temp.Path().string() + "/");
    session.SetBackupFolder(BackupFolder(folder.string()));
    connected = session.ConnectNow() == app::ConnectionOutcome::kRead;
    before = mouse->firmware.memory;
    ui.Clear();
    mouse->ClearTranscript();
  }
  TempFolder temp;
  fs::path folder = temp.Path() / "backups";
  bool connected = false;
  params::Image before{};
  app::SettingsTransfer transfer{session};
};

// Every path that writes the image first saves what the mouse held.
TEST(SessionBackups, EveryWriteOfTheImageIsPrecededByABackupOfTheMouse) {
  struct Write {
    const char* name;
    std::function<TransferOutcome(BackupRig&)> run;
  };
  const std::vector<Write> writes = {
      {"apply",
       [](BackupRig& r) {
         r.session.Settings().options.fireTime = 0x33;
         return r.transfer.Apply();
       }},
      {"confirm", [](BackupRig& r) { return r.transfer.Confirm(); }},
      {"preset 2", [](BackupRig& r) { return r.transfer.Preset(2); }},
      {"engineer default", [](BackupRig& r) { return r.transfer.EngineerDefault(); }},
      {"load profile",
       [](BackupRig& r) {
         const std::string path = (r.temp.Path() / "profile.bin").string();
         std::string error;
         EXPECT_TRUE(WriteFileAtomically(path, params::LoadDefaultImages()[1], error));
         return r.transfer.LoadProfile(path, error);
       }},
  };
  for (const Write& write : writes) {
    BackupRig rig;
    ASSERT_TRUE(rig.connected) << write.name;
    rig.mouse->firmware.memory[0x700] = 0x42;  // only the mouse knows this byte
    rig.session.NoteMouseImage(rig.mouse->firmware.memory);
    const params::Image held = rig.mouse->firmware.memory;
    EXPECT_EQ(write.run(rig), TransferOutcome::kWritten) << write.name;
    const std::vector<std::string> saved = BackupFolder(rig.folder.string()).List();
    ASSERT_EQ(saved.size(), 1U) << write.name;
    EXPECT_EQ(saved[0], rig.session.LastBackup());
    const auto bytes = FileBytes(saved[0]);
    ASSERT_EQ(bytes.size(), params::kImageSize);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), held.begin(), held.end())) << write.name;
  }
}

// The second write backs up what the first one verified, not the first read.
TEST(SessionBackups, TheNextBackupHoldsWhatTheLastWriteVerified) {
  BackupRig rig;
  ASSERT_TRUE(rig.connected);
  rig.session.Settings().options.fireTime = 0x33;
  ASSERT_EQ(rig.transfer.Apply(), TransferOutcome::kWritten);
  const params::Image afterFirst = rig.mouse->firmware.memory;
  rig.session.Settings().options.fireTime = 0x44;
  ASSERT_EQ(rig.transfer.Apply(), TransferOutcome::kWritten);
  const std::string second = rig.session.LastBackup();
  const auto bytes = FileBytes(second);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), afterFirst.begin(), afterFirst.end()));
  EXPECT_EQ(afterFirst[0xF8], 0x33);
}

TEST(SessionBackups, AFolderThatCannotBeWrittenRefusesTheWrite) {
  BackupRig rig;
  ASSERT_TRUE(rig.connected);
  std::ofstream(rig.folder) << "a file where the folder should be";
  rig.session.Settings().options.fireTime = 0x33;

  EXPECT_EQ(rig.transfer.Apply(), TransferOutcome::kBackupFailed);
  EXPECT_EQ(rig.transfer.Preset(2), TransferOutcome::kBackupFailed);
  std::string error;
  EXPECT_EQ(app::RawMacroImport(rig.session)
                .Btn_ImportGunMacroClick((rig.temp.Path() / "missing.bin").string(), error),
            TransferOutcome::kBadFile);  // the file is checked first
  EXPECT_TRUE(rig.Commands().empty());   // nothing was sent to the mouse
  EXPECT_EQ(rig.mouse->firmware.memory, rig.before);
  ASSERT_FALSE(rig.ui.messages.empty());
  EXPECT_THAT(rig.ui.messages.front(), ::testing::HasSubstr(rig.folder.string()));
  EXPECT_TRUE(rig.ui.timerEnabled);
  EXPECT_FALSE(rig.ui.pagesCovered);
}

TEST(SessionBackups, AFailedVerificationNamesTheBackupOfThePreviousSettings) {
  BackupRig rig;
  ASSERT_TRUE(rig.connected);
  rig.mouse->faults.stuck[0x300] = 0x5A;
  rig.session.Settings().options.fireTime = 0x33;

  EXPECT_EQ(rig.transfer.Apply(), TransferOutcome::kWriteFailed);
  const std::string backup = rig.session.LastBackup();
  ASSERT_FALSE(backup.empty());
  ASSERT_FALSE(rig.ui.messages.empty());
  EXPECT_THAT(rig.ui.messages.back(), ::testing::HasSubstr(rig.session.Messages().str109));
  EXPECT_THAT(rig.ui.messages.back(), ::testing::HasSubstr(backup));
  const auto bytes = FileBytes(backup);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), rig.before.begin(), rig.before.end()));
}

// Without a folder (the command line's --no-backup) writes go as before.
TEST(SessionBackups, NoFolderMeansNoBackup) {
  SessionRig rig;
  ASSERT_EQ(rig.session.ConnectNow(), app::ConnectionOutcome::kRead);
  app::SettingsTransfer transfer(rig.session);
  EXPECT_EQ(transfer.Apply(), TransferOutcome::kWritten);
  EXPECT_TRUE(rig.session.LastBackup().empty());
}

}  // namespace
}  // namespace orbic::test
