#include "platform/HotplugWait.h"

#include <chrono>

#ifdef _WIN32
#include <thread>
#else
#include <poll.h>

#include "platform/HidrawMonitor.h"
#endif

namespace orbic::platform {

#ifdef _WIN32
struct HotplugWait::Listener {};
#else
struct HotplugWait::Listener {
  HidrawMonitor monitor;
};
#endif

HotplugWait::HotplugWait(bool listen) {
#ifndef _WIN32
  if (listen) {
    listener_ = std::make_unique<Listener>();
    if (!listener_->monitor.Active()) {
      listener_.reset();
    }
  }
#else
  (void)listen;
#endif
}

HotplugWait::~HotplugWait() = default;

void HotplugWait::Wait(int milliseconds, const volatile std::sig_atomic_t& stop) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (stop == 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) {
      return;
    }
#ifdef _WIN32
    // Short steps, so a stop request is seen soon.
    std::this_thread::sleep_for(std::chrono::milliseconds(left < 100 ? left : 100));
#else
    pollfd wait{listener_ ? listener_->monitor.Fd() : -1, POLLIN, 0};
    const int ready = ::poll(&wait, listener_ ? 1 : 0, static_cast<int>(left));
    if (ready > 0 && listener_->monitor.TakeEvents()) {
      return;
    }
#endif
  }
}

}  // namespace orbic::platform
