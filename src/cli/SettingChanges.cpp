#include "cli/SettingChanges.h"

#include "cli/MacroButtonChange.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

#include "fire/FirePage.h"
#include "fire/FireParameterRules.h"
#include "keys/CodeLabels.h"
#include "keys/FixedFunctions.h"
#include "keys/KeyCode.h"
#include "params/DeviceOptions.h"

namespace orbic::cli {

namespace {

std::optional<int> Integer(const std::string& text, int min, int max) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < min ||
      value > max) {
    return std::nullopt;
  }
  return value;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at - start));
    if (at == std::string::npos) {
      return parts;
    }
    start = at + 1;
  }
}

std::string Range(const std::string& name, const std::string& value, int min, int max) {
  return name + ": '" + value + "' is not a number from " + std::to_string(min) + " to " +
         std::to_string(max);
}

struct Change {
  orbic::app::SettingsModel& model;
  params::DataBuf& data;
  const ui::MessageStrings& messages;
  const std::string& name;
  const std::vector<std::string>& path;
  const std::string& value;
};

// Each handler returns "" or the problem.
using Handler = std::function<std::string(const Change&)>;

std::string DpiLevel(const Change& c) {
  const auto level = Integer(c.path[1], 1, 7);
  if (!level) {
    return c.name + ": the level must be 1..7";
  }
  if (c.path[2] == "step") {
    const auto step = Integer(c.value, 0, 11);
    if (!step) {
      return Range(c.name, c.value, 0, 11);
    }
    c.model.dpi.cb_CPIChange(*level, *step);
    return "";
  }
  if (c.path[2] == "color") {
    const std::vector<std::string> rgb = Split(c.value, ',');
    if (rgb.size() != 3 || !Integer(rgb[0], 0, 255) || !Integer(rgb[1], 0, 255) ||
        !Integer(rgb[2], 0, 255)) {
      return c.name + ": '" + c.value + "' is not R,G,B with each 0..255";
    }
    const perf::ColourChannel channels[] = {perf::ColourChannel::kRed, perf::ColourChannel::kGreen,
                                            perf::ColourChannel::kBlue};
    for (int i = 0; i < 3; ++i) {
      c.model.dpi.edt_CPIColourChange(*level, channels[i], rgb[static_cast<std::size_t>(i)]);
    }
    return "";
  }
  return "unknown setting " + c.name;
}

// An on/off pair of radio buttons of the lighting page, from 0 or 1.
std::string Switch(const Change& c, void (perf::LightingPage::*on)(),
                   void (perf::LightingPage::*off)()) {
  const auto value = Integer(c.value, 0, 1);
  if (!value) {
    return Range(c.name, c.value, 0, 1);
  }
  (c.model.lighting.*(*value ? on : off))();
  return "";
}

// A check box of the engineer page, from 0 or 1; the page sets the option as it is clicked.
std::string Option(const Change& c, bool params::DeviceOptions::*option) {
  const auto value = Integer(c.value, 0, 1);
  if (!value) {
    return Range(c.name, c.value, 0, 1);
  }
  c.model.options.*option = *value == 1;
  return "";
}

// The engineer page's vendor and product code fields: one byte each.
std::string Code(const Change& c, int params::DeviceOptions::*code) {
  const auto value = Integer(c.value, 0, 255);
  if (!value) {
    return Range(c.name, c.value, 0, 255);
  }
  c.model.options.*code = *value;
  return "";
}

// led.mode.N=0|1: the MCU LED mode check box N (1..7) of the engineer page.
std::string LedMode(const Change& c) {
  const auto mode = Integer(c.path[2], 1, static_cast<int>(perf::kLedModeCount));
  if (!mode) {
    return c.name + ": the mode must be 1.." + std::to_string(perf::kLedModeCount);
  }
  const auto on = Integer(c.value, 0, 1);
  if (!on) {
    return Range(c.name, c.value, 0, 1);
  }
  c.model.lighting.cb_ModeClick(*mode, *on == 1);
  return "";
}

