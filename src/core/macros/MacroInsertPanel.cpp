#include "macros/MacroInsertPanel.h"

#include <array>

namespace orbic::macros {

namespace {

constexpr std::string_view kDelayBase = "InsertDelayBase";
constexpr std::string_view kKeyBase = "InsertKeyBase";

// image, delay time, recording, repeat, repeat enabled, x, y, recorded, after
constexpr std::array<InsertItemLayout, kInsertItemCount> kLayouts{{
    {kDelayBase, true, false, false, false, false, false, false, false},  // Insert Delay Front
    {kDelayBase, true, false, false, false, false, false, false, true},   // Insert Delay Back
    {kKeyBase, false, true, false, false, false, false, true, false},     // Insert Key Front
    {kKeyBase, false, true, false, false, false, false, true, true},      // Insert Key Back
    {kDelayBase, false, false, true, true, false, false, false, false},   // Insert Start Repeat
    {kDelayBase, false, false, true, false, false, false, false, true},   // Insert Stop Repeat
    {kDelayBase, false, false, false, false, true, false, false, false},  // Insert X axis Front
    {kDelayBase, false, false, false, false, true, false, false, true},   // Insert X axis Back
    {kDelayBase, false, false, false, false, false, true, false, false},  // Insert Y axis Front
    {kDelayBase, false, false, false, false, false, true, false, true},   // Insert Y axis Back
}};

constexpr NumberFieldRules kDelayRules{.min = 0, .max = kMaxInsertDelayMs, .maxChars = 5};
constexpr NumberFieldRules kMovementRules{
    .min = kMinMovement, .max = kMaxMovement, .allowMinus = true, .emptyBecomesZero = true};
constexpr NumberFieldRules kRepeatRules{.min = 0, .max = kMaxRepeatField};

}  // namespace

const InsertItemLayout& LayoutOf(InsertItem item) {
  return kLayouts[static_cast<std::size_t>(item)];
}

MacroInsertPanel::MacroInsertPanel()
    : delay_(kDelayRules, std::to_string(kDefaultInsertDelayMs)),
      x_(kMovementRules, std::to_string(kDefaultInsertMovement)),
      y_(kMovementRules, std::to_string(kDefaultInsertMovement)),
      repeat_(kRepeatRules, std::to_string(kDefaultInsertRepeat)) {}

void MacroInsertPanel::CB_InsertChange(int index) {
  if (index < 0 || index >= kInsertItemCount) {
    return;
  }
  item_ = static_cast<InsertItem>(index);
  delayMode_ = DelayMode::kRecord;
}

bool MacroInsertPanel::DelayFieldEditable() const {
  const InsertItemLayout& layout = Layout();
  return !locked_ &&
         (layout.delayTimeShown || (layout.recordingShown && delayMode_ == DelayMode::kDefault));
}

std::optional<std::string> MacroInsertPanel::LineToInsert() const {
  switch (item_) {
    case InsertItem::kDelayFront:
    case InsertItem::kDelayBack:
      return DelayLine(delay_.Value());
    case InsertItem::kKeyFront:
    case InsertItem::kKeyBack:
      return std::nullopt;
    case InsertItem::kStartRepeat:
      return RepeatStartLine(repeat_.Value());
    case InsertItem::kStopRepeat:
      return std::string(kRepeatStopLine);
    case InsertItem::kXFront:
    case InsertItem::kXBack:
      return MovementLine(MovementAxis::kX, x_.Value());
    case InsertItem::kYFront:
    case InsertItem::kYBack:
      return MovementLine(MovementAxis::kY, y_.Value());
  }
  return std::nullopt;
}

}  // namespace orbic::macros
