#pragma once

// A main window that has read a simulated mouse, with the page controls
// created on its page groups and the window's messages collected.
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "gui/MainWindow.h"
#include "gui/pages/PageViews.h"
#include "params/DefaultImages.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMouse.h"
#include "sim/VirtualClock.h"

namespace orbic::gui::test {

struct PageRig {
  // `prepare` may change the mouse's memory before it is read.
  explicit PageRig(const std::function<void(params::Image&)>& prepare = {}) {
    mouse->firmware.memory = params::LoadDefaultImages()[0];
    if (prepare) {
      prepare(mouse->firmware.memory);
    }
    mouse->SetClock(&clock);
    backend.AttachMouse(mouse);
    window = std::make_unique<MainWindow>(backend, clock, WindowResources{});
    window->SetMessageSink(
        [this](const std::string& text, app::MessageStyle) { messages.push_back(text); });
    std::array<QWidget*, 6> groups{};
    for (int group = 1; group <= 6; ++group) {
      groups[static_cast<std::size_t>(group - 1)] = window->PageGroup(group);
    }
    views = CreatePageViews(groups, window->Session());
    for (int tick = 0;
         tick < 10 && window->Session().LastOutcome() != app::ConnectionOutcome::kRead; ++tick) {
      window->Session().Monitor().DevTimerTimer();
    }
    views->Refresh();
  }

  ~PageRig() { views.reset(); }

  template <class Widget>
  Widget* Find(int group, const char* name) const {
    return window->PageGroup(group)->findChild<Widget*>(name);
  }

  app::Session& Session() { return window->Session(); }

  std::shared_ptr<sim::SimulatedMouse> mouse = std::make_shared<sim::SimulatedMouse>();
  sim::VirtualClock clock;
  sim::SimulatedHidBackend backend;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<PageViews> views;
  std::vector<std::string> messages;
};

}  // namespace orbic::gui::test