const std::vector<std::pair<std::string, Handler>>& Handlers() {
  static const std::vector<std::pair<std::string, Handler>> handlers = {
      {"dpi.count",
       [](const Change& c) -> std::string {
         const auto count = Integer(c.value, 2, 7);
         if (!count)
           return Range(c.name, c.value, 2, 7);
         c.model.dpi.cbb_DPICountChange(*count - 2);
         return "";
       }},
      {"dpi.current",
       [](const Change& c) -> std::string {
         const int count = c.model.dpi.Controls().levelCount;
         const auto level = Integer(c.value, 1, count);
         if (!level)
           return Range(c.name, c.value, 1, count);
         c.model.dpi.cb_CurrentCPIChange(*level - 1);
         return "";
       }},
      {"led.type",
       [](const Change& c) -> std::string {
         const std::vector<std::pair<std::string, void (perf::LightingPage::*)()>> types = {
             {"MCU LED", &perf::LightingPage::rb_MCULEDClick},
             {"RB LED", &perf::LightingPage::rb_RBLEDClick},
             {"Sync LED", &perf::LightingPage::rb_SyncLEDClick},
             {"Breath LED", &perf::LightingPage::rb_BreLEDClick}};
         for (const auto& [text, click] : types) {
           if (c.value == text) {
             (c.model.lighting.*click)();
             return "";
           }
         }
         return c.name + ": '" + c.value + "' is not MCU LED, RB LED, Sync LED or Breath LED";
       }},
      {"led.on",
       [](const Change& c) -> std::string {
         const auto on = Integer(c.value, 0, 1);
         if (!on)
           return Range(c.name, c.value, 0, 1);
         *on ? c.model.lighting.rb_LEDOnClick() : c.model.lighting.rb_LEDOffClick();
         return "";
       }},
      {"led.count",
       [](const Change& c) -> std::string {
         if (!Integer(c.value, 4, 13))
           return Range(c.name, c.value, 4, 13);
         c.model.lighting.edt_MCULEDNumChange(c.value);
         c.model.lighting.edt_MCULEDNumExit();
         return "";
       }},
      {"led.step",
       [](const Change& c) -> std::string {
         if (!Integer(c.value, 0, 7))
           return Range(c.name, c.value, 0, 7);
         c.model.lighting.edt_MCULEDCrtStepChange(c.value);
         return "";
       }},
      {"led.mcuMode",
       [](const Change& c) -> std::string {
         const auto mode = Integer(c.value, 0, 6);
         if (!mode)
           return Range(c.name, c.value, 0, 6);
         c.model.lighting.cb_MCULEDCurrentModeChange(*mode);
         return "";
       }},
      {"led.rbMode",
       [](const Change& c) -> std::string {
         const auto mode = Integer(c.value, 0, 6);
         if (!mode)
           return Range(c.name, c.value, 0, 6);
         c.model.lighting.cb_RBLEDCurrentModeChange(*mode);
         return "";
       }},
      {"keyMode",
       [](const Change& c) -> std::string {
         const auto mode = Integer(c.value, 1, 2);
         if (!mode)
           return Range(c.name, c.value, 1, 2);
         c.model.OpenKeyModePage(*mode);
         return "";
       }},
      {"saveKeyMode",
       [](const Change& c) -> std::string {
         if (c.value == "Save") {
           c.model.lighting.rb_SaveClick();
         } else if (c.value == "No Save") {
           c.model.lighting.rb_NoSaveClick();
         } else {
           return c.name + ": '" + c.value + "' is not Save or No Save";
         }
         return "";
       }},
      {"fireKey.count",
       [](const Change& c) -> std::string {
         if (c.value == "continuous") {
           c.model.options.continuousFire = true;
           return "";
         }
         const auto count = Integer(c.value, 1, 255);
         if (!count)
           return c.name + ": '" + c.value + "' is not 1..255 or continuous";
         c.model.options.continuousFire = false;
         c.model.options.fireCountIndex = *count - 1;
         return "";
       }},
      {"fireKey.interval",
       [](const Change& c) -> std::string {
         const auto interval = Integer(c.value, 0, 255);
         if (!interval)
           return Range(c.name, c.value, 0, 255);
         c.model.options.fireTime = *interval;
         return "";
       }},
      {"led.switchMCpi",
       [](const Change& c) {
         return Switch(c, &perf::LightingPage::rb_B4CPIOnClick,
                       &perf::LightingPage::rb_B4CPIOffClick);
       }},
      {"led.modeLCpi",
       [](const Change& c) {
         return Switch(c, &perf::LightingPage::rb_LCPIOnClick,
                       &perf::LightingPage::rb_LCPIOffClick);
       }},
      {"led.brightness",
       [](const Change& c) -> std::string {
         // The texts as the page's term table spells them.
         if (c.value == "All Ligth") {
           c.model.lighting.rb_MCULED3ControlClick();
         } else if (c.value == "Half Ligth") {
           c.model.lighting.rb_MCULED6ControlClick();
         } else {
           return c.name + ": '" + c.value + "' is not All Ligth or Half Ligth";
         }
         return "";
       }},
      {"sensor",
       [](const Change& c) -> std::string {
         for (std::size_t i = 0; i < params::kSensorOrientations.size(); ++i) {
           if (c.value == params::kSensorOrientations[i].text) {
             c.model.options.sensorOrientation = static_cast<int>(i);
             return "";
           }
         }
         return c.name + ": '" + c.value + "' is not a sensor orientation of the engineer page";
       }},
      {"fireFunction",
       [](const Change& c) -> std::string {
         if (c.value != "Left Key" && c.value != "Fn+Left Key") {
           return c.name + ": '" + c.value + "' is not Left Key or Fn+Left Key";
         }
         c.model.options.fireFnLeftKey = c.value == "Left Key";
         return "";
       }},
      {"smoothing", [](const Change& c) { return Option(c, &params::DeviceOptions::smooth); }},
      {"keyModeSwitch.middle",
       [](const Change& c) { return Option(c, &params::DeviceOptions::midPress); }},
      {"keyModeSwitch.cpi",
       [](const Change& c) { return Option(c, &params::DeviceOptions::cpiPress); }},
      {"keyModeSwitch.gun",
       [](const Change& c) { return Option(c, &params::DeviceOptions::gunPress); }},
      {"vendorCode", [](const Change& c) { return Code(c, &params::DeviceOptions::vendorCode); }},
      {"productCode", [](const Change& c) { return Code(c, &params::DeviceOptions::productCode); }},
      {"aim",
       [](const Change& c) -> std::string {
         const auto aim = Integer(c.value, 0, 10);
         if (!aim)
           return Range(c.name, c.value, 0, 10);
         // The page would reset the setting and show the message; here it is an error.
         if (!c.model.assignment.AnyAimButton()) {
           return c.name + ": " + std::string(perf::kNoAimKeyMessage);
         }
         c.model.assignment.cb_AIMKeyValueChange(*aim);
         return "";
       }},
  };
  return handlers;
}

