#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/SettingsModel.h"
#include "cli/Commands.h"
#include "cli/OfflineImage.h"
#include "keys/KeyCode.h"
#include "keys/MacroReferences.h"
#include "macros/MacroCodec.h"

namespace orbic::cli {

namespace {

using nlohmann::json;

std::string Hex4(std::uint16_t value) {
  std::ostringstream text;
  text << std::uppercase << std::hex << std::setw(4) << std::setfill('0') << value;
  return text.str();
}

std::string StopModeText(macros::StopMode mode) {
  return mode == macros::StopMode::kUntilKeyRelease ? "Stop until the key release"
                                                    : "Stop after the macro is over";
}

// "M.N" of every button whose code refers to `slot`.
json ButtonsUsing(const orbic::app::SettingsModel& model, int slot) {
  json buttons = json::array();
  for (int mode = 1; mode <= keys::kKeyModes; ++mode) {
    for (int button = 1; button <= keys::kButtons; ++button) {
      const std::string code = model.keys.Code(mode, button);
      if (macros::SlotsInUse(std::span(&code, 1))[static_cast<std::size_t>(slot - 1)]) {
        buttons.push_back(std::to_string(mode) + "." + std::to_string(button));
      }
    }
  }
  return buttons;
}

json SlotsJson(const orbic::app::SettingsModel& model) {
  json slots = json::array();
  for (int number = 1; number <= macros::kSlotCount; ++number) {
    const macros::MacroSlot& slot = model.macroSlots.Slot(number);
    const macros::DecodedMacro decoded = macros::DecodeMacroContent(slot.record.content);
    json entry;
    entry["slot"] = number;
    entry["address"] = Hex4(*keys::BaseMacroAddress(number));
    entry["empty"] = slot.record.Empty();
    entry["name"] = macros::DecodeName(slot.record.name);
    entry["stopMode"] =
        decoded.stopMode ? json(static_cast<int>(*decoded.stopMode)) : json(nullptr);
    entry["stopModeText"] = decoded.stopMode ? json(StopModeText(*decoded.stopMode)) : json("");
    entry["eventBytes"] = std::max(0, macros::ContentLength(slot.record.content) - 1);
    entry["emptiedByCheck"] = slot.emptiedByCheck;
    entry["lines"] = decoded.lines;
    entry["buttons"] = ButtonsUsing(model, number);
    slots.push_back(entry);
  }
  return slots;
}

void PrintSlots(std::ostream& out, const json& slots) {
  for (const json& slot : slots) {
    out << "Slot " << slot["slot"].get<int>() << " (" << slot["address"].get<std::string>() << ")";
    if (slot["empty"].get<bool>()) {
      out << " empty";
    } else {
      out << " \"" << slot["name"].get<std::string>() << "\"";
    }
    if (slot["emptiedByCheck"].get<bool>()) {
      out << ": its content failed the checksum and was emptied";
    } else if (slot["eventBytes"].get<int>() > 0) {
      out << ": " << slot["stopModeText"].get<std::string>() << ", "
          << slot["eventBytes"].get<int>() << " event bytes";
    }
    if (!slot["buttons"].empty()) {
      out << "; used by button";
      for (const json& button : slot["buttons"]) {
        out << ' ' << button.get<std::string>();
      }
    }
    out << '\n';
    if (slot["eventBytes"].get<int>() > 0) {
      for (const json& line : slot["lines"]) {
        out << "    " << line.get<std::string>() << '\n';
      }
    }
  }
}

}  // namespace

int RunImageSlots(const GlobalOptions& options, const std::string& imagePath, bool asJson) {
  const auto offline = OfflineImage::Open(imagePath, options);
  if (!offline) {
    return kExitBadInput;
  }
  const json slots = SlotsJson(*offline->model);
  if (asJson) {
    std::cout << json{{"slots", slots}}.dump(2) << '\n';
  } else {
    PrintSlots(std::cout, slots);
  }
  return kExitOk;
}

}  // namespace orbic::cli
