#pragma once

#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QString>

namespace orbic::gui {

// The program's message dialog: the skin's "Msg" picture behind the text, the
// language font, no icon and one OK button. Maroon corners of the picture are
// see-through, as on the main window.
class MessageDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr QSize kFallbackSize{320, 180};
  static constexpr int kMargin = 18;
  static constexpr int kTextTop = 52;  // below the rule of the picture

  MessageDialog(const QString& text, const QString& fontFamily, const QPixmap& background,
                QWidget* parent = nullptr);

  QLabel& Text() { return *text_; }
  QPushButton& OkButton() { return *ok_; }

  // A question instead of a message: the OK button becomes `first` and a
  // second button `second` ends the dialog with kSecondChoice; Escape rejects.
  static constexpr int kSecondChoice = 2;
  void SetChoices(const QString& first, const QString& second);
  QPushButton* SecondButton() { return second_; }

  // Windows line breaks ("\r", "\r\n") as the label shows them.
  static QString DisplayText(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap background_;
  QLabel* text_;
  QPushButton* ok_;
  QPushButton* second_ = nullptr;
};

}  // namespace orbic::gui
