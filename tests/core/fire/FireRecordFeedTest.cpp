#include "fire/FireRecordFeed.h"

#include <gtest/gtest.h>

#include <thread>

#include "fire/FireContentEditor.h"
#include "sim/VirtualClock.h"

namespace orbic::fire {
namespace {

TEST(FireRecordFeedTest, EdgesFromAnotherThreadArriveInOrder) {
  FireMacroTable table;
  sim::VirtualClock clock;
  FireContentEditor editor(table, clock);
  editor.IB_FireNoDelayClick();
  editor.LB_FireMacroNameClick(2);
  editor.Btn_FireStartClick();

  FireRecordFeed feed;
  std::thread hook([&feed] {
    for (int edge = 0; edge < 6; ++edge) {
      feed.Post(edge % 2 == 0);
    }
  });
  hook.join();
  EXPECT_EQ(feed.Deliver(editor), 6u);
  EXPECT_EQ(feed.Deliver(editor), 0u);
  editor.Btn_FireStartClick();
  const FireMacroRecord& record = table.Record(2);
  EXPECT_EQ(record[1], 7);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(record[2 + i], i % 2 == 0 ? 0xA1 : 0x21) << i;
  }
}

}  // namespace
}  // namespace orbic::fire
