// A whole driver-mode session against the simulated mouse and filter driver:
// connection start, a macro for a button, apply, a driver profile saved and
// loaded again, and the ways each can fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Session.h"
#include "app/SettingsTransfer.h"
#include "base/AtomicFile.h"
#include "core/macros/TestMacros.h"
#include "params/DefaultImages.h"
#include "params/ImageFields.h"
#include "sim/SimulatedFilterDriver.h"
#include "support/SessionRig.h"
#include "support/TempFolder.h"

namespace orbic::test {
namespace {

using app::ConnectionOutcome;
using app::TransferOutcome;
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kRead = 0x223E04;
constexpr std::uint32_t kWrite = 0x223E08;
constexpr std::uint32_t kLive = 0x223E0C;

ui::BehaviourConfig DriverConfig() {
  ui::BehaviourConfig config;
  config.apMode = 1;
  config.eepromMode = false;
  return config;
}

// One driver call as the tests compare it: code, frame address, length, input size.
struct Call {
  std::uint32_t code;
  std::uint32_t address;
  std::uint32_t length;
  std::size_t inputSize;
  friend bool operator==(const Call&, const Call&) = default;
};
std::ostream& operator<<(std::ostream& out, const Call& c) {
  return out << std::hex << c.code << " @" << std::dec << c.address << " +" << c.length << " ("
             << c.inputSize << ")";
}

// Built before the session, so the driver outlives the session's handle on it.
struct DriverHolder {
  sim::SimulatedFilterDriver driver;
};

// The driver beside the mouse holds default image 1's sections in its own
// layout, two macro records, a live state, and button 4 of key mode 1 plays
// record 1.
struct DriverRig : DriverHolder, SessionRig {
  DriverRig() : SessionRig(DriverConfig()) {
    mouse->firmware.cmd1Reply = 0xA6;
    mouse->firmware.ledTypeByte = 0x80;  // RB LED
    const params::Image image = params::LoadDefaultImages()[0];
    std::copy_n(image.begin(), 240, driver.memory.begin());
    // The fire-key block: two leading bytes, then the Fire Key section.
    std::copy_n(image.begin() + 240, 11, driver.memory.begin() + 242);
    SetProfileCode(1, 4, {0x06, 0x09, 0x20});
    for (std::size_t i = 0; i < 2; ++i) {
      stored.push_back(DriverTypingMacro("Stored " + std::to_string(i), 1 + static_cast<int>(i)));
      const auto bytes = stored.back().Bytes();
      std::copy(bytes.begin(), bytes.end(), driver.memory.begin() + 256 + i * 2048);
    }
    std::copy(kDriverLive.begin(), kDriverLive.end(), driver.memory.begin() + 160);
    session.SetDriverPort(driver);

    folder = temp_.Path();
    session.SetProgramFolder(folder.string() + "/");
  }

  void SetProfileCode(int keyMode, int button, std::array<std::uint8_t, 3> code) {
    const std::size_t at = 64 + params::profile::ButtonOffset(static_cast<std::size_t>(keyMode),
                                                              static_cast<std::size_t>(button));
    std::copy(code.begin(), code.end(), driver.memory.begin() + static_cast<std::ptrdiff_t>(at));
    driver.memory[64 + 54] = params::SectionChecksum(std::span(driver.memory).subspan(64, 54));
  }
  bool Connect() {
    const bool connected = session.ConnectNow() == ConnectionOutcome::kDriverConnected;
    ui.Clear();
    mouse->ClearTranscript();
    driver.ClearTranscript();
    return connected;
  }
  std::vector<Call> Calls() const {
    std::vector<Call> calls;
    for (const sim::DriverCall& c : driver.Transcript()) {
      calls.push_back({c.code, c.address, c.length, c.inputSize});
    }
    return calls;
  }
  // Arguments of the last command 9 the mouse received.
  std::array<std::uint8_t, 4> LastCommand9() const {
    std::array<std::uint8_t, 4> args{};
    for (const auto& entry : mouse->Transcript()) {
      if (entry.sent && entry.bytes[1] == 0x09) {
        std::copy_n(entry.bytes.begin() + 2, 4, args.begin());
      }
    }
    return args;
  }
  Bytes DriverBytes(std::size_t address, std::size_t length) const {
    return {driver.memory.begin() + static_cast<std::ptrdiff_t>(address),
            driver.memory.begin() + static_cast<std::ptrdiff_t>(address + length)};
  }

