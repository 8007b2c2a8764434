#include "gui/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <iostream>

#include "app/RawMacroImport.h"
#include "app/SettingsTransfer.h"
#include "device/HidBackend.h"
#include "fire/FirePage.h"
#include "gui/MessageDialog.h"
#include "gui/SkinColours.h"
#include "gui/SkinResources.h"
#include "gui/WindowShape.h"
#include "gui/WindowStyle.h"
#include "gui/dialogs/DialogHost.h"
#include "gui/dialogs/DialogLook.h"
#include "gui/dialogs/FileDialogs.h"
#include "gui/pages/FunctionMenu.h"

namespace orbic::gui {

namespace {

// The skin's see-through colour: maroon, 0x000080 as Windows writes it.
constexpr int kStartSkin = 1;
// Used only when the skin has no background picture, so the window is
// still usable.
constexpr QSize kFallbackBackground(1000, 640);
constexpr int kPagePictures = 5;  // Img_P1..Img_P5
constexpr int kFireGroup = 5;
constexpr int kEngineerTerm = 5;  // "Engineer Mode"

constexpr const char* kSelectedPicture = "SetS_03";
constexpr const char* kIdlePicture = "SetS_01";
constexpr const char* kPressedAction = "BtnS_03";
constexpr const char* kHoveredAction = "BtnS_02";
constexpr const char* kIdleAction = "BtnS_01";
constexpr const char* kWebClicked = "WebS_02";
constexpr const char* kProfileFilter = "SaveFile (*.bin)";
constexpr const char* kLoadFilter = "LoadFile (*.bin)";
constexpr const char* kRestoreBackupText = "Restore backup\u2026";
constexpr const char* kBackupFilter = "Backups (orbic40-*.bin)";

// Header page buttons and the page each opens.
struct PageButtonRow {
  const char* name;
  app::PageButton button;
};
constexpr std::array<PageButtonRow, 6> kPageButtons{{
    {"Main", app::PageButton::kMain},
    {"Second", app::PageButton::kSecond},
    {"Adv", app::PageButton::kAdvanced},
    {"Breath", app::PageButton::kBreath},
    {"Macro", app::PageButton::kMacro},
    {"Engineer", app::PageButton::kEngineer},
}};

// Controls the engineer unlock brings out; the fire content editor shows
// itself while the editor is visible.
constexpr auto kEngineerShownControls = std::to_array<const char*>(
    {"ts_Engineer", "Btn_Default", "Btn_ImportBaseMacro", "Btn_ImportGunMacro", "btn_TestKeys"});
constexpr auto kEngineerEnabledControls =
    std::to_array<const char*>({"gbLEDType", "rb_MCULED", "rb_RBLED", "rb_SyncLED", "rb_BreLED",
                                "lbl_SensorOri", "cb_SensorOri"});
// The key function menus whose height follows the page.
constexpr auto kMenuPanels = std::to_array<const char*>({"Pnl_Main", "Pnl_Special"});
constexpr auto kComboKey3Controls = std::to_array<const char*>({"IB_ComboKey3", "Img_ComboKey3"});

QString Numbered(const char* family, int n) {
  return QString::fromLatin1(family) + QString::number(n);
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

bool HasText(const QWidget& widget) {
  return widget.metaObject()->indexOfProperty("text") >= 0;
}

// A tab sheet is shown as its tab; anything else as itself.
void Reveal(QWidget& widget) {
  for (QWidget* up = widget.parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
      const int index = tabs->indexOf(&widget);
      if (index >= 0) {
        tabs->setTabVisible(index, true);
        return;
      }
    }
  }
  widget.show();
}

}  // namespace

WindowResources EmbeddedWindowResources() {
  // The animation's bytes live as long as the program.
  static const QByteArray loadingGif = SkinResource("WaitGif");
  WindowResources resources;
  resources.picture = [](const QString& name) { return LoadSkinPicture(name.toStdString()); };
  resources.loadingGif =
      std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(loadingGif.constData()),
                                    static_cast<std::size_t>(loadingGif.size()));
  return resources;
}

MainWindow::MainWindow(device::HidBackend& backend, orbic::Clock& clock, WindowResources resources)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      backend_(backend),
      clock_(clock),
      resources_(std::move(resources)),
      lastFolder_(QDir::homePath()) {
  setObjectName("TForm1");
  setWindowTitle(kCaption);
  Create();
}

MainWindow::~MainWindow() {
  deviceTimer_.stop();
}

