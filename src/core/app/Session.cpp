#include "app/Session.h"

#include <algorithm>

#include "app/Navigation.h"
#include "base/Hook.h"
#include "base/UiHost.h"
#include "device/ExchangeCloser.h"
#include "params/DefaultImages.h"

namespace orbic::app {

Session::Session(device::HidBackend& backend, orbic::Clock& clock, UiHost& ui,
                 ui::BehaviourConfig config)
    : backend_(backend),
      clock_(clock),
      ui_(ui),
      config_(std::move(config)),
      channel_(backend, clock, ui),
      monitor_(backend, channel_, clock, ui, *this),
      settings_(config_, image_.data, ui, messages_),
      defaultImages_(params::LoadDefaultImages()),
      driver_(std::make_unique<DriverConnection>(*this)) {
  settings_.BindTo(image_);
  firePage_ = std::make_unique<fire::FirePage>(settings_.fireMacros, image_.data, settings_.options,
                                               settings_.keys, config_, messages_, ui_, clock_);
  hooks_.startDriverConnection = [this] { lastOutcome_ = driver_->StartDriverConnection(); };
  defaultIdentification_ = {defaultImages_[0][params::layout::kIdentificationAddress],
                            defaultImages_[0][params::layout::kIdentificationAddress + 1]};
}

std::string Session::ConfiguredFolder() const {
  return config_.path.empty() ? programFolder_ : config_.path;
}

void Session::SplitAndShow() {
  lastSplit_ = image_.SplitImage();
  settings_.DataBufToUI(image_.data);
  RememberPagesInStep();
  ui_.ModelsChanged();
}

params::Image Session::AssembledNow() {
  // The assembly writes into the working copies and the raw image (and the aim
  // value into the key tables of the copies): both are put back afterwards.
  const params::Image raw = image_.raw;
  const params::DataBuf data = image_.data;
  image_.AssembleImage();
  const params::Image assembled = image_.raw;
  image_.raw = raw;
  image_.data = data;
  return assembled;
}

void Session::RememberPagesInStep() {
  pagesInStep_ = AssembledNow();
}

bool Session::PendingEdits() {
  return pagesInStep_.has_value() && AssembledNow() != *pagesInStep_;
}

void Session::CloseExchange() {
  channel_.SystemReloadCmd_OnClick();
  channel_.SendCommand(device::command::kClose);
}

// Connection messages are plain message boxes; OK re-enables the device timer.
void Session::ShowConnectionMessage(const std::string& text) {
  ui_.ShowMessage(text, MessageStyle::kMessageBox);
  ui_.SetDeviceTimerEnabled(true);
}

void Session::ForgetMouse() {
  mouseImage_.reset();
  device::ConnectedDevice& device = channel_.Device();
  if (device.handle != device::kInvalidHandle) {
    backend_.Close(device.handle);
  }
  device.handle = device::kInvalidHandle;
}

void Session::ReadDevInfo() {
  if (!config_.eepromMode) {
    lastOutcome_ = ConnectionOutcome::kDriverMode;
    CallHook(hooks_.startDriverConnection);
    return;
  }
  lastOutcome_ = ConnectionOutcome::kNoAnswer;
  // Every failure below still closes the exchange command 1 opened.
  device::ExchangeCloser closer(channel_, device::ExchangeCloser::Kind::kMemory);
  if (!channel_.SendCommand(device::command::kOpen)) {
    MouseVanished();
    return;
  }
  channel_.ClearMemoryReady();
  channel_.SetChipCode(0);
  if (!channel_.SendCommand(device::command::kStatus)) {
    MouseVanished();
    return;
  }
  channel_.TakeStatusReply();
  if (channel_.Reply(device::status_reply::kReadyByte) != device::status_reply::kReady) {
    lastOutcome_ = ConnectionOutcome::kNotReady;
    return;
  }

  if (!channel_.MemoryReady()) {
    CloseExchange();
    ForgetMouse();
    lastOutcome_ = ConnectionOutcome::kMemoryNotReady;
    ShowConnectionMessage(messages_.str020);
    return;
  }

  std::array<std::uint8_t, params::layout::kIdentificationLength> id{};
  // A failed read leaves 0xFF 0xFF, which is the default pair: it must not be
  // taken for the mouse's identification.
  if (!channel_.ReadMemory(params::layout::kIdentificationAddress, id, false) ||
      channel_.FailedChunks() > 0) {
    CloseExchange();
    if (!MouseVanished()) {
      ConnectionReadFailed();
    }
    return;
  }
  readIdentification_ = {id[0], id[1]};
  const bool defaultPair = id == defaultIdentification_;
  const bool reservePair = id[0] == config_.revManuId && id[1] == config_.revProId;
  if (defaultPair || reservePair) {
    Btn_Read();
    return;
  }
  ui_.SetDeviceTimerEnabled(false);
  CloseExchange();
  lastOutcome_ = ConnectionOutcome::kIdentificationMismatch;
  ShowConnectionMessage(messages_.str107);
}

void Session::Btn_Read() {
  ui_.SetDeviceTimerEnabled(false);
  ui_.DisablePages();
  ui_.ShowLoadingWindow();
  ui_.PumpEvents();
  CallHook(hooks_.refreshPcMacroNames);

  // Read into a scratch image: a read that lost chunks is not the mouse's
  // image, and taking it would show (and later write back) repaired defaults.
  params::Image scratch;
  const bool started = channel_.ReadMemory(0, scratch, true);
  if (!started || channel_.FailedChunks() > 0) {
    CloseExchange();
    ui_.HideLoadingWindow();
    ui_.PumpEvents();
    if (!MouseVanished()) {
      ConnectionReadFailed();
    }
    return;
  }
  image_.raw = scratch;
  mouseImage_ = scratch;
  lastSplit_ = image_.SplitImage();
  CloseExchange();

  settings_.DataBufToUI(image_.data);
  RememberPagesInStep();
  CallHook(hooks_.refreshPointerSettings);
  lastOutcome_ = ConnectionOutcome::kRead;
  DeviceReady();

  ui_.HideLoadingWindow();
  ui_.PumpEvents();
  ui_.SetDeviceTimerEnabled(true);
}

void Session::InitNoDevice() {
  defaultImages_ = params::LoadDefaultImages();
  image_.raw = defaultImages_[0];
  CallHook(hooks_.clearMacroViews);
  lastSplit_ = image_.SplitImage();
  settings_.DataBufToUI(image_.data);
  // No mouse: nothing to be out of step with.
  pagesInStep_.reset();
}

bool Session::BackUpMouseImage(std::string& error) {
  lastBackup_.clear();
  if (!backups_) {
    return true;
  }
  if (!mouseImage_) {
    error =
        "The mouse's settings were not read in this connection, so no backup could be made "
        "in " +
        backups_->Folder() + "; nothing was written.";
    return false;
  }
  std::string cause;
  lastBackup_ = backups_->Save(*mouseImage_, cause);
  if (lastBackup_.empty()) {
    error = "No backup of the mouse's settings could be saved in " + backups_->Folder() + " (" +
            cause + "); nothing was written.";
    return false;
  }
  return true;
}

void Session::RefreshErrorAP() {
  mouseImage_.reset();
  InitNoDevice();
  noDeviceState_ = true;
  pages_.visibleGroup = 1;
  SelectPageButton(pages_, PageButton::kMain);
  ui_.ModelsChanged();
}

void Session::DeviceLost() {
  CallHook(hooks_.hideAllMenu);
  RefreshErrorAP();
  CallHook(hooks_.clearDeviceLostLists);
  lightingTypeName_.clear();
  lastOutcome_ = ConnectionOutcome::kNoMouse;
  ui_.DisablePages();
  ui_.SetDeviceTimerEnabled(true);
  ui_.ShowMessage(messages_.DeviceLostText(), MessageStyle::kDialog);
}

void Session::ConnectionReadFailed() {
  ForgetMouse();
  monitor_.LookAgain();
  lastOutcome_ = ConnectionOutcome::kReadIncomplete;
  ui_.DisablePages();
  ShowConnectionMessage(messages_.readFailed);
}

void Session::DeviceNotAccessible(const std::string& path) {
  CallHook(hooks_.hideAllMenu);
  RefreshErrorAP();
  CallHook(hooks_.clearDeviceLostLists);
  lightingTypeName_.clear();
  lastOutcome_ = ConnectionOutcome::kNoPermission;
  ui_.DisablePages();
  ui_.SetDeviceTimerEnabled(true);
  ui_.ShowMessage(ui::MessageStrings::NotAccessibleText(path), MessageStyle::kDialog);
}

bool Session::MouseVanished() {
  if (!channel_.Gone()) {
    return false;
  }
  monitor_.MouseVanished();
  DeviceLost();
  lastOutcome_ = ConnectionOutcome::kUnplugged;
  return true;
}

void Session::DeviceReady() {
  pages_.visibleGroup = 1;
  noDeviceState_ = false;
  ui_.ModelsChanged();
  ui_.PumpEvents();
  ui_.EnablePages();
}

ConnectionOutcome Session::ConnectNow() {
  lastOutcome_ = ConnectionOutcome::kNone;
  monitor_.OpenFromDeviceTable(false);
  return lastOutcome_;
}

}  // namespace orbic::app
