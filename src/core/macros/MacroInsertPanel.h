#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "macros/MacroLineText.h"
#include "macros/MacroLines.h"
#include "macros/MacroNumberField.h"

// The insert panel of the macro page: the insert kind chosen in CB_Insert,
// the fields that kind shows, and the line it inserts.
namespace orbic::macros {

// CB_Insert items, in list order.
enum class InsertItem {
  kDelayFront = 0,
  kDelayBack,
  kKeyFront,
  kKeyBack,
  kStartRepeat,
  kStopRepeat,
  kXFront,
  kXBack,
  kYFront,
  kYBack,
};
inline constexpr int kInsertItemCount = 10;

// What each item shows: the panel image and which fields and labels appear.
struct InsertItemLayout {
  std::string_view image;  // "InsertDelayBase" or "InsertKeyBase"
  bool delayTimeShown;     // "Delay Time" label and Edt_InsertDelay, editable
  bool recordingShown;     // the three insert delay options and Btn_InsertStart
  bool repeatShown;        // edt_Repeat and "Repeat Number"
  bool repeatEnabled;      // edt_Repeat can be typed in
  bool xShown;             // edt_XAxisValue and "X axis value"
  bool yShown;             // edt_YAxisValue and "Y axis value"
  bool recorded;           // the lines come from insert-recording
  bool after;              // the line goes after the selected event
};
const InsertItemLayout& LayoutOf(InsertItem item);

// Default values of the fields when the program starts.
inline constexpr int kDefaultInsertDelayMs = 50;
inline constexpr int kDefaultInsertMovement = 12;
inline constexpr int kDefaultInsertRepeat = 10;
inline constexpr int kMaxInsertDelayMs = 2040;

class MacroInsertPanel {
 public:
  MacroInsertPanel();

  InsertItem Item() const { return item_; }
  const InsertItemLayout& Layout() const { return LayoutOf(item_); }
  // CB_InsertChange. Choosing an item resets the insert delay option to
  // Record Delay. Indexes outside 0 .. 9 are ignored.
  void CB_InsertChange(int index);

  // The insert delay options of insert-recording.
  // The recorder reads them when an insert-recording starts; they stay
  // locked while it runs.
  DelayMode InsertDelayMode() const { return delayMode_; }
  void IB_InsertRecDelayClick() { ChooseDelay(DelayMode::kRecord); }
  void IB_InsertDelayTimeClick() { ChooseDelay(DelayMode::kDefault); }
  void IB_InsertNoDelayClick() { ChooseDelay(DelayMode::kNone); }
  bool Locked() const { return locked_; }
  void SetLocked(bool locked) { locked_ = locked; }
  // Edt_InsertDelay can be typed in: items 0 and 1, or items 2 and 3 under
  // Default Delay; otherwise it is read-only and grey.
  bool DelayFieldEditable() const;

  MacroNumberField& Delay() { return delay_; }    // Edt_InsertDelay
  MacroNumberField& X() { return x_; }            // edt_XAxisValue
  MacroNumberField& Y() { return y_; }            // edt_YAxisValue
  MacroNumberField& Repeat() { return repeat_; }  // edt_Repeat
  const MacroNumberField& Delay() const { return delay_; }
  const MacroNumberField& X() const { return x_; }
  const MacroNumberField& Y() const { return y_; }
  const MacroNumberField& Repeat() const { return repeat_; }

  // The line item `Item()` inserts; nothing for the recorded items.
  std::optional<std::string> LineToInsert() const;

 private:
  void ChooseDelay(DelayMode mode) {
    if (!locked_) {
      delayMode_ = mode;
    }
  }

  InsertItem item_ = InsertItem::kDelayFront;
  DelayMode delayMode_ = DelayMode::kRecord;
  bool locked_ = false;
  MacroNumberField delay_;
  MacroNumberField x_;
  MacroNumberField y_;
  MacroNumberField repeat_;
};

}  // namespace orbic::macros
