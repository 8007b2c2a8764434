#include <iostream>

#include "base/AtomicFile.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/SettingsReport.h"

namespace orbic::cli {

int RunRead(const GlobalOptions& options, const std::string& outPath, bool json) {
  CliSession cli;
  if (const auto failed = cli.Connect(options)) {
    return *failed;
  }
  app::Session& session = cli.Session();
  if (!cli.Finish()) {
    return kExitBadInput;
  }
  // The file holds the image as read, before any repair.
  std::string error;
  if (!orbic::WriteFileAtomically(outPath, session.Image().raw, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  const nlohmann::json settings =
      SettingsJson(session.Settings(), session.Image().raw, session.LastSplit());
  if (json) {
    nlohmann::json doc = settings;
    doc["file"] = outPath;
    std::cout << doc.dump(2) << '\n';
  } else {
    if (session.Config().eepromMode) {
      std::cout << "Read 2048 bytes from the mouse into " << outPath << ".\n";
    } else {
      // Driver mode reads the sections from the filter driver, not the mouse's memory.
      std::cout << "Read the filter driver's sections into " << outPath
                << " (Parameter A, Parameter B, Profile and Fire Key at their image offsets, "
                   "zero elsewhere).\n";
    }
    PrintSettings(std::cout, settings);
  }
  return kExitOk;
}

}  // namespace orbic::cli
