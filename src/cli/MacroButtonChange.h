#pragma once

#include <string>

#include "app/SettingsModel.h"
#include "ui/MessageStrings.h"

namespace orbic::cli {

// The value prefix of `button.M.N=macro:LIBRARY:INDEX`.
inline constexpr std::string_view kMacroValuePrefix = "macro:";

// Assigns macro INDEX (0..99, the position in the macro list) of the macro
// library file LIBRARY to button `button` of key mode `keyMode`, as the main
// page's macro list does: a slot among 1..6, the slot's content and the
// button's code. `reference` is "LIBRARY:INDEX"; the library may itself hold
// colons. Returns "" or what was wrong, prefixed with `name`.
std::string AssignLibraryMacro(orbic::app::SettingsModel& model, const ui::MessageStrings& messages,
                               const std::string& name, int keyMode, int button,
                               const std::string& reference);

}  // namespace orbic::cli
