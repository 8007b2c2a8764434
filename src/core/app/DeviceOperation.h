#pragma once

#include <functional>

namespace orbic::app {

// The one device operation that may run on the command channel. Transfers
// pump the window's events between chunks, so a click, a timer tick or a
// close can arrive in the middle of one: every device action takes the hold
// first and is refused while another runs; whatever must wait for the mouse
// to be consistent (closing the window) waits for the end.
class DeviceOperation {
 public:
  // Held for the length of one operation; empty when another one ran.
  class Hold {
   public:
    Hold() = default;
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    Hold(Hold&& other) noexcept : owner_(other.owner_) { other.owner_ = nullptr; }
    Hold& operator=(Hold&& other) noexcept;
    ~Hold() { Release(); }

    explicit operator bool() const { return owner_ != nullptr; }
    void Release();

   private:
    friend class DeviceOperation;
    explicit Hold(DeviceOperation* owner) : owner_(owner) {}
    DeviceOperation* owner_ = nullptr;
  };

  DeviceOperation() = default;
  DeviceOperation(const DeviceOperation&) = delete;
  DeviceOperation& operator=(const DeviceOperation&) = delete;

  // The hold, or an empty one while another operation runs.
  Hold TryBegin();
  bool Running() const { return running_; }

  // Runs `action` now when no operation runs, else once the running one ends.
  // Later requests replace an earlier one that has not run yet.
  void WhenIdle(std::function<void()> action);

 private:
  void End();

  bool running_ = false;
  std::function<void()> whenIdle_;
};

}  // namespace orbic::app
