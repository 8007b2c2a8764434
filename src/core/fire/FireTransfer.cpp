#include "fire/FireTransfer.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "base/UiHost.h"
#include "device/CommandChannel.h"

namespace orbic::fire {
namespace {

struct Area {
  params::Section section;
  std::span<const std::uint8_t> bytes;
};

// Order matters to the mouse: the tables first, the macros they point at last.
std::array<Area, 4> Areas(const params::DataBuf& data) {
  return {{
      {params::layout::kFireKeyTable, data.fireKeyTable},
      {params::layout::kFireYOffsetTable, data.fireYOffsetTable},
      {params::layout::kFireColourTable, data.fireColourTable},
      {params::layout::kFireMacroTable, data.fireMacroTable},
  }};
}

bool WriteAndVerify(device::CommandChannel& channel, const Area& area) {
  const auto address = static_cast<std::uint16_t>(area.section.offset);
  if (!channel.WriteMemory(address, area.bytes) || channel.FailedChunks() != 0) {
    return false;
  }
  std::vector<std::uint8_t> readBack(area.bytes.size(), 0xFF);
  if (!channel.ReadMemory(address, readBack, true) || channel.FailedChunks() != 0) {
    return false;
  }
  return std::equal(readBack.begin(), readBack.end(), area.bytes.begin());
}

FireTransferOutcome Exchange(device::CommandChannel& channel, const params::DataBuf& data) {
  if (!channel.SendCommand(device::command::kOpen)) {
    return FireTransferOutcome::kNoAnswer;
  }
  channel.ClearMemoryReady();
  bool ready = channel.SendCommand(device::command::kStatus);
  if (ready) {
    channel.TakeStatusReply();
    ready = channel.Reply(device::status_reply::kReadyByte) == device::status_reply::kReady;
  }
  FireTransferOutcome outcome = FireTransferOutcome::kNoAnswer;
  if (ready) {
    outcome = FireTransferOutcome::kNotAllowed;
    if (channel.MemoryReady() && channel.ChipCode() == device::kChipCodeFullAccess) {
      outcome = FireTransferOutcome::kWritten;
      for (const Area& area : Areas(data)) {
        if (!WriteAndVerify(channel, area)) {
          outcome = FireTransferOutcome::kWriteFailed;
          break;
        }
      }
    }
  }
  // The exchange was opened, so it is closed whatever happened inside it.
  channel.SystemReloadCmd_OnClick();
  channel.SendCommand(device::command::kClose);
  return outcome;
}

}  // namespace

FireTransferOutcome TransferFireData(device::CommandChannel& channel, UiHost& ui,
                                     const params::DataBuf& data) {
  if (!channel.IsOpen()) {
    return FireTransferOutcome::kNoMouse;
  }
  ui.SetDeviceTimerEnabled(false);
  ui.ShowLoadingWindow();
  const FireTransferOutcome outcome = Exchange(channel, data);
  ui.HideLoadingWindow();
  ui.SetDeviceTimerEnabled(true);
  return outcome;
}

}  // namespace orbic::fire