std::string Button(const Change& c) {
  const auto mode = Integer(c.path[1], 1, 2);
  const auto button = Integer(c.path[2], 1, 9);
  if (!mode || !button) {
    return c.name + ": key mode must be 1..2 and button 1..9";
  }
  if (c.value.starts_with(kMacroValuePrefix)) {
    return AssignLibraryMacro(c.model, c.messages, c.name, *mode, *button,
                              c.value.substr(kMacroValuePrefix.size()));
  }
  if (!keys::ParseCodeString(c.value) || c.value.size() != 6) {
    return c.name + ": '" + c.value + "' is not six hexadecimal digits";
  }
  // As on the engineer page: its button opens the menu on that key mode's button.
  c.model.assignment.TLShowPnlMain_OnClick("btn_Key" + std::to_string(*mode * 100 + *button));
  const keys::KeyCode parsed = *keys::ParseCodeString(c.value);
  const std::string code = keys::CodeString(parsed);
  if (parsed.type == keys::code_type::kKeyboard) {
    // A keyboard code is what the "User-defined" dialog gives, and the window
    // assigns its result as it is, also over the last left click.
    c.model.assignment.Key_AssemblyClick();
    c.model.assignment.ApplyCombinationResult(
        {keys::LabelForCode(code, c.model.labelContext), code});
    return "";
  }
  if (!c.model.assignment.KeepsLeftClick(keys::LabelForCode(code, c.model.labelContext))) {
    return c.name + ": " + c.messages.str108;
  }
  c.model.keys.Assign(*mode, *button, code, c.data);
  return "";
}

// fire.N.NAME for fire macro N, through the column of the page that shows it.
struct FireChange {
  fire::FirePage& page;
  params::DataBuf& data;
  const std::string& name;
  const std::string& value;
  int fireMacro;
  int column;
};

