#include "cli/OfflineImage.h"

#include <iostream>
#include <vector>

#include "cli/ImageFile.h"

namespace orbic::cli {

std::unique_ptr<OfflineImage> OfflineImage::Open(
    const std::string& path, const std::function<void(params::ParameterImage&)>& beforeSplit) {
  auto offline = std::make_unique<OfflineImage>();
  std::string error;
  if (!LoadImageFile(path, offline->image.raw, error)) {
    std::cerr << error << '\n';
    return nullptr;
  }
  std::vector<std::string> problems;
  offline->config = ui::LoadEmbeddedBehaviourConfiguration(problems);
  offline->model = std::make_unique<params::SettingsModel>(offline->config, offline->image.data,
                                                           offline->host, offline->messages);
  offline->model->BindTo(offline->image);  // the macro slots name the buttons' macros
  if (beforeSplit) {
    beforeSplit(offline->image);
  }
  offline->split = offline->image.SplitImage();
  offline->model->DataBufToUI(offline->image.data);
  return offline;
}

}  // namespace orbic::cli
