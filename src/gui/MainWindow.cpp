#include "gui/MainWindow.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "device/HidBackend.h"

namespace orbic::gui {

namespace {

// The skin's see-through colour: maroon, 0x000080 as Windows writes it.
constexpr QRgb kSeeThrough = qRgb(0x80, 0x00, 0x00);
constexpr const char* kBackgroundPicture = "L1_BackGround";
// Used only when the skin has no background picture, so the window is
// still usable.
constexpr QSize kFallbackBackground(1000, 640);

QString Numbered(const char* family, int n) {
  return QString::fromLatin1(family) + QString::number(n);
}

}  // namespace

MainWindow::MainWindow(device::HidBackend& backend, device::Clock& clock, WindowResources resources)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      backend_(backend),
      clock_(clock),
      resources_(std::move(resources)) {
  setObjectName("TForm1");
  setWindowTitle(kCaption);
  Create();
}

MainWindow::~MainWindow() {
  deviceTimer_.stop();
}

void MainWindow::Create() {
  Step("tray icon");
  Step("clear editor state");
  deviceTimer_.setInterval(kDeviceTimerMs);
  deviceTimer_.stop();
  Step("device timer off");
  Step("page flags cleared");
  Step("memory mode");
  Step("driver lists created");
  Step("lighting type cleared");
  Step("editor flags cleared");

  if (resources_.picture) {
    background_ = resources_.picture(kBackgroundPicture);
  }
  backgroundSize_ = background_.isNull() ? kFallbackBackground : background_.size();
  Step("background picture");
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
  Step("double buffering");
  Step("program folder");
  Step("hint handler");
  Step("macro path cleared");
  for (int group = 1; group <= kPageGroups; ++group) {
    PageGroup(group)->setVisible(group == 1);
  }
  Step("first page group shown");

  session_ = std::make_unique<app::Session>(backend_, clock_, *this, resources_.config);
  session_->SetProgramFolder(resources_.programFolder);
  navigation_ = std::make_unique<app::Navigation>(*session_);
  Step("skin pictures and behaviour configuration");
  Step("macro files and fixed-text language");
  Step("skin number 1");
  BuildHeaderChrome();
  Step("layout and texts of skin 1");
  Step("list item heights");
  Step("default identification");
  Step("application title");
  Step("device table");
  session_->RefreshErrorAP();
  Step("no-device state");
  Step("pointer settings");
  Step("centred edits");
  Step("language button");
  update();
  Step("repaint");

  // TFormLoadingUI: created hidden after the main window; from here on the
  // device timer looks for the mouse.
  loading_ = std::make_unique<LoadingWindow>(resources_.loadingGif);
  connect(&deviceTimer_, &QTimer::timeout, this, [this] { session_->Monitor().DevTimerTimer(); });
  deviceTimer_.start();
  Step("loading window; device timer on");
}

void MainWindow::BuildPageGroups() {
  for (int group = 1; group <= kPageGroups; ++group) {
    auto* box = new QWidget(this);
    box->setObjectName(Numbered("gbPage", group));
    box->resize(group == app::kEngineerGroup ? QSize(app::kEngineerWidth, app::kEngineerHeight)
                                             : backgroundSize_);
    auto* base = new QLabel(box);
    base->setObjectName(Numbered("Img_Base_", std::min(group, 5)));
    base->setGeometry(0, 0, box->width(), box->height());
    if (!background_.isNull()) {
      base->setPixmap(QPixmap::fromImage(background_));
    }
    base->installEventFilter(this);
    groups_[static_cast<std::size_t>(group - 1)] = box;
  }
  for (int copy = 1; copy <= kHeaderCopies; ++copy) {
    auto* overlay = new QLabel(PageGroup(copy));
    overlay->setObjectName(Numbered("Disable_All_", copy));
    overlay->setGeometry(QRect(QPoint(0, 0), backgroundSize_));
    overlay->setAttribute(Qt::WA_TranslucentBackground);
    overlay->raise();
    overlay->show();  // visible from the start: no clicks until a mouse is read
    overlays_[static_cast<std::size_t>(copy - 1)] = overlay;
  }
}

// Exit and minimise of each header copy lie above the overlay: they are the
// only controls that work before a mouse is read.
void MainWindow::BuildHeaderChrome() {
  for (int copy = 1; copy <= kHeaderCopies; ++copy) {
    QWidget* group = PageGroup(copy);
    auto* exit = new QLabel(group);
    exit->setObjectName(Numbered("Btn_Exit_", copy));
    exit->setGeometry(backgroundSize_.width() - 40, 8, 28, 24);
    exit->installEventFilter(this);
    auto* minimise = new QLabel(group);
    minimise->setObjectName(Numbered("Btn_Minimize_", copy));
    minimise->setGeometry(backgroundSize_.width() - 76, 8, 28, 24);
    minimise->installEventFilter(this);
    exit->raise();
    minimise->raise();
  }
}

// Maroon pixels of the background are see-through: a shape mask where the
// window system takes one (X11), a translucent background elsewhere.
void MainWindow::ApplyShape() {
  setAttribute(Qt::WA_TranslucentBackground);
  if (background_.isNull()) {
    return;
  }
  const QImage image = background_.convertToFormat(QImage::Format_RGB32);
  QBitmap mask = QBitmap::fromImage(image.createMaskFromColor(kSeeThrough, Qt::MaskOutColor));
  setMask(mask);
}

bool MainWindow::PagesCovered() const {
  return overlays_[0] != nullptr && !overlays_[0]->isHidden();
}

void MainWindow::ShowMessage(const std::string& text, app::MessageStyle style) {
  if (messageSink_) {
    messageSink_(text, style);
    return;
  }
  QMessageBox box(this);
  box.setIcon(QMessageBox::NoIcon);
  box.setWindowTitle(QString());
  box.setText(QString::fromStdString(text));
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
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
    overlay->raise();
    overlay->show();
  }
  for (int copy = 1; copy <= kHeaderCopies; ++copy) {
    PageGroup(copy)->findChild<QLabel*>(Numbered("Btn_Exit_", copy))->raise();
    PageGroup(copy)->findChild<QLabel*>(Numbered("Btn_Minimize_", copy))->raise();
  }
}

void MainWindow::EnablePages() {
  for (QLabel* overlay : overlays_) {
    overlay->hide();
  }
}

void MainWindow::ModelsChanged() {
  ShowVisibleGroup();
  emit modelsChanged();
}

void MainWindow::ShowVisibleGroup() {
  const int visible = session_ ? session_->Pages().visibleGroup : 1;
  for (int group = 1; group <= kPageGroups; ++group) {
    PageGroup(group)->setVisible(group == visible);
  }
  const auto [width, height] =
      app::Navigation::WindowSize(visible, {backgroundSize_.width(), backgroundSize_.height()});
  resize(width, height);
}

void MainWindow::closeEvent(QCloseEvent* event) {
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
  if (event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (name.startsWith("Btn_Exit_")) {
      close();
      return true;
    }
    if (name.startsWith("Btn_Minimize_")) {
      showMinimized();
      return true;
    }
    if (name.startsWith("Img_Base_") && mouse->button() == Qt::LeftButton) {
      StartDrag(mouse);
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
