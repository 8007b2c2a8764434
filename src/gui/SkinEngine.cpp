#include "gui/SkinEngine.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QMultiHash>
#include <array>
#include <cmath>

#include "gui/WindowShape.h"

namespace orbic::gui {

namespace {

// Pictures the controls start with. '#' in a control or picture name stands
// for the index, first..last.
struct StartupPicture {
  const char* control;
  int first;
  int last;
  const char* picture;
};

constexpr int kCopies = ui::SkinLayout::kCopies;

// clang-format off
constexpr auto kStartupPictures = std::to_array<StartupPicture>({
    // Header: action buttons idle, the Main page and language 1 selected.
    {"Img_Confirm_#", 1, kCopies, "BtnS_01"},
    {"Img_Confirm1_#", 1, kCopies, "BtnS_01"},
    {"Img_Confirm2_#", 1, kCopies, "BtnS_01"},
    {"Img_Confirm3_#", 1, kCopies, "BtnS_01"},
    {"Img_Apply_#", 1, kCopies, "BtnS_01"},
    {"Img_Read_#", 1, kCopies, "BtnS_01"},
    {"Img_Save_#", 1, kCopies, "BtnS_01"},
    {"Img_Load_#", 1, kCopies, "BtnS_01"},
    {"Img_Exit_#", 1, kCopies, "ExitS_01"},
    {"Img_Mini_#", 1, kCopies, "MiniS_01"},
    {"Img_Main_#", 1, kCopies, "SetS_03"},
    {"Img_Second_#", 1, kCopies, "SetS_01"},
    {"Img_Adv_#", 1, kCopies, "SetS_01"},
    {"Img_Breath_#", 1, kCopies, "SetS_01"},
    {"Img_Macro_#", 1, kCopies, "SetS_01"},
    {"Img_Engineer_#", 1, kCopies, "SetS_01"},
    {"Img_Lang1_#", 1, kCopies, "SetS_03"},
    {"Img_Lang2_#", 1, kCopies, "SetS_01"},
    {"Img_Lang3_#", 1, kCopies, "SetS_01"},
    {"Img_Web_#", 1, kCopies, "WebS_01"},
    // Button page.
    {"Img_Key#", 1, 9, "KeyS_01"},
    {"Img_ComboKey#", 1, 3, "CbS_D"},
    // Advanced page (the breathing-light bars follow the lighting model).
    {"Img_DPI#Col", 1, 7, "Col_F"},
    // Macro page.
    {"LED_DelayTime", 0, 0, "RdS_D"},
    {"LED_NoDelay", 0, 0, "RdS_D"},
    {"Img_ReleaseStop", 0, 0, "RdS_D"},
    {"LED_RecDelay", 0, 0, "RdS_E"},
    {"Img_ReleaseContiue", 0, 0, "RdS_E"},
    {"Img_New", 0, 0, "MacroS_01"},
    {"Img_InsertStart", 0, 0, "MacroS_01"},
    {"Img_Start", 0, 0, "MacroS_03"},
    {"Img_OK", 0, 0, "MacroBtnS_01"},
    {"Img_Cancel", 0, 0, "MacroBtnS_01"},
    // Fire macro page: the first gun selected.
    {"Img_Fire1", 0, 0, "Gun1_02"},
    {"Img_Fire#", 2, 7, "Gun#_01"},
    {"Img_GunMode#", 1, 5, "GunMode#"},
    {"Img_FireConfirm", 0, 0, "BtnS_01"},
    {"Img_FireExit", 0, 0, "BtnS_01"},
    {"Img_FireStart", 0, 0, "MacroS_01"},
    {"Img_FireOK", 0, 0, "MacroBtnS_01"},
    {"Img_FireCancel", 0, 0, "MacroBtnS_01"},
    {"Img_FireColor#", 1, 3, "Col_F"},
    {"Img_FireDelay", 0, 0, "InsertDelayBase"},
    {"Img_FireInsert", 0, 0, "InsertDelayBase"},
    {"Img_FireRKFS#", 1, 3, "CbS_D"},
});
// clang-format on

// Labels that lie over their picture. A marker's caption is centred on its
// pill; an option's caption follows its radio or check picture, so the
// clickable label keeps covering the picture without writing over it.
enum class Cover { kCentred, kCaptionAfter };

struct CoveringLabel {
  const char* label;
  const char* picture;
  int first;
  int last;
  Cover cover;
};

// clang-format off
constexpr auto kCoveringLabels = std::to_array<CoveringLabel>({
    {"Key#", "Img_Key#", 1, 9, Cover::kCentred},
    {"IB_ComboKey#", "Img_ComboKey#", 1, 3, Cover::kCaptionAfter},
    {"lbl_LEDOn", "Img_LEDOn", 0, 0, Cover::kCaptionAfter},
    {"lbl_LEDOff", "Img_LEDOff", 0, 0, Cover::kCaptionAfter},
    {"lbl_LCPIOn", "Img_LCPIOn", 0, 0, Cover::kCaptionAfter},
    {"lbl_LCPIOff", "Img_LCPIOff", 0, 0, Cover::kCaptionAfter},
    {"lbl_B4CPIOn", "Img_B4CPIOn", 0, 0, Cover::kCaptionAfter},
    {"lbl_B4CPIOff", "Img_B4CPIOff", 0, 0, Cover::kCaptionAfter},
    {"lbl_SaveKeyMode", "Img_SaveKeyMode", 0, 0, Cover::kCaptionAfter},
    {"lbl_NoSaveKeyMode", "Img_NoSaveKeyMode", 0, 0, Cover::kCaptionAfter},
    {"lbl_MCULED3Control", "Img_MCULED3Control", 0, 0, Cover::kCaptionAfter},
    {"lbl_MCULED6Control", "Img_MCULED6Control", 0, 0, Cover::kCaptionAfter},
    {"lbl_MCULEDMode#", "Img_MCULEDMode#", 1, 7, Cover::kCaptionAfter},
    {"lbl_RBLEDMode#", "Img_RBLEDMode#", 1, 7, Cover::kCaptionAfter},
});
// clang-format on

// Room between an option picture and its caption, and after the caption.
constexpr int kCaptionGap = 6;
constexpr int kCaptionEndRoom = 4;

constexpr int kBackgroundGroups = 5;  // Img_Base_1..5
constexpr int kPagePictures = 5;      // Img_P1..P5

QString WithIndex(const char* pattern, int index) {
  QString text = QString::fromLatin1(pattern);
  text.replace('#', QString::number(index));
  return text;
}

QMultiHash<QString, QWidget*> NamedWidgets(const QWidget& root) {
  QMultiHash<QString, QWidget*> named;
  for (QWidget* widget : root.findChildren<QWidget*>()) {
    if (!widget->objectName().isEmpty()) {
      named.insert(widget->objectName(), widget);
    }
  }
  return named;
}

QColor ToColour(ui::LayoutColour colour) {
  return {static_cast<int>(colour & 0xFFU), static_cast<int>((colour >> 8) & 0xFFU),
          static_cast<int>((colour >> 16) & 0xFFU)};
}

// The list's own style sheet with the layout's item height, replacing the
// height an earlier layout added: the list keeps its colours.
QString WithItemHeight(const QWidget& list, int height) {
  static const QString kMarkStart = QStringLiteral("/*skin-item-height*/");
  static const QString kMarkEnd = QStringLiteral("/*end-skin-item-height*/");
  QString sheet = list.styleSheet();
  const qsizetype start = sheet.indexOf(kMarkStart);
  const qsizetype end = sheet.indexOf(kMarkEnd);
  if (start >= 0 && end > start) {
    sheet.remove(start, end + kMarkEnd.size() - start);
  }
  return sheet + kMarkStart +
         QStringLiteral("QAbstractItemView::item { height: %1px; }").arg(height) + kMarkEnd;
}

void ApplyControl(QWidget& widget, const ui::ControlLayout& layout, const QString& fontFamily) {
  QRect geometry = widget.geometry();
  if (layout.x) {
    geometry.moveLeft(*layout.x);
  }
  if (layout.y) {
    geometry.moveTop(*layout.y);
  }
  if (layout.width) {
    geometry.setWidth(std::max(0, *layout.width));
  }
  if (layout.height) {
    geometry.setHeight(std::max(0, *layout.height));
  }
  if (geometry != widget.geometry()) {
    widget.setGeometry(geometry);
  }
  if (layout.visible) {
    widget.setVisible(*layout.visible);
  }
  if (layout.fontSize || !fontFamily.isEmpty()) {
    QFont font = widget.font();
    if (!fontFamily.isEmpty()) {
      font.setFamily(fontFamily);
    }
    if (layout.fontSize && *layout.fontSize > 0) {
      font.setPixelSize(static_cast<int>(
          std::lround(*layout.fontSize * static_cast<double>(SkinEngine::kLayoutDpi) / 72.0)));
    }
    widget.setFont(font);
  }
  if (layout.fontColour) {
    QPalette palette = widget.palette();
    const QColor colour = ToColour(*layout.fontColour);
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget.setPalette(palette);
  }
  if (layout.itemHeight && *layout.itemHeight > 0) {
    if (auto* list = qobject_cast<QAbstractItemView*>(&widget)) {
      list->setProperty("itemHeight", *layout.itemHeight);
      list->setStyleSheet(WithItemHeight(*list, *layout.itemHeight));
    }
  }
}

// Places `label` over `picture` as its cover asks.
void CoverPicture(QLabel& label, const QWidget& picture, Cover cover) {
  const QRect under = picture.geometry();
  QRect place = label.geometry();
  if (cover == Cover::kCentred) {
    place.setTop(under.top());
    place.setHeight(under.height());
    label.setAlignment(Qt::AlignCenter);
  } else {
    // The caption starts after the picture and is centred on it vertically.
    const int indent = std::max(0, under.right() + 1 - place.left() + kCaptionGap);
    label.setIndent(indent);
    label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    place.setHeight(std::max(place.height(), 2 * (under.center().y() - place.top()) + 1));
    if (!label.text().isEmpty()) {
      const int needed =
          indent + label.fontMetrics().horizontalAdvance(label.text()) + kCaptionEndRoom;
      place.setWidth(std::max(place.width(), needed));
    }
  }
  if (place != label.geometry()) {
    label.setGeometry(place);
  }
}

}  // namespace

SkinEngine::SkinEngine(PictureSource source, std::ostream* problems)
    : source_(std::move(source)), problemStream_(problems) {}

std::string SkinEngine::BackgroundName(int skin) {
  return "L" + std::to_string(skin) + "_BackGround";
}

QPixmap SkinEngine::Picture(std::string_view name) {
  const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  if (const auto found = pictures_.constFind(key); found != pictures_.constEnd()) {
    return found.value();
  }
  QPixmap picture;
  if (source_) {
    const QImage image = source_(key);
    if (!image.isNull()) {
      // See-through pixels become transparent, for window systems that blend
      // a translucent window rather than take its shape.
      picture = QPixmap::fromImage(WithSeeThroughCleared(image));
    }
  }
  pictures_.insert(key, picture);  // a missing picture is remembered too
  return picture;
}

void SkinEngine::SetPicture(QLabel* label, std::string_view name) {
  if (label == nullptr) {
    return;
  }
  const QPixmap picture = Picture(name);
  label->setPixmap(picture);
  label->setProperty("skinPicture", QString::fromUtf8(name.data(), qsizetype(name.size())));
  if (picture.isNull()) {
    return;
  }
  const ui::ControlLayout* own = layout_.Control(label->objectName().toStdString());
  QSize size = label->size();
  if (own == nullptr || !own->width) {
    size.setWidth(picture.width());
  }
  if (own == nullptr || !own->height) {
    size.setHeight(picture.height());
  }
  label->resize(size);
}

void SkinEngine::SetPicture(const QWidget& root, const QString& objectName, std::string_view name) {
  for (QLabel* label : root.findChildren<QLabel*>(objectName)) {
    SetPicture(label, name);
  }
}

void SkinEngine::ApplyLayout(const QWidget& root, int skin, const QString& fontFamily) {
  const ui::SkinLayout::PictureSizeLookup pictureSize =
      [this](std::string_view name) -> std::optional<ui::PictureSize> {
    const QPixmap picture = Picture(name);
    if (picture.isNull()) {
      return std::nullopt;
    }
    return ui::PictureSize{picture.width(), picture.height()};
  };
  ui::ReadEmbeddedSkinLayout(skin, pictureSize, layout_, problems_);
  ReportNewProblems();

  const QMultiHash<QString, QWidget*> named = NamedWidgets(root);
  for (const auto& [name, control] : layout_.Controls()) {
    const QString objectName = QString::fromStdString(name);
    for (auto it = named.constFind(objectName); it != named.constEnd() && it.key() == objectName;
         ++it) {
      ApplyControl(*it.value(), control, fontFamily);
    }
  }
  CoverPictures(named);
}

void SkinEngine::CoverPictures(const QMultiHash<QString, QWidget*>& named) {
  for (const CoveringLabel& row : kCoveringLabels) {
    const int first = row.last == 0 ? 0 : row.first;
    for (int index = first; index <= row.last; ++index) {
      const QString labelName = WithIndex(row.label, index);
      const QString pictureName = WithIndex(row.picture, index);
      for (auto label = named.constFind(labelName);
           label != named.constEnd() && label.key() == labelName; ++label) {
        // The picture in the same page group as the label.
        auto* text = qobject_cast<QLabel*>(label.value());
        for (auto picture = named.constFind(pictureName);
             text != nullptr && picture != named.constEnd() && picture.key() == pictureName;
             ++picture) {
          if (picture.value()->parentWidget() == text->parentWidget()) {
            CoverPicture(*text, *picture.value(), row.cover);
            break;
          }
        }
      }
    }
  }
}

namespace {

// Puts the picture a label is waiting for into it when the label is shown.
class PictureOnShow final : public QObject {
 public:
  PictureOnShow(QLabel* label, SkinEngine& skin) : QObject(label), label_(label), skin_(skin) {
    label->installEventFilter(this);
  }

  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      label_->removeEventFilter(this);
      skin_.SetPicture(label_, label_->property(kPendingPicture).toString().toStdString());
      deleteLater();
    }
    return false;
  }

