#include "fire/FireMacroRecord.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace orbic::fire {
namespace {

FireMacroRecord Record(std::initializer_list<std::uint8_t> bytes) {
  FireMacroRecord record{};
  std::copy(bytes.begin(), bytes.end(), record.begin());
  return record;
}

TEST(FireMacroRecordTest, TypicalRecordShowsItsParameters) {
  // L = 8: repeat start 9, Y 5, delay 12 x 8 ms, repeat stop, checksum 0x49.
  const FireMacroRecord record =
      Record({0x00, 0x08, 0xFD, 0x09, 0xFA, 0x05, 0xFE, 0x0C, 0xFC, 0x49});
  EXPECT_EQ(RecordChecksum(record, 8), 0x49);
  const FireMacroParameters shown = ParseFireMacro(record);
  EXPECT_TRUE(shown.shown);
  EXPECT_FALSE(shown.stopOnRelease);
  EXPECT_EQ(shown.count, 10);
  EXPECT_EQ(shown.y, 5);
  EXPECT_EQ(shown.intervalMs, 96);
  EXPECT_EQ(shown.positions.count, 3u);
  EXPECT_EQ(shown.positions.y, 5u);
  EXPECT_EQ(shown.positions.interval, 7u);
  EXPECT_FALSE(shown.positions.x.has_value());
}

TEST(FireMacroRecordTest, ParseWalksTheEventsAsDescribed) {
  struct Case {
    const char* what;
    FireMacroRecord record;
    int count, x, y, interval;
    std::optional<std::size_t> yPosition, intervalPosition;
  };
  const Case cases[] = {
      {"last Y step and the delay after it win", Record({1, 9, 0xFA, 3, 0xFE, 2, 0xFA, 7, 0xFE, 4}),
       0, 0, 7, 32, 7u, 9u},
      {"a delay before any Y step is no interval", Record({0, 7, 0xFE, 9, 0xFA, 0xFE, 0xA1, 0x21}),
       0, 0, -2, 0, 5u, std::nullopt},
      {"only the first delay after a Y step counts",
       Record({0, 9, 0xFA, 1, 0xFE, 3, 0xFE, 6, 0xFC, 0xFC}), 0, 0, 1, 24, 3u, 5u},
      {"negative X and the count of the last repeat start",
       Record({0, 9, 0xFD, 1, 0xFB, 0xF6, 0xFD, 0xFF, 0xFC}), 256, -10, 0, 0, std::nullopt,
       std::nullopt},
      {"an unknown byte ends the walk", Record({0, 7, 0xFA, 4, 0x82, 0x04, 0xFE, 9}), 0, 0, 4, 0,
       3u, std::nullopt},
      {"an operand past L is not read", Record({0, 3, 0xFA, 4, 0xFE, 9}), 0, 0, 4, 0, 3u,
       std::nullopt},
      {"blank memory shows nothing beyond the record", Record({0, 0xFF, 0xFA, 4, 0xFE, 9}), 0, 0, 4,
       72, 3u, 5u},
      {"an empty record shows nothing", Record({0, 0, 0xFA, 4}), 0, 0, 0, 0, std::nullopt,
       std::nullopt},
  };
  for (const Case& c : cases) {
    const FireMacroParameters shown = ParseFireMacro(c.record);
    EXPECT_TRUE(shown.shown) << c.what;
    EXPECT_EQ(shown.count, c.count) << c.what;
    EXPECT_EQ(shown.x, c.x) << c.what;
    EXPECT_EQ(shown.y, c.y) << c.what;
    EXPECT_EQ(shown.intervalMs, c.interval) << c.what;
    EXPECT_EQ(shown.positions.y, c.yPosition) << c.what;
    EXPECT_EQ(shown.positions.interval, c.intervalPosition) << c.what;
  }
}

TEST(FireMacroRecordTest, StopByteOtherThanZeroOrOneShowsNothing) {
  const FireMacroParameters shown = ParseFireMacro(Record({2, 3, 0xFA, 5}));
  EXPECT_FALSE(shown.shown);
  EXPECT_FALSE(shown.positions.y.has_value());
  EXPECT_TRUE(ParseFireMacro(Record({1, 3, 0xFA, 5})).stopOnRelease);
}

TEST(FireMacroRecordTest, ChecksumNeverWritesPastTheRecord) {
  FireMacroRecord full{};
  full[1] = 22;  // 21 event bytes: the checksum is the last byte
  for (std::size_t i = 2; i <= 22; ++i) {
    full[i] = 0xA1;
  }
  FireMacroChecksum(full);
  EXPECT_EQ(full[23], static_cast<std::uint8_t>((22 + 21 * 0xA1) & 0xFF) ^ 0x5A);

  FireMacroRecord damaged{};
  damaged[1] = 0xFF;
  damaged[23] = 0x77;
  const FireMacroRecord before = damaged;
  FireMacroChecksum(damaged);
  EXPECT_EQ(damaged, before);

  FireMacroRecord empty{};
  FireMacroChecksum(empty);
  EXPECT_EQ(empty, FireMacroRecord{});
}

}  // namespace
}  // namespace orbic::fire
