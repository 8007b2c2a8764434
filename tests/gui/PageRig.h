#pragma once

// A main window that has read a simulated mouse, with its page controls and
// the window's messages collected.
#include <QTemporaryDir>
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
    WindowResources resources;
    // The macro and gun-key files go to a folder of the test's own.
    resources.programFolder = programFolder.path().toStdString() + "/";
    window = std::make_unique<MainWindow>(backend, clock, std::move(resources));
    window->SetMessageSink(
        [this](const std::string& text, orbic::MessageStyle) { messages.push_back(text); });
    views = &window->Pages();
    for (int tick = 0;
         tick < 10 && window->Session().LastOutcome() != app::ConnectionOutcome::kRead; ++tick) {
      window->Session().Monitor().DevTimerTimer();
    }
    views->Refresh();
  }

  template <class Widget>
  Widget* Find(int group, const char* name) const {
    return window->PageGroup(group)->findChild<Widget*>(name);
  }

  app::Session& Session() { return window->Session(); }

  QTemporaryDir programFolder;
  std::shared_ptr<sim::SimulatedMouse> mouse = std::make_shared<sim::SimulatedMouse>();
  sim::VirtualClock clock;
  sim::SimulatedHidBackend backend;
  std::unique_ptr<MainWindow> window;
  PageViews* views = nullptr;  // the window's own
  std::vector<std::string> messages;
};

}  // namespace orbic::gui::test
