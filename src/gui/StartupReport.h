#pragma once

#include <QObject>
#include <chrono>

namespace orbic::gui {

class MainWindow;

// For measuring the program (ORBIC40_STARTUP_REPORT=1): prints on stderr the
// wall-clock time of the window's first paint and, once a mouse has been read,
// the resident memory, then ends the program.
class StartupReport : public QObject {
  Q_OBJECT

 public:
  static constexpr std::chrono::seconds kGiveUpAfter{60};

  explicit StartupReport(MainWindow& window);

  // Resident memory of this process in KiB, 0 where it cannot be told.
  static long ResidentKiB();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ModelsChanged();

  MainWindow& window_;
  bool painted_ = false;
  bool done_ = false;
};

}  // namespace orbic::gui