void MainWindow::Create() {
  tray_ = std::make_unique<TrayIcon>();
  setWindowIcon(TrayIcon::ApplicationIcon());
  Step("tray icon");
  deviceTimer_.setInterval(kDeviceTimerMs);
  deviceTimer_.stop();
  Step("device timer off");

  skin_ = std::make_unique<SkinEngine>(resources_.picture, &std::cerr);
  background_ = skin_->Picture(SkinEngine::BackgroundName(kStartSkin)).toImage();
  backgroundSize_ = background_.isNull() ? kFallbackBackground : background_.size();
  Step("background picture");
  StyleWindow(*this);
  BuildPageGroups();
  resize(backgroundSize_);
  Step("window and page groups sized");

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - backgroundSize_.width()) / 2,
         area.top() + (area.height() - backgroundSize_.height()) / 2);
  }
  Step("centred on the screen");
  ApplyShape();
  Step("borderless and shaped");
  for (int group = 1; group <= kPageGroups; ++group) {
    PageGroup(group)->setVisible(group == 1);
  }
  Step("first page group shown");

  session_ = std::make_unique<app::Session>(backend_, clock_, *this, resources_.config);
  session_->SetProgramFolder(resources_.programFolder);
  navigation_ = std::make_unique<app::Navigation>(*session_);
  Step("skin pictures and behaviour configuration");
  CreateMacroFiles();
  fixedLanguage_ = ui::FixedTextLanguage(QLocale::system().name().toStdString());
  Step("macro files and fixed-text language");
  skinNumber_ = kStartSkin;
  Step("skin number 1");
  BuildControls();
  FitPageSurfaces(*this);
  WireMacros();
  Step("page controls and header");
  ApplySkinLayout(skinNumber_);
  Step("layout and texts of skin 1");
  SetApplicationTitle(language_.applicationTitle);
  Step("application title");
  session_->RefreshErrorAP();
  Step("no-device state");
  WirePointerSettings();
  Step("pointer settings");
  LanguageButton(kStartSkin);
  Step("language button");
  update();
  Step("repaint");

  // TFormLoadingUI: created hidden after the main window; from here on the
  // device timer looks for the mouse.
  loading_ = std::make_unique<LoadingWindow>(resources_.loadingGif);
  loading_->SetTimeSource([this] { return clock_.NowMs(); });
  connect(&deviceTimer_, &QTimer::timeout, this, [this] {
    // The connection start reads the mouse: it too is one device operation.
    if (const app::DeviceOperation::Hold hold = session_->Operation().TryBegin()) {
      session_->Monitor().DevTimerTimer();
    }
  });
  deviceTimer_.start();
  Step("loading window; device timer on");
  // After the constructor, so the message has a window (and a test its sink).
  if (!startupProblems_.empty()) {
    QTimer::singleShot(0, this, &MainWindow::ReportStartupProblems);
  }
}

// The library of the mode ("Macro.bin" or "Driver_Macro.bin") and the
// engineer's gun-key list. A file that cannot be read or made leaves a usable
// list in memory; the user is told once.
void MainWindow::CreateMacroFiles() {
  const ui::BehaviourConfig& config = session_->Config();
  const macros::MacroFolderSettings folders{config.path, resources_.programFolder,
                                            resources_.xdgDataHome, resources_.home,
                                            resources_.appData};
  macroStore_ = std::make_unique<macros::MacroStore>(config.eepromMode, folders);
  std::string error;
  if (!macroStore_->CheckPCMacro(error)) {
    startupProblems_.push_back(error);
  }
  macroPage_ =
      std::make_unique<macros::MacroPage>(*macroStore_, clock_, session_->Messages(), *this);
  if (!config.eepromMode) {
    // The copies the buttons use follow every saved edit of their macro.
    macroPage_->SetAfterSave([this] {
      session_->Settings().driverSlots.RefreshDriverWriteMacro(macroStore_->DriverLibrary());
    });
  }
  error.clear();
  // The gun-key list lives beside the program, not in the configured Path.
  macros::MacroFolderSettings gunKeyFolders = folders;
  gunKeyFolders.path.clear();
  if (!session_->LoadGunKeys(gunKeyFolders, error)) {
    startupProblems_.push_back(error);
  }
}

void MainWindow::ReportStartupProblems() {
  std::vector<std::string> problems;
  problems.swap(startupProblems_);
  for (const std::string& problem : problems) {
    ShowMessage(problem, orbic::MessageStyle::kMessageBox);
  }
}

