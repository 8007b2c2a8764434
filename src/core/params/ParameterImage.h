#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace orbic::params {

inline constexpr std::size_t kImageSize = 2048;
using Image = std::array<std::uint8_t, kImageSize>;

// A section of the parameter image: image offset and length.
struct Section {
  std::size_t offset;
  std::size_t length;
};

// Where each section lies in the 2048-byte image (= the mouse's memory addresses).
namespace layout {
inline constexpr Section kParameterA{0x000, 48};
inline constexpr Section kParameterB{0x030, 8};
inline constexpr Section kProfile{0x040, 55};
inline constexpr Section kFireKeyTable{0x080, 30};
inline constexpr Section kFireYOffsetTable{0x0B0, 20};
inline constexpr Section kFireColourTable{0x0D0, 30};
inline constexpr Section kFireKey{0x0F0, 11};
inline constexpr Section kBaseMacroArea{0x100, 1024};   // slots 1..4
inline constexpr Section kFireMacroTable{0x500, 256};   // ten 24-byte entries + 16 carried
inline constexpr Section kSecondMacroArea{0x600, 512};  // slots 5, 6
// The vendor and product identification bytes (Parameter B bytes 6, 7).
inline constexpr std::size_t kIdentificationAddress = 54;
inline constexpr std::size_t kIdentificationLength = 2;
}  // namespace layout

// The working copies of the checked and edited sections.
struct DataBuf {
  std::array<std::uint8_t, layout::kParameterA.length> parameterA{};
  std::array<std::uint8_t, layout::kParameterB.length> parameterB{};
  std::array<std::uint8_t, layout::kProfile.length> profile{};
  std::array<std::uint8_t, layout::kFireKeyTable.length> fireKeyTable{};
  std::array<std::uint8_t, layout::kFireYOffsetTable.length> fireYOffsetTable{};
  std::array<std::uint8_t, layout::kFireColourTable.length> fireColourTable{};
  std::array<std::uint8_t, layout::kFireKey.length> fireKey{};
  std::array<std::uint8_t, layout::kBaseMacroArea.length> baseMacroArea{};
  std::array<std::uint8_t, layout::kFireMacroTable.length> fireMacroTable{};
  std::array<std::uint8_t, layout::kSecondMacroArea.length> secondMacroArea{};
};

// Low 8 bits of the sum of the bytes, exclusive-or 0x5A.
std::uint8_t SectionChecksum(std::span<const std::uint8_t> bytes);

// Integrity checks of the working copies. Each repairs silently with the
// section's fixed default and returns whether it had to.
bool CheckParameterASection(DataBuf& data);
bool CheckParameterBSection(DataBuf& data);  // true when any pair was replaced
bool CheckProfileSection(DataBuf& data);
bool CheckFireKeySection(DataBuf& data);

void ParameterAChecksum(DataBuf& data);
void ProfileChecksum(DataBuf& data);
void FireKeyChecksum(DataBuf& data);

// Which checks had to repair their section during the last split.
struct SplitReport {
  bool parameterARepaired = false;
  bool parameterBRepaired = false;
  bool profileRepaired = false;
  bool fireKeyRepaired = false;
};

// Where later subsystems plug into the split and the assembly. Each is optional.
struct ImageHooks {
  // After the macro areas were copied: split them into the six slots (macro store).
  std::function<void(DataBuf&)> splitMacroSlots;
  // After the fire macro table was copied: fill the fire macro working entries.
  std::function<void(DataBuf&)> splitFireMacros;
  // First step of the assembly: fill the working copies from the settings.
  std::function<void(DataBuf&)> settingsToDataBuf;
  // Before the Profile checksum: put the aim value into the aim buttons.
  std::function<void(DataBuf&)> applyAimValue;
};

// The raw image as read or loaded, and its working copies.
class ParameterImage {
 public:
  Image raw{};
  DataBuf data{};
  ImageHooks hooks;

  // Raw image to working copies, with the checks, in the fixed order.
  // Repairs change only the working copies; the raw image keeps its bytes.
  SplitReport SplitImage();
  // Working copies back into the raw image with fresh checksums; gaps untouched.
  void AssembleImage();
};

}  // namespace orbic::params
