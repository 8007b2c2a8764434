#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace orbic::cli {

// A setting of `decode --json` turned into the `image set` change that makes it.
struct JsonSettingChange {
  std::string pointer;  // where it is in the JSON: "/dpi/levels/2/color"
  nlohmann::json value;
  std::string change;  // NAME=VALUE for ApplySettingChange; empty for report-only keys
};

// The settings of a `decode --json` text (all of it or any subset of its keys),
// in the order the pages must take them (a DPI count before the current
// level, mode check boxes before the current mode, buttons before the aim).
// Returns false with `error` naming the key and the value when a key is not one
// decode prints or a value has the wrong type.
bool JsonSettingChanges(const nlohmann::json& settings, std::vector<JsonSettingChange>& changes,
                        std::string& error);

}  // namespace orbic::cli
