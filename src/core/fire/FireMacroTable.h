#pragma once

#include <array>

#include "fire/FireMacroRecord.h"
#include "params/ParameterImage.h"

namespace orbic::fire {

// The working copy of the ten fire macros, kept apart from the 256-byte fire
// area of the image: filled after every split, copied back over the first 240
// bytes of the area only when fire macros are confirmed, so the 16 trailing
// bytes always go out as they were read.
class FireMacroTable {
 public:
  static constexpr std::size_t kWorkingSize = kRecordSize * kFireMacroCount;

  // Fire macro n = 1..10; n outside that range is a programming error.
  FireMacroRecord& Record(int n);
  const FireMacroRecord& Record(int n) const;

  // The first 240 bytes of the area into the working copy.
  void SplitFrom(const params::DataBuf& data);
  // The working copy over the first 240 bytes of the area.
  void CopyInto(params::DataBuf& data) const;
  // Fills the working copy after every split of `image`.
  void BindTo(params::ParameterImage& image);

 private:
  std::array<FireMacroRecord, kFireMacroCount> records_{};
};

// The fire macro tables of the settings: key-table type, Y offset and colour
// of fire macro n = 1..10.
struct FireColour {
  int red = 0;
  int green = 0;
  int blue = 0;
  // The swatch value: R + G x 256 + B x 65536.
  int Swatch() const { return red + green * 256 + blue * 65536; }
  friend bool operator==(const FireColour&, const FireColour&) = default;
};

bool KeyTableStopsOnRelease(const params::DataBuf& data, int n);
std::uint8_t KeyTableType(const params::DataBuf& data, int n);
// 0x0E for stop on release, 0x0B for run to end; the address bytes stay.
void SetKeyTableType(params::DataBuf& data, int n, bool stopOnRelease);
// The stored value byte as a signed offset.
int YOffset(const params::DataBuf& data, int n);
// Value byte and its complement; `offset` is cut to -128..127.
void SetYOffset(params::DataBuf& data, int n, int offset);
FireColour Colour(const params::DataBuf& data, int n);
void SetColour(params::DataBuf& data, int n, const FireColour& colour);

}  // namespace orbic::fire
