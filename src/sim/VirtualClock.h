#pragma once

#include <cstdint>

#include "base/Clock.h"

namespace orbic::sim {

// Sleeping advances the time at once, so a transfer of seconds runs in microseconds.
class VirtualClock : public orbic::Clock {
 public:
  std::uint64_t NowMs() override { return nowMs_; }
  void SleepMs(std::uint32_t ms) override {
    nowMs_ += ms;
    sleptMs_ += ms;
    ++sleeps_;
  }

  std::uint64_t SleptMs() const { return sleptMs_; }
  std::uint64_t Sleeps() const { return sleeps_; }
  void ResetCounters() {
    sleptMs_ = 0;
    sleeps_ = 0;
  }

 private:
  std::uint64_t nowMs_ = 0;
  std::uint64_t sleptMs_ = 0;
  std::uint64_t sleeps_ = 0;
};

}  // namespace orbic::sim
