#include <iostream>

#include "cli/Commands.h"
#include "cli/OfflineImage.h"
#include "cli/SettingsReport.h"

namespace orbic::cli {

int RunDecode(const GlobalOptions& options, const std::string& imagePath, bool json) {
  const auto offline = OfflineImage::Open(imagePath, options);
  if (!offline) {
    return kExitBadInput;
  }
  const nlohmann::json settings = SettingsJson(*offline->model, offline->image.raw, offline->split);
  if (json) {
    std::cout << settings.dump(2) << '\n';
  } else {
    PrintSettings(std::cout, settings);
  }
  return kExitOk;
}

}  // namespace orbic::cli
