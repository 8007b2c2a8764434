#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

namespace orbic::fire {

class FireContentEditor;

// Left-button edges seen by the host's mouse hook on its own thread, handed
// to the UI thread that owns the editor. The delay in front of an edge is
// measured when it is delivered, as the recorder always did.
class FireRecordFeed {
 public:
  // Any thread.
  void Post(bool down);
  // UI thread: the queued edges, oldest first, into `editor`. Returns how
  // many were delivered.
  std::size_t Deliver(FireContentEditor& editor);

 private:
  std::mutex mutex_;
  std::vector<bool> edges_;
};

}  // namespace orbic::fire
