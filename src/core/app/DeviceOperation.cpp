#include "app/DeviceOperation.h"

#include <utility>

namespace orbic::app {

DeviceOperation::Hold& DeviceOperation::Hold::operator=(Hold&& other) noexcept {
  if (this != &other) {
    Release();
    owner_ = std::exchange(other.owner_, nullptr);
  }
  return *this;
}

void DeviceOperation::Hold::Release() {
  if (DeviceOperation* owner = std::exchange(owner_, nullptr)) {
    owner->End();
  }
}

DeviceOperation::Hold DeviceOperation::TryBegin() {
  if (running_) {
    return Hold();
  }
  running_ = true;
  return Hold(this);
}

void DeviceOperation::WhenIdle(std::function<void()> action) {
  if (!running_) {
    action();
    return;
  }
  whenIdle_ = std::move(action);
}

void DeviceOperation::End() {
  running_ = false;
  // Taken out first: the action may start a new operation or ask again.
  if (std::function<void()> action = std::exchange(whenIdle_, nullptr)) {
    action();
  }
}

}  // namespace orbic::app
