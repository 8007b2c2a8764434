// Any bytes as the mouse's 2048-byte memory (or a profile file): splitting,
// checking and showing it on the pages must not crash, and what the pages
// assemble from it must split again without a repair.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/SettingsModel.h"
#include "base/UiHost.h"
#include "params/ParameterImage.h"
#include "ui/BehaviourConfig.h"
#include "ui/MessageStrings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const orbic::ui::BehaviourConfig config = [] {
    std::vector<std::string> problems;
    return orbic::ui::LoadEmbeddedBehaviourConfiguration(problems);
  }();
  orbic::NullUiHost ui;
  orbic::ui::MessageStrings messages;
  orbic::params::ParameterImage image;
  orbic::app::SettingsModel model(config, image.data, ui, messages);
  model.BindTo(image);
  image.raw.fill(0xFF);
  std::copy_n(data, std::min(size, image.raw.size()), image.raw.begin());

  image.SplitImage();
  model.DataBufToUI(image.data);
  image.AssembleImage();
  const orbic::params::SplitReport again = image.SplitImage();
  if (again.parameterARepaired || again.parameterBRepaired || again.profileRepaired) {
    std::abort();
  }
  return 0;
}
