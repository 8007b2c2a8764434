#include "ui/BehaviourConfig.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>
#include <type_traits>
#include <variant>

#include "base/Resources.h"
#include "ui/IniFile.h"

namespace orbic::ui {
namespace {

constexpr std::string_view kResourceName = "org";
constexpr std::string_view kSection = "org";

// Ap_Mode 1 is driver mode; every other value keeps memory (EEPROM) mode.
constexpr int kDriverApMode = 1;
// Number of entries in the DPI step list ("500" .. "8000"). The sliders divide by
// DPI_Count and index the list with it, so it must stay within 1..12.
constexpr int kDpiStepCount = 12;

constexpr int kNoLimitLow = std::numeric_limits<int>::min();
constexpr int kNoLimitHigh = std::numeric_limits<int>::max();

using Target =
    std::variant<bool BehaviourConfig::*, int BehaviourConfig::*, std::string BehaviourConfig::*>;

struct KeyRule {
  std::string_view key;
  Target target;
  int low = kNoLimitLow;
  int high = kNoLimitHigh;
  // Out-of-range values are corrected silently by the shipped program for the gun
  // and order keys; other limits guard the code that uses the value, so say so.
  bool reportClamp = false;
  // Runs right after the key was read.
  void (*then)(BehaviourConfig&) = nullptr;
};

void ApplyApMode(BehaviourConfig& config) {
  config.eepromMode = config.apMode != kDriverApMode;
  if (!config.eepromMode) {
    config.gdEnable = false;
  }
}

// In reading order, so Ap_Mode takes effect after GD_Enable and before DPI_Count.
const std::array<KeyRule, 15> kRules = {{
    {"Web_Enable", &BehaviourConfig::webEnable},
    {"Web", &BehaviourConfig::web},
    {"Web_X", &BehaviourConfig::webX},
    {"Web_Y", &BehaviourConfig::webY},
    {"Rev_Manu_ID", &BehaviourConfig::revManuId},
    {"Rev_Pro_ID", &BehaviourConfig::revProId},
    {"Path", &BehaviourConfig::path},
    {"TR_Enable", &BehaviourConfig::trEnable},
    {"GD_Enable", &BehaviourConfig::gdEnable},
    {"DPILED_Status", &BehaviourConfig::dpiLedStatus},
    {"Gun6_Num", &BehaviourConfig::gun6Num, 1, 2},
    {"Gun7_Num", &BehaviourConfig::gun7Num, 1, 3},
    {"Num_Order", &BehaviourConfig::numOrder, 0, 1},
    {"Ap_Mode", &BehaviourConfig::apMode, kNoLimitLow, kNoLimitHigh, false, ApplyApMode},
    {"DPI_Count", &BehaviourConfig::dpiCount, 1, kDpiStepCount, true},
}};

std::string Describe(const KeyRule& rule, std::string_view problem) {
  std::string line = "[";
  line.append(kSection).append("] ").append(rule.key).append(": ").append(problem);
  return line;
}

std::string ShippedValueText(const BehaviourConfig& shipped, const KeyRule& rule) {
  return std::visit(
      [&](auto member) -> std::string {
        const auto& value = shipped.*member;
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
          return "\"" + value + "\"";
        } else {
          return std::to_string(static_cast<int>(value));
        }
      },
      rule.target);
}

void ReadRule(const IniFile& ini, const KeyRule& rule, BehaviourConfig& config,
              std::vector<std::string>& problems) {
  const BehaviourConfig shipped;
  const std::string keepShipped =
      "; the shipped value " + ShippedValueText(shipped, rule) + " is used";
  if (auto* text = std::get_if<std::string BehaviourConfig::*>(&rule.target)) {
    if (std::optional<std::string> value = ini.Value(kSection, rule.key)) {
      config.** text = std::move(*value);
    } else {
      problems.push_back(Describe(rule, "key is missing" + keepShipped));
    }
    return;
  }
  if (!ini.Value(kSection, rule.key)) {
    problems.push_back(Describe(rule, "key is missing" + keepShipped));
    return;
  }
  const std::optional<int> number = ini.IntValue(kSection, rule.key);
  if (!number) {
    problems.push_back(Describe(rule, "value \"" + *ini.Value(kSection, rule.key) +
                                          "\" is not a decimal integer" + keepShipped));
    return;
  }
  if (auto* flag = std::get_if<bool BehaviourConfig::*>(&rule.target)) {
    config.** flag = *number == 1;
    return;
  }
  const int clamped = std::clamp(*number, rule.low, rule.high);
  if (rule.reportClamp && clamped != *number) {
    problems.push_back(Describe(
        rule, "value " + std::to_string(*number) + " is outside " + std::to_string(rule.low) +
                  ".." + std::to_string(rule.high) + "; " + std::to_string(clamped) + " is used"));
  }
  config.*std::get<int BehaviourConfig::*>(rule.target) = clamped;
}

}  // namespace

BehaviourConfig ReadBehaviourConfiguration(const IniFile& ini, std::vector<std::string>& problems) {
  BehaviourConfig config;
  if (!ini.HasSection(kSection)) {
    problems.push_back("section [" + std::string(kSection) +
                       "] is missing; all shipped values are used");
    return config;
  }
  for (const KeyRule& rule : kRules) {
    ReadRule(ini, rule, config, problems);
    if (rule.then != nullptr) {
      rule.then(config);
    }
  }
  return config;
}

BehaviourConfig LoadEmbeddedBehaviourConfiguration(std::vector<std::string>& problems) {
  const auto resource = FindResource(kResourceName);
  if (!resource) {
    problems.push_back("embedded resource \"" + std::string(kResourceName) +
                       "\" is missing; all shipped values are used");
    return BehaviourConfig{};
  }
  const std::string_view text(reinterpret_cast<const char*>(resource->data()), resource->size());
  return ReadBehaviourConfiguration(IniFile::Parse(text), problems);
}

}  // namespace orbic::ui
