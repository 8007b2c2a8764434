#include "platform/ThreadPriority.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace orbic::platform {

void LowerThisThreadPriority() {
#ifdef _WIN32
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
#else
  // On Linux the nice value belongs to the thread, not the process.
  constexpr int kBelowNormal = 5;
  const int current = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), current + kBelowNormal);
#endif
}

}  // namespace orbic::platform
