#pragma once

#include <csignal>
#include <memory>

#include "platform/HotplugMonitor.h"

namespace orbic::platform {

// The wait between two device-timer ticks of a headless program: the whole interval, or less
// when the system says that a HID device came or went (udev on Linux; on Windows the timer's
// own polling finds every change, as the desktop program's does).
class HotplugWait {
 public:
  // `listen` false: never cut a wait short.
  explicit HotplugWait(bool listen);
  ~HotplugWait();
  HotplugWait(const HotplugWait&) = delete;
  HotplugWait& operator=(const HotplugWait&) = delete;

  // Waits up to `milliseconds`; returns early when a device came or went, or once `stop` is set.
  void Wait(int milliseconds, const volatile std::sig_atomic_t& stop);

 private:
  std::unique_ptr<HotplugMonitor> monitor_;  // null: the whole interval every time
};

}  // namespace orbic::platform
