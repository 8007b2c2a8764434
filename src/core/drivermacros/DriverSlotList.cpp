#include "drivermacros/DriverSlotList.h"

#include <algorithm>

#include "device/DriverChannel.h"
#include "keys/MacroReferences.h"
#include "macros/MacroLibrary.h"

namespace orbic::drivermacros {

std::optional<std::size_t> DriverSlotList::Find(const macros::NameField& name) const {
  const auto found =
      std::find_if(records_.begin(), records_.end(),
                   [&](const macros::DriverMacroRecord& r) { return r.name == name; });
  if (found == records_.end()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(found - records_.begin());
}

std::optional<std::size_t> DriverSlotList::FindOrAppend(const macros::DriverMacroRecord& record) {
  if (const auto existing = Find(record.name)) {
    return existing;
  }
  if (Full()) {
    return std::nullopt;
  }
  records_.push_back(record);
  return records_.size() - 1;
}

std::size_t DriverSlotList::ReadFromDriver(device::DriverChannel& driver,
                                           std::span<const std::string> codeStrings) {
  const std::size_t count = device::DriverMacroRecordCount(codeStrings);
  if (count == 0) {
    return 0;
  }
  std::vector<macros::DriverMacroRecord> read = driver.ReadDriverMacros(count);
  // Two operand bytes reach at most position 31, so a read never holds more;
  // the cap only keeps the list within what codes can address.
  const std::size_t room = kMaxDriverSlots - std::min(kMaxDriverSlots, records_.size());
  const std::size_t taken = std::min(room, read.size());
  records_.insert(records_.end(), read.begin(), read.begin() + static_cast<std::ptrdiff_t>(taken));
  return taken;
}

bool DriverSlotList::WriteToDriver(device::DriverChannel& driver) const {
  return driver.WriteDriverMacros(records_);
}

void DriverSlotList::RefreshDriverWriteMacro(const macros::DriverMacroLibrary& library) {
  for (macros::DriverMacroRecord& copy : records_) {
    for (std::size_t i = 0; i < library.Count(); ++i) {
      if (library.Record(i).name == copy.name) {
        copy.content = library.Record(i).content;
        break;
      }
    }
  }
}

std::vector<std::string> DriverSlotList::LB_MacroName() const {
  std::vector<std::string> names;
  names.reserve(records_.size());
  for (const macros::DriverMacroRecord& record : records_) {
    names.push_back(record.Empty() ? std::string() : macros::DecodeName(record.name));
  }
  return names;
}

std::optional<std::string> DriverSlotList::MacroNameForAddress(std::uint16_t address) const {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    if (keys::DriverMacroAddress(i) == address) {
      return records_[i].Empty() ? std::string() : macros::DecodeName(records_[i].name);
    }
  }
  return std::nullopt;
}

}  // namespace orbic::drivermacros
