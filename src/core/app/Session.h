#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/Backups.h"
#include "app/DeviceOperation.h"
#include "app/DriverConnection.h"
#include "app/PageState.h"
#include "app/SettingsModel.h"
#include "device/CommandChannel.h"
#include "device/DeviceMonitor.h"
#include "fire/FirePage.h"
#include "fire/GunKeyStore.h"
#include "macros/MacroStore.h"
#include "params/ParameterImage.h"
#include "ui/BehaviourConfig.h"
#include "ui/MessageStrings.h"

namespace orbic::app {

// How the last connection start ended; the window shows messages itself,
// the command-line tool turns this into an exit status.
enum class ConnectionOutcome {
  kNone,
  kNoMouse,                 // no matching interface: "Please Connect the USB Device"
  kNoAnswer,                // command 1 or 3 failed: nothing shown
  kNotReady,                // command-3 byte 1 was not 0xAA: nothing shown
  kMemoryNotReady,          // Str020, handle forgotten
  kIdentificationMismatch,  // Str107
  kReadIncomplete,          // the image read lost chunks: not taken as the mouse's
  kNoPermission,            // the mouse is there, but this user may not open it
  kUnplugged,               // the mouse vanished during the connection start
  kRead,                    // image read, split and shown
  kDriverMode,              // handed to the driver connection start
  kDriverRefused,           // driver mode: command 1 not 0xA6 or the connection refused: Str020
  kDriverNotFound,          // driver mode: no filter driver with the mouse's id: Str020
  kDriverConnected,         // driver mode: sections and macros read from the driver, shown
};

// Where the subsystems that come with later features plug into the
// connection start and the no-device state. Each is optional.
struct SessionHooks {
  std::function<void()> refreshPcMacroNames;     // before the image read
  std::function<void()> refreshPointerSettings;  // pointer settings -> page model
  std::function<void()> clearMacroViews;         // macro name list, macro list, both texts
  std::function<void()> clearDeviceLostLists;    // macro list and fire macro lists
  std::function<void()> hideAllMenu;
  // Driver mode instead of the image read; the session's own driver connection
  // start unless replaced.
  std::function<void()> startDriverConnection;
  std::function<void()> applyPointerSettings;  // before every write-back
};

// The program's state around the mouse: the channel, hot-plug, the parameter
// image and the no-device state. One per window (or per command-line run).
class Session : public device::ConnectionEvents {
 public:
  Session(device::HidBackend& backend, orbic::Clock& clock, UiHost& ui, ui::BehaviourConfig config);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  orbic::Clock& Clock() { return clock_; }
  UiHost& Ui() { return ui_; }
  // The program's own folder, with a trailing separator; preset files and the
  // macro files are looked for there when the configuration's Path is empty.
  const std::string& ProgramFolder() const { return programFolder_; }
  void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
  // Path when set, else the program folder; file names are appended unchanged.
  std::string ConfiguredFolder() const;

  device::CommandChannel& Channel() { return channel_; }
  // Whether a device operation runs; every device action asks it first.
  DeviceOperation& Operation() { return operation_; }
  device::DeviceMonitor& Monitor() { return monitor_; }
  params::ParameterImage& Image() { return image_; }
  SettingsModel& Settings() { return settings_; }
  const params::ParameterImage& Image() const { return image_; }
  const std::array<params::Image, 3>& DefaultImages() const { return defaultImages_; }
  const ui::BehaviourConfig& Config() const { return config_; }
  ui::MessageStrings& Messages() { return messages_; }
  PageState& Pages() { return pages_; }
  SessionHooks& Hooks() { return hooks_; }
  // The fire macro page over the settings' fire macros.
  fire::FirePage& FirePage() { return *firePage_; }

  // The engineer's gun-key list file (see GunKeyStore).
  bool LoadGunKeys(const macros::MacroFolderSettings& folders, std::string& error) {
    return gunKeyStore_.Load(folders, error);
  }
  const std::string& GunKeyFolder() const { return gunKeyStore_.Folder(); }
  bool AddGunKey(int first, int last, std::string& error) {
    return gunKeyStore_.Add(first, last, error);
  }
  bool DeleteGunKey(int k, std::string& error) { return gunKeyStore_.Delete(k, error); }

