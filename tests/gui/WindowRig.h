// A main window on a simulated mouse with the virtual clock, its messages
// collected instead of shown.
#pragma once

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "gui/MainWindow.h"
#include "params/DefaultImages.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMouse.h"
#include "sim/VirtualClock.h"

namespace orbic::gui::test {

struct WindowRig {
  explicit WindowRig(bool withMouse, ui::BehaviourConfig config = {}) {
    mouse->firmware.memory = params::LoadDefaultImages()[0];
    mouse->SetClock(&clock);
    if (withMouse) {
      backend.AttachMouse(mouse);
    }
    WindowResources resources = EmbeddedWindowResources();
    resources.config = std::move(config);
    // The macro and gun-key files go to a folder of the test's own.
    resources.programFolder = programFolder.path().toStdString() + "/";
    window = std::make_unique<MainWindow>(backend, clock, std::move(resources));
    window->SetMessageSink(
        [this](const std::string& text, orbic::MessageStyle) { messages.push_back(text); });
  }

  // Device timer ticks until the connection start has run.
  void TickUntilRead() {
    for (int tick = 0;
         tick < 10 && window->Session().LastOutcome() != app::ConnectionOutcome::kRead; ++tick) {
      window->Session().Monitor().DevTimerTimer();
    }
  }

  template <typename T = QLabel>
  T* Find(const QString& name) const {
    return window->findChild<T*>(name);
  }

  // The picture a label shows, by skin resource name.
  QString PictureOf(const QString& name) const {
    const QLabel* label = Find(name);
    return label != nullptr ? label->property("skinPicture").toString() : QString();
  }

  QTemporaryDir programFolder;
  std::shared_ptr<sim::SimulatedMouse> mouse = std::make_shared<sim::SimulatedMouse>();
  sim::VirtualClock clock;
  sim::SimulatedHidBackend backend;
  std::unique_ptr<MainWindow> window;
  std::vector<std::string> messages;
};

inline void SendHover(QWidget* widget, QEvent::Type type) {
  QVERIFY(widget != nullptr);
  if (type == QEvent::Enter) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(widget, &enter);
  } else {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
  }
}

}  // namespace orbic::gui::test
