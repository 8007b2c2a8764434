#pragma once

#include <string>

#include "app/SettingsModel.h"
#include "base/UiHost.h"
#include "ui/MessageStrings.h"

namespace orbic::fire {
class FirePage;
}

namespace orbic::cli {

// One NAME=VALUE change of `image set`, made through the same handlers a user
// drives on the pages. Returns an empty string, or what was wrong.
std::string ApplySettingChange(orbic::app::SettingsModel& model, params::DataBuf& data,
                               const ui::MessageStrings& messages, const std::string& change);

// Whether `change` belongs to the fire page: fire.N.NAME=VALUE, or
// button.M.N=gun:G (a gun preset confirmed for a button).
bool IsFireSettingChange(const std::string& change);

// One such change, made through the fire page's edit rules and its Confirm.
// Returns an empty string, or what was wrong (nothing is changed then).
std::string ApplyFireSettingChange(fire::FirePage& page, params::DataBuf& data,
                                   const ui::MessageStrings& messages, const std::string& change);

// The names `image set` understands, for the help text.
const char* SettingNamesHelp();

}  // namespace orbic::cli
