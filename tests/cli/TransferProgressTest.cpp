#include <gtest/gtest.h>

#include <sstream>

#include "CliRunner.h"
#include "cli/TransferProgress.h"

namespace orbic::cli::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

struct FakeTime {
  steady_clock::time_point now{};
  TransferProgress::Clock Clock() {
    return [this] { return now; };
  }
};

TEST(TransferProgress, LineShowsTheShareOfChunksDone) {
  EXPECT_EQ(TransferProgress::Line(true, 0, 342),
            "Writing the mouse  [                              ]   0%");
  EXPECT_EQ(TransferProgress::Line(false, 171, 342),
            "Reading the mouse  [###############               ]  50%");
  EXPECT_EQ(TransferProgress::Line(false, 342, 342),
            "Reading the mouse  [##############################] 100%");
  // A count past the total (a repeated chunk) never draws past the end.
  EXPECT_EQ(TransferProgress::Line(true, 400, 342), TransferProgress::Line(true, 342, 342));
  EXPECT_EQ(TransferProgress::Line(true, 0, 0), TransferProgress::Line(true, 1, 1));
}

// A transfer over within a second draws nothing; a longer one draws from
// then on, redraws only when the line changes, and clears it at the end.
TEST(TransferProgress, DrawsOnlyForTransfersLongerThanASecond) {
  FakeTime time;
  std::ostringstream out;
  TransferProgress progress(out, time.Clock());
  for (std::size_t done = 1; done <= 342; ++done) {
    time.now += milliseconds(2);
    progress.Update(false, done, 342);
  }
  progress.Finish();
  EXPECT_EQ(out.str(), "");

  for (std::size_t done = 1; done <= 342; ++done) {
    time.now += milliseconds(5);  // 1.7 s in all
    progress.Update(true, done, 342);
  }
  const std::string drawn = out.str();
  EXPECT_NE(drawn.find("\rWriting the mouse"), std::string::npos);
  EXPECT_NE(drawn.find("100%"), std::string::npos);
  EXPECT_EQ(drawn.find(" 10%"), std::string::npos);  // the first second stayed quiet
  // One redraw per percent at most, not one per chunk.
  EXPECT_LE(std::count(drawn.begin(), drawn.end(), '\r'), 101);
  progress.Finish();
  const std::string cleared = out.str().substr(drawn.size());
  EXPECT_EQ(cleared.front(), '\r');
  EXPECT_EQ(cleared.back(), '\r');
  EXPECT_EQ(cleared.find_first_not_of(" \r"), std::string::npos);
}

// Captured into a file, stderr is no terminal: the messages stay clean.
TEST_F(CliTest, NoProgressWhenStderrIsNotATerminal) {
  NewMouse("mouse.json", {"--ack-polls", "3"});
  const RunResult result =
      Run({"--simulated", Path("mouse.json").string(), "read", Path("out.bin").string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err.find('\r'), std::string::npos);
  EXPECT_EQ(result.err.find("Reading the mouse  ["), std::string::npos);
}

}  // namespace
}  // namespace orbic::cli::test
