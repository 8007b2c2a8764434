#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "macros/MacroLines.h"

// One set of the three recording delay options (measured, a fixed number of
// milliseconds from an edit field, none) with its edit field. The macro page
// has two such sets: the recording group and the insert panel.
namespace orbic::macros {

inline constexpr int kMaxDelayFieldMs = 2040;
// Lamp pictures of the chosen option and of the others.
inline constexpr std::string_view kLampOn = "RdS_E";
inline constexpr std::string_view kLampOff = "RdS_D";
// Colour of the delay field while it cannot be edited (R + G * 256 + B * 65536).
inline constexpr std::uint32_t kGreyedFieldColour = 0x717172;

// Limits of a delay field: the recording group's field takes three digits, the
// insert panel's five with 50 ms to start with.
struct DelayFieldRules {
  std::size_t maxChars = 3;
  std::string initialText = "0";
};

inline DelayFieldRules RecordDelayFieldRules() {
  return {3, "0"};
}
inline DelayFieldRules InsertDelayFieldRules() {
  return {5, "50"};
}

class DelayOptions {
 public:
  explicit DelayOptions(DelayFieldRules rules = RecordDelayFieldRules());

  DelayMode Mode() const { return mode_; }
  // A click on an option; ignored while a recording holds the options.
  void Choose(DelayMode mode);
  // The lamp picture of an option.
  std::string_view Lamp(DelayMode mode) const { return mode == mode_ ? kLampOn : kLampOff; }

  const std::string& FieldText() const { return fieldText_; }
  // The field's milliseconds: an empty field counts 0.
  int FieldValue() const;
  // The user typed: only digits are kept, at most the field's length, and a
  // value above 2040 becomes 2040. Ignored while locked.
  void FieldChange(std::string_view typed);
  // Set by the program (a decoded macro's fixed delay); clamped to 0..2040.
  void SetFieldValue(int ms);
  // Editable only under a fixed delay and while no recording runs.
  bool FieldEditable() const { return !locked_ && mode_ == DelayMode::kDefault; }

  // A recording holds the options: the group is disabled and the field greyed.
  bool Locked() const { return locked_; }
  void SetLocked(bool locked) { locked_ = locked; }

  // Header line 0 of a macro recorded under these options.
  std::string HeaderLine() const;
  // Bytes a down event must leave free for what follows it: its own release
  // without delays, else room for delay pairs too.
  int Reserve() const { return mode_ == DelayMode::kNone ? 4 : 10; }

 private:
  DelayFieldRules rules_;
  DelayMode mode_ = DelayMode::kRecord;
  std::string fieldText_;
  bool locked_ = false;
};

}  // namespace orbic::macros