void MainWindow::WireMacros() {
  pageViews_->SetMacroEditor(&macroPage_->Editor(), &macroPage_->Recorder());
  FunctionMenu& menu = pageViews_->Menu();
  menu.chooseMacro = [this](int index) {
    if (index < 0) {
      return;
    }
    orbic::app::SettingsModel& settings = session_->Settings();
    const auto at = static_cast<std::size_t>(index);
    if (macroStore_->EepromMode()) {
      settings.macroAssignment.LB_NameClick(macroStore_->Library(), at);
    } else {
      settings.driverMacroAssignment.ChangeProfile1StringForDriverMode(macroStore_->DriverLibrary(),
                                                                       at);
    }
  };
  menu.openFirePage = [this] {
    const keys::EditingTarget& target = session_->Settings().assignment.Target();
    session_->Pages().visibleGroup = kFireGroup;
    session_->FirePage().Key_FireMacroClick(target.keyMode, target.button);
    ModelsChanged();
  };
  pageViews_->SetMacroFileCommand([this](MacroFileCommand command) {
    const std::string problem = dialogs_->RunMacroFileCommand(
        command, *macroPage_, [this](bool save) { return ChooseFile(save); }, session_->Messages());
    if (!problem.empty()) {
      ShowMessage(problem, orbic::MessageStyle::kDialog);
    }
  });
  dialogs_ = std::make_unique<DialogHost>(
      *this,
      [this] {
        return DialogLook::FromSkin(*skin_, language_.table, Text(language_.languageFont));
      },
      dialogRunner_);
  pageViews_->SetMacroDialogs(
      [this](macros::MacroEditor& editor) { dialogs_->ShowMacroDialogs(editor); });
  pageViews_->SetFireEditDialog(
      [this](fire::FireContentEditor& editor, fire::FireEditDialog dialog) {
        return dialogs_->ShowFireEditDialog(editor, dialog);
      });
  menu.openCombination = [this] { ShowCombinationDialog(); };

  // Keys and mouse buttons reach the recorder while it records.
  recordingInput_ = std::make_unique<RecordingInput>();
  recordingInput_->SetRecorder(&macroPage_->Recorder());
  recordingInput_->SetFireEditor(&session_->FirePage().Editor());
  QCoreApplication::instance()->installEventFilter(recordingInput_.get());
  connect(recordingInput_.get(), &RecordingInput::recorded, this,
          [this] { pageViews_->Refresh(); });
  connect(recordingInput_.get(), &RecordingInput::recordingStopped, this,
          [this](const macros::RecordingChange&) { pageViews_->Refresh(); });

  app::SessionHooks& hooks = session_->Hooks();
  // Nothing of a macro stays selected while there is no mouse.
  hooks.clearMacroViews = [this] { macroPage_->Editor().LibraryReplaced(); };
  hooks.clearDeviceLostLists = [this] { macroPage_->Editor().LibraryReplaced(); };
}

void MainWindow::UnlockFireEditor() {
  navigation_->UnlockFireRecording();
  session_->FirePage().Editor().Show();
  ApplyNavigationState();
  if (pageViews_) {
    pageViews_->Refresh();
  }
}

void MainWindow::ShowCombinationDialog() {
  if (dialogs_->ShowCombinationDialog(combinationDialog_)) {
    session_->Settings().assignment.ApplyCombinationResult(combinationDialog_.Confirm());
  }
  ModelsChanged();
}

// The Advanced page shows the system's pointer settings, read now and after
// every read of the mouse, and stores them with every write-back.
void MainWindow::WirePointerSettings() {
  if (resources_.pointerSystem == nullptr) {
    return;
  }
  pointerSettings_ = std::make_unique<perf::PointerSettingsPage>(*resources_.pointerSystem);
  const auto refresh = [this] {
    pointerSettings_->RefreshMouseSystemParameterA();
    pointerSettings_->RefreshMouseSystemParameterB();
  };
  refresh();
  app::SessionHooks& hooks = session_->Hooks();
  hooks.refreshPointerSettings = refresh;
  hooks.applyPointerSettings = [this] { pointerSettings_->ApplyPointerSettings(); };
  pageViews_->SetPointerSettings(pointerSettings_.get());
}

void MainWindow::BuildPageGroups() {
  // One pixmap shared by every page's background.
  const QPixmap background = background_.isNull() ? QPixmap() : QPixmap::fromImage(background_);
  for (int group = 1; group <= kPageGroups; ++group) {
    auto* box = new QWidget(this);
    box->setObjectName(Numbered("gbPage", group));
    box->resize(group == app::kEngineerGroup ? QSize(app::kEngineerWidth, app::kEngineerHeight)
                                             : backgroundSize_);
    // The engineer page has its own background label; the skin's five
    // backgrounds are Img_Base_1..5.
    auto* base = new QLabel(box);
    base->setObjectName(Numbered("Img_Base_", group));
    base->setGeometry(0, 0, box->width(), box->height());
    base->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (!background_.isNull()) {
      base->setPixmap(background);
    }
    base->installEventFilter(this);
    groups_[static_cast<std::size_t>(group - 1)] = box;
  }
  for (int copy = 1; copy <= kHeaderCopies; ++copy) {
    auto* overlay = new QLabel(PageGroup(copy));
    overlay->setObjectName(Numbered("Disable_All_", copy));
    overlay->setGeometry(QRect(QPoint(0, 0), backgroundSize_));
    overlay->setAttribute(Qt::WA_TranslucentBackground);
    overlay->show();  // visible from the start: no clicks until a mouse is read
    overlays_[static_cast<std::size_t>(copy - 1)] = overlay;
  }
}

