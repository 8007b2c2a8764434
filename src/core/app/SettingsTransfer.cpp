#include "app/SettingsTransfer.h"

#include <algorithm>
#include <filesystem>

#include "app/Session.h"
#include "base/AtomicFile.h"
#include "base/Clock.h"
#include "base/Hook.h"
#include "base/UiHost.h"

namespace orbic::app {

namespace {

// The preset buttons and the file each looks for in the configured folder.
constexpr std::array<const char*, 3> kPresetFiles{"ORBIC5xData_Cfg1.bin", "ORBIC5xData_Cfg2.bin",
                                                  "ORBIC5xData_Cfg3.bin"};
// Driver mode: the presets and the engineer default load whole driver memories.
constexpr std::array<const char*, 3> kDriverPresetFiles{
    "Driver_ORBIC5xData_Cfg1.bin", "Driver_ORBIC5xData_Cfg2.bin", "Driver_ORBIC5xData_Cfg3.bin"};
constexpr const char* kDriverDefaultFile = "default_config1.bin";
// Before acting, the buttons let the pressed picture show: 11 waits of 10 ms.
constexpr int kClickSettleSteps = 11;
constexpr std::uint32_t kClickSettleMs = 10;

}  // namespace

bool SettingsTransfer::DriverMode() const {
  return !session_.Config().eepromMode;
}

bool SettingsTransfer::RequireMouse() {
  if (session_.Channel().IsOpen()) {
    return true;
  }
  session_.Ui().ShowMessage(session_.Messages().str020, MessageStyle::kDialog);
  return false;
}

void SettingsTransfer::SettleClick() {
  for (int step = 0; step < kClickSettleSteps; ++step) {
    session_.Clock().SleepMs(kClickSettleMs);
    session_.Ui().PumpEvents();
  }
}

// Commands 1 and 3; kWritten here means "the image may be written now".
TransferOutcome SettingsTransfer::OpenExchange(bool requireFullAccess) {
  device::CommandChannel& channel = session_.Channel();
  if (!channel.SendCommand(device::command::kOpen)) {
    return TransferOutcome::kNoAnswer;
  }
  channel.ClearMemoryReady();
  if (!channel.SendCommand(device::command::kStatus)) {
    return TransferOutcome::kNoAnswer;
  }
  channel.TakeStatusReply();
  if (channel.Reply(device::status_reply::kReadyByte) != device::status_reply::kReady) {
    return TransferOutcome::kNoAnswer;
  }
  const bool allowed = channel.MemoryReady() &&
                       (!requireFullAccess || channel.ChipCode() == device::kChipCodeFullAccess);
  return allowed ? TransferOutcome::kWritten : TransferOutcome::kNotAllowed;
}

// The verified write of the raw image inside an open exchange.
TransferOutcome SettingsTransfer::WriteChecked() {
  lastWrite_ = device::WriteImageVerified(session_.Channel(), session_.Ui(), session_.Image().raw);
  if (lastWrite_.result != device::VerifiedWriteResult::kVerified) {
    return TransferOutcome::kWriteFailed;
  }
  session_.NoteMouseImage(session_.Image().raw);  // what the mouse now holds, verified
  return TransferOutcome::kWritten;
}

bool SettingsTransfer::BackUpFirst() {
  std::string error;
  if (session_.BackUpMouseImage(error)) {
    return true;
  }
  session_.Ui().ShowMessage(error, MessageStyle::kDialog);
  return false;
}

void SettingsTransfer::ShowWriteFailed(TransferOutcome outcome) {
  std::string text = session_.Messages().str109;
  // A write that failed part-way may have changed the mouse: say where the old settings are.
  if (outcome == TransferOutcome::kWriteFailed && !session_.LastBackup().empty()) {
    text += "\rThe settings the mouse held before are saved in " + session_.LastBackup();
  }
  session_.Ui().ShowMessage(text, MessageStyle::kDialog);
}

TransferOutcome SettingsTransfer::DownloadParameter() {
  if (!BackUpFirst()) {
    return TransferOutcome::kBackupFailed;
  }
  UiHost& ui = session_.Ui();
  CallHook(session_.Hooks().hideAllMenu);
  ui.SetDeviceTimerEnabled(false);
  ui.DisablePages();
  ui.ShowLoadingWindow();

  session_.Image().AssembleImage();
  CallHook(session_.Hooks().applyPointerSettings);

  TransferOutcome outcome = OpenExchange(false);
  if (outcome == TransferOutcome::kWritten) {
    outcome = WriteChecked();
  }
  // Command 1 was answered: the exchange is closed whatever failed after it.
  if (session_.Channel().ExchangeOpen()) {
    session_.CloseExchange();
  }

  ui.HideLoadingWindow();
  ui.SetDeviceTimerEnabled(true);
  ui.EnablePages();
  if (session_.MouseVanished()) {
    return TransferOutcome::kUnplugged;
  }
  // Every way the settings can miss the mouse is told, not only a failed
  // verification: the user must not believe an unwritten mouse was written.
  if (outcome != TransferOutcome::kWritten) {
    ShowWriteFailed(outcome);
  }
  return outcome;
}

TransferOutcome SettingsTransfer::Apply() {
  if (!RequireMouse()) {
    return TransferOutcome::kNoMouse;
  }
  SettleClick();
  const TransferOutcome outcome =
      DriverMode() ? driver_.DownloadDriverParameter() : DownloadParameter();
  if (outcome == TransferOutcome::kWritten) {
    session_.RememberPagesInStep();
  }
  return outcome;
}

TransferOutcome SettingsTransfer::Confirm() {
  if (!RequireMouse()) {
    return TransferOutcome::kNoMouse;
  }
  SettleClick();
  const TransferOutcome outcome =
      DriverMode() ? driver_.DownloadDriverParameter() : DownloadParameter();
  if (outcome == TransferOutcome::kWritten) {
    session_.RememberPagesInStep();
  }
  SettleClick();
  return outcome;
}

void SettingsTransfer::Read() {
  if (RequireMouse()) {
    session_.ReadDevInfo();
  }
}

TransferOutcome SettingsTransfer::Preset(int number) {
  if (number < 1 || number > static_cast<int>(kPresetFiles.size())) {
    return TransferOutcome::kBadFile;
  }
  if (!RequireMouse()) {
    return TransferOutcome::kNoMouse;
  }
  SettleClick();
  const auto index = static_cast<std::size_t>(number - 1);
  if (DriverMode()) {
    return driver_.TLDefaultDriverParameter(kDriverPresetFiles[index]);
  }
  return TLDefaultParameter(kPresetFiles[index], number - 1);
}

TransferOutcome SettingsTransfer::EngineerDefault() {
  if (!session_.Channel().IsOpen()) {
    return TransferOutcome::kNoMouse;  // silently
  }
  SettleClick();
  if (DriverMode()) {
    return driver_.TLDefaultDriverParameter(kDriverDefaultFile);
  }
  return TLDefaultParameter(kPresetFiles[0], 0);
}

TransferOutcome SettingsTransfer::TLDefaultParameter(const std::string& fileName,
                                                     int builtInImage) {
  if (!BackUpFirst()) {
    return TransferOutcome::kBackupFailed;
  }
  UiHost& ui = session_.Ui();
  CallHook(session_.Hooks().hideAllMenu);
  ui.SetDeviceTimerEnabled(false);
  ui.ShowLoadingWindow();

  const std::string path = session_.ConfiguredFolder() + fileName;
  std::error_code code;
  TransferOutcome outcome = TransferOutcome::kWritten;
  if (std::filesystem::is_regular_file(path, code)) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    // A short file would leave the previous image's tail in place and send it
    // to the mouse as if it belonged to the preset: refuse it instead.
    if (!ReadWholeFile(path, bytes, error) || bytes.size() < params::kImageSize) {
      outcome = TransferOutcome::kBadFile;
      lastFileError_ = error.empty() ? path + " holds " + std::to_string(bytes.size()) +
                                           " bytes; a preset holds 2048"
                                     : error;
    } else {
      std::copy_n(bytes.begin(), params::kImageSize, session_.Image().raw.begin());
    }
  } else {
    // No preset file: the matching built-in image.
    session_.Image().raw = session_.DefaultImages()[static_cast<std::size_t>(builtInImage)];
  }

