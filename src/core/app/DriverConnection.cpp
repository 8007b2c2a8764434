#include "app/DriverConnection.h"

#include <algorithm>

#include "app/Session.h"
#include "base/Hook.h"
#include "base/UiHost.h"
#include "device/CommandChannel.h"
#include "device/ExchangeCloser.h"
#include "keys/KeyCode.h"
#include "keys/MacroReferences.h"

namespace orbic::app {

namespace {

// Where no filter driver can exist (no port given): nothing is listed, so the
// driver is never found and every exchange fails without effect.
class NoDriverPort final : public device::DriverPort {
 public:
  std::vector<std::string> EnumerateInterfaces(std::string_view) override { return {}; }
  device::DriverHandle Open(const std::string&) override { return device::kInvalidDriverHandle; }
  void Close(device::DriverHandle) override {}
  bool DeviceIoControl(device::DriverHandle, std::uint32_t, std::span<const std::uint8_t>,
                       std::span<std::uint8_t>) override {
    return false;
  }
};

// The section bytes as the driver gave them, at their image offsets.
template <std::size_t N>
void PlaceInImage(params::Image& raw, const params::Section& section,
                  const std::array<std::uint8_t, N>& bytes) {
  std::copy_n(bytes.begin(), std::min(section.length, N), raw.begin() + section.offset);
}

}  // namespace

DriverConnection::DriverConnection(Session& session)
    : session_(session),
      nullPort_(std::make_unique<NoDriverPort>()),
      channel_(std::make_unique<device::DriverChannel>(*nullPort_)) {}

DriverConnection::~DriverConnection() = default;

void DriverConnection::SetDriverPort(device::DriverPort& port) {
  channel_ = std::make_unique<device::DriverChannel>(port);
}

bool DriverConnection::SendLiveStateToMouse(const device::LiveState& bytes,
                                            std::span<const std::uint8_t> openReplies) {
  device::CommandChannel& mouse = session_.Channel();
  // Every return below still closes the exchange command 1 opened.
  device::ExchangeCloser closer(mouse, device::ExchangeCloser::Kind::kCommands);
  if (!mouse.SendCommand(device::command::kOpen)) {
    return false;
  }
  if (std::find(openReplies.begin(), openReplies.end(), mouse.Reply(1)) == openReplies.end()) {
    return false;
  }
  if (!mouse.SendCommand(device::command::kStatus) ||
      mouse.Reply(device::status_reply::kReadyByte) != device::status_reply::kReady) {
    return false;
  }
  bool sent = false;
  if (mouse.SendCommand(device::command::kStatus, device::command::kDriverStatusArg1,
                        device::command::kDriverStatusArg2)) {
    sent = mouse.SendCommand(device::command::kLiveState, bytes[0], bytes[1], bytes[2], bytes[3]);
  }
  mouse.SendCommand(device::command::kClose);
  return sent;
}

ConnectionOutcome DriverConnection::StartDriverConnection() {
  SettingsModel& settings = session_.Settings();
  UiHost& ui = session_.Ui();
  device::CommandChannel& mouse = session_.Channel();
  settings.driverSlots.Clear();

  // The early returns below close the exchange command 1 opened; the normal
  // path closes it itself before the driver is opened.
  device::ExchangeCloser closer(mouse, device::ExchangeCloser::Kind::kCommands);
  if (!mouse.SendCommand(device::command::kOpen)) {
    return ConnectionOutcome::kNoAnswer;
  }
  if (mouse.Reply(1) != kDriverOpenReply) {
    session_.ShowConnectionMessage(session_.Messages().str020);
    return ConnectionOutcome::kDriverRefused;
  }
  if (!mouse.SendCommand(device::command::kStatus)) {
    return ConnectionOutcome::kNoAnswer;
  }
  if (mouse.Reply(device::status_reply::kReadyByte) != device::status_reply::kReady) {
    return ConnectionOutcome::kNotReady;
  }
  if (!mouse.SendCommand(device::command::kStatus, device::command::kDriverStatusArg1,
                         device::command::kDriverStatusArg2)) {
    return ConnectionOutcome::kNoAnswer;
  }
  if ((mouse.Reply(device::status_reply::kFlagsByte) & device::status_reply::kAcceptsDriverBit) ==
      0) {
    session_.ShowConnectionMessage(session_.Messages().str020);
    return ConnectionOutcome::kDriverRefused;
  }
  // The lighting page of the LED hardware the mouse reports.
  settings.lighting.SetLedTypeFromMouse(mouse.Reply(device::status_reply::kLedTypeByte));
  session_.lightingTypeName_ = settings.lighting.LedTypeName();
  if (!mouse.SendCommand(device::command::kClose)) {
    return ConnectionOutcome::kNoAnswer;
  }

  ui.SetDeviceTimerEnabled(false);
  ui.DisablePages();
  CallHook(session_.Hooks().refreshPcMacroNames);
  session_.noDeviceState_ = false;

  ConnectionOutcome outcome = ConnectionOutcome::kDriverNotFound;
  if (channel_->OpenDriverChannel(mouse)) {
    ReadDriverState();
    outcome = ConnectionOutcome::kDriverConnected;
  } else {
    session_.ShowConnectionMessage(session_.Messages().str020);
  }
  ui.HideLoadingWindow();
  ui.PumpEvents();
  return outcome;
}

void DriverConnection::ReadDriverState() {
  SettingsModel& settings = session_.Settings();
  params::ParameterImage& image = session_.Image();
  params::DataBuf& data = image.data;
  UiHost& ui = session_.Ui();

  channel_->ReadLiveState(live_);
  ui.ShowLoadingWindow();
  CallHook(session_.Hooks().refreshPcMacroNames);
  channel_->ReadLiveState(live_);
  // A failed read leaves zeros, which the checks below replace with defaults.
  channel_->ReadParameterA(data.parameterA);
  channel_->ReadParameterB(data.parameterB);
  channel_->ReadProfile(data.profile);
  channel_->ReadFireKeySection(data.fireKey);
  ui.HideLoadingWindow();

  // The image shows the sections as the driver gave them, before any repair;
  // nothing else of it comes from the driver.
  image.raw.fill(0);
  PlaceInImage(image.raw, params::layout::kParameterA, data.parameterA);
  PlaceInImage(image.raw, params::layout::kParameterB, data.parameterB);
  PlaceInImage(image.raw, params::layout::kProfile, data.profile);
  PlaceInImage(image.raw, params::layout::kFireKey, data.fireKey);
  // The driver keeps the Fire Key section without a checksum, so only the
  // checked sections are repaired.
  params::SplitReport report;
  report.parameterARepaired = params::CheckParameterASection(data);
  report.parameterBRepaired = params::CheckParameterBSection(data);
  report.profileRepaired = params::CheckProfileSection(data);
  session_.lastSplit_ = report;

  // Codes, fire-key, DPI and lighting pages, and the page of the stored key mode.
  settings.DataBufToUI(data);
  // Continuous fire gives the Fire Key reference type 0x0E in the driver; the
  // buttons show it as the one Fire Key code.
  const std::string continuousFireKey =
      keys::CodeString(keys::MacroReference(true, keys::kFireKeyAddress));
  const std::string fireKey = keys::CodeString(keys::kFireKeyCode);
  std::vector<std::string> codes;
  for (int mode = 1; mode <= keys::kKeyModes; ++mode) {
    for (int button = 1; button <= keys::kButtons; ++button) {
      if (settings.keys.Code(mode, button) == continuousFireKey) {
        settings.keys.Assign(mode, button, fireKey, data);
      }
      codes.push_back(settings.keys.Code(mode, button));
    }
  }
  settings.driverSlots.ReadFromDriver(*channel_, codes);
  // The labels of macro buttons name the copies just read.
  settings.keys.RefreshLabels();
  session_.RememberPagesInStep();

  session_.DeviceReady();
  ui.SetDeviceTimerEnabled(true);
}

}  // namespace orbic::app