// The page controls, then the header over them, the overlays over both and
// exit and minimise over everything.
void MainWindow::BuildControls() {
  pageViews_ = CreatePageViews(groups_, *session_);
  // Each page's picture lies right over its background, under the page's
  // controls, unless the page brought its own.
  for (int page = 1; page <= kPagePictures; ++page) {
    if (findChild<QLabel*>(Numbered("Img_P", page)) == nullptr) {
      auto* picture = new QLabel(PageGroup(page));
      picture->setObjectName(Numbered("Img_P", page));
      picture->installEventFilter(this);
      picture->lower();
      PageGroup(page)->findChild<QLabel*>(Numbered("Img_Base_", page))->lower();
    }
  }
  header_ = new HeaderBar({groups_[0], groups_[1], groups_[2], groups_[3]}, resources_.config,
                          *skin_, this);
  connect(header_, &HeaderBar::clicked, this, &MainWindow::HeaderClicked);
  for (int copy = 1; copy <= HeaderBar::kCopies; ++copy) {
    if (QLabel* load = header_->Label("Load", copy)) {
      load->setContextMenuPolicy(Qt::CustomContextMenu);
      connect(load, &QLabel::customContextMenuRequested, this, [this, load](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QString::fromUtf8(kRestoreBackupText), this, &MainWindow::RestoreBackup);
        menu.exec(load->mapToGlobal(at));
      });
    }
  }
  StackOverlays();

  skin_->ApplyStartupPictures(*this);
  ApplyFixedTexts();
  pageViews_->SetEngineerCommand([this](const QString& command) { EngineerCommand(command); });

  HoverContext context;
  context.noDeviceState = [this] { return session_->NoDeviceState(); };
  context.checkedPageRadio = [this] { return navigation_->State().checkedRadio; };
  context.currentLanguage = [this] { return currentLanguage_; };
  context.pressed = [this](const QWidget& label) {
    if (runningAction_.isEmpty()) {
      return false;
    }
    for (int copy = 1; copy <= kHeaderCopies; ++copy) {
      if (header_->Label(runningAction_.toStdString(), copy) == &label) {
        return true;
      }
    }
    return false;
  };
  context.rollingEnabled = resources_.config.trEnable;
  hover_ = new HoverPictures(*this, *skin_, std::move(context), this);
  hover_->Install();

  for (QWidget* logo : findChildren<QWidget*>("Img_Logo4")) {
    logo->installEventFilter(this);
  }
  auto* engineerKeys = new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E), this);
  engineerKeys->setContext(Qt::WindowShortcut);
  connect(engineerKeys, &QShortcut::activated, this, &MainWindow::ShowEngineerButtons);
}

void MainWindow::StackOverlays() {
  for (QLabel* overlay : overlays_) {
    overlay->raise();
  }
  if (header_ != nullptr) {
    header_->RaiseChrome();
  }
}

// Maroon pixels of the background are see-through: a shape mask where the
// window system takes one (X11), a translucent background elsewhere.
void MainWindow::ApplyShape() {
  setAttribute(Qt::WA_TranslucentBackground);
  if (background_.isNull()) {
    return;
  }
  shape_ = ShownPart(background_);
  setMask(shape_);
}

void MainWindow::ApplySkinLayout(int skin) {
  std::vector<std::string> problems;
  if (tables_.empty()) {
    tables_ = ui::LoadEmbeddedLanguageTables(problems);
  }
  // The table is read first so the layout can give the labels its font.
  const ui::LanguageTable table = ui::LoadLanguageTable(skin, problems);
  ReportProblems(problems);

  skin_->ApplySkinPictures(*this, skin);
  skin_->ApplyLayout(*this, skin, Text(table.FontName()));
  session_->Settings().dpi.SetLabelColours(DpiLabelColours(skin_->Layout()));
  ApplyMenuColours(*this, skin_->Layout());
  ApplyLanguage(table);
  if (engineerButtonsShown_) {
    ShowEngineerButtons();
  }
}

