#include "macros/MacroSlots.h"

#include <algorithm>
#include <span>

#include "keys/MacroReferences.h"

namespace orbic::macros {
namespace {

// Image offset of each slot's record; slots 5 and 6 follow the fire macro area.
constexpr std::array<std::size_t, kSlotCount> kSlotImageOffsets = {0x100, 0x200, 0x300,
                                                                   0x400, 0x600, 0x700};

// A slot's address in a button's code is that of its length byte, content byte 1.
constexpr bool AddressesMatchOffsets() {
  for (std::size_t i = 0; i < kSlotCount; ++i) {
    if (kSlotImageOffsets[i] + kNameFieldSize + 1 != keys::kBaseMacroAddresses[i]) {
      return false;
    }
  }
  return true;
}
static_assert(AddressesMatchOffsets());
static_assert(kBaseAreaSlotCount * kRecordSize == params::layout::kBaseMacroArea.length);
static_assert((kSlotCount - kBaseAreaSlotCount) * kRecordSize ==
              params::layout::kSecondMacroArea.length);

// The slot's 256 bytes inside whichever working copy holds them.
template <typename Data>
auto SlotBytes(Data& data, std::size_t index) {
  const std::size_t offset = kSlotImageOffsets[index];
  if (offset < params::layout::kSecondMacroArea.offset) {
    return std::span(data.baseMacroArea)
        .subspan(offset - params::layout::kBaseMacroArea.offset, kRecordSize);
  }
  return std::span(data.secondMacroArea)
      .subspan(offset - params::layout::kSecondMacroArea.offset, kRecordSize);
}

}  // namespace

SlotNames MacroSlots::NameFields() const {
  SlotNames names{};
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    names[i] = slots_[i].record.name;
  }
  return names;
}

void MacroSlots::ReadAndRefreshMacro(const params::DataBuf& data) {
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    MacroSlot& slot = slots_[i];
    slot.record = MacroRecord::FromBytes(SlotBytes(data, i));
    // Slots 5 and 6 are checked too: a damaged macro reaching a button is
    // worse than an emptied one.
    slot.emptiedByCheck = CheckMacroContentBuf(slot.record.content);
  }
}

void MacroSlots::RefreshBaseMacroBuf(params::DataBuf& data) const {
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    const auto bytes = slots_[i].record.Bytes();
    std::ranges::copy(bytes, SlotBytes(data, i).begin());
  }
}

void MacroSlots::Store(int slot, const MacroRecord& record) {
  if (slot < 1 || slot > kSlotCount) {
    return;
  }
  slots_[static_cast<std::size_t>(slot - 1)] = {record, false};
}

std::array<std::string, kSlotCount> MacroSlots::LB_MacroName() const {
  std::array<std::string, kSlotCount> names;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (!slots_[i].record.Empty()) {
      names[i] = DecodeName(slots_[i].record.name);
    }
  }
  return names;
}

std::optional<std::string> MacroSlots::MacroNameForAddress(std::uint16_t address) const {
  const std::optional<int> slot = keys::BaseMacroSlotForAddress(address);
  if (!slot || Slot(*slot).record.Empty()) {
    return std::nullopt;
  }
  return DecodeName(Slot(*slot).record.name);
}

}  // namespace orbic::macros
