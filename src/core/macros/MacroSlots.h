#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "keys/LabelSources.h"
#include "macros/MacroRecord.h"
#include "macros/SlotChoice.h"
#include "params/ParameterImage.h"

namespace orbic::macros {

// One of the six macros the mouse holds, as the last read left it.
struct MacroSlot {
  MacroRecord record;
  // The read found content that failed its checksum and cleared it (the name
  // stays), so a damaged macro never plays.
  bool emptiedByCheck = false;
};

// The six base macro slots, kept in step with the image's two macro areas:
// slots 1..4 at 0x100, 0x200, 0x300, 0x400 and slots 5, 6 at 0x600, 0x700.
// In memory mode the slots also name the macros that buttons refer to.
class MacroSlots final : public keys::MacroNameSource {
 public:
  // Slot 1..6.
  const MacroSlot& Slot(int slot) const { return slots_.at(static_cast<std::size_t>(slot - 1)); }
  SlotNames NameFields() const;

  // Splits both macro areas of the working copies into the slots and checks
  // every slot's content; a failing one is cleared.
  void ReadAndRefreshMacro(const params::DataBuf& data);
  // All six slots back into the macro areas of the working copies.
  void RefreshBaseMacroBuf(params::DataBuf& data) const;
  // A macro's name field and content into slot 1..6; other numbers are ignored.
  void Store(int slot, const MacroRecord& record);

  // The six slot names in slot order, "" for an empty slot (LB_MacroName).
  std::array<std::string, kSlotCount> LB_MacroName() const;

  // The name of the slot at `address`; nothing for an empty slot or an
  // address that is no slot's.
  std::optional<std::string> MacroNameForAddress(std::uint16_t address) const override;

 private:
  std::array<MacroSlot, kSlotCount> slots_{};
};

}  // namespace orbic::macros
