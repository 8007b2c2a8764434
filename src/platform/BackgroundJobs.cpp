#include "platform/BackgroundJobs.h"

#include <utility>

namespace orbic::platform {

BackgroundJobs::BackgroundJobs() : worker_([this] { Run(); }) {}

BackgroundJobs::~BackgroundJobs() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  worker_.join();
}

void BackgroundJobs::Post(std::function<void()> job) {
  {
    const std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
  }
  wake_.notify_one();
}

void BackgroundJobs::Drain() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return jobs_.empty() && !running_; });
}

void BackgroundJobs::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    if (jobs_.empty()) {
      return;  // stopping, with nothing left to run
    }
    std::function<void()> job = std::move(jobs_.front());
    jobs_.pop_front();
    running_ = true;
    lock.unlock();
    job();
    lock.lock();
    running_ = false;
    if (jobs_.empty()) {
      idle_.notify_all();
    }
  }
}

}  // namespace orbic::platform
