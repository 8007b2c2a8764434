#pragma once

#include <optional>
#include <string>

#include "fire/GunKeyList.h"
#include "keys/ButtonAssignment.h"
#include "keys/KeyAssignments.h"
#include "params/ParameterImage.h"

namespace orbic::engineer {

// The number of the engineer button the function menu edits: 101..109 for
// key mode 1, 201..209 for key mode 2; -1 for a target that names none.
int EngineerTargetNumber(const keys::EditingTarget& target);

// LB_ScriptClick: gun-key entry `entry` (1-based) chosen for engineer button
// `target` (101..109, 201..209). The entry's code goes into that button's
// code string and its Profile bytes. Returns the button's new caption ("Fire
// Macro" and the entry number), or nothing when the target names no button
// or the list has no such entry; nothing is changed then. The left-click
// rule of the function menu does not apply to this choice.
std::optional<std::string> LB_ScriptClick(int target, int entry, const fire::GunKeyList& list,
                                          keys::KeyAssignments& keys, params::DataBuf& data);

}  // namespace orbic::engineer
