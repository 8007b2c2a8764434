#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/CliUiHost.h"
#include "cli/Commands.h"
#include "cli/ImageFile.h"
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

json FireMacroJson(const params::DataBuf& data, const fire::FireMacroTable& table, int n) {
  const fire::FireMacroRecord& record = table.Record(n);
  const fire::FireMacroParameters shown = fire::ParseFireMacro(record);
  const fire::FireColour colour = fire::Colour(data, n);
  // Parameters the record has no event for show 0, as on the page.
  return {{"fireMacro", n},
          {"stop", StopText(fire::KeyTableType(data, n))},
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
    }
    out << '\n';
  }
}

}  // namespace

int RunImageFire(const std::string& imagePath, bool json) {
  params::ParameterImage image;
  std::string error;
  if (!LoadImageFile(imagePath, image.raw, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  fire::FireMacroTable table;
  table.BindTo(image);
  image.SplitImage();
  nlohmann::json macros = nlohmann::json::array();
  for (int n = 1; n <= fire::kFireMacroCount; ++n) {
    macros.push_back(FireMacroJson(image.data, table, n));
  }
  if (json) {
    std::cout << nlohmann::json{{"fireMacros", macros}}.dump(2) << '\n';
  } else {
    PrintFireMacros(std::cout, macros);
  }
  return kExitOk;
}

}  // namespace orbic::cli
