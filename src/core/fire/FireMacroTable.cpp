#include "fire/FireMacroTable.h"

#include <algorithm>
#include <cassert>

#include "keys/KeyCode.h"
#include "params/ImageFields.h"

namespace orbic::fire {
namespace {

using params::fire_tables::kColourEntryLength;
using params::fire_tables::kKeyEntryLength;
using params::fire_tables::kYOffsetEntryLength;

std::size_t Index(int n) {
  assert(n >= 1 && n <= kFireMacroCount);
  return static_cast<std::size_t>(std::clamp(n, 1, kFireMacroCount) - 1);
}

std::uint8_t ColourByte(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

FireMacroRecord& FireMacroTable::Record(int n) {
  return records_[Index(n)];
}

const FireMacroRecord& FireMacroTable::Record(int n) const {
  return records_[Index(n)];
}

void FireMacroTable::SplitFrom(const params::DataBuf& data) {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    std::copy_n(data.fireMacroTable.begin() + static_cast<std::ptrdiff_t>(i * kRecordSize),
                kRecordSize, records_[i].begin());
  }
}

void FireMacroTable::CopyInto(params::DataBuf& data) const {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    std::copy(records_[i].begin(), records_[i].end(),
              data.fireMacroTable.begin() + static_cast<std::ptrdiff_t>(i * kRecordSize));
  }
}

void FireMacroTable::BindTo(params::ParameterImage& image) {
  image.hooks.splitFireMacros = [this](params::DataBuf& data) { SplitFrom(data); };
}

std::uint8_t KeyTableType(const params::DataBuf& data, int n) {
  return data.fireKeyTable[Index(n) * kKeyEntryLength];
}

bool KeyTableStopsOnRelease(const params::DataBuf& data, int n) {
  return KeyTableType(data, n) == keys::code_type::kMacroWhileHeld;
}

void SetKeyTableType(params::DataBuf& data, int n, bool stopOnRelease) {
  data.fireKeyTable[Index(n) * kKeyEntryLength] =
      stopOnRelease ? keys::code_type::kMacroWhileHeld : keys::code_type::kFireMacroRunToEnd;
}

int YOffset(const params::DataBuf& data, int n) {
  return static_cast<std::int8_t>(data.fireYOffsetTable[Index(n) * kYOffsetEntryLength]);
}

void SetYOffset(params::DataBuf& data, int n, int offset) {
  const std::size_t at = Index(n) * kYOffsetEntryLength;
  const auto value =
      static_cast<std::uint8_t>(static_cast<std::int8_t>(std::clamp(offset, -128, 127)));
  data.fireYOffsetTable[at] = value;
  data.fireYOffsetTable[at + 1] = static_cast<std::uint8_t>(~value);
}

FireColour Colour(const params::DataBuf& data, int n) {
  const std::size_t at = Index(n) * kColourEntryLength;
  return {data.fireColourTable[at], data.fireColourTable[at + 1], data.fireColourTable[at + 2]};
}

void SetColour(params::DataBuf& data, int n, const FireColour& colour) {
  const std::size_t at = Index(n) * kColourEntryLength;
  data.fireColourTable[at] = ColourByte(colour.red);
  data.fireColourTable[at + 1] = ColourByte(colour.green);
  data.fireColourTable[at + 2] = ColourByte(colour.blue);
}

}  // namespace orbic::fire
