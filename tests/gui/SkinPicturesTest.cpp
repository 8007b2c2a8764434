// The skin pictures reach the program by resource name, decode, and fit the
// skin layouts; the test also composes a preview of the button page.
#include <QDir>
#include <QPainter>
#include <QtTest>
#include <array>
#include <span>

#include "gui/GifAnimation.h"
#include "gui/SkinResources.h"
#include "ui/BehaviourConfig.h"
#include "ui/SkinLayout.h"

namespace orbic::gui::test {
namespace {

// The see-through colour of the shaped window.
constexpr QRgb kSeeThrough = 0xFF800000;

struct HeaderButton {
  const char* name;
  const char* picture;
  const char* caption;
};

// Idle pictures of the header buttons (the Main page is the selected one) and
// English captions for the preview.
constexpr std::array<HeaderButton, 18> kHeaderButtons = {{
    {"Confirm", "BtnS_01", "Confirm"},
    {"Apply", "BtnS_01", "Apply"},
    {"Confirm1", "BtnS_01", "Default"},
    {"Confirm2", "BtnS_01", "Confirm"},
    {"Confirm3", "BtnS_01", "Confirm"},
    {"Read", "BtnS_01", "Read"},
    {"Save", "BtnS_01", "Save"},
    {"Load", "BtnS_01", "Load"},
    {"Exit", "ExitS_01", ""},
    {"Mini", "MiniS_01", ""},
    {"Main", "SetS_03", "Main"},
    {"Second", "SetS_01", "Second"},
    {"Adv", "SetS_01", "Advanced"},
    {"Breath", "SetS_01", "Breathing"},
    {"Macro", "SetS_01", "Macro"},
    {"Engineer", "SetS_01", "Engineer"},
    {"Lang1", "SetS_01", "English"},
    {"Lang2", "SetS_01", "Chinese"},
}};

constexpr std::array<const char*, 9> kMarkerCaptions = {
    "Left Button", "Right Button", "Middle Button", "Forward", "Backward",
    "Fire Key",    "DPI Loop",     "Key Mode",      "Profile"};

constexpr std::array<const char*, 3> kComboCaptions = {
    "Hold Left + Right for 3 s", "Hold DPI for 3 s", "Hold the gun key for 3 s"};

QColor FromLayout(ui::LayoutColour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                static_cast<int>(colour >> 16 & 0xFF));
}

QRect RectOf(const ui::ControlLayout& control, QSize fallback) {
  return QRect(control.x.value_or(0), control.y.value_or(0),
               control.width.value_or(fallback.width()),
               control.height.value_or(fallback.height()));
}

bool Visible(const ui::ControlLayout* control) {
  return control != nullptr && control->visible.value_or(true) && control->x && control->y;
}

void DrawCaption(QPainter& painter, const ui::ControlLayout& label, QRect rect,
                 const QString& caption, Qt::Alignment alignment = Qt::AlignCenter) {
  QFont font("Arial");
  // Layout font sizes are points at 96 dots per inch.
  font.setPixelSize(label.fontSize.value_or(10) * 96 / 72);
  painter.setFont(font);
  painter.setPen(FromLayout(label.fontColour.value_or(0xFFFFFF)));
  painter.drawText(rect, static_cast<int>(alignment), caption);
}

}  // namespace

class SkinPicturesTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryPictureIsEmbeddedAndDecodes() {
    for (const std::string& name : SkinPictureNames()) {
      std::string error;
      const QImage picture = LoadSkinPicture(name, &error);
      QVERIFY2(!picture.isNull(), (name + ": " + error).c_str());
      QVERIFY2(picture.width() > 0 && picture.height() > 0, name.c_str());
    }
    std::string error;
    QVERIFY(LoadSkinPicture("NoSuchPicture", &error).isNull());
    QVERIFY(!error.empty());
  }

  void BackgroundsAreSeeThroughOnlyOutsideTheirCorners() {
    for (const char* name : {"L1_BackGround", "L2_BackGround", "L3_BackGround"}) {
      const QImage background = LoadSkinPicture(name);
      QVERIFY(!background.isNull());
      QCOMPARE(background.pixel(0, 0), kSeeThrough);
      QCOMPARE(background.pixel(background.width() - 1, background.height() - 1), kSeeThrough);
      const QPoint middle(background.width() / 2, background.height() / 2);
      QVERIFY(background.pixel(middle) != kSeeThrough);
      QCOMPARE(qAlpha(background.pixel(middle)), 255);
    }
  }

  void LoadingAnimationHasFramesOfTheWindowPicture() {
    const QByteArray gif = SkinResource("WaitGif");
    QVERIFY(!gif.isEmpty());
    std::string error;
    const std::vector<GifFrame> frames = DecodeGif(
        {reinterpret_cast<const std::uint8_t*>(gif.data()), static_cast<std::size_t>(gif.size())},
        &error);
    QVERIFY2(frames.size() > 1, error.c_str());
    QCOMPARE(frames.front().image.size(), QSize(200, 192));
    QVERIFY(frames.front().delayMs > 0);
    QVERIFY(frames.front().image != frames.back().image);
  }

  // Every skin reads without a problem against the real picture sizes, and
  // what the button page shows lies inside the window.
  void LayoutsFitTheWindow() {
    for (int skin = 1; skin <= 3; ++skin) {
      ui::SkinLayout layout;
      std::vector<std::string> problems;
      ui::ReadEmbeddedSkinLayout(skin, SkinPictureSize, layout, problems);
      QVERIFY2(problems.empty(), problems.empty() ? "" : problems.front().c_str());
      const QImage background = LoadSkinPicture("L" + std::to_string(skin) + "_BackGround");
      const QRect window(QPoint(0, 0), background.size());
      std::vector<std::string> onButtonPage;
      for (const HeaderButton& button : kHeaderButtons) {
        onButtonPage.push_back(std::string("Img_") + button.name + "_1");
        onButtonPage.push_back(std::string("Btn_") + button.name + "_1");
      }
      for (int key = 1; key <= 9; ++key) {
        onButtonPage.push_back("Key" + std::to_string(key));
        onButtonPage.push_back("Img_Key" + std::to_string(key));
      }
      for (int choice = 1; choice <= 3; ++choice) {
        onButtonPage.push_back("Img_ComboKey" + std::to_string(choice));
        onButtonPage.push_back("lbl_ComboKey" + std::to_string(choice));
      }
      for (const std::string& name : onButtonPage) {
        const ui::ControlLayout* control = layout.Control(name);
        QVERIFY2(control != nullptr, name.c_str());
        if (Visible(control)) {
          QVERIFY2(window.contains(RectOf(*control, QSize(1, 1))), name.c_str());
        }
      }
      const ui::ControlLayout* page = layout.Control("Img_P1");
      QVERIFY(page != nullptr);
      QVERIFY(window.contains(RectOf(*page, LoadSkinPicture("L1_Back1").size())));
    }
  }

  void ComposesThePreview() {
    ui::SkinLayout layout;
    std::vector<std::string> problems;
    ui::ReadEmbeddedSkinLayout(1, SkinPictureSize, layout, problems);
    QVERIFY(problems.empty());
    const ui::BehaviourConfig config = ui::LoadEmbeddedBehaviourConfiguration(problems);

    const QImage background = LoadSkinPicture("L1_BackGround");
    QImage preview = background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const ui::ControlLayout* page = layout.Control("Img_P1");
    painter.drawImage(QPoint(*page->x, *page->y), LoadSkinPicture("L1_Back1"));

    const QImage web = LoadSkinPicture("WebS_01");
    painter.drawImage(QPoint(config.webX, config.webY), web);
    ui::ControlLayout webLabel;
    webLabel.fontSize = 9;
    webLabel.fontColour = 0xC0C0C0;
    DrawCaption(painter, webLabel, QRect(QPoint(config.webX + 22, config.webY), web.size()),
                "orbic40.example.org");

    for (const HeaderButton& button : kHeaderButtons) {
      const ui::ControlLayout* image = layout.Control(std::string("Img_") + button.name + "_1");
      const ui::ControlLayout* label = layout.Control(std::string("Btn_") + button.name + "_1");
      if (!Visible(image) || label == nullptr) {
        continue;
      }
      const QImage picture = LoadSkinPicture(button.picture);
      painter.drawImage(QPoint(*image->x, *image->y), picture);
      DrawCaption(painter, *label, RectOf(*label, picture.size()), button.caption);
    }
    const QImage marker = LoadSkinPicture("KeyS_01");
    for (int key = 1; key <= 9; ++key) {
      const ui::ControlLayout* image = layout.Control("Img_Key" + std::to_string(key));
      const ui::ControlLayout* label = layout.Control("Key" + std::to_string(key));
      if (!Visible(image)) {
        continue;
      }
      painter.drawImage(QPoint(*image->x, *image->y), marker);
      DrawCaption(painter, *label, RectOf(*label, marker.size()),
                  kMarkerCaptions[static_cast<std::size_t>(key - 1)]);
    }
    const QImage check = LoadSkinPicture("CbS_D");
    for (int choice = 1; choice <= 3; ++choice) {
      const ui::ControlLayout* image = layout.Control("Img_ComboKey" + std::to_string(choice));
      const ui::ControlLayout* label = layout.Control("lbl_ComboKey" + std::to_string(choice));
      if (!Visible(image) || label == nullptr) {
        continue;
      }
      painter.drawImage(QPoint(*image->x, *image->y), check);
      DrawCaption(painter, *label, RectOf(*label, QSize(200, check.height())),
                  kComboCaptions[static_cast<std::size_t>(choice - 1)],
                  Qt::AlignLeft | Qt::AlignVCenter);
    }
    painter.end();

    const QString folder = qEnvironmentVariable("ORBIC40_SCREENSHOTS", "build/screenshots");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(preview.save(folder + "/skin-preview.png", "PNG"));
  }

  // A sheet of every picture smaller than a page, with its name, to look over
  // the hover and selected states side by side.
  void ComposesThePictureSheet() {
    constexpr int kCell = 150;
    constexpr int kColumns = 8;
    constexpr int kLargest = 400;
    std::vector<std::pair<std::string, QImage>> pictures;
    for (const std::string& name : SkinPictureNames()) {
      QImage picture = LoadSkinPicture(name);
      QVERIFY(!picture.isNull());
      if (picture.width() <= kLargest) {
        pictures.emplace_back(name, std::move(picture));
      }
    }
    const int rows = (static_cast<int>(pictures.size()) + kColumns - 1) / kColumns;
    QImage sheet(kColumns * kCell, rows * kCell, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(12, 13, 15));
    QPainter painter(&sheet);
    painter.setFont(QFont("Arial", 8));
    painter.setPen(QColor(180, 186, 196));
    for (std::size_t index = 0; index < pictures.size(); ++index) {
      const auto& [name, picture] = pictures[index];
      const QRect cell(static_cast<int>(index % kColumns) * kCell,
                       static_cast<int>(index / kColumns) * kCell, kCell, kCell);
      const QImage fitted =
          picture.width() > kCell - 8 || picture.height() > kCell - 24
              ? picture.scaled(kCell - 8, kCell - 24, Qt::KeepAspectRatio, Qt::SmoothTransformation)
              : picture;
      painter.drawImage(cell.left() + (kCell - fitted.width()) / 2,
                        cell.top() + (kCell - 20 - fitted.height()) / 2, fitted);
      painter.drawText(cell.adjusted(0, 0, 0, -4), Qt::AlignHCenter | Qt::AlignBottom,
                       QString::fromStdString(name));
    }
    painter.end();
    const QString folder = qEnvironmentVariable("ORBIC40_SCREENSHOTS", "build/screenshots");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(sheet.save(folder + "/skin-pictures.png", "PNG"));
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::SkinPicturesTest)
#include "SkinPicturesTest.moc"
