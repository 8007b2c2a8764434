#include "gui/HoverPictures.h"

#include <QEvent>
#include <QVariant>
#include <array>
#include <string_view>

#include "gui/SkinEngine.h"

namespace orbic::gui {

namespace {

enum class Copies {
  kNone,     // one control, its picture by the label-to-picture rule
  kHovered,  // Btn_<name>_N: only the hovered copy's picture
  kAll,      // Btn_<name>_N: the picture in all four page groups
};

struct HoverFamily {
  char letter;
  std::array<std::string_view, 13> names;
  Copies copies;
  std::string_view enter;  // picture, or empty for the text-colour family
  std::string_view leave;
  bool rolls;
};

// clang-format off
constexpr auto kFamilies = std::to_array<HoverFamily>({
    {'A', {"Confirm", "Confirm1", "Confirm2", "Confirm3", "Apply", "Read", "Save", "Load"},
     Copies::kAll, "BtnS_02", "BtnS_01", true},
    {'B', {"Main", "Second", "Adv", "Breath", "Macro", "Engineer"},
     Copies::kHovered, "SetS_02", "SetS_01", true},
    {'C', {"Key1", "Key2", "Key3", "Key4", "Key5", "Key6", "Key7", "Key8", "Key9"},
     Copies::kNone, "KeyS_02", "KeyS_01", true},
    {'D', {"Lang1", "Lang2", "Lang3"}, Copies::kHovered, "SetS_02", "SetS_01", true},
    {'G', {"Btn_OK", "Btn_Cancel", "Btn_FireOK", "Btn_FireCancel"},
     Copies::kNone, "MacroBtnS_02", "MacroBtnS_01", true},
    {'H', {"Btn_Del", "Btn_Insert", "Btn_Edit", "Btn_FireDel", "Btn_FireInsert", "Btn_FireEdit",
           "Btn_NewMacro", "Btn_ImportOne", "Btn_Export", "Btn_Import", "Btn_ExportOne",
           "Btn_NewName", "Btn_DelPCMacro"},
     Copies::kNone, "", "", false},
    {'I', {"Exit"}, Copies::kAll, "ExitS_02", "ExitS_01", true},
    {'J', {"Mini"}, Copies::kAll, "MiniS_02", "MiniS_01", true},
    {'W', {"Web"}, Copies::kAll, "WebS_03", "WebS_01", false},
});
// clang-format on

// The page radios and the buttons whose pictures mark them.
struct PageMark {
  std::string_view radio;
  std::string_view button;
};
constexpr auto kPageMarks = std::to_array<PageMark>({
    {"rb_1", "Main"},
    {"rb_2", "Second"},
    {"rb_4", "Adv"},
    {"rb_5", "Breath"},
    {"rb_6", "Macro"},
    {"rb_7", "Engineer"},
});

constexpr int kCopyCount = 4;
constexpr std::string_view kSelected = "SetS_03";
constexpr QRgb kHoverTextColour = qRgb(0xFF, 0xFF, 0xFF);

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "Apply" and copy 3 for "Btn_Apply_3"; an empty name when it is no copy.
std::pair<QString, int> SplitCopy(const QString& objectName) {
  const qsizetype underscore = objectName.lastIndexOf('_');
  if (!objectName.startsWith("Btn_") || underscore <= 4 || underscore != objectName.size() - 2) {
    return {};
  }
  const int copy = objectName.back().digitValue();
  if (copy < 1 || copy > kCopyCount) {
    return {};
  }
  return {objectName.mid(4, underscore - 4), copy};
}

const HoverFamily* Find(char letter) {
  for (const HoverFamily& family : kFamilies) {
    if (family.letter == letter) {
      return &family;
    }
  }
  return nullptr;
}

QString Caption(const QWidget& widget) {
  return widget.property("text").toString();
}

QColor ToColour(ui::LayoutColour colour) {
  return {static_cast<int>(colour & 0xFFU), static_cast<int>((colour >> 8) & 0xFFU),
          static_cast<int>((colour >> 16) & 0xFFU)};
}

}  // namespace

HoverPictures::HoverPictures(QWidget& root, SkinEngine& skin, HoverContext context, QObject* parent)
    : QObject(parent), root_(root), skin_(skin), context_(std::move(context)) {
  labelRun_.setObjectName("LabelRun");
  labelRun_.setInterval(kRollingIntervalMs);
  connect(&labelRun_, &QTimer::timeout, this, &HoverPictures::LabelRunTimer);
}

char HoverPictures::FamilyOf(const QString& objectName) {
  const auto [copyName, copy] = SplitCopy(objectName);
  for (const HoverFamily& family : kFamilies) {
    for (const std::string_view name : family.names) {
      if (name.empty()) {
        continue;
      }
      const bool match =
          family.copies == Copies::kNone ? objectName == Text(name) : copyName == Text(name);
      if (match) {
        return family.letter;
      }
    }
  }
  return 0;
}

void HoverPictures::Install() {
  for (QWidget* widget : root_.findChildren<QWidget*>()) {
    if (FamilyOf(widget->objectName()) != 0) {
      widget->setAttribute(Qt::WA_Hover);
      widget->removeEventFilter(this);
      widget->installEventFilter(this);
    }
  }
}

bool HoverPictures::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const char family = widget != nullptr ? FamilyOf(widget->objectName()) : 0;
    if (family != 0) {
      if (event->type() == QEvent::Enter) {
        Enter(*widget, family);
      } else {
        Leave(*widget, family);
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

void HoverPictures::SetPictures(const QString& labelName, bool allCopies,
                                std::string_view picture) {
  // Btn_<name> shows Img_<name>; Key<n> shows Img_Key<n>.
  const QString pictureName =
      labelName.startsWith("Btn_") ? "Img_" + labelName.mid(4) : "Img_" + labelName;
  if (!allCopies) {
    skin_.SetPicture(root_, pictureName, picture);
    return;
  }
  const QString stem = pictureName.left(pictureName.size() - 1);
  for (int copy = 1; copy <= kCopyCount; ++copy) {
    skin_.SetPicture(root_, stem + QString::number(copy), picture);
  }
}

void HoverPictures::Enter(QWidget& label, char letter) {
  const HoverFamily& family = *Find(letter);
  const bool pressed = context_.pressed && context_.pressed(label);
  if (pressed) {
    // The running action's button keeps its look.
  } else if (letter == 'H') {
    SetTextColours(label, true);
  } else {
    SetPictures(label.objectName(), family.copies == Copies::kAll, family.enter);
  }
  if (family.rolls) {
    rollingLabel_ = &label;
    if (rolling_.Start(label.objectName().toStdString(), Caption(label).toStdString(),
                       label.isEnabled())) {
      labelRun_.start();
    }
  }
}

void HoverPictures::Leave(QWidget& label, char letter) {
  const HoverFamily& family = *Find(letter);
  const bool pressed = context_.pressed && context_.pressed(label);
  if (pressed) {
    // The running action's button keeps its look.
  } else if (letter == 'H') {
    SetTextColours(label, false);
  } else {
    SetPictures(label.objectName(), family.copies == Copies::kAll, family.leave);
  }
  if (letter == 'B' && !context_.noDeviceState()) {
    MarkCurrentPage();
  } else if (letter == 'D') {
    MarkCurrentLanguage();
  }
  if (family.rolls && rollingLabel_ == &label) {
    labelRun_.stop();
    label.setProperty("text", QString::fromStdString(rolling_.Stop()));
    rollingLabel_ = nullptr;
  }
}

void HoverPictures::MarkCurrentPage() {
  const std::string radio = context_.checkedPageRadio();
  for (const PageMark& mark : kPageMarks) {
    if (mark.radio == radio) {
      for (int copy = 1; copy <= kCopyCount; ++copy) {
        skin_.SetPicture(root_, "Img_" + Text(mark.button) + "_" + QString::number(copy),
                         kSelected);
      }
    }
  }
}

void HoverPictures::MarkCurrentLanguage() {
  const int language = context_.currentLanguage();
  for (int copy = 1; copy <= kCopyCount; ++copy) {
    skin_.SetPicture(root_, QString("Img_Lang%1_%2").arg(language).arg(copy), kSelected);
  }
}

// The text buttons have no picture: hovering inverts them to white on the
// skin's macro colour.
void HoverPictures::SetTextColours(QWidget& label, bool hovered) {
  const ui::GroupStyle* style = skin_.Layout().Group('F');
  const auto colour = [style](const char* part) -> std::optional<QColor> {
    if (style == nullptr) {
      return std::nullopt;
    }
    const auto found = style->colours.find(part);
    if (found == style->colours.end()) {
      return std::nullopt;
    }
    return ToColour(found->second);
  };
  const std::optional<QColor> text = hovered ? QColor(kHoverTextColour) : colour("Font");
  const std::optional<QColor> back = colour(hovered ? "MACRO" : "Back");
  QPalette palette = label.palette();
  if (text) {
    palette.setColor(QPalette::WindowText, *text);
    palette.setColor(QPalette::ButtonText, *text);
  }
  if (back) {
    palette.setColor(QPalette::Window, *back);
    palette.setColor(QPalette::Button, *back);
    label.setAutoFillBackground(true);
  }
  label.setPalette(palette);
}

void HoverPictures::LabelRunTimer() {
  if (rollingLabel_ == nullptr) {
    labelRun_.stop();
    return;
  }
  if (const std::string* text = rolling_.Tick(context_.rollingEnabled)) {
    rollingLabel_->setProperty("text", QString::fromStdString(*text));
  }
}

void HoverPictures::RestartRolling() {
  if (rollingLabel_ == nullptr) {
    return;
  }
  if (rolling_.Start(rollingLabel_->objectName().toStdString(),
                     Caption(*rollingLabel_).toStdString(), rollingLabel_->isEnabled())) {
    labelRun_.start();
  } else {
    labelRun_.stop();
  }
}

}  // namespace orbic::gui
