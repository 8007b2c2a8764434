#include "platform/SteadyClock.h"

#include <chrono>
#include <thread>

namespace orbic::platform {

std::uint64_t SteadyClock::NowMs() {
  const auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count());
}

void SteadyClock::SleepMs(std::uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace orbic::platform
