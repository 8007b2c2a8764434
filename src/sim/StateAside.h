#pragma once

#include <string>

namespace orbic::sim {

// A state file that cannot be loaded is renamed to "<path>.damaged-<time>"
// instead of being replaced by a fresh state at exit, so what it held can
// still be looked at. Returns the new name; empty with `error` when the
// rename failed.
std::string SetStateAside(const std::string& path, std::string& error);

}  // namespace orbic::sim