// The plain number fields of a fire macro: their range, the event that
// carries them and the page's edit handler.
struct FireNumberField {
  const char* name;
  int low;
  int high;
  std::optional<std::size_t> fire::ParameterPositions::*position;
  const char* missing;  // why the macro has nothing to change
  void (fire::FirePage::*edit)(int column, std::string_view text);
};

const FireNumberField kFireNumberFields[] = {
    {"count", 1, fire::kMaxShotCount, &fire::ParameterPositions::count,
     "has no repeat start, so it has no shot count to change", &fire::FirePage::Edt_FireCntChange},
    {"x", -128, 127, &fire::ParameterPositions::x, "has no X step to change",
     &fire::FirePage::Edt_FireXChange},
    {"y", 0, 127, &fire::ParameterPositions::y, "has no Y step to change",
     &fire::FirePage::Edt_FireYChange},
    {"interval", 0, fire::kMaxIntervalMs, &fire::ParameterPositions::interval,
     "has no delay after a Y step, so it has no interval to change",
     &fire::FirePage::Edt_FireTimeChange},
};

std::string FireNumber(const FireChange& c, const fire::FireColumn& shown,
                       const FireNumberField& field) {
  if (!Integer(c.value, field.low, field.high)) {
    return Range(c.name, c.value, field.low, field.high);
  }
  if (!(shown.positions.*field.position)) {
    return c.name + ": fire macro " + std::to_string(c.fireMacro) + " " + field.missing;
  }
  (c.page.*field.edit)(c.column, c.value);
  return "";
}

std::string FireYOffset(const FireChange& c, const fire::FireColumn& shown) {
  const auto offset = Integer(c.value, -128, 127);
  if (!offset) {
    return Range(c.name, c.value, -128, 127);
  }
  // The page would cut the offset silently; a script is told instead.
  const int low = -128 - shown.yStep;
  const int high = 127 - shown.yStep;
  if (*offset < low || *offset > high) {
    return c.name + ": with the Y step " + std::to_string(shown.yStep) +
           " the offset must be from " + std::to_string(std::max(low, -128)) + " to " +
           std::to_string(std::min(high, 127));
  }
  c.page.Edt_FireYOffsetChange(c.column, c.value);
  return "";
}

std::string FireStop(const FireChange& c, const fire::FireColumn& shown) {
  const auto stop = Integer(c.value, 0, 1);
  if (!stop) {
    return Range(c.name, c.value, 0, 1);
  }
  if (shown.stopChecked != (*stop == 1)) {
    c.page.lbl_FireRKFSClick(c.column);
  }
  // Record and key table always agree afterwards, whatever the table held.
  fire::SetKeyTableType(c.data, c.fireMacro, *stop == 1);
  return "";
}

std::string FireColor(const FireChange& c) {
  const std::vector<std::string> rgb = Split(c.value, ',');
  if (rgb.size() != 3 || !Integer(rgb[0], 0, 255) || !Integer(rgb[1], 0, 255) ||
      !Integer(rgb[2], 0, 255)) {
    return c.name + ": '" + c.value + "' is not R,G,B with each 0..255";
  }
  c.page.ColourChosen(
      c.column, {*Integer(rgb[0], 0, 255), *Integer(rgb[1], 0, 255), *Integer(rgb[2], 0, 255)});
  return "";
}

std::string GunButton(fire::FirePage& page, params::DataBuf& data,
                      const ui::MessageStrings& messages, const std::string& name,
                      const std::vector<std::string>& path, const std::string& value) {
  const auto mode = path.size() == 3 ? Integer(path[1], 1, 2) : std::nullopt;
  const auto button = path.size() == 3 ? Integer(path[2], 1, 9) : std::nullopt;
  if (!mode || !button) {
    return name + ": key mode must be 1..2 and button 1..9";
  }
  const auto gun = Integer(value.substr(4), 1, fire::kGunCount);
  if (!gun) {
    return name + ": '" + value + "' is not gun:1 .. gun:7";
  }
  const auto keyTable = data.fireKeyTable;
  page.Key_FireMacroClick(*mode, *button);
  page.Btn_FireClick(*gun);
  // Showing a gun lets its key-table entries follow the records; a script
  // that only assigns a gun key keeps the table it gave.
  data.fireKeyTable = keyTable;
  if (page.ConfirmAssignment() != fire::FireConfirmResult::kAssigned) {
    return name + ": " + messages.str108;
  }
  return "";
}

}  // namespace

