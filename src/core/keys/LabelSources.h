#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "keys/KeyCode.h"

// What a code's label needs from the macro and fire macro subsystems.
namespace orbic::keys {

// Names the macro a reference points at: in memory mode the base macro slot
// with that address, in driver mode the driver list entry with that address.
class MacroNameSource {
 public:
  virtual ~MacroNameSource() = default;
  virtual std::optional<std::string> MacroNameForAddress(std::uint16_t address) const = 0;
};

// No macro is known: every macro reference gets an empty label.
class NullMacroNameSource final : public MacroNameSource {
 public:
  std::optional<std::string> MacroNameForAddress(std::uint16_t) const override {
    return std::nullopt;
  }
};

// The engineer's list of defined gun keys.
class GunKeySource {
 public:
  virtual ~GunKeySource() = default;
  // Position 1..10 of the gun key in the list, when the list is in use and
  // holds it.
  virtual std::optional<int> GunKeyPosition(const KeyCode& code) const = 0;
};

// No engineer gun-key list: gun keys are labelled by their preset only.
class NullGunKeySource final : public GunKeySource {
 public:
  std::optional<int> GunKeyPosition(const KeyCode&) const override { return std::nullopt; }
};

}  // namespace orbic::keys
