#include "macros/MacroCodec.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

namespace orbic::macros {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<std::uint8_t> Events(const MacroLines& lines) {
  const auto bytes = MacroEventBytes(lines);
  EXPECT_TRUE(bytes.has_value());
  return bytes.value_or(std::vector<std::uint8_t>{});
}

Content Encoded(const MacroLines& lines, StopMode stop = StopMode::kAfterMacroIsOver) {
  Content content{};
  EXPECT_TRUE(EncodeMacroLines(lines, stop, content).ok);
  return content;
}

TEST(MacroCodec, DelaysSplitIntoPairsAndMergeIntoRunsOfFive) {
  struct Case {
    std::vector<int> delays;
    std::vector<std::uint8_t> bytes;
    MacroLines decoded;  // lines after the header
  };
  const std::vector<Case> cases = {
      {{0}, {0xFE, 0x00}, {"0 0"}},
      {{7}, {0xFE, 0x00}, {"0 0"}},
      {{50}, {0xFE, 0x06}, {"0 48"}},
      {{2040}, {0xFE, 0xFF}, {"0 2040"}},
      {{2041}, {0xFE, 0xFF, 0xFE, 0x00}, {"0 2040"}},
      {{10200}, {0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF}, {"0 10200"}},
      {{12240},
       {0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF},
       {"0 10200", "0 2040"}},
  };
  for (const Case& c : cases) {
    MacroLines lines = {"10"};
    for (int ms : c.delays) {
      lines.push_back("0 " + std::to_string(ms));
    }
    SCOPED_TRACE(lines[1]);
    EXPECT_EQ(Events(lines), c.bytes);
    EXPECT_EQ(DelayPairCount(c.delays[0]) * 2, static_cast<int>(c.bytes.size()));
    const DecodedMacro decoded = DecodeMacroContent(Encoded(lines));
    EXPECT_EQ(MacroLines(decoded.lines.begin() + 1, decoded.lines.end()), c.decoded);
  }
}

TEST(MacroCodec, ShortFormLayoutAndChecksum) {
  const MacroLines lines = {"00", "1 A CODE:8204", "0 16", "2 A CODE:0204"};
  const Content content = Encoded(lines, StopMode::kUntilKeyRelease);
  // stop mode, L = 7, six events, checksum = (07+82+04+FE+02+02+04) ^ 5A
  EXPECT_THAT(std::vector<std::uint8_t>(content.begin(), content.begin() + 10),
              ElementsAre(0x01, 0x07, 0x82, 0x04, 0xFE, 0x02, 0x02, 0x04, 0x93 ^ 0x5A, 0x00));
  EXPECT_TRUE(ContentChecksumHolds(content));
}

TEST(MacroCodec, EveryEventKindRoundTripsByteForByte) {
  const MacroLines lines = {
      "10",
      "1 Shift CODE:8102",
      "1 A CODE:8204",
      "0 96",
      "2 A CODE:0204",
      "2 Shift CODE:0102",
      "1 Right Ctrl CODE:8110",  // no key records it, but a file may hold it
      "2 Right Ctrl CODE:0110",
      "1 LeftKey CODE:00A1",
      "2 LeftKey CODE:0021",
      "1 Backward CODE:00B0",
      "2 Backward CODE:0030",
      "3 FB05",
      "4 FBFB",
      "5 FA7F",
      "6 FA80",
      "7 FD09",
      "1 Left Ctrl CODE:82E0",
      "2 Left Ctrl CODE:02E0",
      "1 Media_Play_Pause CODE:82C3",
      "2  CODE:02F0",  // a key byte no key has
      "0 2040",
      "8 00FC",
  };
  for (StopMode stop : {StopMode::kAfterMacroIsOver, StopMode::kUntilKeyRelease}) {
    const Content content = Encoded(lines, stop);
    const DecodedMacro decoded = DecodeMacroContent(content);
    EXPECT_EQ(decoded.stopMode, stop);
    EXPECT_EQ(decoded.lines, lines);
    EXPECT_EQ(Encoded(decoded.lines, stop), content);

    DriverContent driver{};
    ASSERT_TRUE(EncodeMacroLines(lines, stop, driver).ok);
    EXPECT_EQ(DecodeMacroContent(driver).lines, lines);
  }
}

TEST(MacroCodec, HeaderFollowsTheFirstFourDelays) {
  const struct {
    std::vector<int> delays;
    std::string header;
    DelayMode mode;
  } cases[] = {
      {{}, "00", DelayMode::kNone},
      {{0, 0, 0, 0, 96}, "00", DelayMode::kNone},
      {{96, 96, 96, 96, 8}, "0196", DelayMode::kDefault},
      {{96, 96, 96}, "10", DelayMode::kRecord},  // the missing fourth counts 0
      {{96, 48, 96, 96}, "10", DelayMode::kRecord},
  };
  for (const auto& c : cases) {
    MacroLines lines = {"00"};
    for (int ms : c.delays) {
      lines.push_back("1 A CODE:8204");
      lines.push_back("0 " + std::to_string(ms));
    }
    lines.push_back("2 A CODE:0204");
    const DecodedMacro decoded = DecodeMacroContent(Encoded(lines));
    EXPECT_EQ(decoded.lines[0], c.header);
    EXPECT_EQ(decoded.delayMode, c.mode);
    if (c.mode == DelayMode::kDefault) {
      EXPECT_EQ(decoded.defaultDelayMs, 96);
    }
  }
}

TEST(MacroCodec, LongFormStoresTheLengthBigEndianAndKeepsALastButtonEvent) {
  MacroLines lines = {"00"};
  for (int i = 0; i < 150; ++i) {
    lines.push_back("3 FB01");
  }
  DriverContent content{};
  ASSERT_TRUE(EncodeMacroLines(lines, StopMode::kAfterMacroIsOver, content).ok);
  EXPECT_EQ(content[1], 0x01);
  EXPECT_EQ(content[2], 0x2D);  // L = 301
  EXPECT_EQ(DecodeMacroContent(content).lines, lines);

  const MacroLines button = {"00", "3 FB01", "1 LeftKey CODE:00A1"};
  DriverContent small{};
  ASSERT_TRUE(EncodeMacroLines(button, StopMode::kAfterMacroIsOver, small).ok);
  // The checksum leaves out the last event byte.
  EXPECT_EQ(small[6], static_cast<std::uint8_t>((0x00 + 0x04 + 0xFB + 0x01) ^ 0x5A));
  EXPECT_EQ(DecodeMacroContent(small).lines, button);
  DriverContent again{};
  ASSERT_TRUE(
      EncodeMacroLines(DecodeMacroContent(small).lines, StopMode::kAfterMacroIsOver, again).ok);
  EXPECT_EQ(again, small);
}

TEST(MacroCodec, AMacroThatDoesNotFitIsRefusedAndTheContentKept) {
  const auto linesOf = [](std::size_t moves) {
    MacroLines lines = {"00"};
    lines.insert(lines.end(), moves, "3 FB01");
    return lines;
  };
  Content content = Encoded({"00", "1 A CODE:8204"});
  const Content before = content;
  const EncodeResult tooLong = EncodeMacroLines(linesOf(111), StopMode::kAfterMacroIsOver, content);
  EXPECT_FALSE(tooLong.ok);
  EXPECT_NE(tooLong.error.find("222"), std::string::npos) << tooLong.error;
  EXPECT_EQ(content, before);
  // 110 moves + the 1-byte repeat stop = 221 bytes, the most that fit.
  MacroLines full = linesOf(110);
  full.push_back("8 00FC");
  ASSERT_TRUE(EncodeMacroLines(full, StopMode::kAfterMacroIsOver, content).ok);
  EXPECT_EQ(content[1], 222);
  EXPECT_TRUE(ContentChecksumHolds(content));
  EXPECT_EQ(DecodeMacroContent(content).lines, full);

  DriverContent driver{};
  EXPECT_TRUE(EncodeMacroLines(linesOf(1006), StopMode::kAfterMacroIsOver, driver).ok);
  EXPECT_FALSE(EncodeMacroLines(linesOf(1007), StopMode::kAfterMacroIsOver, driver).ok);
}

TEST(MacroCodec, MalformedLinesAreRefusedWithTheirNumber) {
  for (const MacroLines& lines : std::vector<MacroLines>{
           {"00", "1 A CODE:8204", "1 A CODE:82G4"},
           {"00", "1 A CODE:8204", "8 FC"},
           // A delay is a whole number of milliseconds and nothing else.
           {"00", "1 A CODE:8204", "0 40abc"},
           {"00", "1 A CODE:8204", "0 abc"},
           {"00", "1 A CODE:8204", "0 -5"},
           {"00", "1 A CODE:8204", "0 "},
           {"00", "1 A CODE:8204", "0  40"},
       }) {
    std::string error;
    EXPECT_FALSE(MacroEventBytes(lines, &error).has_value());
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    Content content{};
    EXPECT_FALSE(EncodeMacroLines(lines, StopMode::kAfterMacroIsOver, content).ok);
  }
  EXPECT_THAT(Events({"00", "0 40"}), ElementsAre(0xFE, 0x05));
}

TEST(MacroCodec, NoEventsClearsTheHeadOfTheContentOnly) {
  Content content{};
  content.fill(0x33);
  EXPECT_TRUE(EncodeMacroLines({"00"}, StopMode::kUntilKeyRelease, content).ok);
  EXPECT_THAT(std::vector<std::uint8_t>(content.begin(), content.begin() + 4),
              ElementsAre(0, 0, 0, 0x33));
}

TEST(MacroCodec, DecodingStopsAtUnknownEventsAndNeverReadsPastTheContent) {
  Content content{};
  content[0] = 7;  // neither stop mode
  const std::vector<std::uint8_t> events = {0x82, 0x04, 0x77, 0x02, 0x04};
  content[1] = static_cast<std::uint8_t>(events.size() + 1);
  std::copy(events.begin(), events.end(), content.begin() + 2);
  DecodedMacro decoded = DecodeMacroContent(content);
  EXPECT_FALSE(decoded.stopMode.has_value());
  EXPECT_THAT(decoded.lines, ElementsAre("00", "1 A CODE:8204"));
  EXPECT_FALSE(decoded.complete);  // 0x77 0x02 0x04 were not shown
  EXPECT_TRUE(DecodeMacroContent(Encoded({"00", "1 A CODE:8204", "2 A CODE:0204"})).complete);

  // A corrupt length that runs off the end, made of delay pairs.
  Content corrupt{};
  corrupt.fill(0xFE);
  corrupt[1] = 0xFF;
  decoded = DecodeMacroContent(corrupt);
  EXPECT_GT(decoded.lines.size(), 1u);
  DriverContent longCorrupt{};
  longCorrupt.fill(0x82);
  decoded = DecodeMacroContent(longCorrupt);
  EXPECT_GT(decoded.lines.size(), 1u);
}

}  // namespace
}  // namespace orbic::macros
