// orbic40: the desktop program. One window per user; a second start brings
// the first window forward and ends.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string_view>

#include "base/Resources.h"
#include "device/DriverPort.h"
#include "gui/DeviceSetup.h"
#include "gui/MainWindow.h"
#include "gui/SingleInstance.h"
#include "gui/StartupReport.h"
#include "orbic40/Version.h"
#include "platform/NativeServices.h"
#include "platform/UserFolders.h"
#include "sim/DriverStateFile.h"
#include "sim/SimulatedFilterDriver.h"
#include "sim/StateAside.h"
#include "ui/BehaviourConfig.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

constexpr const char* kDemoDriverFileName = "driver.state";

// Driver mode talks to the filter driver, which exists only on Windows; on
// other systems there is none, and a driver-mode configuration finds no
// driver. The demo mouse brings a simulated driver, kept beside its state.
struct DriverSetup {
  std::unique_ptr<orbic::device::DriverPort> port;
  orbic::sim::SimulatedFilterDriver* demo = nullptr;
  std::string statePath;

  DriverSetup(bool demoMouse, const std::string& stateFolder) {
    if (demoMouse) {
      auto driver = std::make_unique<orbic::sim::SimulatedFilterDriver>();
      statePath = (std::filesystem::path(stateFolder) / kDemoDriverFileName).string();
      std::error_code ignored;
      std::string error;
      if (std::filesystem::exists(statePath, ignored) &&
          !orbic::sim::LoadDriverState(statePath, *driver, error)) {
        // Kept aside, not overwritten at exit.
        std::string asideError;
        const std::string aside = orbic::sim::SetStateAside(statePath, asideError);
        std::cerr << "orbic40: demo driver state not loaded (" << error << "); using a fresh one; "
                  << (aside.empty() ? asideError : "the damaged file was kept as " + aside) << '\n';
      }
      demo = driver.get();
      port = std::move(driver);
      return;
    }
    port = orbic::platform::NativeDriverPort();
  }

  void Save() const {
    if (demo == nullptr) {
      return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(statePath).parent_path(), ignored);
    std::string error;
    if (!orbic::sim::SaveDriverState(statePath, *demo, error)) {
      std::cerr << "orbic40: demo driver state not saved: " << error << '\n';
    }
  }
};

constexpr const char* kUsage =
    "Usage: orbic40 [--version] [--help]\n"
    "The ORBIC40 gaming mouse's configuration window. It looks for the mouse over HID;\n"
    "ORBIC40_DEVICE=simulated runs it on a simulated mouse instead.\n";

// Answers --version and --help before Qt starts, so neither needs a display.
// Returns the exit status when the command line was answered.
std::optional<int> AnswerCommandLine(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--version") {
      std::cout << "orbic40 " << ORBIC40_VERSION << '\n';
      return 0;
    }
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> status = AnswerCommandLine(argc, argv)) {
    return *status;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName("ORBIC40 Gaming Mouse");
  QApplication::setApplicationVersion(ORBIC40_VERSION);
  // Wayland shells match the window to the installed desktop entry and its icon by this id.
  QGuiApplication::setDesktopFileName("io.github.orbic40.orbic40");

  const std::unique_ptr<orbic::FileServices> fileServices = orbic::platform::NativeFileServices();
  orbic::InstallFileServices(fileServices.get());
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
  resources.appData = Environment("APPDATA");  // set on Windows only

  // Asked in the background while the window is built.
  const std::unique_ptr<orbic::perf::PointerSystem> pointerSystem =
      orbic::platform::NativePointerSystem();
  resources.pointerSystem = pointerSystem.get();

  // Outlives the window, whose session talks to it.
  const DriverSetup driver(devices->Demo(), orbic::gui::DeviceSetup::DefaultStateFolder());
  // Tells the device timer at once when a HID node comes or goes.
  std::unique_ptr<orbic::platform::HotplugMonitor> hotplug;
  if (!devices->Demo()) {
    hotplug = orbic::platform::NativeHotplugMonitor();
  }

  orbic::gui::MainWindow window(devices->Backend(), devices->Clock(), std::move(resources));
  if (driver.port) {
    window.Session().SetDriverPort(*driver.port);
  }
  // Every write to the mouse first saves what it held.
  window.Session().SetBackupFolder(orbic::app::BackupFolder(orbic::platform::BackupFolderPath()));
  if (hotplug) {
    // The timer's own polling stays; this only makes it look without waiting
    // for the next tick. A stopped timer (a transfer running) is left alone.
    auto* notifier = new QSocketNotifier(hotplug->Fd(), QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, &hotplug] {
      if (hotplug->TakeEvents() && window.DeviceTimer().isActive()) {
        window.Session().Monitor().DevTimerTimer();
      }
    });
  }
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
  driver.Save();
  if (!devices->Save(error)) {
    std::cerr << "orbic40: demo mouse state not saved: " << error << '\n';
  }
  return status;
}