bool IsFireSettingChange(const std::string& change) {
  const std::size_t eq = change.find('=');
  if (eq == std::string::npos) {
    return false;
  }
  return change.rfind("fire.", 0) == 0 ||
         (change.rfind("button.", 0) == 0 && change.compare(eq + 1, 4, "gun:") == 0);
}

std::string ApplyFireSettingChange(fire::FirePage& page, params::DataBuf& data,
                                   const ui::MessageStrings& messages, const std::string& change) {
  const std::size_t eq = change.find('=');
  if (eq == std::string::npos || eq == 0) {
    return "'" + change + "' is not NAME=VALUE";
  }
  const std::string name = change.substr(0, eq);
  const std::string value = change.substr(eq + 1);
  const std::vector<std::string> path = Split(name, '.');
  if (path[0] == "button") {
    return GunButton(page, data, messages, name, path, value);
  }
  const auto fireMacro = path.size() == 3 ? Integer(path[1], 1, 10) : std::nullopt;
  if (!fireMacro) {
    return name + ": expected fire.N.NAME with N = 1..10";
  }
  const fire::FireMacroPlace place = fire::PlaceOfFireMacro(*fireMacro);
  const auto keyTable = data.fireKeyTable;
  page.Btn_FireClick(place.gun);
  data.fireKeyTable = keyTable;  // showing alone changes nothing
  const fire::FireColumn& shown = page.Column(place.column);
  const FireChange c{page, data, name, value, *fireMacro, place.column};
  const std::string& field = path[2];
  if (field == "color") {
    return FireColor(c);
  }
  const auto number = std::find_if(std::begin(kFireNumberFields), std::end(kFireNumberFields),
                                   [&](const FireNumberField& f) { return field == f.name; });
  if (number == std::end(kFireNumberFields) && field != "yoffset" && field != "stop") {
    return "unknown setting " + name +
           " (fire settings: count, x, y, interval, yoffset, color, stop)";
  }
  if (!shown.parsed) {
    return name + ": fire macro " + std::to_string(*fireMacro) +
           " has a stop byte other than 0 or 1, so its parameters cannot be edited";
  }
  if (number != std::end(kFireNumberFields)) {
    return FireNumber(c, shown, *number);
  }
  return field == "yoffset" ? FireYOffset(c, shown) : FireStop(c, shown);
}

const char* SettingNamesHelp() {
  return "dpi.count, dpi.current, dpi.N.step, dpi.N.color=R,G,B, led.type, led.on, led.count, "
         "led.step, led.mcuMode, led.rbMode, led.mode.N=0|1, led.brightness, led.switchMCpi, "
         "led.modeLCpi, sensor, smoothing, keyModeSwitch.middle|cpi|gun, fireFunction, "
         "vendorCode, productCode, keyMode, button.M.N=CODE, "
         "button.M.N=macro:LIBRARY:INDEX, aim, fireKey.count, "
         "fireKey.interval, saveKeyMode, fire.N.count, fire.N.x, fire.N.y, fire.N.interval, "
         "fire.N.yoffset, fire.N.color=R,G,B, fire.N.stop=0|1, button.M.N=gun:G";
}

std::string ApplySettingChange(orbic::app::SettingsModel& model, params::DataBuf& data,
                               const ui::MessageStrings& messages, const std::string& change) {
  const std::size_t eq = change.find('=');
  if (eq == std::string::npos || eq == 0) {
    return "'" + change + "' is not NAME=VALUE";
  }
  const std::string name = change.substr(0, eq);
  const std::string value = change.substr(eq + 1);
  const std::vector<std::string> path = Split(name, '.');
  const Change c{model, data, messages, name, path, value};
  for (const auto& [handlerName, handler] : Handlers()) {
    if (handlerName == name) {
      return handler(c);
    }
  }
  if (path.size() == 3 && path[0] == "dpi") {
    return DpiLevel(c);
  }
  if (path.size() == 3 && path[0] == "button") {
    return Button(c);
  }
  if (path.size() == 3 && path[0] == "led" && path[1] == "mode") {
    return LedMode(c);
  }
  return "unknown setting " + name + " (known: " + SettingNamesHelp() + ")";
}

}  // namespace orbic::cli
