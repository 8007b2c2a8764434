#pragma once

#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <string_view>

#include "gui/dialogs/DialogLook.h"
#include "gui/dialogs/SkinButton.h"

namespace orbic::gui {

// A layout position: the key and the first skin's value when a layout lacks it.
struct LayoutPlace {
  std::string_view key;
  int fallback;
};

// The layout keys and texts of one family of small dialogs.
struct DialogStyle {
  char sizeGroup;              // Size_<g>: the base font size
  char colourGroup;            // Color_<g>_R/G/B: the text colour
  std::string_view fieldPart;  // Color_<g>_<part>_R/G/B: the field's text colour
  LayoutPlace titleX, titleY;  // the title label
  LayoutPlace fieldX, fieldY, fieldWidth;
  LayoutPlace confirmX, confirmY;
  LayoutPlace clearX, clearY;
  LayoutPlace closeX, closeY;
  int belowCentre;  // pixels below the parent's vertical centre
};

// The macro-name, key-capture, delay and value dialogs.
inline constexpr DialogStyle kMacroDialogStyle{'L',
                                               'L',
                                               "MN",
                                               {"MNT_X", 20},
                                               {"MNT_Y", 14},
                                               {"MNC_X", 20},
                                               {"MNC_Y", 50},
                                               {"MNC_W", 260},
                                               {"MN_Cfm_X", 20},
                                               {"MN_Cfm_Y", 100},
                                               {"MN_Clear_X", 110},
                                               {"MN_Clear_Y", 100},
                                               {"MN_Close_X", 272},
                                               {"MN_Close_Y", 8},
                                               0};

// The combination-key dialog, which sits 40 pixels low.
inline constexpr DialogStyle kCombinationDialogStyle{'J',
                                                     'K',
                                                     "AK",
                                                     {"AKT_X", 20},
                                                     {"AKT_Y", 14},
                                                     {"AKC_X", 20},
                                                     {"AKC_Y", 50},
                                                     {"AKC_W", 260},
                                                     {"AK_Cfm_X", 20},
                                                     {"AK_Cfm_Y", 130},
                                                     {"AK_Clear_X", 110},
                                                     {"AK_Clear_Y", 130},
                                                     {"AK_Close_X", 272},
                                                     {"AK_Close_Y", 8},
                                                     40};

// Language keys and English fallbacks of a dialog's title and buttons.
struct DialogTexts {
  std::string_view titleKey, title;
  std::string_view confirmKey, confirm;
  std::string_view clearKey, clear;
};

// The common frame of the small dialogs: a frameless modal window on the
// skin's "Msg" picture with a title, one field, Confirm, "Clear" and a close
// button, placed, sized and coloured by the skin layout. The window is the
// picture's size, grown where the layout places a part beyond it; maroon
// corners of the picture are see-through. It opens centred on its parent's
// window.
//
// A subclass builds its field, hands it to PlaceField() and reacts to Clear;
// Confirm accepts and the close button (or Esc, where the field lets it
// through) rejects. The core model behind the subclass holds the result, which
// the caller reads after Run() returned true.
class SkinnedDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kTitleFontStep = 5;
  static constexpr int kFieldFontStep = 3;
  static constexpr int kButtonFontStep = 1;
  static constexpr int kButtonGap = 8;  // between Confirm and Clear when the layout crowds them
  static constexpr int kMargin = 8;     // kept free around parts beyond the picture

  // Shows the dialog modally; true when the user confirmed.
  bool Run();

  QLabel& Title() { return *title_; }
  SkinButton& ConfirmButton() { return *confirm_; }
  SkinButton& ClearButton() { return *clear_; }
  SkinButton& CloseButton() { return *close_; }

 protected:
  SkinnedDialog(const DialogLook& look, const DialogStyle& style, const DialogTexts& texts,
                QWidget* parent);

  // Places the field at the layout's position in the field font and colour.
  void PlaceField(QWidget& field);
  // After every part is placed: the window takes its size.
  void FitToContents();

  virtual void Clear() = 0;

  const DialogLook& Look() const { return look_; }
  const DialogStyle& Style() const { return style_; }
  int BasePoints() const { return basePoints_; }
  QColor TextColour() const { return textColour_; }
  QColor FieldColour() const { return fieldColour_; }
  int Value(const LayoutPlace& place) const { return look_.Value(place.key, place.fallback); }

  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void CentreOnParent();

  DialogLook look_;
  DialogStyle style_;
  int basePoints_;
  QColor textColour_;
  QColor fieldColour_;
  QPixmap background_;
  QLabel* title_;
  SkinButton* confirm_;
  SkinButton* clear_;
  SkinButton* close_;
};

}  // namespace orbic::gui
