// orbic40: the desktop program. One window per user; a second start brings
// the first window forward and ends.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <cstdlib>
#include <iostream>

#include "Resources.h"
#include "gui/DeviceSetup.h"
#include "gui/MainWindow.h"
#include "gui/SingleInstance.h"
#include "gui/StartupReport.h"
#include "platform/DesktopPointerSystem.h"
#include "ui/BehaviourConfig.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("ORBIC40 Gaming Mouse");

  orbic::gui::SingleInstance instance("orbic40");
  if (!instance.Claim()) {
    return 0;
  }

  std::string error;
  auto devices = orbic::gui::DeviceSetup::Create(
      Environment("ORBIC40_DEVICE"), orbic::gui::DeviceSetup::DefaultStateFolder(), error);
  if (!error.empty()) {
    std::cerr << "orbic40: demo mouse state not loaded (" << error << "); using a fresh one\n";
  }

  orbic::gui::WindowResources resources = orbic::gui::EmbeddedWindowResources();
  std::vector<std::string> problems;
  resources.config = orbic::ui::LoadEmbeddedBehaviourConfiguration(problems);
  for (const std::string& problem : problems) {
    std::cerr << "orbic40: configuration: " << problem << '\n';
  }
  resources.programFolder =
      QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/").toStdString();

  resources.xdgDataHome = Environment("XDG_DATA_HOME");
  resources.home = Environment("HOME");

  orbic::platform::DesktopPointerSystem pointerSystem(orbic::platform::DefaultPointerFolder());
  resources.pointerSystem = &pointerSystem;

  orbic::gui::MainWindow window(devices->Backend(), devices->Clock(), std::move(resources));
  QObject::connect(&instance, &orbic::gui::SingleInstance::raiseRequested, &window, [&window] {
    window.showNormal();
    window.raise();
    window.activateWindow();
  });
  if (!Environment("ORBIC40_STARTUP_REPORT").empty()) {
    new orbic::gui::StartupReport(window);  // owned by the window
  }
  window.show();
  const int status = QApplication::exec();
  if (!devices->Save(error)) {
    std::cerr << "orbic40: demo mouse state not saved: " << error << '\n';
  }
  return status;
}
