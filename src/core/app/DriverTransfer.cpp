#include "app/DriverTransfer.h"

#include <algorithm>
#include <filesystem>

#include "app/Session.h"
#include "app/SettingsTransfer.h"
#include "base/AtomicFile.h"
#include "base/Hook.h"
#include "base/UiHost.h"
#include "params/ImageFields.h"

namespace orbic::app {

namespace {

namespace a = params::parameter_a;
namespace b = params::parameter_b;
namespace fk = params::fire_key;

// The driver memory follows the image layout in its first 2048 bytes, so a
// shorter file cannot hold the sections and the live state.
constexpr std::size_t kMinimumLoadSize = params::kImageSize;
constexpr std::size_t kMaximumLoadSize = device::driver::kFullLoadLength;

std::uint8_t Complement(std::uint8_t value) {
  return static_cast<std::uint8_t>(~value);
}

// Covers the pages for a driver transfer and uncovers them at the end.
class CoveredPages {
 public:
  explicit CoveredPages(UiHost& ui) : ui_(ui) {
    ui_.SetDeviceTimerEnabled(false);
    ui_.DisablePages();
    ui_.ShowLoadingWindow();
  }
  ~CoveredPages() {
    ui_.HideLoadingWindow();
    ui_.SetDeviceTimerEnabled(true);
    ui_.EnablePages();
  }
  CoveredPages(const CoveredPages&) = delete;
  CoveredPages& operator=(const CoveredPages&) = delete;

 private:
  UiHost& ui_;
};

}  // namespace

TransferOutcome DriverTransfer::DownloadDriverParameter() {
  UiHost& ui = session_.Ui();
  SettingsModel& settings = session_.Settings();
  params::DataBuf& data = session_.Image().data;
  DriverConnection& driver = session_.Driver();
  CallHook(session_.Hooks().hideAllMenu);
  bool written = true;
  bool sent = false;
  {
    CoveredPages covered(ui);

    // The aim value into the aim buttons, the Fire Key buttons to the fire mode.
    settings.assignment.AIMKeyToDataBuf();
    params::ProfileChecksum(data);
    const auto profileCopy = data.profile;

    // What the pages hold, in image form; only the fields below are taken from it.
    params::DataBuf pages = data;
    settings.UIToDataBuf(pages);
    const std::uint8_t level = pages.parameterB[b::kCurrentCpi];
    const bool smoothing = (pages.parameterA[a::kKeyModeSwitch] & a::kSmoothingBit) != 0;

    // Parameter B: key mode and current level (with smoothing) with their
    // complements; the LED state and identification bytes as they stand.
    data.parameterB[b::kKeyMode] = pages.parameterB[b::kKeyMode] & b::kKeyMode2Bit;
    data.parameterB[b::kKeyMode + 1] = Complement(data.parameterB[b::kKeyMode]);
    data.parameterB[b::kCurrentCpi] =
        static_cast<std::uint8_t>(level | (smoothing ? live_state::kSmoothingBit : 0));
    data.parameterB[b::kCurrentCpi + 1] = Complement(data.parameterB[b::kCurrentCpi]);
    const auto parameterBCopy = data.parameterB;

    // Fire Key: repeat and interval; the driver keeps it without a checksum.
    data.fireKey[fk::kRepeatOperand] = pages.fireKey[fk::kRepeatOperand];
    data.fireKey[fk::kFireTime] = pages.fireKey[fk::kFireTime];
    data.fireKey[fk::kChecksum] = 0;

    // Parameter A: the DPI list and the number of levels.
    std::copy_n(pages.parameterA.begin() + a::kDpiValues, perf::kDpiLevelCount,
                data.parameterA.begin() + a::kDpiValues);
    data.parameterA[a::kDpiLevelCount] = pages.parameterA[a::kDpiLevelCount];
    params::ParameterAChecksum(data);

    // The live state: the LED mode number where the type has a mode list,
    // the LED switch, the level with smoothing and the level's DPI step.
    device::LiveState& live = driver.Live();
    const perf::LedType type = settings.lighting.Controls().ledTypeRadio;
    if (type == perf::LedType::kMcu || type == perf::LedType::kRb) {
      live[live_state::kLed] = pages.parameterB[b::kLedState] & b::kLedModeMask;
    }
    const bool ledOff = (pages.parameterB[b::kLedState] & b::kLedOffBit) != 0;
    live[live_state::kLed] =
        static_cast<std::uint8_t>(ledOff ? (live[live_state::kLed] | live_state::kLedOffBit)
                                         : (live[live_state::kLed] & ~live_state::kLedOffBit));
    live[live_state::kDpiLevel] = data.parameterB[b::kCurrentCpi];
    if (level < perf::kDpiLevelCount) {
      live[live_state::kDpiValue] = pages.parameterA[a::kDpiValues + level];
    }

    sent = driver.SendLiveStateToMouse(live, kApplyOpenReplies);
    device::DriverChannel& channel = driver.Channel();
    written = channel.WriteParameterB(parameterBCopy) && written;
    written = channel.WriteParameterA(data.parameterA) && written;
    written = channel.WriteFireKeySection(data.fireKey) && written;
    written = channel.WriteProfile(profileCopy) && written;
    written = settings.driverSlots.WriteToDriver(channel) && written;
  }
  // As in memory mode, every way the settings can miss the mouse is told.
  if (!written || !sent) {
    ui.ShowMessage(session_.Messages().str109, MessageStyle::kDialog);
  }
  if (!written) {
    return TransferOutcome::kWriteFailed;
  }
  return sent ? TransferOutcome::kWritten : TransferOutcome::kNoAnswer;
}

bool DriverTransfer::ReadLoadFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                                  std::string& error) {
  std::error_code code;
  const std::uintmax_t size = std::filesystem::file_size(path, code);
  if (!code && size > kMaximumLoadSize) {
    error = path + " holds " + std::to_string(size) +
            " bytes; a driver profile holds at most 102400, so it was not loaded";
    return false;
  }
  if (!ReadWholeFile(path, bytes, error)) {
    return false;
  }
  if (bytes.size() < kMinimumLoadSize || bytes.size() > kMaximumLoadSize) {
    error = path + " holds " + std::to_string(bytes.size()) +
            " bytes; a driver profile holds 2048 to 102400, so it was not loaded";
    return false;
  }
  return true;
}

