#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "keys/LabelSources.h"
#include "macros/MacroRecord.h"

namespace orbic::device {
class DriverChannel;
}
namespace orbic::macros {
class DriverMacroLibrary;
}

// The macros that buttons use in driver mode: owned copies of library
// records, handed to the filter driver as one block from its macro address.
namespace orbic::drivermacros {

// A button code carries the content address of its copy in two operand bytes,
// 0x0120 + i x 0x800, so only positions 0..31 can be referred to.
inline constexpr std::size_t kMaxDriverSlots = 32;

class DriverSlotList final : public keys::MacroNameSource {
 public:
  std::size_t Count() const { return records_.size(); }
  bool Full() const { return records_.size() >= kMaxDriverSlots; }
  const std::vector<macros::DriverMacroRecord>& Records() const { return records_; }
  const macros::DriverMacroRecord& Record(std::size_t index) const { return records_.at(index); }

  // A new connection starts with an empty list.
  void Clear() { records_.clear(); }

  // Position of the first copy whose name field equals `name` byte for byte.
  std::optional<std::size_t> Find(const macros::NameField& name) const;
  // The copy of `record` already in the list, or a new one at the end; nothing
  // when the list is full and holds no copy of it.
  std::optional<std::size_t> FindOrAppend(const macros::DriverMacroRecord& record);

  // At connection start: the records through the highest one that a button
  // code refers to are read back and appended. No exchange when no button
  // refers to a driver macro. Returns how many were read.
  std::size_t ReadFromDriver(device::DriverChannel& driver,
                             std::span<const std::string> codeStrings);
  // The whole list in order, as the last write of a driver-mode apply; an
  // empty list still sends its frame with length 0.
  bool WriteToDriver(device::DriverChannel& driver) const;

  // After a save of the library: every copy whose name field matches a
  // library record takes that record's content (the first match wins).
  void RefreshDriverWriteMacro(const macros::DriverMacroLibrary& library);

  // The names of the copies in list order, "" for an empty name (LB_MacroName).
  std::vector<std::string> LB_MacroName() const;

  // The copy whose content sits at `address`.
  std::optional<std::string> MacroNameForAddress(std::uint16_t address) const override;

 private:
  std::vector<macros::DriverMacroRecord> records_;
};

}  // namespace orbic::drivermacros
