#include "fire/FireRecordFeed.h"

#include "fire/FireContentEditor.h"

namespace orbic::fire {

void FireRecordFeed::Post(bool down) {
  const std::lock_guard lock(mutex_);
  edges_.push_back(down);
}

std::size_t FireRecordFeed::Deliver(FireContentEditor& editor) {
  std::vector<bool> edges;
  {
    const std::lock_guard lock(mutex_);
    edges.swap(edges_);
  }
  for (const bool down : edges) {
    editor.LeftButtonEdge(down);
  }
  return edges.size();
}

}  // namespace orbic::fire
