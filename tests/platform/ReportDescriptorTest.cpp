#include "platform/ReportDescriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace orbic::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A vendor collection with report id 4 and seven feature bytes, as the mouse declares it.
const Bytes kVendorReportId4 = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x04,        //   Report ID (4)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x07,        //   Report Count (7)
    0x09, 0x02,        //   Usage (2)
    0xB1, 0x02,        //   Feature (Data, Var, Abs)
    0xC0,              // End Collection
};

// A gaming mouse: pointer and consumer inputs, then a vendor collection with an input report
// and the eight-byte (id included) feature report.
const Bytes kGamingMouse = {
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x02,        // Usage (Mouse)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x01,        //   Report ID (1)
    0x09, 0x01,        //   Usage (Pointer)
    0xA1, 0x00,        //   Collection (Physical)
    0x05, 0x09,        //     Usage Page (Button)
    0x19, 0x01,        //     Usage Minimum (1)
    0x29, 0x05,        //     Usage Maximum (5)
    0x15, 0x00,        //     Logical Minimum (0)
    0x25, 0x01,        //     Logical Maximum (1)
    0x75, 0x01,        //     Report Size (1)
    0x95, 0x05,        //     Report Count (5)
    0x81, 0x02,        //     Input (Data, Var, Abs)
    0x75, 0x03,        //     Report Size (3)
    0x95, 0x01,        //     Report Count (1)
    0x81, 0x01,        //     Input (Const)
    0x05, 0x01,        //     Usage Page (Generic Desktop)
    0x09, 0x30,        //     Usage (X)
    0x09, 0x31,        //     Usage (Y)
    0x16, 0x01, 0x80,  //     Logical Minimum (-32767)
    0x26, 0xFF, 0x7F,  //     Logical Maximum (32767)
    0x75, 0x10,        //     Report Size (16)
    0x95, 0x02,        //     Report Count (2)
    0x81, 0x06,        //     Input (Data, Var, Rel)
    0x09, 0x38,        //     Usage (Wheel)
    0x15, 0x81,        //     Logical Minimum (-127)
    0x25, 0x7F,        //     Logical Maximum (127)
    0x75, 0x08,        //     Report Size (8)
    0x95, 0x01,        //     Report Count (1)
    0x81, 0x06,        //     Input (Data, Var, Rel)
    0xC0,              //   End Collection
    0xC0,              // End Collection
    0x05, 0x0C,        // Usage Page (Consumer)
    0x09, 0x01,        // Usage (Consumer Control)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x02,        //   Report ID (2)
    0x19, 0x00,        //   Usage Minimum (0)
    0x2A, 0x3C, 0x02,  //   Usage Maximum (0x23C)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0x3C, 0x02,  //   Logical Maximum (0x23C)
    0x75, 0x10,        //   Report Size (16)
    0x95, 0x01,        //   Report Count (1)
    0x81, 0x00,        //   Input (Data, Array)
    0xC0,              // End Collection
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x05,        //   Report ID (5)
    0x09, 0x03,        //   Usage (3)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x1F,        //   Report Count (31)
    0x81, 0x02,        //   Input (Data, Var, Abs)
    0x85, 0x04,        //   Report ID (4)
    0x09, 0x02,        //   Usage (2)
    0x95, 0x07,        //   Report Count (7)
    0xB1, 0x02,        //   Feature (Data, Var, Abs)
    0xC0,              // End Collection
};

struct Case {
  std::string name;
  Bytes descriptor;
  std::size_t expected;
};

class FeatureReportLengthTest : public testing::TestWithParam<Case> {};

