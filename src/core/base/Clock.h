#pragma once

#include <cstdint>

namespace orbic {

// Every wait of the protocol goes through here, so tests can run a full
// transfer on a virtual clock in no real time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint64_t NowMs() = 0;
  virtual void SleepMs(std::uint32_t ms) = 0;
};

}  // namespace orbic
