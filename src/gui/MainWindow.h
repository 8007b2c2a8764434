#pragma once

#include <QImage>
#include <QLabel>
#include <QPoint>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <span>

#include "app/Navigation.h"
#include "app/RollingText.h"
#include "app/Session.h"
#include "app/UiHost.h"
#include "gui/LoadingWindow.h"

namespace orbic::gui {

// What the window is built from: the skin pictures by resource name, the
// loading animation and the behaviour configuration.
struct WindowResources {
  std::function<QImage(const QString& name)> picture;  // a null image when missing
  std::span<const std::uint8_t> loadingGif;
  ui::BehaviourConfig config;
  std::string programFolder;  // with a trailing separator
};

// TForm1: the one skinned, borderless main window. It is the core's window
// (UiHost): messages, the loading window, the device timer and the overlay
// that covers the pages while no mouse is usable.
class MainWindow : public QWidget, public app::UiHost {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "ORBIC40 Gaming Mouse v1.0";
  static constexpr int kDeviceTimerMs = 2500;
  static constexpr int kPageGroups = 6;
  static constexpr int kHeaderCopies = 4;

  MainWindow(device::HidBackend& backend, device::Clock& clock, WindowResources resources);
  ~MainWindow() override;

  app::Session& Session() { return *session_; }
  app::Navigation& Navigation() { return *navigation_; }
  LoadingWindow& Loading() { return *loading_; }
  QTimer& DeviceTimer() { return deviceTimer_; }
  // The creation steps in the order they ran, for the start-up test.
  const QStringList& CreationSteps() const { return creationSteps_; }
  QSize BackgroundSize() const { return backgroundSize_; }

  // Messages are modal dialogs; tests put a sink in their place.
  using MessageSink = std::function<void(const std::string&, app::MessageStyle)>;
  void SetMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }

  // UiHost
  void ShowMessage(const std::string& text, app::MessageStyle style) override;
  void ShowLoadingWindow() override;
  void HideLoadingWindow() override;
  void PumpEvents() override;
  void SetDeviceTimerEnabled(bool enabled) override;
  void DisablePages() override;
  void EnablePages() override;
  void ModelsChanged() override;

  // Page groups gbPage1..gbPage6 (1-based).
  QWidget* PageGroup(int group) const { return groups_.at(static_cast<std::size_t>(group - 1)); }
  bool PagesCovered() const;

 signals:
  // After every model change the core reported; page views refresh on it.
  void modelsChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Create();
  void Step(const QString& name) { creationSteps_ << name; }
  void BuildPageGroups();
  void BuildHeaderChrome();
  void ApplyShape();
  void StartDrag(QMouseEvent* event);
  void ShowVisibleGroup();
  void FormCloseQuery();

  device::HidBackend& backend_;
  device::Clock& clock_;
  WindowResources resources_;
  std::unique_ptr<app::Session> session_;
  std::unique_ptr<app::Navigation> navigation_;
  std::unique_ptr<LoadingWindow> loading_;
  QTimer deviceTimer_;
  QImage background_;
  QSize backgroundSize_;
  std::array<QWidget*, kPageGroups> groups_{};
  std::array<QLabel*, kHeaderCopies> overlays_{};
  QStringList creationSteps_;
  MessageSink messageSink_;
  QPoint dragOffset_;
  bool manualDrag_ = false;
};

}  // namespace orbic::gui
