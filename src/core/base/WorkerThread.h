#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace orbic {

// Runs one step of a background job again and again until asked to end. The
// job may end only where `mayEnd` holds, so a step sequence in progress (a
// blink on the screen) is always completed. A seam: tests run the steps on
// their own thread, one at a time, against the virtual clock.
class WorkerThread {
 public:
  virtual ~WorkerThread() = default;
  virtual void Start(std::function<void()> step, std::function<bool()> mayEnd) = 0;
  // Asks the job to end and returns once it has.
  virtual void StopAndWait() = 0;
};

// The real one: a std::thread. `lowerPriority`, when set, runs first on the
// new thread (the platform's below-normal priority).
class StdWorkerThread final : public WorkerThread {
 public:
  explicit StdWorkerThread(std::function<void()> lowerPriority = {})
      : lowerPriority_(std::move(lowerPriority)) {}
  ~StdWorkerThread() override { StopAndWait(); }
  StdWorkerThread(const StdWorkerThread&) = delete;
  StdWorkerThread& operator=(const StdWorkerThread&) = delete;

  void Start(std::function<void()> step, std::function<bool()> mayEnd) override {
    StopAndWait();
    stop_ = false;
    thread_ = std::thread([this, step = std::move(step), mayEnd = std::move(mayEnd)] {
      if (lowerPriority_) {
        lowerPriority_();
      }
      while (!(stop_.load() && mayEnd())) {
        step();
      }
    });
  }

  void StopAndWait() override {
    stop_ = true;
    if (thread_.joinable()) {
      thread_.join();
    }
  }

 private:
  std::function<void()> lowerPriority_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace orbic
