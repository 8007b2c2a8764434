#pragma once

#include <string>

#include "app/DriverTransfer.h"
#include "device/VerifiedWrite.h"

namespace orbic::app {

class Session;

// How a write-back or a load ended, for callers that report it (the
// command-line tool); the window has already been told what the user sees.
enum class TransferOutcome {
  kNoMouse,      // "Finding the specified device"
  kNoAnswer,     // command 1 or 3 failed, or the mouse was not ready
  kNotAllowed,   // MemoryReady clear (or ChipCode not 0x98 where it is required)
  kWriteFailed,  // the image was not written and verified: "Fail"
  kWritten,      // written and verified
  kBadFile,      // a profile or preset file that cannot be used
  kReadFailed,   // the re-read before a save did not read the mouse
  kSaved,
  kMissingFile,   // driver mode: the preset file does not exist, nothing was changed
  kUnplugged,     // the mouse vanished during the transfer: the no-device state is shown
  kBackupFailed,  // the mouse's settings could not be backed up: nothing was written
};

// "Confirm", "Apply", "Read", the presets, the engineer default and the
// profile files. In driver mode each hands over to the driver variant.
class SettingsTransfer {
 public:
  explicit SettingsTransfer(Session& session) : session_(session), driver_(session) {}

  TransferOutcome Apply();             // Btn_Apply_*, btn_Write
  TransferOutcome Confirm();           // Btn_Confirm_*: apply; the window then closes
  void Read();                         // Btn_Read_*
  TransferOutcome Preset(int number);  // Btn_Confirm1_* .. Btn_Confirm3_*: 1..3
  TransferOutcome EngineerDefault();   // Btn_Default
  // Save Profile: the mouse is read again and its image is written to `path`
  // (".bin" appended when missing), atomically. Driver mode: the driver's
  // profile memory with the live state.
  TransferOutcome SaveProfile(const std::string& path, std::string& error);
  // Load Profile: the first 2048 bytes of `path` become the image and are
  // written. Driver mode: up to 102400 bytes into the driver's memory.
  TransferOutcome LoadProfile(const std::string& path, std::string& error);

  TransferOutcome DownloadParameter();
  TransferOutcome TLDefaultParameter(const std::string& fileName, int builtInImage);
  TransferOutcome MemoToDataBuf_OnClick();

  const device::VerifiedWriteReport& LastWrite() const { return lastWrite_; }
  // Why the last preset file could not be used ("BIN file type error" is all the window says).
  const std::string& LastFileError() const { return lastFileError_; }

 private:
  bool DriverMode() const;
  bool RequireMouse();
  void SettleClick();
  TransferOutcome WriteChecked();
  // The backup before a write; shows why and returns false when it failed.
  bool BackUpFirst();
  // "Fail", and where the settings the mouse held before are kept.
  void ShowWriteFailed(TransferOutcome outcome);
  TransferOutcome OpenExchange(bool requireFullAccess);

  Session& session_;
  DriverTransfer driver_;
  device::VerifiedWriteReport lastWrite_;
  std::string lastFileError_;
};

}  // namespace orbic::app
