#include "platform/HotplugWait.h"

#include <chrono>

#ifdef _WIN32
#include <thread>
#else
#include <poll.h>
#endif

#include "platform/NativeServices.h"

namespace orbic::platform {

HotplugWait::HotplugWait(bool listen) : monitor_(listen ? NativeHotplugMonitor() : nullptr) {}

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
    pollfd wait{monitor_ ? monitor_->Fd() : -1, POLLIN, 0};
    const int ready = ::poll(&wait, monitor_ ? 1 : 0, static_cast<int>(left));
    if (ready > 0 && monitor_->TakeEvents()) {
      return;
    }
#endif
  }
}

}  // namespace orbic::platform
