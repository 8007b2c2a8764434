#pragma once

#include <string>

#include "sim/SimulatedMouse.h"

namespace orbic::sim {

// A simulated mouse kept in a file (JSON), so one mouse can serve several runs
// of the command-line tool or the demo mode. Saving is atomic.
bool SaveMouseState(const std::string& path, const SimulatedMouse& mouse, std::string& error);
// On failure `mouse` is left unchanged and `error` says what was wrong.
bool LoadMouseState(const std::string& path, SimulatedMouse& mouse, std::string& error);

}  // namespace orbic::sim
