#pragma once

#include "params/ParameterImage.h"

namespace orbic::keys {
class KeyAssignments;
}

namespace orbic::drivermacros {

// In driver mode the Fire Key reference carries the fire mode in its type:
// 0x0E while continuous fire is on, 0x06 otherwise. Only buttons holding the
// Fire Key reference change, so a macro that happens to be named "Fire Key"
// keeps its code.
void DriverFireKeyRule(keys::KeyAssignments& keys, params::DataBuf& data, bool continuousFire);

}  // namespace orbic::drivermacros
