#include "fire/FirePage.h"

#include <algorithm>

#include "base/UiHost.h"
#include "fire/FireParameterRules.h"
#include "keys/FixedFunctions.h"
#include "keys/GunPresets.h"
#include "ui/BehaviourConfig.h"
#include "ui/MessageStrings.h"

namespace orbic::fire {
namespace {

// The fire macros each gun edits, one per column, and the column header
// images it shows (0: none).
struct GunLayout {
  std::array<int, kColumnCount> fireMacros;
  std::array<int, kColumnCount> headerImages;
};
constexpr std::array<GunLayout, kGunCount> kGunLayouts{{
    {{1, 0, 0}, {0, 0, 0}},
    {{2, 0, 0}, {0, 0, 0}},
    {{3, 0, 0}, {0, 0, 0}},
    {{4, 0, 0}, {0, 0, 0}},
    {{5, 0, 0}, {0, 0, 0}},
    {{6, 7, 0}, {1, 2, 0}},
    {{8, 9, 10}, {3, 4, 5}},
}};

constexpr int kGun6 = 6;
constexpr int kGun7 = 7;

bool ValidGun(int gun) {
  return gun >= 1 && gun <= kGunCount;
}

const GunLayout& Layout(int gun) {
  return kGunLayouts[static_cast<std::size_t>(std::clamp(gun, 1, kGunCount) - 1)];
}

}  // namespace

FireMacroPlace PlaceOfFireMacro(int fireMacro) {
  for (int gun = 1; gun <= kGunCount; ++gun) {
    const auto& fireMacros = Layout(gun).fireMacros;
    for (int c = 0; c < kColumnCount; ++c) {
      if (fireMacros[static_cast<std::size_t>(c)] == fireMacro) {
        return {gun, c + 1};
      }
    }
  }
  return {1, 1};
}

FirePage::FirePage(FireMacroTable& table, params::DataBuf& data, params::DeviceOptions& options,
                   keys::KeyAssignments& keys, const ui::BehaviourConfig& config,
                   const ui::MessageStrings& messages, UiHost& ui, Clock& clock,
                   keys::TextLookup text)
    : table_(table),
      data_(data),
      options_(options),
      keys_(keys),
      config_(config),
      messages_(messages),
      ui_(ui),
      text_(text ? std::move(text) : keys::TextLookup(keys::TableOneText)),
      editor_(table, clock) {
  editor_.SetRecordChanged([this](int fireMacro) { ReparseColumnsOf(fireMacro); });
}

void FirePage::ReparseColumnsOf(int fireMacro) {
  for (int c = 1; c <= kColumnCount; ++c) {
    FireColumn& shown = columns_[static_cast<std::size_t>(c - 1)];
    if (shown.visible && shown.fireMacro == fireMacro) {
      shown = FireColumn{};
      ShowColumn(c, fireMacro);
    }
  }
}

void FirePage::Key_FireMacroClick(int keyMode, int button) {
  open_ = true;
  keyMode_ = keyMode == 2 ? 2 : 1;
  button_ = button >= 1 && button <= keys::kButtons ? button : -1;
  Btn_FireClick(1);
}

void FirePage::Btn_FireClick(int gun) {
  if (!ValidGun(gun)) {
    return;
  }
  loading_ = true;
  chosenGun_ = gun;
  columns_.fill(FireColumn{});
  const GunLayout& layout = Layout(gun);
  for (int c = 1; c <= kColumnCount; ++c) {
    const int fireMacro = layout.fireMacros[static_cast<std::size_t>(c - 1)];
    if (fireMacro != 0) {
      ShowColumn(c, fireMacro);
    }
  }
  loading_ = false;
  ui_.ModelsChanged();
}

void FirePage::ShowColumn(int column, int fireMacro) {
  FireColumn& shown = columns_[static_cast<std::size_t>(column - 1)];
  shown.visible = true;
  shown.fireMacro = fireMacro;
  const FireMacroParameters parameters = ParseFireMacro(table_.Record(fireMacro));
  if (parameters.shown) {
    shown.parsed = true;
    shown.stopChecked = parameters.stopOnRelease;
    // The key table follows the record's stop mode whenever it is shown.
    SetKeyTableType(data_, fireMacro, parameters.stopOnRelease);
    shown.positions = parameters.positions;
    if (parameters.positions.count) {
      shown.count = std::to_string(parameters.count);
    }
    if (parameters.positions.x) {
      shown.x = std::to_string(parameters.x);
    }
    if (parameters.positions.y) {
      shown.y = std::to_string(parameters.y);
      shown.yStep = parameters.y;
    }
    if (parameters.positions.interval) {
      shown.interval = std::to_string(parameters.intervalMs);
    }
  }
  shown.yOffset = std::to_string(YOffset(data_, fireMacro));
  shown.colour = Colour(data_, fireMacro);
}

std::string FirePage::GunPicture(int gun) const {
  const bool chosen = gun == chosenGun_ || (hoveredGun_ && *hoveredGun_ == gun);
  return "Gun" + std::to_string(gun) + (chosen ? "_02" : "_01");
}

void FirePage::Btn_FireMouseEnter(int gun) {
  if (ValidGun(gun)) {
    hoveredGun_ = gun;
  }
}

void FirePage::Btn_FireMouseLeave(int gun) {
  if (hoveredGun_ && *hoveredGun_ == gun) {
    hoveredGun_.reset();
  }
}

bool FirePage::GunModeImageVisible(int image) const {
  const auto& images = Layout(chosenGun_).headerImages;
  return image != 0 && std::find(images.begin(), images.end(), image) != images.end();
}

const FireColumn& FirePage::Column(int column) const {
  return columns_[static_cast<std::size_t>(std::clamp(column, 1, kColumnCount) - 1)];
}

FireColumn* FirePage::EditableColumn(int column) {
  if (loading_ || column < 1 || column > kColumnCount) {
    return nullptr;
  }
  FireColumn& shown = columns_[static_cast<std::size_t>(column - 1)];
  return shown.visible && shown.parsed ? &shown : nullptr;
}

void FirePage::WriteOperand(const FireColumn& column, const std::optional<std::size_t>& position,
                            std::uint8_t operand) {
  if (!position) {
    return;  // the record has no such event: nothing to write
  }
  FireMacroRecord& record = table_.Record(column.fireMacro);
  record[*position] = operand;
  FireMacroChecksum(record);
  editor_.RecordEdited(column.fireMacro);
}

void FirePage::Edt_FireCntChange(int column, std::string_view text) {
  FireColumn* shown = EditableColumn(column);
  if (shown == nullptr) {
    return;
  }
  const FieldEdit edit = ShotCountEdit(text);
  shown->count = edit.text;
  WriteOperand(*shown, shown->positions.count, static_cast<std::uint8_t>(*edit.value - 1));
}

void FirePage::Edt_FireXChange(int column, std::string_view text) {
  FireColumn* shown = EditableColumn(column);
  if (shown == nullptr) {
    return;
  }
  const FieldEdit edit = XStepEdit(text);
  shown->x = edit.text;
  if (edit.value) {
    WriteOperand(*shown, shown->positions.x,
                 static_cast<std::uint8_t>(static_cast<std::int8_t>(*edit.value)));
  }
}

void FirePage::Edt_FireYChange(int column, std::string_view text) {
  FireColumn* shown = EditableColumn(column);
  if (shown == nullptr) {
    return;
  }
  const FieldEdit edit = YStepEdit(text);
  shown->y = edit.text;
  shown->yStep = *edit.value;
  WriteOperand(*shown, shown->positions.y, static_cast<std::uint8_t>(*edit.value));
  // A new Y step starts without an offset, so Y + offset stays in range.
  shown->yOffset = "0";
  SetYOffset(data_, shown->fireMacro, 0);
  options_.yOffsets[static_cast<std::size_t>(shown->fireMacro - 1)] = 0;
}

void FirePage::Edt_FireTimeChange(int column, std::string_view text) {
  FireColumn* shown = EditableColumn(column);
  if (shown == nullptr) {
    return;
  }
  const FieldEdit edit = IntervalEdit(text);
  shown->interval = edit.text;
  WriteOperand(*shown, shown->positions.interval,
               static_cast<std::uint8_t>(*edit.value / event::kMsPerDelayUnit));
}

void FirePage::Edt_FireYOffsetChange(int column, std::string_view text) {
  FireColumn* shown = EditableColumn(column);
  if (shown == nullptr) {
    return;
  }
  const FieldEdit edit = YOffsetEdit(text, shown->yStep);
  shown->yOffset = edit.text;
  if (edit.value) {
    SetYOffset(data_, shown->fireMacro, *edit.value);
    // The engineer page's offset edit of this fire macro shows the same value.
    options_.yOffsets[static_cast<std::size_t>(shown->fireMacro - 1)] = *edit.value;
  }
}

void FirePage::lbl_FireRKFSClick(int column) {
  FireColumn* shown = EditableColumn(column);
  if (shown == nullptr) {
    return;
  }
  shown->stopChecked = !shown->stopChecked;
  table_.Record(shown->fireMacro)[record::kStopMode] =
      shown->stopChecked ? record::kStopOnRelease : record::kRunToEnd;
  SetKeyTableType(data_, shown->fireMacro, shown->stopChecked);
  FireMacroChecksum(table_.Record(shown->fireMacro));
  editor_.RecordEdited(shown->fireMacro);
}

void FirePage::ColourChosen(int column, const FireColour& colour) {
  if (column < 1 || column > kColumnCount) {
    return;
  }
  FireColumn& shown = columns_[static_cast<std::size_t>(column - 1)];
  if (!shown.visible) {
    return;
  }
  const FireColour clamped{std::clamp(colour.red, 0, 255), std::clamp(colour.green, 0, 255),
                           std::clamp(colour.blue, 0, 255)};
  shown.colour = clamped;
  SetColour(data_, shown.fireMacro, clamped);
  options_.fireMacroColours[static_cast<std::size_t>(shown.fireMacro - 1)] = {
      clamped.red, clamped.green, clamped.blue};
}

keys::KeyCode FirePage::GunKey(int gun) const {
  int count = 1;
  if (gun == kGun6) {
    count = config_.gun6Num;
  } else if (gun == kGun7) {
    count = config_.gun7Num;
  }
  return keys::GunPresetCode(gun, count).value_or(keys::KeyCode{});
}

void FirePage::Close() {
  editor_.Hide();
  open_ = false;
}

FireConfirmResult FirePage::ConfirmAssignment() {
  Close();
  if (button_ < 1) {
    return FireConfirmResult::kNoButton;
  }
  const std::string leftClick = text_(keys::kLeftClickLabelKey);
  bool otherLeftClick = false;
  for (int b = 1; b <= keys::kButtons; ++b) {
    if (b != button_ && keys_.Label(keyMode_, b) == leftClick) {
      otherLeftClick = true;
    }
  }
  if (keys_.Label(keyMode_, button_) == leftClick && !otherLeftClick) {
    ui_.ShowMessage(messages_.str108, MessageStyle::kDialog);
    return FireConfirmResult::kLeftClickKept;
  }
  // The code goes into the key mode whose page opened the fire page, so the
  // button's label and what the mouse does always agree.
  keys_.Assign(keyMode_, button_, keys::CodeString(GunKey(chosenGun_)), data_);
  options_.WriteFireTablesToImage(data_);
  table_.CopyInto(data_);
  ui_.ModelsChanged();
  return FireConfirmResult::kAssigned;
}

std::optional<FireTransferOutcome> FirePage::Btn_FireConfirmClick(device::CommandChannel& channel) {
  if (ConfirmAssignment() != FireConfirmResult::kAssigned) {
    return std::nullopt;
  }
  return TransferFireData(channel, ui_, data_);
}

void FirePage::Btn_FireExitClick() {
  Close();
}

}  // namespace orbic::fire
