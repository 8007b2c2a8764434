#pragma once

namespace orbic::platform {

// Gives the calling thread below-normal priority, so a worker that polls the
// mouse without a pause does not take the window's time.
void LowerThisThreadPriority();

}  // namespace orbic::platform
