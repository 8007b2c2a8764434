#pragma once

#include <string>

#include "app/UiHost.h"
#include "params/SettingsModel.h"
#include "ui/MessageStrings.h"

namespace orbic::cli {

// One NAME=VALUE change of `image set`, made through the same handlers a user
// drives on the pages. Returns an empty string, or what was wrong.
std::string ApplySettingChange(params::SettingsModel& model, params::DataBuf& data,
                               const ui::MessageStrings& messages, const std::string& change);

// The names `image set` understands, for the help text.
const char* SettingNamesHelp();

}  // namespace orbic::cli