  // Driver mode: the filter driver, the live state and the driver connection start.
  DriverConnection& Driver() { return *driver_; }
  void SetDriverPort(device::DriverPort& port) { driver_->SetDriverPort(port); }

  bool NoDeviceState() const { return noDeviceState_; }
  ConnectionOutcome LastOutcome() const { return lastOutcome_; }
  const params::SplitReport& LastSplit() const { return lastSplit_; }
  // The identification bytes read at the last connection start, shown in
  // edt_VendorID_Rd / edt_ProductID_Rd.
  std::array<int, 2> ReadIdentification() const { return readIdentification_; }
  const std::string& LightingTypeName() const { return lightingTypeName_; }

  // Backups before writes to the mouse's memory. Without a folder writes go
  // without one (the command line's --no-backup); the window and the tool set it.
  void SetBackupFolder(std::optional<BackupFolder> folder) { backups_ = std::move(folder); }
  const BackupFolder* Backups() const { return backups_ ? &*backups_ : nullptr; }
  // The image last read from or written to the mouse in this connection.
  const std::optional<params::Image>& MouseImage() const { return mouseImage_; }
  void NoteMouseImage(const params::Image& image) { mouseImage_ = image; }
  // Saves MouseImage() into the backup folder before a write. False with
  // `error` (naming the folder) when it could not be saved: the write must not
  // go ahead then. True without a folder.
  bool BackUpMouseImage(std::string& error);
  // The backup the last write was preceded by ("" when none was made).
  const std::string& LastBackup() const { return lastBackup_; }

  // Connection start after the mouse was opened.
  void ReadDevInfo() override;
  // The initial read of the whole image, inside the exchange ReadDevInfo opened.
  void Btn_Read();
  void RefreshErrorAP();
  void InitNoDevice();
  void DeviceLost() override;
  void DeviceNotAccessible(const std::string& path) override;
  void DeviceReady();
  // After an operation on the mouse: when its handle died under it (the mouse
  // was pulled out), the handle is closed, the no-device state shown with the
  // connect message, and the mouse looked for again. True when that happened.
  bool MouseVanished();

  // Opens the mouse at once (no settling wait, no counting) and runs the
  // connection start: the command-line tool's way in.
  ConnectionOutcome ConnectNow();

  // SplitImage, then the working copies shown on the pages.
  void SplitAndShow();

  // Whether the pages hold edits the mouse has not taken: the image an Apply
  // would write differs from the one the pages showed when they were last in
  // step with the mouse (read, loaded or written).
  bool PendingEdits();
  // The pages are in step with the mouse now (after a verified write).
  void RememberPagesInStep();

  // Commands 8 and 2: the close of every parameter-memory exchange.
  void CloseExchange();

 private:
  // The driver connection start leaves the no-device state and sets the
  // lighting type as the memory-mode read does.
  friend class DriverConnection;

  void ShowConnectionMessage(const std::string& text);
  void ForgetMouse();
  // A connection read that lost chunks: said, and tried again on a later tick.
  void ConnectionReadFailed();
  // The image an Apply would write, without touching the image or its copies.
  params::Image AssembledNow();

  device::HidBackend& backend_;
  orbic::Clock& clock_;
  UiHost& ui_;
  std::string programFolder_;
  ui::BehaviourConfig config_;
  device::CommandChannel channel_;
  DeviceOperation operation_;
  device::DeviceMonitor monitor_;
  ui::MessageStrings messages_;
  params::ParameterImage image_;
  SettingsModel settings_;
  std::array<params::Image, 3> defaultImages_{};
  std::array<std::uint8_t, 2> defaultIdentification_{};
  PageState pages_;
  SessionHooks hooks_;
  bool noDeviceState_ = false;
  ConnectionOutcome lastOutcome_ = ConnectionOutcome::kNone;
  params::SplitReport lastSplit_;
  std::array<int, 2> readIdentification_{};
  std::string lightingTypeName_;
  std::optional<params::Image> pagesInStep_;
  std::unique_ptr<DriverConnection> driver_;
  std::unique_ptr<fire::FirePage> firePage_;
  std::optional<BackupFolder> backups_;
  std::optional<params::Image> mouseImage_;
  std::string lastBackup_;
  fire::GunKeyStore gunKeyStore_{settings_.gunKeys};
};

}  // namespace orbic::app
