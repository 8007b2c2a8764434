#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "fire/FireContentEditor.h"
#include "fire/FireMacroTable.h"
#include "fire/FireTransfer.h"
#include "keys/KeyAssignments.h"
#include "keys/KeyCode.h"
#include "keys/LabelTexts.h"
#include "params/DeviceOptions.h"

namespace orbic {
class Clock;
class UiHost;
}  // namespace orbic
namespace orbic::device {
class CommandChannel;
}  // namespace orbic::device
namespace orbic::ui {
struct BehaviourConfig;
struct MessageStrings;
}  // namespace orbic::ui

namespace orbic::fire {

inline constexpr int kColumnCount = 3;
inline constexpr int kGunCount = 7;
// Column header images GunMode1..GunMode5.
inline constexpr int kGunModeImageCount = 5;

// The gun (1..7) and column (1..3) that show fire macro 1..10.
struct FireMacroPlace {
  int gun;
  int column;
};
FireMacroPlace PlaceOfFireMacro(int fireMacro);

// What one parameter column shows.
struct FireColumn {
  bool visible = false;
  int fireMacro = 0;    // 1..10 while visible
  bool parsed = false;  // false: the record's stop byte is neither 0 nor 1
  bool stopChecked = false;
  std::string count = "0";
  std::string x = "0";
  std::string y = "0";
  std::string yOffset = "0";
  std::string interval = "0";
  int yStep = 0;  // the Y step the offset is limited against
  FireColour colour;
  ParameterPositions positions;

  std::string_view StopPicture() const { return stopChecked ? "CbS_E" : "CbS_D"; }
};

enum class FireConfirmResult {
  kAssigned,       // the gun key was given to the button
  kLeftClickKept,  // "Please keep a Left Key": nothing assigned or sent
  kNoButton,       // the page was opened for no button: nothing assigned
};

// The fire macro page: the seven gun presets with their parameter columns,
// Confirm (gun key and transfer), Cancel and the hidden content editor.
class FirePage {
 public:
  FirePage(FireMacroTable& table, params::DataBuf& data, params::DeviceOptions& options,
           keys::KeyAssignments& keys, const ui::BehaviourConfig& config,
           const ui::MessageStrings& messages, UiHost& ui, Clock& clock,
           keys::TextLookup text = keys::TableOneText);
  // The content editor calls back into the page, which must stay put.
  FirePage(const FirePage&) = delete;
  FirePage& operator=(const FirePage&) = delete;

  // " ☉Fire Macro" for button 1..9 of the key mode whose page is shown:
  // page 5 alone, gun 1 shown.
  void Key_FireMacroClick(int keyMode, int button);
  bool Open() const { return open_; }
  int KeyMode() const { return keyMode_; }
  int Button() const { return button_; }

  // Btn_Fire1Click .. Btn_Fire7Click.
  void Btn_FireClick(int gun);
  int ChosenGun() const { return chosenGun_; }
  bool Loading() const { return loading_; }
  // "Gun1_01" / "Gun1_02" .. for gun 1..7, with the hover state.
  std::string GunPicture(int gun) const;
  void Btn_FireMouseEnter(int gun);
  void Btn_FireMouseLeave(int gun);
  // Whether header image GunMode1..5 shows.
  bool GunModeImageVisible(int image) const;
  // Column 1..3.
  const FireColumn& Column(int column) const;

  // The parameter edits of column 1..3: each corrects its text and writes
  // the value back; ignored while a gun is being shown, for a hidden column
  // and for a record the parse could not show.
  void Edt_FireCntChange(int column, std::string_view text);
  void Edt_FireXChange(int column, std::string_view text);
  void Edt_FireYChange(int column, std::string_view text);
  void Edt_FireTimeChange(int column, std::string_view text);
  void Edt_FireYOffsetChange(int column, std::string_view text);
  // lbl_FireRKFS1Click ..: toggles the stop mode of the column's fire macro.
  void lbl_FireRKFSClick(int column);
  // The colour dialog of column 1..3 closed with OK on `colour`.
  void ColourChosen(int column, const FireColour& colour);

  // Confirm without the transfer: the left-button guard, the gun key for the
  // button, the working records over the fire area. The window and the
  // command-line tool share it.
  FireConfirmResult ConfirmAssignment();
  // Btn_FireConfirmClick: ConfirmAssignment, then the transfer when the gun
  // key was assigned. Returns the transfer's outcome, or nothing when the
  // guard stopped it.
  std::optional<FireTransferOutcome> Btn_FireConfirmClick(device::CommandChannel& channel);
  // Btn_FireExitClick: hides the content editor; nothing is assigned; the
  // parameter changes stay in the working copy.
  void Btn_FireExitClick();

  // The gun key of preset `gun` with the configured Gun6_Num / Gun7_Num.
  keys::KeyCode GunKey(int gun) const;

  FireContentEditor& Editor() { return editor_; }
  const FireContentEditor& Editor() const { return editor_; }

 private:
  FireColumn* EditableColumn(int column);
  void ShowColumn(int column, int fireMacro);
  // The content editor changed record `fireMacro`: every column showing it
  // reads its parameters (and their positions) again.
  void ReparseColumnsOf(int fireMacro);
  void WriteOperand(const FireColumn& column, const std::optional<std::size_t>& position,
                    std::uint8_t operand);
  void Close();

  FireMacroTable& table_;
  params::DataBuf& data_;
  params::DeviceOptions& options_;
  keys::KeyAssignments& keys_;
  const ui::BehaviourConfig& config_;
  const ui::MessageStrings& messages_;
  UiHost& ui_;
  keys::TextLookup text_;
  FireContentEditor editor_;
  bool open_ = false;
  int keyMode_ = 1;
  int button_ = -1;
  int chosenGun_ = 1;
  std::optional<int> hoveredGun_;
  bool loading_ = false;
  std::array<FireColumn, kColumnCount> columns_{};
};

}  // namespace orbic::fire