  static constexpr std::array<std::uint8_t, 4> kDriverLive{0x02, 0x04, 0x07, 0x03};
  std::vector<macros::DriverMacroRecord> stored;
  orbic::test::TempFolder temp_;
  fs::path folder;
};

const std::vector<std::uint8_t> kConnectionCommands{0x01, 0x03, 0x03, 0x02, 0x81};
const std::vector<Call> kConnectionCalls{
    {kLive, 0, 0, 0},    {kLive, 0, 0, 0},     {kRead, 0, 48, 56},       {kRead, 48, 8, 16},
    {kRead, 64, 55, 63}, {kRead, 240, 13, 21}, {kRead, 256, 4096, 4104},
};

TEST(DriverModeSession, AFullSessionReachesTheDriverWithTheExactExchanges) {
  DriverRig rig;
  app::Session& session = rig.session;

  // Connection start: the mouse allows the driver connection and names the
  // driver; the driver gives its live state, sections and the two records.
  ASSERT_EQ(session.ConnectNow(), ConnectionOutcome::kDriverConnected);
  EXPECT_EQ(rig.Commands(), kConnectionCommands);
  EXPECT_EQ(rig.Calls(), kConnectionCalls);
  EXPECT_FALSE(session.NoDeviceState());
  EXPECT_FALSE(rig.ui.pagesCovered);
  EXPECT_TRUE(rig.ui.timerEnabled);
  EXPECT_TRUE(rig.ui.messages.empty());
  EXPECT_EQ(session.LightingTypeName(), "RBLED");
  EXPECT_EQ(session.Driver().Live(), DriverRig::kDriverLive);
  orbic::app::SettingsModel& settings = session.Settings();
  EXPECT_EQ(settings.driverSlots.Records(), rig.stored);
  EXPECT_EQ(settings.keys.Code(1, 4), "060920");
  EXPECT_EQ(settings.keys.Label(1, 4), "Stored 1");

  // A library macro for button 5: it gets the third copy.
  settings.assignment.ShowPnlMain_OnClick("Key5", 1);
  const auto reload = DriverTypingMacro("Reload", 3, macros::StopMode::kUntilKeyRelease);
  EXPECT_EQ(settings.driverMacroAssignment.ChangeProfile1StringForDriverMode(reload).position, 2u);
  EXPECT_EQ(settings.keys.Code(1, 5), "0E1120");

  // Apply: the live state to the mouse, then B, A, the fire-key block, the
  // Profile section and the three records to the driver.
  rig.ui.Clear();
  rig.mouse->ClearTranscript();
  rig.driver.ClearTranscript();
  app::SettingsTransfer transfer(session);
  EXPECT_EQ(transfer.Apply(), TransferOutcome::kWritten);
  EXPECT_EQ(rig.Commands(), (std::vector<std::uint8_t>{0x01, 0x03, 0x03, 0x09, 0x02}));
  // Level 1 with smoothing, MCU LED mode 4 (the image's LED type), the
  // carried byte from the driver, level 1's DPI step 4.
  EXPECT_EQ(rig.LastCommand9(), (std::array<std::uint8_t, 4>{0x81, 0x04, 0x07, 0x04}));
  EXPECT_EQ(rig.Calls(), (std::vector<Call>{{kWrite, 48, 8, 16},
                                            {kWrite, 0, 48, 56},
                                            {kWrite, 240, 13, 21},
                                            {kWrite, 64, 55, 63},
                                            {kWrite, 256, 3 * 2048, 8 + 3 * 2048}}));
  EXPECT_EQ(rig.DriverBytes(48, 2), (Bytes{0x81, 0x7E}));
  EXPECT_EQ(rig.DriverBytes(64 + 12, 3), (Bytes{0x0E, 0x11, 0x20}));
  EXPECT_EQ(rig.DriverBytes(240, 2), (Bytes{0x00, 0x00}));
  EXPECT_EQ(rig.driver.memory[242 + 10], 0x00);  // no Fire Key checksum in the driver
  const auto reloadBytes = reload.Bytes();
  EXPECT_EQ(rig.DriverBytes(256 + 2 * 2048, 2048), Bytes(reloadBytes.begin(), reloadBytes.end()));
  EXPECT_TRUE(rig.ui.messages.empty());

  // Save: the mouse is read again, then the driver's 40960 bytes with the
  // live state at 160..163 go to the file.
  rig.mouse->ClearTranscript();
  rig.driver.ClearTranscript();
  std::string error;
  const std::string profile = (rig.folder / "driver").string();
  ASSERT_EQ(transfer.SaveProfile(profile, error), TransferOutcome::kSaved) << error;
  std::vector<Call> saveCalls = kConnectionCalls;
  saveCalls.back() = {kRead, 256, 3 * 2048, 8 + 3 * 2048};  // button 5 now plays record 2
  saveCalls.push_back({kRead, 0, 40960, 40971});
  EXPECT_EQ(rig.Calls(), saveCalls);
  Bytes saved;
  ASSERT_TRUE(orbic::ReadWholeFile(profile + ".bin", saved, error)) << error;
  ASSERT_EQ(saved.size(), 40960u);
  Bytes expected = rig.DriverBytes(0, 40960);
  std::copy(session.Driver().Live().begin(), session.Driver().Live().end(), expected.begin() + 160);
  EXPECT_EQ(saved, expected);

  // Load: a changed copy of the profile goes to the driver whole; the mouse
  // gets its live state (the DPI step byte as 0) and the connection restarts.
  saved[64 + 12] = 0x06;  // button 5 back to run-to-end...
  saved[64 + 54] = params::SectionChecksum(std::span(saved).subspan(64, 54));
  const std::array<std::uint8_t, 4> fileLive{0x03, 0x02, 0x09, 0x05};
  std::copy(fileLive.begin(), fileLive.end(), saved.begin() + 160);
  const std::string changed = (rig.folder / "changed.bin").string();
  ASSERT_TRUE(orbic::WriteFileAtomically(changed, saved, error)) << error;
  rig.mouse->ClearTranscript();
  rig.driver.ClearTranscript();
  EXPECT_EQ(transfer.LoadProfile(changed, error), TransferOutcome::kWritten) << error;
  ASSERT_FALSE(rig.Calls().empty());
  EXPECT_EQ(rig.Calls().front(), (Call{kWrite, 0, 102400, 102455}));
  std::vector<std::uint8_t> loadCommands{0x01, 0x03, 0x03, 0x09, 0x02};
  loadCommands.insert(loadCommands.end(), kConnectionCommands.begin(), kConnectionCommands.end());
  EXPECT_EQ(rig.Commands(), loadCommands);
  EXPECT_EQ(rig.LastCommand9(), (std::array<std::uint8_t, 4>{0x03, 0x02, 0x09, 0x00}));
  EXPECT_EQ(rig.DriverBytes(40960, 61440), Bytes(61440, 0));  // zero behind the file
  EXPECT_EQ(session.Driver().Live(), fileLive);
  EXPECT_EQ(settings.keys.Code(1, 5), "061120");
  EXPECT_EQ(settings.keys.Label(1, 5), "Reload");
  EXPECT_EQ(session.LastOutcome(), ConnectionOutcome::kDriverConnected);
}

TEST(DriverModeSession, ConnectionStartFailuresShowFindingTheDevice) {
  struct Case {
    const char* what;
    void (*setUp)(DriverRig&);
    ConnectionOutcome outcome;
    std::vector<std::uint8_t> commands;
  };
  const std::vector<Case> cases{
      {"command 1 answers for memory mode",
       [](DriverRig& r) { r.mouse->firmware.cmd1Reply = 0xA5; },
       ConnectionOutcome::kDriverRefused,
       {0x01, 0x02}},
      {"the mouse refuses the driver",
       [](DriverRig& r) { r.mouse->firmware.acceptsDriver = false; },
       ConnectionOutcome::kDriverRefused,
       {0x01, 0x03, 0x03, 0x02}},
      {"no driver interface", [](DriverRig& r) { r.driver.present = false; },
       ConnectionOutcome::kDriverNotFound, kConnectionCommands},
      {"another driver's id", [](DriverRig& r) { r.mouse->firmware.driverId = 0x4321; },
       ConnectionOutcome::kDriverNotFound, kConnectionCommands},
  };
  for (const Case& c : cases) {
    DriverRig rig;
    c.setUp(rig);
    EXPECT_EQ(rig.session.ConnectNow(), c.outcome) << c.what;
    EXPECT_EQ(rig.Commands(), c.commands) << c.what;
    EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"Finding the specified device"}) << c.what;
    // No section reaches the pages from a driver that was never opened.
    for (const sim::DriverCall& call : rig.driver.Transcript()) {
      EXPECT_TRUE(call.path.empty()) << c.what;
    }
    EXPECT_TRUE(rig.session.Settings().driverSlots.Records().empty()) << c.what;
  }
}

