#pragma once

#include <functional>

#include "base/WorkerThread.h"

namespace orbic::test {

// Runs a worker's steps on the test's own thread, one at a time, so timer
// ticks can fall between steps as a virtual clock passes them.
class SteppedWorker final : public WorkerThread {
 public:
  void Start(std::function<void()> step, std::function<bool()> mayEnd) override {
    step_ = std::move(step);
    mayEnd_ = std::move(mayEnd);
    running_ = true;
  }
  void StopAndWait() override {
    while (running_ && !mayEnd_()) {
      step_();
    }
    running_ = false;
    ++stops;
  }
  void StepOnce() {
    if (running_) {
      step_();
    }
  }
  bool Running() const { return running_; }
  int stops = 0;

 private:
  std::function<void()> step_;
  std::function<bool()> mayEnd_;
  bool running_ = false;
};

}  // namespace orbic::test
