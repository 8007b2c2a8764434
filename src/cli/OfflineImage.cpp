#include "cli/OfflineImage.h"

#include <iostream>
#include <vector>

#include "cli/ImageFile.h"

namespace orbic::cli {

std::unique_ptr<OfflineImage> OfflineImage::Open(const std::string& path) {
  params::Image raw{};
  std::string error;
  if (!LoadImageFile(path, raw, error)) {
    std::cerr << error << '\n';
    return nullptr;
  }
  return FromImage(raw);
}

std::unique_ptr<OfflineImage> OfflineImage::FromImage(const params::Image& raw) {
  auto offline = std::make_unique<OfflineImage>();
  offline->image.raw = raw;
  std::vector<std::string> problems;
  offline->config = ui::LoadEmbeddedBehaviourConfiguration(problems);
  offline->model = std::make_unique<orbic::app::SettingsModel>(offline->config, offline->image.data,
                                                               offline->host, offline->messages);
  // The macro slots name the buttons' macros; the fire macros follow the image.
  offline->model->BindTo(offline->image);
  offline->split = offline->image.SplitImage();
  offline->model->DataBufToUI(offline->image.data);
  return offline;
}

}  // namespace orbic::cli
