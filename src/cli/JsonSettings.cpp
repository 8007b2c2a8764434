#include "cli/JsonSettings.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace orbic::cli {

namespace {

using nlohmann::json;

enum class Kind { kBool, kInt, kString, kIntOrNull, kCountOrContinuous, kColour, kReport };

// One settable (or report-only) place of the decode output. `pattern` has '#'
// for each index; `name` is the image set name with '#' for the index + 1
// (and '@' for a key mode's own key).
struct Field {
  std::string_view pattern;
  Kind kind;
  std::string_view name;
};

// In the order the changes are made.
constexpr Field kFields[] = {
    {"/repaired", Kind::kReport, ""},
    {"/ledType", Kind::kString, "led.type"},
    {"/led/modes/#", Kind::kBool, "led.mode.#"},
    {"/led/on", Kind::kBool, "led.on"},
    {"/led/brightness", Kind::kString, "led.brightness"},
    {"/led/count", Kind::kIntOrNull, "led.count"},
    {"/led/mcuMode", Kind::kIntOrNull, "led.mcuMode"},
    {"/led/rbMode", Kind::kIntOrNull, "led.rbMode"},
    {"/led/step", Kind::kInt, "led.step"},
    {"/ledSwitchMCpi", Kind::kBool, "led.switchMCpi"},
    {"/ledModeLCpi", Kind::kBool, "led.modeLCpi"},
    {"/saveKeyMode", Kind::kString, "saveKeyMode"},
    {"/sensorOrientation", Kind::kString, "sensor"},
    {"/smoothing", Kind::kBool, "smoothing"},
    {"/keyModeSwitch/middle", Kind::kBool, "keyModeSwitch.middle"},
    {"/keyModeSwitch/cpi", Kind::kBool, "keyModeSwitch.cpi"},
    {"/keyModeSwitch/gun", Kind::kBool, "keyModeSwitch.gun"},
    {"/fireFunction", Kind::kString, "fireFunction"},
    {"/dpi/count", Kind::kInt, "dpi.count"},
    {"/dpi/levels/#/step", Kind::kIntOrNull, "dpi.#.step"},
    {"/dpi/levels/#/color", Kind::kColour, "dpi.#.color"},
    {"/dpi/levels/#/text", Kind::kReport, ""},
    {"/dpi/current", Kind::kInt, "dpi.current"},
    {"/buttons/#/#/code", Kind::kString, "button.@.#"},
    {"/buttons/#/#/label", Kind::kReport, ""},
    {"/aim", Kind::kInt, "aim"},
    {"/keyMode", Kind::kInt, "keyMode"},
    {"/vendorCode", Kind::kInt, "vendorCode"},
    {"/productCode", Kind::kInt, "productCode"},
    {"/fireKey/count", Kind::kCountOrContinuous, "fireKey.count"},
    {"/fireKey/interval", Kind::kInt, "fireKey.interval"},
};

bool IsIndex(std::string_view segment) {
  return !segment.empty() && segment.size() <= 3 &&
         std::all_of(segment.begin(), segment.end(),
                     [](char ch) { return std::isdigit(static_cast<unsigned char>(ch)) != 0; });
}

// The pointer's segments, indexes replaced by '#'.
std::string PatternOf(const std::vector<std::string>& segments) {
  std::string pattern;
  for (const std::string& segment : segments) {
    pattern += "/" + (IsIndex(segment) ? std::string("#") : segment);
  }
  return pattern;
}

std::string PointerOf(const std::vector<std::string>& segments) {
  std::string pointer;
  for (const std::string& segment : segments) {
    pointer += "/" + segment;
  }
  return pointer;
}

bool TypeFits(Kind kind, const json& value) {
  switch (kind) {
    case Kind::kBool:
      return value.is_boolean();
    case Kind::kInt:
      return value.is_number_integer();
    case Kind::kString:
      return value.is_string();
    case Kind::kIntOrNull:
      return value.is_number_integer() || value.is_null();
    case Kind::kCountOrContinuous:
      return value.is_number_integer() || value == "continuous";
    case Kind::kColour:
      return value.is_array() && value.size() == 3 &&
             std::all_of(value.begin(), value.end(),
                         [](const json& channel) { return channel.is_number_integer(); });
    case Kind::kReport:
      return true;
  }
  return false;
}

const char* TypeText(Kind kind) {
  switch (kind) {
    case Kind::kBool:
      return "true or false";
    case Kind::kInt:
      return "a whole number";
    case Kind::kString:
      return "a text";
    case Kind::kIntOrNull:
      return "a whole number";
    case Kind::kCountOrContinuous:
      return "a whole number or \"continuous\"";
    case Kind::kColour:
      return "[R, G, B]";
    case Kind::kReport:
      return "";
  }
  return "";
}

// The NAME=VALUE text; indexes of the pointer fill the name's '#' and '@'.
std::string ChangeText(const Field& field, const std::vector<std::string>& segments,
                       const json& value) {
  std::vector<std::string> indexes;
  for (const std::string& segment : segments) {
    if (IsIndex(segment)) {
      indexes.push_back(segment);
    }
  }
  std::string name;
  std::size_t next = 0;
  for (const char ch : field.name) {
    if (ch == '@' && next < indexes.size()) {
      name += indexes[next++];  // a key mode is named by its own number
    } else if (ch == '#' && next < indexes.size()) {
      name += std::to_string(std::stoi(indexes[next++]) + 1);  // list positions count from 1
    } else {
      name += ch;
    }
  }
  std::string text;
  if (value.is_boolean()) {
    text = value.get<bool>() ? "1" : "0";
  } else if (value.is_string()) {
    text = value.get<std::string>();
  } else if (value.is_array()) {
    for (const json& channel : value) {
      text += (text.empty() ? "" : ",") + channel.dump();
    }
  } else {
    text = value.dump();
  }
  return name + "=" + text;
}

struct Walk {
  std::vector<std::pair<std::size_t, JsonSettingChange>> found;  // field index, change
  std::string error;

