#pragma once

#include "device/CommandChannel.h"

namespace orbic::device {

// Every exchange that command 1 opened is closed with command 2, also when a
// step inside it failed, so the mouse is never left inside one. Exchanges with
// the parameter memory send command 8 just before. Paths that close the
// exchange themselves leave nothing for this to do.
class ExchangeCloser {
 public:
  enum class Kind { kCommands, kMemory };

  ExchangeCloser(CommandChannel& channel, Kind kind) : channel_(channel), kind_(kind) {}
  ~ExchangeCloser() {
    if (!channel_.ExchangeOpen()) {
      return;
    }
    if (kind_ == Kind::kMemory) {
      channel_.SystemReloadCmd_OnClick();
    }
    channel_.SendCommand(command::kClose);
  }
  ExchangeCloser(const ExchangeCloser&) = delete;
  ExchangeCloser& operator=(const ExchangeCloser&) = delete;

 private:
  CommandChannel& channel_;
  Kind kind_;
};

}  // namespace orbic::device
