#pragma once

#include <cstdint>

#include "base/Clock.h"

namespace orbic::platform {

// Wall-clock-independent time, so waits are unaffected by the user changing the system clock.
class SteadyClock : public orbic::Clock {
 public:
  std::uint64_t NowMs() override;
  void SleepMs(std::uint32_t ms) override;
};

}  // namespace orbic::platform
