#include "params/ParameterImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "base/Resources.h"

namespace orbic::params {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Repair defaults, spelled out independently of the implementation's tables.
const Bytes kExpectedParameterA = {
    0xFF, 0xFE, 0x04, 0x00, 0xFF, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x01, 0x04, 0x03,
    0x00, 0x02, 0x05, 0x06, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00,
    0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x79};
const Bytes kExpectedFireKey = {0x0A, 0xFD, 0x02, 0xA1, 0xFE, 0x03, 0x21, 0xFE, 0x64, 0xFC, 0x70};
const Bytes kRepairedPairs = {1, 254, 1, 254, 0, 255};

Bytes ExpectedProfile() {
  const Bytes keyMode = {0x01, 0x01, 0x00, 0x01, 0x04, 0x00, 0x01, 0x02, 0x00,
                         0x01, 0x08, 0x00, 0x01, 0x10, 0x00, 0x05, 0x00, 0x00,
                         0x0F, 0x00, 0x00, 0x02, 0x08, 0x07, 0x09, 0x00, 0x00};
  Bytes profile = keyMode;
  profile.insert(profile.end(), keyMode.begin(), keyMode.end());
  profile.push_back(0xFE);
  return profile;
}

template <typename Container>
Bytes ToBytes(const Container& bytes) {
  return Bytes(bytes.begin(), bytes.end());
}

Bytes RawSection(const Image& raw, Section section) {
  return Bytes(raw.begin() + section.offset, raw.begin() + section.offset + section.length);
}

Image LoadDefaultImage(const std::string& name) {
  const auto resource = FindResource(name);
  Image image{};
  if (!resource || resource->size() != kImageSize) {
    ADD_FAILURE() << name << " missing or not " << kImageSize << " bytes";
    return image;
  }
  std::copy(resource->begin(), resource->end(), image.begin());
  return image;
}

bool ChecksumHolds(std::span<const std::uint8_t> section) {
  return section.back() == SectionChecksum(section.first(section.size() - 1));
}

const std::vector<Section> kAllSections = {
    layout::kParameterA,       layout::kParameterB,      layout::kProfile, layout::kFireKeyTable,
    layout::kFireYOffsetTable, layout::kFireColourTable, layout::kFireKey, layout::kBaseMacroArea,
    layout::kFireMacroTable,   layout::kSecondMacroArea,
};

std::vector<std::size_t> GapOffsets() {
  std::vector<bool> covered(kImageSize, false);
  for (const Section& section : kAllSections) {
    std::fill_n(covered.begin() + section.offset, section.length, true);
  }
  std::vector<std::size_t> gaps;
  for (std::size_t i = 0; i < kImageSize; ++i) {
    if (!covered[i]) {
      gaps.push_back(i);
    }
  }
  return gaps;
}

Image RandomImage(unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  Image image{};
  for (auto& value : image) {
    value = static_cast<std::uint8_t>(byte(random));
  }
  return image;
}

struct DefaultImageCase {
  std::string name;
  std::uint8_t parameterAChecksum;
  std::uint8_t profileChecksum;
  std::uint8_t fireKeyChecksum;
};

TEST(DefaultImages, PassEveryCheckUnchangedWithTheirChecksums) {
  const std::vector<DefaultImageCase> cases = {
      {"ORBIC5xData_Cfg1", 0x72, 0xCA, 0x96},
      {"ORBIC5xData_Cfg2", 0x70, 0x06, 0x96},
      {"ORBIC5xData_Cfg3", 0x70, 0x06, 0x96},
  };
  for (const DefaultImageCase& c : cases) {
    SCOPED_TRACE(c.name);
    ParameterImage image;
    image.raw = LoadDefaultImage(c.name);
    const SplitReport report = image.SplitImage();
    EXPECT_FALSE(report.parameterARepaired);
    EXPECT_FALSE(report.parameterBRepaired);
    EXPECT_FALSE(report.profileRepaired);
    EXPECT_FALSE(report.fireKeyRepaired);
    EXPECT_EQ(image.data.parameterA.back(), c.parameterAChecksum);
    EXPECT_EQ(image.data.profile.back(), c.profileChecksum);
    EXPECT_EQ(image.data.fireKey.back(), c.fireKeyChecksum);
    EXPECT_EQ(ToBytes(image.data.parameterA), RawSection(image.raw, layout::kParameterA));
    EXPECT_EQ(ToBytes(image.data.parameterB), RawSection(image.raw, layout::kParameterB));
    EXPECT_EQ(ToBytes(image.data.profile), RawSection(image.raw, layout::kProfile));
    EXPECT_EQ(ToBytes(image.data.fireKey), RawSection(image.raw, layout::kFireKey));
    // The tail after the first 256 bytes is empty.
    EXPECT_TRUE(std::all_of(image.raw.begin() + 0x100, image.raw.end(),
                            [](std::uint8_t b) { return b == 0; }));
  }
}

TEST(DefaultImages, SecondAndThirdDifferFromFirstInExactlySixteenBytes) {
  const Image first = LoadDefaultImage("ORBIC5xData_Cfg1");
  const Image second = LoadDefaultImage("ORBIC5xData_Cfg2");
  EXPECT_EQ(second, LoadDefaultImage("ORBIC5xData_Cfg3"));
  const std::vector<std::pair<std::size_t, std::uint8_t>> expected = {
      {0x000, 0x45}, {0x01A, 0x00}, {0x01B, 0xFF}, {0x01D, 0xFF}, {0x01E, 0x00}, {0x01F, 0xFF},
      {0x025, 0x00}, {0x02B, 0x00}, {0x02F, 0x70}, {0x032, 0x42}, {0x033, 0xBD}, {0x058, 0x06},
      {0x05A, 0xF0}, {0x073, 0x06}, {0x075, 0xF0}, {0x076, 0x06},
  };
  std::vector<std::pair<std::size_t, std::uint8_t>> differences;
  for (std::size_t i = 0; i < kImageSize; ++i) {
    if (first[i] != second[i]) {
      differences.emplace_back(i, second[i]);
    }
  }
  EXPECT_EQ(differences, expected);
}

TEST(DefaultImages, MacroLibraryIsHundredEmptyRecordsAndZeroTail) {
  const auto library = FindResource("PCMacroData");
  ASSERT_TRUE(library);
  EXPECT_EQ(library->size(), 27200u);
  EXPECT_TRUE(std::all_of(library->begin(), library->end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(SplitImage, BlankMemoryIsRepairedToDefaultsAndRawKept) {
  for (const std::uint8_t fill : {std::uint8_t{0xFF}, std::uint8_t{0x00}}) {
    SCOPED_TRACE(static_cast<int>(fill));
    ParameterImage image;
    image.raw.fill(fill);
    const Image before = image.raw;
    const SplitReport report = image.SplitImage();

    EXPECT_TRUE(report.parameterARepaired);
    EXPECT_TRUE(report.parameterBRepaired);
    EXPECT_TRUE(report.profileRepaired);
    EXPECT_TRUE(report.fireKeyRepaired);
    EXPECT_EQ(ToBytes(image.data.parameterA), kExpectedParameterA);
    EXPECT_EQ(ToBytes(image.data.profile), ExpectedProfile());
    EXPECT_EQ(ToBytes(image.data.fireKey), kExpectedFireKey);
    const Bytes pairs(image.data.parameterB.begin(), image.data.parameterB.begin() + 6);
    EXPECT_EQ(pairs, kRepairedPairs);
    // Identification bytes and unchecked tables come through as they are.
    EXPECT_EQ(image.data.parameterB[6], fill);
    EXPECT_EQ(image.data.parameterB[7], fill);
    EXPECT_EQ(image.data.fireYOffsetTable.front(), fill);
    EXPECT_EQ(image.raw, before);
  }
}

TEST(SplitImage, ZeroParameterASectionExpectsChecksum5A) {
  DataBuf data;
  EXPECT_EQ(SectionChecksum(std::span(data.parameterA).first(47)), 0x5A);
  EXPECT_TRUE(CheckParameterASection(data));
  data.parameterA.fill(0);
  data.parameterA[47] = 0x5A;
  EXPECT_FALSE(CheckParameterASection(data));
  EXPECT_EQ(data.parameterA[0], 0x00);
}

TEST(CheckParameterBSection, EachPairKeptOnlyWhenItSumsTo255) {
  struct Case {
    std::uint8_t value;
    std::uint8_t complement;
    bool kept;
  };
  const std::vector<Case> cases = {
      {0x00, 0xFF, true},  {0x80, 0x7F, true},  {0xFF, 0x00, true},
      {0xFF, 0xFF, false}, {0x00, 0x00, false}, {0x80, 0x80, false},
  };
  for (std::size_t pair = 0; pair < 3; ++pair) {
    for (const Case& c : cases) {
      SCOPED_TRACE("pair " + std::to_string(pair) + " value " + std::to_string(c.value) + "/" +
                   std::to_string(c.complement));
      DataBuf data;
      // The other pairs valid and not equal to their repair values.
      data.parameterB = {0x03, 0xFC, 0x03, 0xFC, 0x80, 0x7F, 0x11, 0x22};
      data.parameterB[2 * pair] = c.value;
      data.parameterB[2 * pair + 1] = c.complement;
      auto expected = data.parameterB;
      if (!c.kept) {
        expected[2 * pair] = kRepairedPairs[2 * pair];
        expected[2 * pair + 1] = kRepairedPairs[2 * pair + 1];
      }
      EXPECT_EQ(CheckParameterBSection(data), !c.kept);
      EXPECT_EQ(data.parameterB, expected);
    }
  }
}

TEST(CheckParameterASection, WrongChecksumAloneReplacesTheWholeSection) {
  ParameterImage image;
  image.raw = LoadDefaultImage("ORBIC5xData_Cfg2");
  image.raw[47] ^= 0x01;
  EXPECT_TRUE(image.SplitImage().parameterARepaired);
  EXPECT_EQ(ToBytes(image.data.parameterA), kExpectedParameterA);
}

TEST(AssembleImage, ChecksumsHoldWhateverTheWorkingCopiesContain) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    const Image noise = RandomImage(seed);
    ParameterImage image;
    image.raw = RandomImage(seed + 1000);
    // Fill every working copy with noise.
    auto fill = [&](auto& copy, std::size_t from) {
      std::copy_n(noise.begin() + from, copy.size(), copy.begin());
    };
    fill(image.data.parameterA, 0);
    fill(image.data.parameterB, 100);
    fill(image.data.profile, 200);
    fill(image.data.fireKeyTable, 300);
    fill(image.data.fireYOffsetTable, 400);
    fill(image.data.fireColourTable, 500);
    fill(image.data.fireKey, 600);
    fill(image.data.baseMacroArea, 700);
    fill(image.data.fireMacroTable, 0);
    fill(image.data.secondMacroArea, 1000);
    const DataBuf before = image.data;
    image.AssembleImage();

    for (const Section& section : {layout::kParameterA, layout::kProfile, layout::kFireKey}) {
      EXPECT_TRUE(ChecksumHolds(std::span(image.raw).subspan(section.offset, section.length)))
          << "section at " << section.offset;
    }
    // Everything but the checksum bytes is copied as it stood.
    Bytes expectedA = ToBytes(before.parameterA);
    expectedA.back() = image.raw[47];
    EXPECT_EQ(RawSection(image.raw, layout::kParameterA), expectedA);
    EXPECT_EQ(RawSection(image.raw, layout::kParameterB), ToBytes(before.parameterB));
    EXPECT_EQ(RawSection(image.raw, layout::kFireYOffsetTable), ToBytes(before.fireYOffsetTable));
    EXPECT_EQ(RawSection(image.raw, layout::kSecondMacroArea), ToBytes(before.secondMacroArea));
    EXPECT_EQ(RawSection(image.raw, layout::kFireMacroTable), ToBytes(before.fireMacroTable));
  }
}

TEST(SplitAndAssemble, RoundTripCarriesGapsAndValidSectionsUnchanged) {
  const std::vector<std::size_t> gaps = GapOffsets();
  ASSERT_EQ(gaps.size(), 8u + 9u + 18u + 12u + 2u + 5u);
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    ParameterImage image;
    image.raw = RandomImage(seed);
    const Image original = image.raw;
    image.SplitImage();
    image.AssembleImage();
    for (const std::size_t offset : gaps) {
      ASSERT_EQ(image.raw[offset], original[offset]) << "gap byte " << offset;
    }
    // A second pass sees only valid sections: nothing changes any more.
    const Image assembled = image.raw;
    const SplitReport report = image.SplitImage();
    EXPECT_FALSE(report.parameterARepaired || report.parameterBRepaired || report.profileRepaired ||
                 report.fireKeyRepaired);
    image.AssembleImage();
    EXPECT_EQ(image.raw, assembled);
  }
}

TEST(ParameterImageHooks, RunInOrderAtTheirPlaceInSplitAndAssembly) {
  ParameterImage image;
  image.raw = LoadDefaultImage("ORBIC5xData_Cfg1");
  std::vector<std::string> calls;
  image.hooks.splitMacroSlots = [&](DataBuf& data) {
    calls.push_back("splitMacroSlots");
    // Macro areas are in place, the fire macro table not yet.
    EXPECT_EQ(data.baseMacroArea[0], image.raw[layout::kBaseMacroArea.offset]);
    EXPECT_EQ(data.secondMacroArea[0], image.raw[layout::kSecondMacroArea.offset]);
    data.fireMacroTable[0] = 0xEE;
  };
  image.hooks.splitFireMacros = [&](DataBuf& data) {
    calls.push_back("splitFireMacros");
    EXPECT_EQ(data.fireMacroTable[0], image.raw[layout::kFireMacroTable.offset]);
  };
  image.hooks.settingsToDataBuf = [&](DataBuf& data) {
    calls.push_back("settingsToDataBuf");
    data.parameterA[2] = 7;  // checksummed afterwards
    data.profile[0] = 0x0C;
  };
  image.hooks.applyAimValue = [&](DataBuf& data) {
    calls.push_back("applyAimValue");
    data.profile[1] = 0x42;  // must still be covered by the Profile checksum
  };

  image.SplitImage();
  image.AssembleImage();

  EXPECT_EQ(calls, (std::vector<std::string>{"splitMacroSlots", "splitFireMacros",
                                             "settingsToDataBuf", "applyAimValue"}));
  EXPECT_EQ(image.raw[2], 7);
  EXPECT_EQ(image.raw[layout::kProfile.offset], 0x0C);
  EXPECT_EQ(image.raw[layout::kProfile.offset + 1], 0x42);
  EXPECT_TRUE(ChecksumHolds(std::span(image.raw).first(layout::kParameterA.length)));
  EXPECT_TRUE(ChecksumHolds(
      std::span(image.raw).subspan(layout::kProfile.offset, layout::kProfile.length)));
}

}  // namespace
}  // namespace orbic::params
