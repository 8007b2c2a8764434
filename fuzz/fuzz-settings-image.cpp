// Any 2048 bytes as the image read from the mouse or loaded from a file:
// splitting and showing it on the pages must not crash, and once shown and
// assembled the image must be a fixed point (showing the assembled image and
// assembling again gives the same bytes, with no repair the second time).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/SettingsModel.h"
#include "base/UiHost.h"
#include "params/ParameterImage.h"

namespace {

using namespace orbic;

struct Pages {
  ui::BehaviourConfig config;
  ui::MessageStrings messages;
  NullUiHost host;
  params::ParameterImage image;
  app::SettingsModel model{config, image.data, host, messages};

  Pages() { model.BindTo(image); }

  params::Image ShowAndAssemble(const params::Image& raw, params::SplitReport& report) {
    image.raw = raw;
    report = image.SplitImage();
    model.DataBufToUI(image.data);
    image.AssembleImage();
    return image.raw;
  }
};

bool Repaired(const params::SplitReport& report) {
  return report.parameterARepaired || report.parameterBRepaired || report.profileRepaired ||
         report.fireKeyRepaired;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  params::Image raw{};
  std::copy_n(data, std::min(size, raw.size()), raw.begin());
  params::SplitReport report;
  const params::Image first = Pages{}.ShowAndAssemble(raw, report);
  const params::Image second = Pages{}.ShowAndAssemble(first, report);
  if (Repaired(report)) {
    std::fprintf(stderr, "an assembled image fails its own checks\n");
    std::abort();
  }
  if (second != first) {
    std::fprintf(stderr, "assembled image is not a fixed point\n");
    std::abort();
  }
  return 0;
}