TEST(DriverModeSession, AnApplyTheMouseDoesNotTakeIsReportedAsFailed) {
  DriverRig rig;
  ASSERT_TRUE(rig.Connect());
  rig.mouse->firmware.cmd1Reply = 0xA5;
  app::SettingsTransfer transfer(rig.session);
  EXPECT_EQ(transfer.Apply(), TransferOutcome::kNoAnswer);
  // The exchange command 1 opened is closed although the reply refused it.
  EXPECT_EQ(rig.Commands(), (std::vector<std::uint8_t>{0x01, 0x02}));
  // The driver still gets every section.
  EXPECT_EQ(rig.Calls().size(), 5u);
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"Fail"});
}

TEST(DriverModeSession, PresetsLoadTheirFileOnlyWhenItExistsAndFollowUpOnlyOnSuccess) {
  DriverRig rig;
  ASSERT_TRUE(rig.Connect());
  app::SettingsTransfer transfer(rig.session);

  // A missing file changes nothing.
  EXPECT_EQ(transfer.Preset(2), TransferOutcome::kMissingFile);
  EXPECT_TRUE(rig.Calls().empty());
  EXPECT_TRUE(rig.Commands().empty());
  EXPECT_TRUE(rig.ui.messages.empty());

  // A file the driver refuses: no command 9, no new connection, "Fail".
  Bytes preset(4096, 0);
  preset[160] = 0x01;
  preset[161] = 0x03;
  preset[162] = 0x0A;
  std::string error;
  ASSERT_TRUE(orbic::WriteFileAtomically((rig.folder / "Driver_ORBIC5xData_Cfg2.bin").string(),
                                         preset, error));
  rig.driver.failFullLoad = true;
  EXPECT_EQ(transfer.Preset(2), TransferOutcome::kWriteFailed);
  EXPECT_EQ(rig.Calls(), (std::vector<Call>{{kWrite, 0, 102400, 102408}}));
  EXPECT_TRUE(rig.Commands().empty());
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"Fail"});

  // Taken: command 9 with the file's live state, then the connection again.
  rig.driver.failFullLoad = false;
  rig.driver.ClearTranscript();
  rig.ui.Clear();
  EXPECT_EQ(transfer.Preset(2), TransferOutcome::kWritten);
  EXPECT_EQ(rig.LastCommand9(), (std::array<std::uint8_t, 4>{0x01, 0x03, 0x0A, 0x00}));
  EXPECT_EQ(rig.DriverBytes(0, 4096), preset);
  EXPECT_EQ(rig.session.LastOutcome(), ConnectionOutcome::kDriverConnected);
  EXPECT_FALSE(rig.ui.pagesCovered);
  EXPECT_TRUE(rig.ui.timerEnabled);

  // The engineer default reads its own file.
  rig.driver.ClearTranscript();
  EXPECT_EQ(transfer.EngineerDefault(), TransferOutcome::kMissingFile);
  EXPECT_TRUE(rig.Calls().empty());
}

TEST(DriverModeSession, AFileThatCannotBeADriverProfileIsRefusedBeforeAnyExchange) {
  for (const std::size_t size :
       {std::size_t{0}, std::size_t{100}, std::size_t{2047}, std::size_t{102401}}) {
    DriverRig rig;
    ASSERT_TRUE(rig.Connect());
    const std::string path = (rig.folder / "odd.bin").string();
    std::string error;
    ASSERT_TRUE(orbic::WriteFileAtomically(path, Bytes(size, 0x11), error));
    app::SettingsTransfer transfer(rig.session);
    EXPECT_EQ(transfer.LoadProfile(path, error), TransferOutcome::kBadFile) << size;
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find(std::to_string(size) + " bytes"), std::string::npos) << error;
    EXPECT_TRUE(rig.Calls().empty()) << size;
    EXPECT_TRUE(rig.Commands().empty()) << size;
    EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"BIN file type error"}) << size;
  }
}

}  // namespace
}  // namespace orbic::test