  static constexpr const char* kPendingPicture = "skinPicturePending";

 private:
  QLabel* label_;
  SkinEngine& skin_;
};

}  // namespace

void SkinEngine::SetPictureWhenShown(const QWidget& root, const QString& objectName,
                                     std::string_view name) {
  const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  for (QLabel* label : root.findChildren<QLabel*>(objectName)) {
    if (pictures_.contains(key) || label->isVisibleTo(label->window())) {
      SetPicture(label, name);
      if (label->property(PictureOnShow::kPendingPicture).isValid()) {
        label->setProperty(PictureOnShow::kPendingPicture, key);  // a waiting one shows this
      }
      continue;
    }
    const bool waiting = label->property(PictureOnShow::kPendingPicture).isValid() &&
                         label->findChild<PictureOnShow*>() != nullptr;
    label->setProperty(PictureOnShow::kPendingPicture, key);
    label->setProperty("skinPicture", key);
    if (!waiting) {
      new PictureOnShow(label, *this);
    }
  }
}

void SkinEngine::ApplySkinPictures(const QWidget& root, int skin) {
  const std::string background = BackgroundName(skin);
  for (int group = 1; group <= kBackgroundGroups; ++group) {
    SetPicture(root, WithIndex("Img_Base_#", group), background);
  }
  for (int page = 1; page <= kPagePictures; ++page) {
    SetPictureWhenShown(root, WithIndex("Img_P#", page),
                        "L" + std::to_string(skin) + "_Back" + std::to_string(page));
  }
}

void SkinEngine::ApplyStartupPictures(const QWidget& root) {
  for (const StartupPicture& row : kStartupPictures) {
    if (row.last == 0) {
      SetPicture(root, QString::fromLatin1(row.control), row.picture);
      continue;
    }
    for (int index = row.first; index <= row.last; ++index) {
      SetPicture(root, WithIndex(row.control, index), WithIndex(row.picture, index).toStdString());
    }
  }
}

void SkinEngine::ReportNewProblems() {
  for (; reported_ < problems_.size(); ++reported_) {
    if (problemStream_ != nullptr) {
      *problemStream_ << "orbic40: skin layout: " << problems_[reported_] << '\n';
    }
  }
}

}  // namespace orbic::gui
