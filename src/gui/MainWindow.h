#pragma once

#include <QImage>
#include <QLabel>
#include <QPoint>
#include <QRegion>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "app/Navigation.h"
#include "app/Session.h"
#include "base/UiHost.h"
#include "fire/FireContentEditor.h"
#include "gui/HeaderBar.h"
#include "gui/HoverPictures.h"
#include "gui/LoadingWindow.h"
#include "gui/SkinEngine.h"
#include "gui/TrayIcon.h"
#include "gui/dialogs/SkinnedDialog.h"
#include "gui/input/RecordingInput.h"
#include "gui/pages/MacroFileCommand.h"
#include "gui/pages/PageViews.h"
#include "keys/CombinationKeyDialog.h"
#include "macros/MacroPage.h"
#include "macros/MacroStore.h"
#include "perf/PointerSettingsPage.h"
#include "ui/AppliedLanguage.h"
#include "ui/LanguageTable.h"
#include "ui/TermTable.h"

namespace orbic::gui {

class DialogHost;

// What the window is built from: the skin pictures by resource name, the
// loading animation and the behaviour configuration.
struct WindowResources {
  std::function<QImage(const QString& name)> picture;  // a null image when missing
  std::span<const std::uint8_t> loadingGif;
  ui::BehaviourConfig config;
  std::string programFolder;  // with a trailing separator
  // The system's pointer settings, for the Advanced page; may be null.
  perf::PointerSystem* pointerSystem = nullptr;
  // $XDG_DATA_HOME and $HOME (empty when unset): where the macro and gun-key
  // files go when the program folder cannot be written.
  std::string xdgDataHome;
  std::string home;
  std::string appData;  // %APPDATA% on Windows, which comes first there
};

// The embedded skin pictures and loading animation with the shipped
// behaviour configuration.
WindowResources EmbeddedWindowResources();

// TForm1: the one skinned, borderless main window. It is the core's window
// (UiHost): messages, the loading window, the device timer and the overlay
// that covers the pages while no mouse is usable.
class MainWindow : public QWidget, public orbic::UiHost {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "ORBIC40 Gaming Mouse v1.0";
  static constexpr int kDeviceTimerMs = 2500;
  static constexpr int kPageGroups = 6;
  static constexpr int kHeaderCopies = 4;

  MainWindow(device::HidBackend& backend, orbic::Clock& clock, WindowResources resources);
  ~MainWindow() override;

  app::Session& Session() { return *session_; }
  app::Navigation& Navigation() { return *navigation_; }
  LoadingWindow& Loading() { return *loading_; }
  // The page controls, bound to the session's page models.
  PageViews& Pages() { return *pageViews_; }
  QTimer& DeviceTimer() { return deviceTimer_; }
  // The creation steps in the order they ran, for the start-up test.
  const QStringList& CreationSteps() const { return creationSteps_; }
  QSize BackgroundSize() const { return backgroundSize_; }
  SkinEngine& Skin() { return *skin_; }
  HeaderBar& Header() { return *header_; }
  HoverPictures& Hover() { return *hover_; }
  TrayIcon& Tray() { return *tray_; }
  perf::PointerSystem* PointerSystem() const { return resources_.pointerSystem; }
  // The Advanced page's pointer settings; null without a pointer system.
  perf::PointerSettingsPage* PointerSettings() { return pointerSettings_.get(); }
  // The macro library of the current mode and its editor.
  macros::MacroStore& MacroStore() { return *macroStore_; }
  macros::MacroPage& MacroPage() { return *macroPage_; }
  // Runs a skinned dialog modally; tests answer in its place.
  using DialogRunner = std::function<bool(SkinnedDialog&)>;
  void SetDialogRunner(DialogRunner runner) { dialogRunner_ = std::move(runner); }

  // Skin and language: the skin number (1..3) and the checked language radio
  // rb_Lang1..3 move together through the language buttons.
  int SkinNumber() const { return skinNumber_; }
  int CurrentLanguage() const { return currentLanguage_; }
  const ui::AppliedLanguage& Language() const { return language_; }
  const QString& ApplicationTitle() const { return applicationTitle_; }
  ui::TermLanguage FixedLanguage() const { return fixedLanguage_; }

  // Btn_Lang1_0Click .. Btn_Lang3_0Click.
  void LanguageButton(int language);
  // A click on a header button: "Apply", "Main", "Lang2", "Web", "Exit", ...
  void HeaderClicked(const QString& name);
  // Ctrl+Alt+E: the engineer page buttons appear beside the Macro button.
  void ShowEngineerButtons();
  bool EngineerButtonsShown() const { return engineerButtonsShown_; }

