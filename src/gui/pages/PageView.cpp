#include "gui/pages/PageView.h"

#include <QSignalBlocker>

#include "gui/pages/ClickLabel.h"
#include "gui/pages/EventListLook.h"
#include "gui/pages/PictureLabel.h"

namespace orbic::gui {

namespace {
constexpr int kLampSize = 20;
constexpr int kLampDx = 22;
constexpr const char* kLampTextStyle = "color: rgb(235, 238, 242);";
}  // namespace

QString PageView::Text(std::string_view key) const {
  return ToQString(texts_.Text(key));
}

QLabel* PageView::Caption(const QString& name, const QString& text, const QRect& geometry,
                          QWidget* parent) {
  auto* label = Make<QLabel>(name, geometry, parent);
  label->setText(text);
  // Captions never take clicks from the controls under them.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}

ClickLabel* PageView::MenuEntry(QFrame* panel, int row, const char* name, std::string_view key) {
  auto* entry = Make<ClickLabel>(
      name, QRect(1, 1 + row * kMenuEntryHeight, panel->width() - 2, kMenuEntryHeight), panel);
  entry->setAttribute(Qt::WA_Hover);
  entry->setText(" " + Text(key));
  return entry;
}

PictureLabel* PageView::Lamp(const char* picture, const char* label, std::string_view key,
                             const QPoint& at, std::vector<QWidget*>& group, const char* textLabel,
                             int textWidth) {
  auto* lamp = Make<PictureLabel>(picture, QRect(at, QSize(kLampSize, kLampSize)));
  QLabel* text = nullptr;
  if (textLabel != nullptr) {
    text = Caption(textLabel, Text(key),
                   QRect(at + QPoint(kLampDx + 2, 0), QSize(textWidth, kLampSize)));
    text->setStyleSheet(kLampTextStyle);
  }
  auto* target =
      Make<ClickLabel>(label, QRect(at + QPoint(-2, 0), QSize(kLampDx + 4 + textWidth, kLampSize)));
  if (text == nullptr) {
    target->setText(QString(kLampDx / 4, ' ') + "    " + Text(key));
    target->setStyleSheet(kLampTextStyle);
  }
  group.push_back(lamp);
  if (text != nullptr) {
    group.push_back(text);
  }
  group.push_back(target);
  QObject::connect(target, &ClickLabel::clicked, lamp, [lamp] { emit lamp->clicked({}); });
  return lamp;
}

QString Numbered(const char* prefix, int number, const char* suffix) {
  return QString::fromLatin1(prefix) + QString::number(number) + QString::fromLatin1(suffix);
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void ShowText(QLabel* label, const QString& text) {
  if (label->text() != text) {
    label->setText(text);
  }
}

void ShowText(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) {
    const QSignalBlocker blocker(edit);
    edit->setText(text);
  }
}

void ShowItems(QComboBox* combo, const QStringList& items, int index) {
  const QSignalBlocker blocker(combo);
  bool same = combo->count() == items.size();
  for (int item = 0; same && item < items.size(); ++item) {
    same = combo->itemText(item) == items[item];
  }
  if (!same) {
    combo->clear();
    combo->addItems(items);
  }
  combo->setCurrentIndex(index >= 0 && index < items.size() ? index : -1);
}

void ShowIndex(QComboBox* combo, int index) {
  const QSignalBlocker blocker(combo);
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

}  // namespace orbic::gui