TEST_P(FeatureReportLengthTest, CountsLongestFeatureReportWithIdByte) {
  const Bytes& descriptor = GetParam().descriptor;
  EXPECT_EQ(FeatureReportLength(descriptor), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, FeatureReportLengthTest,
    testing::Values(
        Case{"VendorReportId4SevenBytes", kVendorReportId4, 8},
        Case{"GamingMouse", kGamingMouse, 8},
        // Without report ids the implicit id 0 still takes a byte.
        Case{"NoReportIdTwoBytes",
             {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02, 0xC0},
             3},
        // Id 2 is split around id 3 and id 255, so its items must add up per id, and a 64-byte
        // input report must not count.
        Case{"SeveralReportIdsLongestWins",
             {0xA1, 0x01,                          // Collection
              0x75, 0x08, 0x85, 0x01,              // Size 8, id 1
              0x95, 0x03, 0xB1, 0x02,              // 3 feature bytes
              0x85, 0x02, 0x95, 0x08, 0xB1, 0x02,  // id 2: 8 feature bytes
              0x85, 0x03, 0x95, 0x05, 0xB1, 0x02,  // id 3: 5 feature bytes
              0x85, 0xFF, 0x95, 0x06, 0xB1, 0x02,  // id 255: 6 feature bytes
              0x85, 0x02, 0x95, 0x08, 0xB1, 0x02,  // id 2: 8 more
              0x85, 0x06, 0x95, 0x40, 0x81, 0x02,  // id 6: 64 input bytes
              0xC0},
             17},
        Case{"InputAndOutputOnly",
             {0xA1, 0x01, 0x75, 0x08, 0x95, 0x08, 0x81, 0x02, 0x91, 0x02, 0xC0},
             0},
        Case{"EmptyDescriptor", {}, 0},
        // 9 one-bit fields need two bytes.
        Case{"BitsRoundUpToBytes", {0xA1, 0x01, 0x75, 0x01, 0x95, 0x09, 0xB1, 0x02, 0xC0}, 3},
        // Pop must restore both the report size and the report id saved by Push.
        Case{"PushPopRestoresSizeAndId",
             {0xA1, 0x01,                                      // Collection
              0x85, 0x01, 0x75, 0x08, 0x95, 0x04, 0xB1, 0x02,  // id 1: 32 bits
              0xA4,                                            // Push
              0x85, 0x02, 0x75, 0x01, 0x95, 0x03, 0xB1, 0x02,  // id 2: 3 bits
              0xB4,                                            // Pop
              0xB1, 0x02,                                      // id 1: 32 more bits
              0xC0},
             9},
        // Data of 0, 1, 2 and 4 bytes (size code 3 means 4).
        Case{"AllShortItemDataSizes",
             {0xA0,                          // Collection, no data
              0x75, 0x08,                    // Report Size (8), 1 byte
              0x96, 0x03, 0x00,              // Report Count (3), 2 bytes
              0xB0,                          // Feature, no data: 24 bits
              0x0B, 0x01, 0x00, 0x00, 0x03,  // Usage, 4 bytes; a misread size turns 0x03 into
                                             // an item that swallows the next Report Count
              0x97, 0x02, 0x00, 0x00, 0x00,  // Report Count (2), 4 bytes
              0xB3, 0x02, 0x00, 0x00, 0x00,  // Feature, 4 bytes: 16 bits
              0xC0},
             6},
        // The long item's data would add a 64-byte feature report if it were parsed as items.
        Case{"LongItemSkipped",
             {0xA1, 0x01, 0x75, 0x08, 0x95, 0x02,        // Collection, size 8, count 2
              0xFE, 0x04, 0x00, 0x95, 0x40, 0xB1, 0x02,  // Long item, 4 data bytes
              0xB1, 0x02, 0xC0},                         // Feature: 16 bits
             3},
        // Malformed descriptors give 0.
        Case{
            "TruncatedOneByteShortItem", {0xA1, 0x01, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02, 0x25}, 0},
        Case{"TruncatedFourByteShortItem", {0xA1, 0x01, 0x75, 0x08, 0x97, 0x02, 0x00, 0x00}, 0},
        Case{"TruncatedLongItemHeader",
             {0xA1, 0x01, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02, 0xFE, 0x05},
             0},
        Case{"TruncatedLongItemData",
             {0xA1, 0x01, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02, 0xC0, 0xFE, 0x05, 0x00, 0x01, 0x02},
             0},
        Case{"PopWithoutPush", {0xA1, 0x01, 0x75, 0x08, 0x95, 0x02, 0xB4, 0xB1, 0x02, 0xC0}, 0},
        Case{"EndCollectionWithoutCollection", {0x75, 0x08, 0x95, 0x02, 0xB1, 0x02, 0xC0}, 0},
        Case{"UnclosedCollection", {0xA1, 0x01, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02}, 0},
        Case{"ReportIdZero", {0xA1, 0x01, 0x85, 0x00, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02, 0xC0}, 0},
        Case{"ReportIdAbove255",
             {0xA1, 0x01, 0x86, 0x00, 0x01, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02, 0xC0},
             0}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

// Cutting a descriptor anywhere leaves a collection open or an item short, so every cut gives
// 0; run under the sanitizers this also shows no read goes past the cut.
TEST(FeatureReportLengthTruncation, EveryStrictPrefixIsRejected) {
  for (const Bytes* descriptor : {&kVendorReportId4, &kGamingMouse}) {
    for (std::size_t cut = 0; cut < descriptor->size(); ++cut) {
      const Bytes prefix(descriptor->begin(), descriptor->begin() + static_cast<long>(cut));
      EXPECT_EQ(FeatureReportLength(prefix), 0u) << "cut at " << cut;
    }
  }
}

// Windows sizes each top-level collection on its own; the longest report of the whole node would
// hide the mouse's eight-byte command report behind a longer one of another collection.
TEST(FeatureReportLengths, AreCountedPerTopLevelCollection) {
  Bytes withLongerReport = kGamingMouse;
  const Bytes firmwareUpdate = {
      0x06, 0x01, 0xFF,  // Usage Page (Vendor 0xFF01)
      0x09, 0x01,        // Usage (1)
      0xA1, 0x01,        // Collection (Application)
      0x85, 0x06,        //   Report ID (6)
      0x75, 0x08,        //   Report Size (8)
      0x95, 0x40,        //   Report Count (64)
      0x09, 0x02,        //   Usage (2)
      0xB1, 0x02,        //   Feature (Data, Var, Abs)
      0xC0,              // End Collection
  };
  withLongerReport.insert(withLongerReport.end(), firmwareUpdate.begin(), firmwareUpdate.end());

  EXPECT_EQ(FeatureReportLengths(kGamingMouse), (std::vector<std::size_t>{0, 0, 8}));
  EXPECT_EQ(FeatureReportLengths(withLongerReport), (std::vector<std::size_t>{0, 0, 8, 65}));
  EXPECT_EQ(FeatureReportLength(withLongerReport), 65u);
  // A malformed descriptor has no collections to offer.
  EXPECT_TRUE(FeatureReportLengths(Bytes{0xA1, 0x01, 0x75, 0x08}).empty());
}

}  // namespace
}  // namespace orbic::platform
