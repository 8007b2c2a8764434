#include "gui/pages/PageViews.h"

namespace orbic::gui {

namespace {

// No page controls yet: the window shows its page groups and header only.
class EmptyPageViews final : public PageViews {
 public:
  void Refresh() override {}
};

}  // namespace

std::unique_ptr<PageViews> CreatePageViews(const std::array<QWidget*, 6>&, app::Session&) {
  return std::make_unique<EmptyPageViews>();
}

}  // namespace orbic::gui