  if (outcome == TransferOutcome::kWritten) {
    session_.Settings().keys.Clear();
    outcome = MemoToDataBuf_OnClick();
  }
  ui.HideLoadingWindow();
  ui.SetDeviceTimerEnabled(true);
  if (outcome == TransferOutcome::kBadFile) {
    ui.ShowMessage(session_.Messages().str102, MessageStyle::kDialog);
  }
  return outcome;
}

TransferOutcome SettingsTransfer::MemoToDataBuf_OnClick() {
  UiHost& ui = session_.Ui();
  session_.SplitAndShow();
  ui.SetDeviceTimerEnabled(false);
  ui.DisablePages();
  ui.ShowLoadingWindow();

  TransferOutcome outcome = OpenExchange(true);
  if (outcome == TransferOutcome::kWritten) {
    outcome = WriteChecked();  // the image as loaded, before any repair
  }
  if (session_.Channel().ExchangeOpen()) {
    session_.CloseExchange();
  }

  ui.HideLoadingWindow();
  ui.SetDeviceTimerEnabled(true);
  ui.EnablePages();
  if (session_.MouseVanished()) {
    return TransferOutcome::kUnplugged;
  }
  if (outcome != TransferOutcome::kWritten) {
    ShowWriteFailed(outcome);
  }
  // The pages show the loaded image; a mouse that refused it (or did not keep
  // it) still holds its own settings, so those are read and shown instead.
  if (outcome == TransferOutcome::kNotAllowed || outcome == TransferOutcome::kWriteFailed) {
    session_.ReadDevInfo();
  }
  return outcome;
}