  // Messages are modal dialogs; tests put a sink in their place.
  using MessageSink = std::function<void(const std::string&, orbic::MessageStyle)>;
  void SetMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }
  // The profile file dialogs; tests put a chooser in their place. It returns
  // the chosen path, or an empty text when the user cancelled.
  // The macro list's import and export dialogs use it too.
  using FileChooser = std::function<QString(bool save)>;
  // Questions are the message dialog with two answers; tests answer instead.
  enum class Answer { kFirst, kSecond, kCancel };
  using QuestionSink = std::function<Answer(const std::string&)>;
  void SetQuestionSink(QuestionSink sink) { questionSink_ = std::move(sink); }
  void SetFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
  // Opens the web address; tests record it instead.
  using UrlOpener = std::function<bool(const QUrl&)>;
  // "Restore backup…", offered by a right click on "Load Profile": a backup
  // chosen in the backup folder is written back as a profile is loaded.
  void RestoreBackup();
  void SetUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }

  // UiHost
  void ShowMessage(const std::string& text, orbic::MessageStyle style) override;
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
  // The header action whose operation runs ("Apply", "Confirm2", ...), or empty.
  const QString& RunningAction() const { return runningAction_; }

 signals:
  // After every model change the core reported; page views refresh on it.
  void modelsChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Create();
  void Step(const QString& name) { creationSteps_ << name; }
  void BuildPageGroups();
  void BuildControls();
  void StackOverlays();
  void ApplyShape();
  void StartDrag(QMouseEvent* event);
  void ShowVisibleGroup();
  void ApplyNavigationState();
  // The native window carries the application title alone, which the task
  // bar shows; the widget keeps the fixed caption.
  void ShowApplicationTitle();
  void FormCloseQuery();
  // ApplySkinLayout: skin pictures, layout, list heights, language table.
  void ApplySkinLayout(int skin);
  void ApplyLanguage(const ui::LanguageTable& table);
  void ApplyFixedTexts();
  void SetCaption(const QString& objectName, const QString& text);
  void SetApplicationTitle(const std::string& title);
  void ReportProblems(std::vector<std::string>& problems);
  void ActionButton(const QString& name, const std::function<void()>& action);
  void SaveProfile();
  void LoadProfile();
  void EngineerCommand(const QString& command);
  void WebButton();
  QString ChooseFile(bool save);
  // The chooser only while a mouse is open; otherwise "Finding the specified
  // device" and an empty path.
  QString ChooseFileForMouse(bool save);
  Answer Ask(const std::string& question, const QString& first, const QString& second);
  void CreateMacroFiles();
  void WireMacros();
  // The double-click on the fire page (and the engineer page button) bring
  // out the fire content editor.
  void UnlockFireEditor();
  void ShowCombinationDialog();
  void WirePointerSettings();
  // Problems found while the window was built, shown once it runs.
  void ReportStartupProblems();

  device::HidBackend& backend_;
  orbic::Clock& clock_;
  WindowResources resources_;
  std::unique_ptr<app::Session> session_;
  std::unique_ptr<app::Navigation> navigation_;
  // Declared before the page views, which point into them.
  std::unique_ptr<macros::MacroStore> macroStore_;
  std::unique_ptr<macros::MacroPage> macroPage_;
  std::unique_ptr<RecordingInput> recordingInput_;
  keys::CombinationKeyDialog combinationDialog_;  // emptied at every opening
  std::unique_ptr<DialogHost> dialogs_;
  DialogRunner dialogRunner_ = [](SkinnedDialog& dialog) { return dialog.Run(); };
  std::unique_ptr<perf::PointerSettingsPage> pointerSettings_;
  std::vector<std::string> startupProblems_;
  std::unique_ptr<LoadingWindow> loading_;
  std::unique_ptr<TrayIcon> tray_;
  std::unique_ptr<SkinEngine> skin_;
  std::unique_ptr<PageViews> pageViews_;
  HeaderBar* header_ = nullptr;
  HoverPictures* hover_ = nullptr;
  QTimer deviceTimer_;
  QImage background_;
  QRegion shape_;  // the skin outline: all but the see-through corners
  QSize backgroundSize_;
  std::array<QWidget*, kPageGroups> groups_{};
  std::array<QLabel*, kHeaderCopies> overlays_{};
  QStringList creationSteps_;
  int skinNumber_ = 1;
  int currentLanguage_ = 1;
  ui::TermLanguage fixedLanguage_ = ui::TermLanguage::kEnglish;
  std::vector<ui::LanguageTable> tables_;  // all three, for re-translating captions
  ui::AppliedLanguage language_;
  QString applicationTitle_;
  std::vector<std::string> reportedProblems_;
  bool engineerButtonsShown_ = false;
  QString lastFolder_;
  QString runningAction_;  // the header action whose operation runs, or empty
  MessageSink messageSink_;
  QuestionSink questionSink_;
  FileChooser fileChooser_;
  UrlOpener urlOpener_;
  QPoint dragOffset_;
  bool manualDrag_ = false;
};

}  // namespace orbic::gui
