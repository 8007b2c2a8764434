#pragma once

#include <utility>

namespace orbic {

// Runs an optional hook: an empty std::function stands for "nothing plugged in here".
template <typename F, typename... Args>
void CallHook(const F& hook, Args&&... args) {
  if (hook) {
    hook(std::forward<Args>(args)...);
  }
}

}  // namespace orbic
