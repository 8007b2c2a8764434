#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "app/SettingsModel.h"
#include "params/ParameterImage.h"

namespace orbic::cli {

// The settings as the pages show them after the split and its repairs.
nlohmann::json SettingsJson(const orbic::app::SettingsModel& model, const params::Image& raw,
                            const params::SplitReport& split);

// The same, for people.
void PrintSettings(std::ostream& out, const nlohmann::json& settings);

}  // namespace orbic::cli
