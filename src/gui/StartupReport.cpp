#include "gui/StartupReport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <iostream>

#include "gui/MainWindow.h"

namespace orbic::gui {

namespace {

long long WallClockMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

StartupReport::StartupReport(MainWindow& window) : QObject(&window), window_(window) {
  window_.installEventFilter(this);
  connect(&window_, &MainWindow::modelsChanged, this, &StartupReport::ModelsChanged);
  QTimer::singleShot(kGiveUpAfter, this, [this] {
    if (!done_) {
      std::cerr << "orbic40: startup report: no mouse was read\n";
      QCoreApplication::exit(1);
    }
  });
}

bool StartupReport::eventFilter(QObject* watched, QEvent* event) {
  if (!painted_ && watched == &window_ && event->type() == QEvent::Paint) {
    painted_ = true;
    std::cerr << "orbic40: first paint at " << WallClockMs() << " ms\n";
  }
  return QObject::eventFilter(watched, event);
}

void StartupReport::ModelsChanged() {
  if (done_ || window_.Session().LastOutcome() != app::ConnectionOutcome::kRead) {
    return;
  }
  done_ = true;
  // The read finishes with the pages uncovered and the loading window hidden;
  // measure once that has settled.
  QTimer::singleShot(0, this, [] {
    std::cerr << "orbic40: resident memory after the read " << ResidentKiB() << " KiB\n";
    QCoreApplication::exit(0);
  });
}

long StartupReport::ResidentKiB() {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) {
    return 0;
  }
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmRSS:")) {
      return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
  }
  return 0;
}

}  // namespace orbic::gui
