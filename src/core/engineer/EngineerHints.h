#pragma once

#include <string_view>

namespace orbic::engineer {

// The notes-line text of an engineer page control: its own hint (by name, or
// by name family such as the fire macro colour edits), else the hint of the
// group box it lies in (`group`, empty when none); empty when neither has one.
std::string_view EngineerHint(std::string_view control, std::string_view group);

}  // namespace orbic::engineer