void MainWindow::ApplyLanguage(const ui::LanguageTable& table) {
  ui::MarkerCaptions markers;
  for (std::size_t index = 0; index < ui::kButtonMarkers.size(); ++index) {
    if (const auto* marker = findChild<QWidget*>(Text(std::string(ui::kButtonMarkers[index])))) {
      markers[index] = marker->property("text").toString().toStdString();
    }
  }
  language_ = ui::ApplyLanguageTable(table, tables_, markers);
  for (const ui::ControlCaption& caption : language_.captions) {
    SetCaption(Text(caption.control), Text(caption.text));
  }
  for (std::size_t index = 0; index < ui::kButtonMarkers.size(); ++index) {
    SetCaption(Text(std::string(ui::kButtonMarkers[index])), Text(language_.markerCaptions[index]));
  }
  session_->Messages() = language_.messages;
  session_->Settings().dpi.SetStepTexts(language_.dpiStepTexts);
  // Labels are made from the codes in the new language, so a macro named
  // like a table text keeps its name.
  session_->Settings().SetLabelTexts(
      [table = language_.table](std::string_view key) { return table.Text(key); });
  if (pageViews_) {
    pageViews_->Refresh();
  }
}

void MainWindow::SetCaption(const QString& objectName, const QString& text) {
  for (QWidget* widget : findChildren<QWidget*>(objectName)) {
    if (HasText(*widget)) {
      widget->setProperty("text", text);
    }
  }
}

// The engineer page speaks the desktop's language, not the skin's.
void MainWindow::ApplyFixedTexts() {
  QWidget* engineer = PageGroup(app::kEngineerGroup);
  QFont font = engineer->font();
  font.setFamily(Text(std::string(ui::FixedTextFont(fixedLanguage_))));
  engineer->setFont(font);
  pageViews_->SetFixedLanguage(fixedLanguage_);
}

// The task bar's name for the program; the window caption stays the fixed
// one a second start looks for.
void MainWindow::SetApplicationTitle(const std::string& title) {
  applicationTitle_ = Text(title.empty() ? std::string(ui::kStartupApplicationTitle) : title);
  QGuiApplication::setApplicationDisplayName(applicationTitle_);
  ShowApplicationTitle();
  tray_->SetToolTip(applicationTitle_);
}

void MainWindow::ShowApplicationTitle() {
  // Qt appends the display name to a native title that differs from it; the
  // title equal to the display name goes to the task bar as it is.
  if (QWindow* native = windowHandle(); native != nullptr && !applicationTitle_.isEmpty()) {
    native->setTitle(applicationTitle_);
  }
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ShowApplicationTitle();
}

void MainWindow::ReportProblems(std::vector<std::string>& problems) {
  for (const std::string& problem : problems) {
    if (std::find(reportedProblems_.begin(), reportedProblems_.end(), problem) ==
        reportedProblems_.end()) {
      std::cerr << "orbic40: language: " << problem << '\n';
      reportedProblems_.push_back(problem);
    }
  }
  problems.clear();
}

void MainWindow::LanguageButton(int language) {
  if (language < 1 || language > SkinEngine::kSkins) {
    return;
  }
  for (int other = 1; other <= SkinEngine::kSkins; ++other) {
    for (int copy = 1; copy <= kHeaderCopies; ++copy) {
      skin_->SetPicture(*this, QString("Img_Lang%1_%2").arg(other).arg(copy),
                        other == language ? kSelectedPicture : kIdlePicture);
    }
  }
  currentLanguage_ = language;
  // The insert choice of the macro page survives the re-layout.
  std::vector<std::pair<QComboBox*, int>> insertChoices;
  for (QComboBox* box : findChildren<QComboBox*>("CB_Insert")) {
    insertChoices.emplace_back(box, box->currentIndex());
  }
  skinNumber_ = language;
  ApplySkinLayout(skinNumber_);
  for (const auto& [box, index] : insertChoices) {
    box->setCurrentIndex(index);
  }
  SetApplicationTitle(language_.applicationTitle);
  navigation_->RefreshAPPage();
  hover_->RestartRolling();
}

void MainWindow::HeaderClicked(const QString& name) {
  if (name == "Exit") {
    close();
    return;
  }
  if (name == "Mini") {
    showMinimized();
    return;
  }
  if (name == "Web") {
    WebButton();
    return;
  }
  for (const PageButtonRow& row : kPageButtons) {
    if (name == QLatin1String(row.name)) {
      if (navigation_->Click(row.button) == app::Navigation::Result::kShown &&
          row.button == app::PageButton::kEngineer) {
        UnlockFireEditor();  // the engineer page runs both unlock gestures
      }
      return;
    }
  }
  for (int language = 1; language <= SkinEngine::kSkins; ++language) {
    if (name == Numbered("Lang", language)) {
      LanguageButton(language);
      return;
    }
  }
  // One device operation at a time: a click that arrives while the mouse is
  // being read or written (events are pumped between chunks) is dropped.
  const app::DeviceOperation::Hold hold = session_->Operation().TryBegin();
  if (!hold) {
    return;
  }
  app::SettingsTransfer transfer(*session_);
  if (name == "Apply") {
    ActionButton(name, [&transfer] { transfer.Apply(); });
  } else if (name == "Confirm") {
    bool close = false;
    ActionButton(name, [&] { close = transfer.Confirm() != app::TransferOutcome::kNoMouse; });
    if (close) {
      this->close();
    }
  } else if (name == "Read") {
    ActionButton(name, [&transfer] { transfer.Read(); });
  } else if (name.startsWith("Confirm")) {
    const int preset = name.mid(QString("Confirm").size()).toInt();
    ActionButton(name, [&transfer, preset] { transfer.Preset(preset); });
  } else if (name == "Save") {
    ActionButton(name, [this] { SaveProfile(); });
  } else if (name == "Load") {
    ActionButton(name, [this] { LoadProfile(); });
  }
}