  bool Visit(const json& node, std::vector<std::string>& segments) {
    const std::string pattern = PatternOf(segments);
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
      const Field& field = kFields[i];
      if (field.pattern != pattern) {
        continue;
      }
      if (!TypeFits(field.kind, node)) {
        error = PointerOf(segments) + ": " + node.dump() + " is not " + TypeText(field.kind);
        return false;
      }
      JsonSettingChange change{PointerOf(segments), node, ""};
      if (field.kind != Kind::kReport) {
        change.change = ChangeText(field, segments, node);
      }
      found.emplace_back(i, std::move(change));
      return true;
    }
    const bool leadsToField =
        std::any_of(std::begin(kFields), std::end(kFields),
                    [&](const Field& f) { return f.pattern.starts_with(pattern + "/"); });
    if (!leadsToField || !(node.is_object() || node.is_array())) {
      error = segments.empty() ? std::string("the settings must be a JSON object")
                               : PointerOf(segments) + ": unknown key (value " + node.dump() + ")";
      return false;
    }
    if (node.is_object()) {
      for (const auto& [key, child] : node.items()) {
        segments.push_back(key);
        const bool ok = Visit(child, segments);
        segments.pop_back();
        if (!ok) {
          return false;
        }
      }
      return true;
    }
    for (std::size_t i = 0; i < node.size(); ++i) {
      segments.push_back(std::to_string(i));
      const bool ok = Visit(node[i], segments);
      segments.pop_back();
      if (!ok) {
        return false;
      }
    }
    return true;
  }
};

}  // namespace

bool JsonSettingChanges(const json& settings, std::vector<JsonSettingChange>& changes,
                        std::string& error) {
  if (!settings.is_object()) {
    error = "the settings must be a JSON object, as decode --json prints them";
    return false;
  }
  Walk walk;
  std::vector<std::string> segments;
  if (!walk.Visit(settings, segments)) {
    error = walk.error;
    return false;
  }
  std::stable_sort(walk.found.begin(), walk.found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  changes.clear();
  for (auto& [index, change] : walk.found) {
    changes.push_back(std::move(change));
  }
  return true;
}

}  // namespace orbic::cli