TransferOutcome DriverTransfer::AfterLoad(const std::vector<std::uint8_t>& bytes, bool loaded,
                                          bool reconnectAfterFailure) {
  DriverConnection& driver = session_.Driver();
  bool sent = false;
  if (loaded) {
    // The mouse takes the file's level, LED and carried bytes; the DPI step
    // byte goes as 0.
    driver.Live() = device::LiveStateInLoad(bytes);
    device::LiveState toMouse = driver.Live();
    toMouse[live_state::kDpiValue] = 0;
    sent = driver.SendLiveStateToMouse(toMouse, kLoadOpenReplies);
  }
  // The pages show what the driver holds now.
  bool reconnected = false;
  if (loaded || reconnectAfterFailure) {
    session_.ReadDevInfo();
    reconnected = session_.LastOutcome() == ConnectionOutcome::kDriverConnected;
  }
  if (!loaded || !sent) {
    session_.Ui().ShowMessage(session_.Messages().str109, MessageStyle::kDialog);
  }
  if (!loaded) {
    return TransferOutcome::kWriteFailed;
  }
  return sent && reconnected ? TransferOutcome::kWritten : TransferOutcome::kNoAnswer;
}

TransferOutcome DriverTransfer::TLDefaultDriverParameter(const std::string& fileName) {
  UiHost& ui = session_.Ui();
  const std::string path = session_.ConfiguredFolder() + fileName;
  std::error_code code;
  if (!std::filesystem::is_regular_file(path, code)) {
    return TransferOutcome::kMissingFile;
  }
  CoveredPages covered(ui);
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadLoadFile(path, bytes, error)) {
    ui.ShowMessage(session_.Messages().str102, MessageStyle::kDialog);
    return TransferOutcome::kBadFile;
  }
  // The follow-up runs only when the driver took the file.
  const bool loaded = session_.Driver().Channel().LoadDefaultDriverParameters(bytes);
  return AfterLoad(bytes, loaded, false);
}

TransferOutcome DriverTransfer::SaveProfile(const std::string& path, std::string& error) {
  session_.ReadDevInfo();
  if (session_.LastOutcome() != ConnectionOutcome::kDriverConnected) {
    error = "the mouse and its filter driver could not be read, so no profile was saved";
    return TransferOutcome::kReadFailed;
  }
  DriverConnection& driver = session_.Driver();
  const auto dump = driver.Channel().ReadProfileDump(driver.Live());
  if (!dump) {
    error = "the filter driver did not return its memory, so no profile was saved";
    return TransferOutcome::kReadFailed;
  }
  const std::string target = path.ends_with(".bin") ? path : path + ".bin";
  if (!WriteFileAtomically(target, *dump, error)) {
    return TransferOutcome::kBadFile;
  }
  return TransferOutcome::kSaved;
}

TransferOutcome DriverTransfer::LoadProfile(const std::string& path, std::string& error) {
  UiHost& ui = session_.Ui();
  std::vector<std::uint8_t> bytes;
  if (!ReadLoadFile(path, bytes, error)) {
    ui.ShowMessage(session_.Messages().str102, MessageStyle::kDialog);
    return TransferOutcome::kBadFile;
  }
  CoveredPages covered(ui);
  // The mouse is told the file's live state only when the driver took the
  // file: otherwise the two would disagree.
  const bool loaded = session_.Driver().Channel().LoadDriverProfile(bytes);
  // The connection starts again either way, so the pages show what the driver holds.
  return AfterLoad(bytes, loaded, true);
}

}  // namespace orbic::app
