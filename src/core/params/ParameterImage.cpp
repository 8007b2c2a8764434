#include "params/ParameterImage.h"

#include <algorithm>
#include <numeric>

#include "base/Hook.h"
#include "params/ImageFields.h"

namespace orbic::params {
namespace {

constexpr std::uint8_t kChecksumKey = 0x5A;

// Repair defaults. Parameter A and Fire Key carry their own matching checksum.
constexpr std::array<std::uint8_t, layout::kParameterA.length> kParameterADefault = {
    0xFF, 0xFE, 0x04, 0x00, 0xFF, 0x00,                    // switches, DPI level count, LED
    0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,              // DPI levels 1..7: 800..3200
    0x01, 0x04, 0x03, 0x00, 0x02, 0x05, 0x06, 0xFF, 0x00,  // carried bytes 13..25
    0x00, 0x00, 0xFF, 0x00,                                // (carried bytes, continued)
    0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00,  // red, green, yellow
    0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF,  // blue, magenta, cyan
    0xFF, 0xFF, 0xFF,                                      // white
    0x79};

struct ComplementPair {
  std::size_t offset;
  std::uint8_t value;
  std::uint8_t complement;
};
constexpr std::array<ComplementPair, parameter_b::kPairCount> kParameterBPairDefaults = {{
    {parameter_b::kCurrentCpi, 1, 254},
    {parameter_b::kLedState, 1, 254},
    {parameter_b::kKeyMode, 0, 255},
}};

// The same nine button functions for both key modes: left, middle, right click,
// back, forward, DPI loop, key mode switch, Win+D, LED on/off.
constexpr std::array<std::uint8_t, profile::kKeyModeLength> kProfileKeyModeDefault = {
    0x01, 0x01, 0x00, 0x01, 0x04, 0x00, 0x01, 0x02, 0x00, 0x01, 0x08, 0x00, 0x01, 0x10,
    0x00, 0x05, 0x00, 0x00, 0x0F, 0x00, 0x00, 0x02, 0x08, 0x07, 0x09, 0x00, 0x00};
constexpr std::uint8_t kProfileFill = 0xFF;

constexpr std::array<std::uint8_t, layout::kFireKey.length> kFireKeyDefault = {
    0x0A, 0xFD, 0x02, 0xA1, 0xFE, 0x03, 0x21, 0xFE, 0x64, 0xFC, 0x70};

// A checked section keeps its checksum in its last byte.
template <std::size_t N>
bool ChecksumMatches(const std::array<std::uint8_t, N>& section) {
  return section.back() == SectionChecksum(std::span(section).first(N - 1));
}

template <std::size_t N>
void WriteChecksum(std::array<std::uint8_t, N>& section) {
  section.back() = SectionChecksum(std::span(section).first(N - 1));
}

template <std::size_t N>
void CopyFromImage(const Image& raw, Section section, std::array<std::uint8_t, N>& copy) {
  static_assert(N > 0);
  std::copy_n(raw.begin() + static_cast<std::ptrdiff_t>(section.offset), N, copy.begin());
}

template <std::size_t N>
void CopyToImage(const std::array<std::uint8_t, N>& copy, Section section, Image& raw) {
  std::copy(copy.begin(), copy.end(), raw.begin() + static_cast<std::ptrdiff_t>(section.offset));
}

}  // namespace

std::uint8_t SectionChecksum(std::span<const std::uint8_t> bytes) {
  const unsigned sum = std::accumulate(bytes.begin(), bytes.end(), 0u);
  return static_cast<std::uint8_t>((sum & 0xFFu) ^ kChecksumKey);
}

bool CheckParameterASection(DataBuf& data) {
  if (ChecksumMatches(data.parameterA)) {
    return false;
  }
  data.parameterA = kParameterADefault;
  WriteChecksum(data.parameterA);
  return true;
}

bool CheckParameterBSection(DataBuf& data) {
  bool repaired = false;
  for (const ComplementPair& pair : kParameterBPairDefaults) {
    std::uint8_t& value = data.parameterB[pair.offset];
    std::uint8_t& complement = data.parameterB[pair.offset + 1];
    if (value + complement != 0xFF) {
      value = pair.value;
      complement = pair.complement;
      repaired = true;
    }
  }
  return repaired;
}

bool CheckProfileSection(DataBuf& data) {
  if (ChecksumMatches(data.profile)) {
    return false;
  }
  data.profile.fill(kProfileFill);
  for (const std::size_t keyMode : {profile::kKeyMode1, profile::kKeyMode2}) {
    std::copy(kProfileKeyModeDefault.begin(), kProfileKeyModeDefault.end(),
              data.profile.begin() + static_cast<std::ptrdiff_t>(keyMode));
  }
  WriteChecksum(data.profile);
  return true;
}

bool CheckFireKeySection(DataBuf& data) {
  if (ChecksumMatches(data.fireKey)) {
    return false;
  }
  data.fireKey = kFireKeyDefault;
  WriteChecksum(data.fireKey);
  return true;
}

void ParameterAChecksum(DataBuf& data) {
  WriteChecksum(data.parameterA);
}
void ProfileChecksum(DataBuf& data) {
  WriteChecksum(data.profile);
}
void FireKeyChecksum(DataBuf& data) {
  WriteChecksum(data.fireKey);
}

SplitReport ParameterImage::SplitImage() {
  SplitReport report;
  CopyFromImage(raw, layout::kParameterA, data.parameterA);
  report.parameterARepaired = CheckParameterASection(data);
  CopyFromImage(raw, layout::kParameterB, data.parameterB);
  report.parameterBRepaired = CheckParameterBSection(data);
  CopyFromImage(raw, layout::kProfile, data.profile);
  report.profileRepaired = CheckProfileSection(data);
  CopyFromImage(raw, layout::kFireKeyTable, data.fireKeyTable);
  CopyFromImage(raw, layout::kFireYOffsetTable, data.fireYOffsetTable);
  CopyFromImage(raw, layout::kFireColourTable, data.fireColourTable);
  CopyFromImage(raw, layout::kFireKey, data.fireKey);
  report.fireKeyRepaired = CheckFireKeySection(data);
  CopyFromImage(raw, layout::kBaseMacroArea, data.baseMacroArea);
  CopyFromImage(raw, layout::kSecondMacroArea, data.secondMacroArea);
  CallHook(hooks.splitMacroSlots, data);
  CopyFromImage(raw, layout::kFireMacroTable, data.fireMacroTable);
  CallHook(hooks.splitFireMacros, data);
  return report;
}

void ParameterImage::AssembleImage() {
  CallHook(hooks.settingsToDataBuf, data);
  ParameterAChecksum(data);
  CopyToImage(data.parameterA, layout::kParameterA, raw);
  CopyToImage(data.parameterB, layout::kParameterB, raw);
  CallHook(hooks.applyAimValue, data);
  ProfileChecksum(data);
  CopyToImage(data.profile, layout::kProfile, raw);
  CopyToImage(data.fireKeyTable, layout::kFireKeyTable, raw);
  CopyToImage(data.fireYOffsetTable, layout::kFireYOffsetTable, raw);
  CopyToImage(data.fireColourTable, layout::kFireColourTable, raw);
  FireKeyChecksum(data);
  CopyToImage(data.fireKey, layout::kFireKey, raw);
  CopyToImage(data.baseMacroArea, layout::kBaseMacroArea, raw);
  CopyToImage(data.fireMacroTable, layout::kFireMacroTable, raw);
  CopyToImage(data.secondMacroArea, layout::kSecondMacroArea, raw);
}

}  // namespace orbic::params
