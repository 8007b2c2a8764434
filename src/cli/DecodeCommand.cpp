#include <iostream>

#include "cli/CliUiHost.h"
#include "cli/Commands.h"
#include "cli/ImageFile.h"
#include "cli/SettingsReport.h"
#include "ui/BehaviourConfig.h"

namespace orbic::cli {

int RunDecode(const std::string& imagePath, bool json) {
  params::ParameterImage image;
  std::string error;
  if (!LoadImageFile(imagePath, image.raw, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  std::vector<std::string> problems;
  const ui::BehaviourConfig config = ui::LoadEmbeddedBehaviourConfiguration(problems);
  CliUiHost host;
  const ui::MessageStrings messages;
  params::SettingsModel model(config, image.data, host, messages);
  model.BindTo(image);  // the macro slots name the buttons' macros
  const params::SplitReport split = image.SplitImage();
  model.DataBufToUI(image.data);
  const nlohmann::json settings = SettingsJson(model, image.raw, split);
  if (json) {
    std::cout << settings.dump(2) << '\n';
  } else {
    PrintSettings(std::cout, settings);
  }
  return kExitOk;
}

}  // namespace orbic::cli
