#include <iostream>

#include "app/AtomicFile.h"
#include "cli/CliUiHost.h"
#include "cli/Commands.h"
#include "cli/ImageFile.h"
#include "cli/SettingChanges.h"
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
  image.SplitImage();
  model.DataBufToUI(image.data);

  for (const std::string& change : changes) {
    const std::string problem = ApplySettingChange(model, image.data, messages, change);
    if (!problem.empty()) {
      std::cerr << problem << '\n';
      return kExitBadInput;
    }
  }
  image.AssembleImage();
  if (!app::WriteFileAtomically(outPath, image.raw, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace orbic::cli