// The button looks pressed while its operation runs.
void MainWindow::ActionButton(const QString& name, const std::function<void()>& action) {
  const auto show = [this, &name](const char* picture) {
    for (int copy = 1; copy <= kHeaderCopies; ++copy) {
      skin_->SetPicture(header_->Picture(name.toStdString(), copy), picture);
    }
  };
  show(kPressedAction);
  runningAction_ = name;
  action();
  runningAction_.clear();
  bool hovered = false;
  for (int copy = 1; copy <= kHeaderCopies; ++copy) {
    const QLabel* label = header_->Label(name.toStdString(), copy);
    hovered = hovered || (label != nullptr && label->isVisible() && label->underMouse());
  }
  show(hovered ? kHoveredAction : kIdleAction);
}

QString MainWindow::ChooseFile(bool save) {
  if (fileChooser_) {
    return fileChooser_(save);
  }
  const QString path =
      save ? ChooseSaveFile(this, Text(language_.table.Text("Str009")), lastFolder_, kProfileFilter)
           : QFileDialog::getOpenFileName(this, Text(language_.table.Text("Str010")), lastFolder_,
                                          kLoadFilter);
  if (!path.isEmpty()) {
    lastFolder_ = QFileInfo(path).absolutePath();
  }
  return path;
}

QString MainWindow::ChooseFileForMouse(bool save) {
  if (!session_->Channel().IsOpen()) {
    ShowMessage(session_->Messages().str020, orbic::MessageStyle::kDialog);
    return {};
  }
  return ChooseFile(save);
}

void MainWindow::SaveProfile() {
  // A profile holds what the mouse holds: edits not applied yet would be
  // dropped by the fresh read without a word, so the user chooses first.
  bool applyFirst = false;
  if (session_->Channel().IsOpen() && session_->PendingEdits()) {
    const Answer answer =
        Ask("Some changes on the pages have not been applied to the mouse. Apply them before "
            "saving the profile, or save the mouse's settings as they are?",
            QStringLiteral("Apply"), QStringLiteral("Save as is"));
    if (answer == Answer::kCancel) {
      return;
    }
    applyFirst = answer == Answer::kFirst;
  }
  const QString path = ChooseFileForMouse(true);
  if (path.isEmpty()) {
    return;
  }
  app::SettingsTransfer transfer(*session_);
  // A failed write has told the user; saving then would hide it.
  if (applyFirst && transfer.Apply() != app::TransferOutcome::kWritten) {
    return;
  }
  std::string error;
  const app::TransferOutcome outcome =
      transfer.SaveProfile(QDir::toNativeSeparators(path).toStdString(), error);
  // A profile that was not written must not pass for saved.
  if (outcome != app::TransferOutcome::kSaved && outcome != app::TransferOutcome::kNoMouse) {
    ShowMessage(error.empty() ? session_->Messages().str109 : error, orbic::MessageStyle::kDialog);
  }
}

void MainWindow::LoadProfile() {
  const QString path = ChooseFileForMouse(false);
  if (path.isEmpty()) {
    return;
  }
  // The transfer shows its own messages (a bad file, a failed write).
  std::string error;
  app::SettingsTransfer(*session_).LoadProfile(QDir::toNativeSeparators(path).toStdString(), error);
}

void MainWindow::RestoreBackup() {
  if (!session_->Channel().IsOpen()) {
    ShowMessage(session_->Messages().str020, orbic::MessageStyle::kDialog);
    return;
  }
  const app::BackupFolder* backups = session_->Backups();
  const QString folder =
      backups != nullptr ? QString::fromStdString(backups->Folder()) : QDir::homePath();
  const QString path =
      fileChooser_ ? fileChooser_(false)
                   : QFileDialog::getOpenFileName(this, QString::fromUtf8(kRestoreBackupText),
                                                  folder, kBackupFilter);
  if (path.isEmpty()) {
    return;
  }
  std::string error;
  app::SettingsTransfer(*session_).LoadProfile(QDir::toNativeSeparators(path).toStdString(), error);
}

