#include "cli/SettingsReport.h"

#include <charconv>

#include "params/DeviceOptions.h"
#include "params/ImageFields.h"

namespace orbic::cli {

namespace {

using nlohmann::json;

constexpr std::array<const char*, 4> kLedTypeTexts{"MCU LED", "RB LED", "Sync LED", "Breath LED"};

std::optional<int> Number(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

json OptionalIndex(int index) {
  return index < 0 ? json(nullptr) : json(index);
}

json Dpi(const perf::DpiPage& page) {
  const perf::DpiControls& c = page.Controls();
  json levels = json::array();
  for (const perf::DpiLevelControls& level : c.levels) {
    const int step = level.cb_CPI.value_or(255);
    json colour = json::array();
    for (const std::string& channel : level.edt_CPI) {
      colour.push_back(Number(channel).value_or(0));
    }
    levels.push_back({{"step", step},
                      {"text", level.cb_CPI ? page.GetDisplayByIndex(step + 1) : std::string()},
                      {"color", colour}});
  }
  return {{"count", c.levelCount}, {"current", c.cb_CurrentCPI + 1}, {"levels", levels}};
}

json Led(const perf::LightingPage& page) {
  const perf::LightingControls& c = page.Controls();
  const std::optional<int> count = Number(c.edt_MCULEDNum);
  return {{"on", c.rb_LEDOn},
          {"brightness", c.rb_MCULED3Control ? "All Ligth" : "Half Ligth"},
          {"count", count && *count >= 4 && *count <= 13 ? json(*count) : json(nullptr)},
          {"modes", c.cb_Mode},
          {"mcuMode", OptionalIndex(c.cb_MCULEDCurrentMode.itemIndex)},
          {"rbMode", OptionalIndex(c.cb_RBLEDCurrentMode.itemIndex)},
          {"step", Number(c.edt_MCULEDCrtStep).value_or(0)}};
}

json Buttons(const orbic::app::SettingsModel& model) {
  json buttons = json::object();
  for (int mode = 1; mode <= keys::kKeyModes; ++mode) {
    json list = json::array();
    for (int button = 1; button <= keys::kButtons; ++button) {
      list.push_back(
          {{"code", model.keys.Code(mode, button)}, {"label", model.keys.Label(mode, button)}});
    }
    buttons[std::to_string(mode)] = list;
  }
  return buttons;
}

}  // namespace

json SettingsJson(const orbic::app::SettingsModel& model, const params::Image& raw,
                  const params::SplitReport& split) {
  json pairs = json::array();
  for (std::size_t pair = 0; pair < params::parameter_b::kPairCount; ++pair) {
    const std::size_t at = params::layout::kParameterB.offset + 2 * pair;
    pairs.push_back(raw[at] + raw[at + 1] != 0xFF);
  }
  const perf::LightingControls& light = model.lighting.Controls();
  const params::DeviceOptions& options = model.options;
  return {
      {"repaired",
       {{"parameterA", split.parameterARepaired},
        {"parameterB", pairs},
        {"profile", split.profileRepaired},
        {"fireKey", split.fireKeyRepaired}}},
      {"ledType", kLedTypeTexts[perf::Index(light.ledTypeRadio)]},
      {"sensorOrientation",
       params::kSensorOrientations[static_cast<std::size_t>(options.sensorOrientation)].text},
      {"saveKeyMode", light.rb_Save ? "Save" : "No Save"},
      {"ledSwitchMCpi", light.rb_B4CPIOn},
      {"ledModeLCpi", light.rb_LCPIOn},
      {"smoothing", options.smooth},
      {"keyModeSwitch",
       {{"middle", options.midPress}, {"cpi", options.cpiPress}, {"gun", options.gunPress}}},
      {"fireFunction", options.fireFnLeftKey ? "Left Key" : "Fn+Left Key"},
      {"dpi", Dpi(model.dpi)},
      {"aim", model.dpi.Controls().aimValue},
      {"led", Led(model.lighting)},
      {"keyMode", model.lighting.KeyModeIndex() + 1},
      {"vendorCode", options.vendorCode},
      {"productCode", options.productCode},
      {"buttons", Buttons(model)},
      {"fireKey",
       {{"count", options.continuousFire ? json("continuous") : json(options.fireCountIndex + 1)},
        {"interval", options.fireTime}}},
  };
}

void PrintSettings(std::ostream& out, const json& s) {
  const json& repaired = s["repaired"];
  auto state = [](bool repairedSection) { return repairedSection ? "repaired" : "ok"; };
  const json& pairs = repaired["parameterB"];
  const bool pairRepaired = pairs[0].get<bool>() || pairs[1].get<bool>() || pairs[2].get<bool>();
  out << "Sections: Parameter A " << state(repaired["parameterA"]) << ", Parameter B "
      << state(pairRepaired) << ", Profile " << state(repaired["profile"]) << ", Fire Key "
      << state(repaired["fireKey"]) << "\n";
  const json& dpi = s["dpi"];
  out << "DPI levels: " << dpi["count"].get<int>() << ", current level "
      << dpi["current"].get<int>() << ", aim step " << s["aim"].get<int>() << "\n";
  int number = 1;
  for (const json& level : dpi["levels"]) {
    const json& c = level["color"];
    out << "  CPI " << number++ << ": "
        << (level["text"].get<std::string>().empty() ? std::string("(none)")
                                                     : level["text"].get<std::string>())
        << "  colour " << c[0].get<int>() << "," << c[1].get<int>() << "," << c[2].get<int>()
        << "\n";
  }
  const json& led = s["led"];
  out << "LED: " << s["ledType"].get<std::string>() << ", "
      << (led["on"].get<bool>() ? "on" : "off") << ", " << led["brightness"].get<std::string>()
      << ", count "
      << (led["count"].is_null() ? std::string("?") : std::to_string(led["count"].get<int>()))
      << ", modes";
  for (std::size_t mode = 0; mode < led["modes"].size(); ++mode) {
    if (led["modes"][mode].get<bool>()) {
      out << ' ' << mode + 1;
    }
  }
  // The current mode of the LED type shown; the other type's list is not stored.
  const std::string& ledType = s["ledType"].get_ref<const std::string&>();
  const json none;
  const json& current = ledType == kLedTypeTexts[0]   ? led["mcuMode"]
                        : ledType == kLedTypeTexts[1] ? led["rbMode"]
                                                      : none;
  out << ", current mode "
      << (current.is_null() ? std::string("none") : std::to_string(current.get<int>() + 1))
      << ", step " << led["step"].get<int>() << "\n";
  std::string switches;
  for (const auto& [key, text] : {std::pair{"middle", "middle press"},
                                  std::pair{"cpi", "DPI press"}, std::pair{"gun", "gun key"}}) {
    if (s["keyModeSwitch"][key].get<bool>()) {
      switches += switches.empty() ? text : std::string(", ") + text;
    }
  }
  out << "Key-mode switch: " << (switches.empty() ? std::string("none") : switches) << "\n";
  out << "Switches: LED on/off by M+CPI " << (s["ledSwitchMCpi"].get<bool>() ? "on" : "off")
      << ", LED mode by L+CPI " << (s["ledModeLCpi"].get<bool>() ? "on" : "off") << ", "
      << s["saveKeyMode"].get<std::string>() << ", sensor "
      << s["sensorOrientation"].get<std::string>() << ", smoothing "
      << (s["smoothing"].get<bool>() ? "on" : "off") << ", fire trigger "
      << s["fireFunction"].get<std::string>() << "\n";
  out << "Key mode: " << s["keyMode"].get<int>() << "\n";
  for (const char* mode : {"1", "2"}) {
    out << "Key mode " << mode << " buttons:\n";
    int button = 1;
    for (const json& entry : s["buttons"][mode]) {
      out << "  " << button++ << ": " << entry["code"].get<std::string>() << "  "
          << entry["label"].get<std::string>() << "\n";
    }
  }
  const json& fire = s["fireKey"];
  out << "Fire key: "
      << (fire["count"].is_string() ? std::string("continuous")
                                    : std::to_string(fire["count"].get<int>()) + " shots")
      << ", interval " << fire["interval"].get<int>() << "\n";
  out << "Vendor code " << s["vendorCode"].get<int>() << ", product code "
      << s["productCode"].get<int>() << "\n";
}

}  // namespace orbic::cli
