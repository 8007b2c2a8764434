#pragma once

#include <memory>
#include <string>

#include "app/SettingsModel.h"
#include "cli/CliUiHost.h"
#include "cli/DeviceAccess.h"
#include "params/ParameterImage.h"
#include "ui/BehaviourConfig.h"
#include "ui/MessageStrings.h"

namespace orbic::cli {

// An image file as the pages see it, without a mouse: loaded, split with
// its repairs and shown in a settings model bound to it.
struct OfflineImage {
  // Null, with the reason printed on stderr, when the file or the behaviour
  // configuration (`options.configPath`, as for the mouse) cannot be used.
  static std::unique_ptr<OfflineImage> Open(const std::string& path, const GlobalOptions& options);
  // The same for image bytes already in memory.
  static std::unique_ptr<OfflineImage> FromImage(const params::Image& raw,
                                                 const GlobalOptions& options);

  params::ParameterImage image;
  ui::BehaviourConfig config;
  CliUiHost host;
  ui::MessageStrings messages;
  std::unique_ptr<orbic::app::SettingsModel> model;
  params::SplitReport split;
};

}  // namespace orbic::cli