// The engineer page's buttons: the header buttons' paths, the factory
// default and the two raw imports.
void MainWindow::EngineerCommand(const QString& command) {
  const bool own =
      command == "Default" || command == "ImportBaseMacro" || command == "ImportGunMacro";
  if (!own) {
    HeaderClicked(command);
    return;
  }
  const app::DeviceOperation::Hold hold = session_->Operation().TryBegin();
  if (!hold) {
    return;
  }
  if (command == "Default") {
    app::SettingsTransfer(*session_).EngineerDefault();
    return;
  }
  const bool base = command == "ImportBaseMacro";
  const QString path = ChooseFileForMouse(false);
  if (path.isEmpty()) {
    return;
  }
  // The import shows its own messages (a file it cannot use).
  std::string error;
  orbic::app::RawMacroImport import(*session_);
  const std::string file = QDir::toNativeSeparators(path).toStdString();
  const app::TransferOutcome outcome = base ? import.Btn_ImportBaseMacroClick(file, error)
                                            : import.Btn_ImportGunMacroClick(file, error);
  // A write the mouse did not take (or did not give back) is told as Apply tells it.
  if (outcome == app::TransferOutcome::kWriteFailed ||
      outcome == app::TransferOutcome::kNotAllowed || outcome == app::TransferOutcome::kNoAnswer) {
    ShowMessage(session_->Messages().str109, orbic::MessageStyle::kDialog);
  }
}

// Only web addresses are opened, and through the desktop's URL handler:
// nothing from the configuration reaches a shell.
void MainWindow::WebButton() {
  for (int copy = 1; copy <= kHeaderCopies; ++copy) {
    skin_->SetPicture(header_->Picture("Web", copy), kWebClicked);
  }
  const ui::BehaviourConfig& config = resources_.config;
  if (!config.webEnable) {
    return;
  }
  const QUrl url(Text(config.web), QUrl::StrictMode);
  if (!url.isValid() || (url.scheme() != "https" && url.scheme() != "http") ||
      url.host().isEmpty()) {
    std::cerr << "orbic40: the web address \"" << config.web << "\" is not a web address\n";
    return;
  }
  if (urlOpener_) {
    urlOpener_(url);
  } else {
    QDesktopServices::openUrl(url);
  }
}

// The engineer button takes the place after the Macro button, one page
// button's step further.
void MainWindow::ShowEngineerButtons() {
  engineerButtonsShown_ = true;
  for (int copy = 1; copy <= kHeaderCopies; ++copy) {
    QLabel* macro = header_->Picture("Macro", copy);
    QLabel* picture = header_->Picture("Engineer", copy);
    QLabel* label = header_->Label("Engineer", copy);
    const QLabel* main = header_->Picture("Main", copy);
    const QLabel* second = header_->Picture("Second", copy);
    const int step = second->x() - main->x();
    const QPoint shift(step > 0 ? step : macro->width(), 0);
    picture->setGeometry(macro->geometry().translated(shift));
    label->setGeometry(header_->Label("Macro", copy)->geometry().translated(shift));
    picture->show();
    label->show();
  }
  // The layout gives it the Macro button's caption; shown beside it, it says
  // where it leads, in the engineer page's language.
  if (const auto term = ui::LookupTerm(kEngineerTerm, fixedLanguage_)) {
    for (int copy = 1; copy <= kHeaderCopies; ++copy) {
      header_->Label("Engineer", copy)->setText(Text(std::string(*term)));
    }
  }
}

bool MainWindow::PagesCovered() const {
  return overlays_[0] != nullptr && !overlays_[0]->isHidden();
}

void MainWindow::ShowMessage(const std::string& text, orbic::MessageStyle style) {
  if (messageSink_) {
    messageSink_(text, style);
    return;
  }
  // Connection messages too take the skin's message dialog (the style only
  // tells the sink which kind it was): a plain light box stood out.
  MessageDialog dialog(Text(text), Text(language_.languageFont), skin_->Picture("Msg"), this);
  dialog.exec();
}

MainWindow::Answer MainWindow::Ask(const std::string& question, const QString& first,
                                   const QString& second) {
  if (questionSink_) {
    return questionSink_(question);
  }
  MessageDialog dialog(Text(question), Text(language_.languageFont), skin_->Picture("Msg"), this);
  dialog.SetChoices(first, second);
  const int result = dialog.exec();
  if (result == QDialog::Accepted) {
    return Answer::kFirst;
  }
  return result == MessageDialog::kSecondChoice ? Answer::kSecond : Answer::kCancel;
}

