#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/CliUiHost.h"
#include "cli/Commands.h"
#include "cli/ImageFile.h"
#include "cli/OfflineImage.h"
#include "fire/FireMacroTable.h"
#include "keys/KeyCode.h"

namespace orbic::cli {

namespace {

using nlohmann::json;

// The stop mode the key table gives the mouse for the fire macro.
std::string StopText(std::uint8_t type) {
  if (type == keys::code_type::kMacroWhileHeld) {
    return "release";
  }
  if (type == keys::code_type::kFireMacroRunToEnd) {
    return "end";
  }
  return "type " + keys::HexByte(type);
}

// The stop mode as the fire page shows it: the record's own stop byte.
std::string RecordStopText(const fire::FireMacroParameters& shown) {
  if (!shown.shown) {
    return "-";
  }
  return shown.stopOnRelease ? "release" : "end";
}

json FireMacroJson(const params::DataBuf& data, const fire::FireMacroTable& table, int n) {
  const fire::FireMacroRecord& record = table.Record(n);
  const fire::FireMacroParameters shown = fire::ParseFireMacro(record);
  const fire::FireColour colour = fire::Colour(data, n);
  const std::string keyTableStop = StopText(fire::KeyTableType(data, n));
  // Parameters the record has no event for show 0, as on the page.
  return {{"fireMacro", n},
          {"stop", RecordStopText(shown)},
          {"keyTableStop", keyTableStop},
          // Showing the record on the fire page makes the key table follow it.
          {"stopAgrees", shown.shown && RecordStopText(shown) == keyTableStop},
          {"recordStop", record[fire::record::kStopMode]},
          {"editable", shown.shown},
          {"length", record[fire::record::kLength]},
          {"count", shown.positions.count ? shown.count : 0},
          {"x", shown.positions.x ? shown.x : 0},
          {"y", shown.positions.y ? shown.y : 0},
          {"interval", shown.positions.interval ? shown.intervalMs : 0},
          {"yOffset", fire::YOffset(data, n)},
          {"color", {colour.red, colour.green, colour.blue}}};
}

void PrintFireMacros(std::ostream& out, const json& macros) {
  out << "fire  stop     count    x    y  interval  yoffset  color\n";
  for (const json& m : macros) {
    const json& c = m["color"];
    out << std::setw(4) << m["fireMacro"].get<int>() << "  " << std::left << std::setw(7)
        << m["stop"].get<std::string>() << std::right << std::setw(7) << m["count"].get<int>()
        << std::setw(5) << m["x"].get<int>() << std::setw(5) << m["y"].get<int>() << std::setw(7)
        << m["interval"].get<int>() << " ms" << std::setw(9) << m["yOffset"].get<int>() << "  "
        << c[0].get<int>() << "," << c[1].get<int>() << "," << c[2].get<int>();
    if (!m["editable"].get<bool>()) {
      out << "  (stop byte " << m["recordStop"].get<int>() << ": not editable)";
    } else if (!m["stopAgrees"].get<bool>()) {
      out << "  (key table says " << m["keyTableStop"].get<std::string>() << ")";
    }
    out << '\n';
  }
}

}  // namespace

int RunImageFire(const GlobalOptions& options, const std::string& imagePath, bool json) {
  const auto offline = OfflineImage::Open(imagePath, options);
  if (!offline) {
    return kExitBadInput;
  }
  nlohmann::json macros = nlohmann::json::array();
  for (int n = 1; n <= fire::kFireMacroCount; ++n) {
    macros.push_back(FireMacroJson(offline->image.data, offline->model->fireMacros, n));
  }
  if (json) {
    std::cout << nlohmann::json{{"fireMacros", macros}}.dump(2) << '\n';
  } else {
    PrintFireMacros(std::cout, macros);
  }
  return kExitOk;
}

}  // namespace orbic::cli
