#include "gui/pages/PageView.h"

#include <QSignalBlocker>

namespace orbic::gui {

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
