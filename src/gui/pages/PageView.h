#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/LanguageTable.h"

namespace orbic::app {
class Session;
}

namespace orbic::gui {

class ClickLabel;
class PictureLabel;

// The controls of one page group. A view creates its controls once, forwards
// every user action to its page model, and then asks for a refresh of all
// views (`changed`), since one model change can show on several pages (the
// aim value on the DPI page and the engineer page, for instance).
class PageView {
 public:
  PageView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
           std::function<void()> changed)
      : group_(group), session_(session), texts_(texts), changed_(std::move(changed)) {}
  virtual ~PageView() = default;
  PageView(const PageView&) = delete;
  PageView& operator=(const PageView&) = delete;

  // Shows the models' values again.
  virtual void Refresh() = 0;
  // Any click elsewhere on the pages closes this page's menus.
  virtual void HideMenus() {}

 protected:
  QWidget* Group() const { return group_; }
  app::Session& Session() const { return session_; }
  void Changed() const {
    if (changed_) {
      changed_();
    }
  }
  // The language text of `key` ("Str835"); the skin's language captions
  // replace it when a language is applied.
  QString Text(std::string_view key) const;

  // A child of the page group named `name` with a default geometry, so the
  // page is usable before (or without) a skin layout.
  template <class Widget>
  Widget* Make(const QString& name, const QRect& geometry, QWidget* parent = nullptr) {
    auto* widget = new Widget(parent != nullptr ? parent : group_);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
  }
  QLabel* Caption(const QString& name, const QString& text, const QRect& geometry,
                  QWidget* parent = nullptr);
  // Entry `row` of a pop-up menu panel, with the language text of `key`.
  ClickLabel* MenuEntry(QFrame* panel, int row, const char* name, std::string_view key);
  // A lamp picture with its click target, which covers the lamp and its text;
  // the text is the target's own, or a caption of its own named `textLabel`.
  // A click on the target is the lamp's `clicked`. The lamp, the caption and
  // the target are added to `group`.
  PictureLabel* Lamp(const char* picture, const char* label, std::string_view key, const QPoint& at,
                     std::vector<QWidget*>& group, const char* textLabel = nullptr,
                     int textWidth = 196);

 private:
  QWidget* group_;
  app::Session& session_;
  const ui::LanguageTable& texts_;
  std::function<void()> changed_;
};

// Control names of numbered families: Numbered("Key", 3) is "Key3",
// Numbered("lbl_DPI", 2, "Value") is "lbl_DPI2Value".
QString Numbered(const char* prefix, int number, const char* suffix = "");
QString ToQString(std::string_view text);

// Setters that leave a control alone when it already shows the value, so a
// refresh neither moves an edit's cursor nor fires the control's signals.
void ShowText(QLabel* label, const QString& text);
void ShowText(QLineEdit* edit, const QString& text);
void ShowItems(QComboBox* combo, const QStringList& items, int index);
void ShowIndex(QComboBox* combo, int index);

}  // namespace orbic::gui
