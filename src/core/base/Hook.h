#pragma once

namespace orbic {

// Runs an optional hook: an empty std::function stands for "nothing plugged in here".
template <typename F>
void CallHook(const F& hook) {
  if (hook) {
    hook();
  }
}

}  // namespace orbic
