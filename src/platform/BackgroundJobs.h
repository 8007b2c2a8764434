#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace orbic::platform {

// One worker thread that runs jobs in the order they were posted, so slow
// commands (a desktop settings tool that hangs until its timeout) never hold
// up the caller. The destructor runs the jobs still queued, then joins.
class BackgroundJobs {
 public:
  BackgroundJobs();
  ~BackgroundJobs();
  BackgroundJobs(const BackgroundJobs&) = delete;
  BackgroundJobs& operator=(const BackgroundJobs&) = delete;

  void Post(std::function<void()> job);
  // Returns once every job posted before the call has run.
  void Drain();

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<std::function<void()>> jobs_;
  bool running_ = false;  // a job is being run
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace orbic::platform
