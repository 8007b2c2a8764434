#include <iostream>

#include "base/AtomicFile.h"
#include "cli/Commands.h"
#include "cli/OfflineImage.h"
#include "cli/SettingChanges.h"
#include "fire/FirePage.h"
#include "sim/VirtualClock.h"

namespace orbic::cli {

int RunImageSet(const GlobalOptions& options, const std::string& inPath, const std::string& outPath,
                const std::vector<std::string>& changes) {
  const auto offline = OfflineImage::Open(inPath, options);
  if (!offline) {
    return kExitBadInput;
  }
  params::ParameterImage& image = offline->image;
  orbic::app::SettingsModel& model = *offline->model;
  const ui::MessageStrings& messages = offline->messages;
  sim::VirtualClock clock;  // the fire page's recorder is never used here
  fire::FirePage firePage(model.fireMacros, image.data, model.options, model.keys, offline->config,
                          messages, offline->host, clock);

  for (const std::string& change : changes) {
    const std::string problem = IsFireSettingChange(change)
                                    ? ApplyFireSettingChange(firePage, image.data, messages, change)
                                    : ApplySettingChange(model, image.data, messages, change);
    if (!problem.empty()) {
      std::cerr << problem << '\n';
      return kExitBadInput;
    }
  }
  image.AssembleImage();  // the fire macros' working copy goes back with the rest
  std::string error;
  if (!orbic::WriteFileAtomically(outPath, image.raw, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace orbic::cli
