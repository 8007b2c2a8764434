#include "app/RawMacroImport.h"

#include <algorithm>
#include <vector>

#include "app/Session.h"
#include "base/AtomicFile.h"
#include "base/Hook.h"
#include "base/UiHost.h"
#include "device/CommandChannel.h"

namespace orbic::app {
TransferOutcome RawMacroImport::Btn_ImportBaseMacroClick(const std::string& path,
                                                         std::string& error) {
  return Import(path, true, error);
}

TransferOutcome RawMacroImport::Btn_ImportGunMacroClick(const std::string& path,
                                                        std::string& error) {
  return Import(path, false, error);
}

TransferOutcome RawMacroImport::Import(const std::string& path, bool baseMacros,
                                       std::string& error) {
  UiHost& ui = session_.Ui();
  params::ParameterImage& image = session_.Image();
  SettingsModel& settings = session_.Settings();
  CallHook(session_.Hooks().hideAllMenu);
  settings.assignment.HideAllMenu();

  const params::Section area =
      baseMacros ? params::layout::kBaseMacroArea : params::layout::kFireMacroTable;
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, error)) {
    ui.ShowMessage(session_.Messages().str102, MessageStyle::kDialog);
    return TransferOutcome::kBadFile;
  }
  // Half an import would send the old image's bytes to the mouse as if they
  // were the file's: a short file changes nothing.
  if (bytes.size() < area.length) {
    error = path + " holds " + std::to_string(bytes.size()) + " bytes; " +
            (baseMacros ? "a base macro file" : "a gun macro file") + " needs " +
            std::to_string(area.length) + ", so nothing was imported";
    ui.ShowMessage(session_.Messages().str103, MessageStyle::kDialog);
    return TransferOutcome::kBadFile;
  }
  bytes.resize(area.length);
  if (session_.Channel().IsOpen() && !session_.BackUpMouseImage(error)) {
    ui.ShowMessage(error, MessageStyle::kDialog);
    return TransferOutcome::kBackupFailed;
  }

  ui.SetDeviceTimerEnabled(false);
  std::ranges::copy(bytes, image.raw.begin() + static_cast<std::ptrdiff_t>(area.offset));
  if (baseMacros) {
    std::ranges::copy(bytes, image.data.baseMacroArea.begin());
    settings.macroSlots.ReadAndRefreshMacro(image.data);
  } else {
    std::ranges::copy(bytes, image.data.fireMacroTable.begin());
    // The fire macro editor writes its copy back before every write of the
    // area; left stale, it would put the old fire macros back at the next apply.
    if (image.hooks.splitFireMacros) {
      image.hooks.splitFireMacros(image.data);
    }
  }
  settings.keys.RefreshLabels();
  ui.ModelsChanged();

  const TransferOutcome outcome = session_.Channel().IsOpen()
                                      ? WriteArea(static_cast<std::uint16_t>(area.offset), bytes)
                                      : TransferOutcome::kNoMouse;
  ui.SetDeviceTimerEnabled(true);
  return outcome;
}

// A lost chunk is found by reading the area back, not taken as written.
bool RawMacroImport::WrittenAndReadBack(std::uint16_t address,
                                        std::span<const std::uint8_t> bytes) {
  device::CommandChannel& channel = session_.Channel();
  if (!channel.WriteMemory(address, bytes) || channel.FailedChunks() != 0) {
    return false;
  }
  std::vector<std::uint8_t> back(bytes.size());
  if (!channel.ReadMemory(address, back, true) || channel.FailedChunks() != 0) {
    return false;
  }
  return std::ranges::equal(back, bytes);
}

// Commands 1 and 3, then the write when the mouse allows it, then commands 8
// and 2; the mouse is left alone when it does not answer or is not ready.
TransferOutcome RawMacroImport::WriteArea(std::uint16_t address,
                                          std::span<const std::uint8_t> bytes) {
  UiHost& ui = session_.Ui();
  device::CommandChannel& channel = session_.Channel();
  ui.DisablePages();
  ui.ShowLoadingWindow();

  TransferOutcome outcome = TransferOutcome::kNoAnswer;
  if (channel.SendCommand(device::command::kOpen)) {
    channel.ClearMemoryReady();
    if (channel.SendCommand(device::command::kStatus)) {
      channel.TakeStatusReply();
      if (channel.Reply(device::status_reply::kReadyByte) == device::status_reply::kReady) {
        outcome = TransferOutcome::kNotAllowed;
        if (channel.MemoryReady() && channel.ChipCode() == device::kChipCodeFullAccess) {
          outcome = WrittenAndReadBack(address, bytes) ? TransferOutcome::kWritten
                                                       : TransferOutcome::kWriteFailed;
          if (outcome == TransferOutcome::kWritten && session_.MouseImage()) {
            // Written and read back: the next backup holds the imported area too.
            params::Image held = *session_.MouseImage();
            std::ranges::copy(bytes, held.begin() + address);
            session_.NoteMouseImage(held);
          }
        }
      }
    }
  }
  // Command 1 was answered: the exchange is closed whatever failed after it.
  if (channel.ExchangeOpen()) {
    session_.CloseExchange();
  }

  ui.HideLoadingWindow();
  ui.EnablePages();
  if (session_.MouseVanished()) {
    return TransferOutcome::kUnplugged;
  }
  return outcome;
}

}  // namespace orbic::app