TransferOutcome SettingsTransfer::SaveProfile(const std::string& path, std::string& error) {
  if (!RequireMouse()) {
    error = session_.Messages().str020;
    return TransferOutcome::kNoMouse;
  }
  if (DriverMode()) {
    return driver_.SaveProfile(path, error);
  }
  session_.ReadDevInfo();
  if (session_.LastOutcome() == ConnectionOutcome::kUnplugged) {
    error = session_.Messages().DeviceLostText();
    return TransferOutcome::kUnplugged;
  }
  // Saving is of what the mouse holds: without a fresh read there is nothing to save.
  if (session_.LastOutcome() != ConnectionOutcome::kRead) {
    error = "the mouse could not be read, so no profile was saved";
    return TransferOutcome::kReadFailed;
  }
  const std::string target = path.ends_with(".bin") ? path : path + ".bin";
  if (!WriteFileAtomically(target, session_.Image().raw, error)) {
    return TransferOutcome::kBadFile;
  }
  return TransferOutcome::kSaved;
}

TransferOutcome SettingsTransfer::LoadProfile(const std::string& path, std::string& error) {
  if (!RequireMouse()) {
    error = session_.Messages().str020;
    return TransferOutcome::kNoMouse;
  }
  if (DriverMode()) {
    return driver_.LoadProfile(path, error);
  }
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, error)) {
    session_.Ui().ShowMessage(session_.Messages().str102, MessageStyle::kDialog);
    return TransferOutcome::kBadFile;
  }
  if (bytes.size() < params::kImageSize) {
    error = path + " holds " + std::to_string(bytes.size()) +
            " bytes; a profile holds 2048, so it was not loaded";
    session_.Ui().ShowMessage(session_.Messages().str102, MessageStyle::kDialog);
    return TransferOutcome::kBadFile;
  }
  if (!BackUpFirst()) {
    return TransferOutcome::kBackupFailed;
  }
  std::copy_n(bytes.begin(), params::kImageSize, session_.Image().raw.begin());
  return MemoToDataBuf_OnClick();
}

}  // namespace orbic::app
