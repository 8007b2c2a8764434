#include "cli/OfflineImage.h"

#include <iostream>
#include <vector>

#include "cli/CliSession.h"
#include "cli/ImageFile.h"

namespace orbic::cli {

std::unique_ptr<OfflineImage> OfflineImage::Open(const std::string& path,
                                                 const GlobalOptions& options) {
  params::Image raw{};
  std::string error;
  if (!LoadImageFile(path, raw, error)) {
    std::cerr << error << '\n';
    return nullptr;
  }
  return FromImage(raw, options);
}

std::unique_ptr<OfflineImage> OfflineImage::FromImage(const params::Image& raw,
                                                      const GlobalOptions& options) {
  auto offline = std::make_unique<OfflineImage>();
  offline->image.raw = raw;
  std::string error;
  if (!LoadConfiguration(options, offline->config, error)) {
    std::cerr << error << '\n';
    return nullptr;
  }
  offline->model = std::make_unique<orbic::app::SettingsModel>(offline->config, offline->image.data,
                                                               offline->host, offline->messages);
  // The macro slots name the buttons' macros; the fire macros follow the image.
  offline->model->BindTo(offline->image);
  offline->split = offline->image.SplitImage();
  offline->model->DataBufToUI(offline->image.data);
  return offline;
}

}  // namespace orbic::cli