void MainWindow::ShowLoadingWindow() {
  loading_->ShowOver(*this);
}

void MainWindow::HideLoadingWindow() {
  loading_->hide();
}

void MainWindow::PumpEvents() {
  QCoreApplication::processEvents();
}

void MainWindow::SetDeviceTimerEnabled(bool enabled) {
  if (enabled) {
    deviceTimer_.start();
  } else {
    deviceTimer_.stop();
  }
}

void MainWindow::DisablePages() {
  for (QLabel* overlay : overlays_) {
    overlay->show();
  }
  StackOverlays();
}

void MainWindow::EnablePages() {
  for (QLabel* overlay : overlays_) {
    overlay->hide();
  }
}

void MainWindow::ModelsChanged() {
  ShowVisibleGroup();
  if (skin_ != nullptr) {
    for (const auto& [control, picture] : session_->Pages().buttonPictures) {
      skin_->SetPicture(*this, Text(control), picture);
    }
  }
  ApplyNavigationState();
  if (pageViews_) {
    pageViews_->Refresh();
  }
  emit modelsChanged();
}

// What the page buttons and the unlock gestures decided about the controls.
void MainWindow::ApplyNavigationState() {
  if (!navigation_) {
    return;
  }
  const app::NavigationState& state = navigation_->State();
  for (const char* panel : kMenuPanels) {
    for (QWidget* widget : findChildren<QWidget*>(panel)) {
      widget->resize(widget->width(), state.menuHeight);
    }
  }
  for (const char* name : kComboKey3Controls) {
    for (QWidget* widget : findChildren<QWidget*>(name)) {
      widget->setVisible(state.comboKey3Shown);
    }
  }
  if (state.engineerUnlocked) {
    for (const char* name : kEngineerShownControls) {
      for (QWidget* widget : findChildren<QWidget*>(name)) {
        Reveal(*widget);
      }
    }
    for (const char* name : kEngineerEnabledControls) {
      for (QWidget* widget : findChildren<QWidget*>(name)) {
        widget->setEnabled(true);
      }
    }
  }
}

void MainWindow::ShowVisibleGroup() {
  const int visible = session_ ? session_->Pages().visibleGroup : 1;
  for (int group = 1; group <= kPageGroups; ++group) {
    PageGroup(group)->setVisible(group == visible);
  }
  const auto [width, height] =
      app::Navigation::WindowSize(visible, {backgroundSize_.width(), backgroundSize_.height()});
  resize(width, height);
  // The engineer page is a plain rectangle; the skinned pages have the skin's outline.
  if (shape_.isEmpty() || QSize(width, height) != backgroundSize_) {
    clearMask();
  } else {
    setMask(shape_);
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing in the middle of a transfer would leave the mouse half-written:
  // the close is carried out as soon as the running operation ends.
  if (session_ && session_->Operation().Running()) {
    event->ignore();
    session_->Operation().WhenIdle([this] { close(); });
    return;
  }
  FormCloseQuery();
  event->accept();
}

// Nothing is written and nothing is sent on the way out: the handle is
// forgotten so that no command can follow.
void MainWindow::FormCloseQuery() {
  deviceTimer_.stop();
  if (session_ && session_->Channel().IsOpen()) {
    backend_.Close(session_->Channel().Device().handle);
    session_->Channel().Device().handle = device::kInvalidHandle;
  }
  loading_->hide();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QString name = watched->objectName();
  if (event->type() == QEvent::MouseButtonDblClick) {
    if (name == "Img_Base_5") {
      UnlockFireEditor();
      return true;
    }
    if (name == "Img_Logo4") {
      navigation_->UnlockEngineer();
      ApplyNavigationState();
      return true;
    }
  } else if (event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if ((name.startsWith("Img_Base_") || name == "Img_Logo4") &&
        mouse->button() == Qt::LeftButton) {
      StartDrag(mouse);
      return true;
    }
    if (name.startsWith("Img_P")) {  // ClearAP: a click beside the menus closes them
      if (session_->Hooks().hideAllMenu) {
        session_->Hooks().hideAllMenu();
      }
      return true;
    }
  } else if (event->type() == QEvent::MouseMove && manualDrag_) {
    move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragOffset_);
    return true;
  } else if (event->type() == QEvent::MouseButtonRelease && manualDrag_) {
    manualDrag_ = false;
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// The window system moves the window where it can (Wayland requires it);
// elsewhere the window follows the pointer itself.
void MainWindow::StartDrag(QMouseEvent* event) {
  if (session_ && session_->Hooks().hideAllMenu) {
    session_->Hooks().hideAllMenu();
  }
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
    return;
  }
  manualDrag_ = true;
  dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

}  // namespace orbic::gui
