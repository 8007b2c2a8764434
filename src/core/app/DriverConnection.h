#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "device/DriverChannel.h"

namespace orbic::app {

class Session;
enum class ConnectionOutcome;

// The live-state bytes as the mouse takes them with command 9.
namespace live_state {
inline constexpr std::size_t kDpiLevel = 0;  // current level index 0..6
inline constexpr std::uint8_t kSmoothingBit = 0x80;
inline constexpr std::size_t kLed = 1;  // bits 0-2 current LED mode number
inline constexpr std::uint8_t kLedModeMask = 0x07;
inline constexpr std::uint8_t kLedOffBit = 0x08;
inline constexpr std::size_t kCarried = 2;   // kept from the driver or a loaded profile
inline constexpr std::size_t kDpiValue = 3;  // DPI step index of the current level
}  // namespace live_state

// Command-1 answers that open a driver-mode exchange. Starting a connection
// and the apply need the driver answer; after a profile or default load the
// mouse may give either answer, and both are taken.
inline constexpr std::uint8_t kDriverOpenReply = 0xA6;
inline constexpr std::uint8_t kPlainOpenReply = 0xA5;
inline constexpr std::array<std::uint8_t, 1> kApplyOpenReplies{kDriverOpenReply};
inline constexpr std::array<std::uint8_t, 2> kLoadOpenReplies{kPlainOpenReply, kDriverOpenReply};

// Driver mode's side of the session: the channel to the filter driver, the
// live state, and the connection start that reads the driver's sections and
// macros instead of the mouse's memory.
class DriverConnection {
 public:
  explicit DriverConnection(Session& session);
  ~DriverConnection();
  DriverConnection(const DriverConnection&) = delete;
  DriverConnection& operator=(const DriverConnection&) = delete;

  // The filter driver's interfaces; until one is given, no driver is found.
  void SetDriverPort(device::DriverPort& port);

  device::DriverChannel& Channel() { return *channel_; }
  device::LiveState& Live() { return live_; }
  const device::LiveState& Live() const { return live_; }

  // Connection start in driver mode, after the mouse was opened.
  ConnectionOutcome StartDriverConnection();

  // Commands 1 and 3 (the command-1 answer one of `openReplies`, command 3
  // ready), command 3 with (0x5A, 0xD9), then command 9 with `bytes`, and
  // command 2. True when command 9 reached the mouse.
  bool SendLiveStateToMouse(const device::LiveState& bytes,
                            std::span<const std::uint8_t> openReplies);

 private:
  void ReadDriverState();

  Session& session_;
  std::unique_ptr<device::DriverPort> nullPort_;
  std::unique_ptr<device::DriverChannel> channel_;
  device::LiveState live_{};
};

}  // namespace orbic::app
