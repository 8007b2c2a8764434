#include <iostream>

#include "app/AtomicFile.h"
#include "cli/CliUiHost.h"
#include "cli/Commands.h"
#include "cli/ImageFile.h"
#include "cli/SettingChanges.h"
#include "fire/FirePage.h"
#include "sim/VirtualClock.h"
#include "ui/BehaviourConfig.h"

namespace orbic::cli {

int RunImageSet(const std::string& inPath, const std::string& outPath,
                const std::vector<std::string>& changes) {
  params::ParameterImage image;
  std::string error;
  if (!LoadImageFile(inPath, image.raw, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  std::vector<std::string> problems;
  const ui::BehaviourConfig config = ui::LoadEmbeddedBehaviourConfiguration(problems);
  CliUiHost host;
  const ui::MessageStrings messages;
  params::SettingsModel model(config, image.data, host, messages);
  model.BindTo(image);
  fire::FireMacroTable fireMacros;
  fireMacros.BindTo(image);
  image.SplitImage();
  model.DataBufToUI(image.data);
  sim::VirtualClock clock;  // the fire page's recorder is never used here
  fire::FirePage firePage(fireMacros, image.data, model.options, model.keys, config, messages, host,
                          clock);

  for (const std::string& change : changes) {
    const std::string problem = IsFireSettingChange(change)
                                    ? ApplyFireSettingChange(firePage, image.data, messages, change)
                                    : ApplySettingChange(model, image.data, messages, change);
    if (!problem.empty()) {
      std::cerr << problem << '\n';
      return kExitBadInput;
    }
  }
  // Fire macro edits are written as the fire page's Confirm would write them.
  fireMacros.CopyInto(image.data);
  image.AssembleImage();
  if (!app::WriteFileAtomically(outPath, image.raw, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace orbic::cli
