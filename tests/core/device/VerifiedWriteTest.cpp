#include <gtest/gtest.h>

#include "device/VerifiedWrite.h"
#include "support/MouseRig.h"

namespace orbic::test {
namespace {

using device::VerifiedWriteResult;

params::Image PatternImage() {
  params::Image image;
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i * 7 + 3);
  }
  return image;
}

// Whole-image writes (command 6 with length 2048) and single-byte repairs.
std::vector<int> WriteLengths(const sim::SimulatedMouse& mouse) {
  std::vector<int> lengths;
  for (const auto& entry : mouse.Transcript()) {
    if (entry.sent && entry.bytes[1] == 0x06) {
      lengths.push_back(entry.bytes[4] | (entry.bytes[5] << 8));
    }
  }
  return lengths;
}

TEST(VerifiedWrite, AHealthyMouseTakesTheImageInOneWriteAndOneReadBack) {
  ChannelRig rig;
  const params::Image image = PatternImage();

  const auto report = device::WriteImageVerified(rig.channel, rig.ui, image);

  EXPECT_EQ(report.result, VerifiedWriteResult::kVerified);
  EXPECT_EQ(report.repairPasses, 0);
  EXPECT_EQ(rig.mouse->firmware.memory, image);
  const auto commands = rig.Commands();
  EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x07), 342);
  EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x05), 342);
}

TEST(VerifiedWrite, RewritesExactlyTheByteThatReadBackWrong) {
  ChannelRig rig;
  rig.mouse->faults.flaky[0x123] = 1;  // the first write of 0x123 is lost
  const params::Image image = PatternImage();

  const auto report = device::WriteImageVerified(rig.channel, rig.ui, image);

  EXPECT_EQ(report.result, VerifiedWriteResult::kVerified);
  EXPECT_EQ(report.repairPasses, 1);
  EXPECT_EQ(WriteLengths(*rig.mouse), (std::vector<int>{2048, 1}));
  const auto& transcript = rig.mouse->Transcript();
  const auto repair = std::find_if(transcript.begin(), transcript.end(), [](const auto& e) {
    return e.sent && e.bytes[1] == 0x06 && e.bytes[4] == 1;
  });
  ASSERT_NE(repair, transcript.end());
  EXPECT_EQ(repair->bytes[2], 0x23);
  EXPECT_EQ(repair->bytes[3], 0x01);
  const auto commands = rig.Commands();
  EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x04), 2);  // read back twice
  EXPECT_EQ(rig.mouse->firmware.memory, image);
}

TEST(VerifiedWrite, AStuckByteFailsAfterThreeRepairPasses) {
  ChannelRig rig;
  const params::Image image = PatternImage();
  rig.mouse->faults.stuck[0x400] = static_cast<std::uint8_t>(image[0x400] ^ 0xFF);

  const auto report = device::WriteImageVerified(rig.channel, rig.ui, image);

  EXPECT_EQ(report.result, VerifiedWriteResult::kStillDiffers);
  EXPECT_EQ(report.repairPasses, 3);
  ASSERT_EQ(report.differences.size(), 1u);
  EXPECT_EQ(report.differences[0].first, 0x400);
  EXPECT_EQ(WriteLengths(*rig.mouse), (std::vector<int>{2048, 1, 1, 1}));
}

TEST(VerifiedWrite, RefusedTransfersStopWithoutFurtherTraffic) {
  struct Case {
    std::uint8_t refused;
    VerifiedWriteResult result;
  };
  for (const Case& test : {Case{0x06, VerifiedWriteResult::kNotStarted},
                           Case{0x04, VerifiedWriteResult::kReadBackFailed}}) {
    ChannelRig rig;
    rig.mouse->faults.neverAck = {test.refused};
    const auto report = device::WriteImageVerified(rig.channel, rig.ui, PatternImage());
    EXPECT_EQ(report.result, test.result);
    const auto commands = rig.Commands();
    EXPECT_EQ(commands.back(), test.refused);
  }
}

}  // namespace
}  // namespace orbic::test
