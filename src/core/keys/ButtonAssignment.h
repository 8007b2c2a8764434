#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/CombinationKeyDialog.h"
#include "keys/KeyAssignments.h"
#include "keys/LabelTexts.h"
#include "params/ParameterImage.h"

namespace orbic {
class UiHost;
}
namespace orbic::params {
struct DeviceOptions;
}
namespace orbic::perf {
class DpiPage;
}
namespace orbic::ui {
struct BehaviourConfig;
struct MessageStrings;
}  // namespace orbic::ui

namespace orbic::keys {

// Which page opened the function menu; its handlers act on that page's buttons.
enum class MenuSurface { kMain, kEngineer };

// The button the function menu edits. `button` is -1 when the clicked control's
// name gave no usable number; nothing is assigned to such a target.
struct EditingTarget {
  MenuSurface surface = MenuSurface::kMain;
  int keyMode = 1;
  int button = -1;

  bool IsValid() const {
    return keyMode >= 1 && keyMode <= kKeyModes && button >= 1 && button <= kButtons;
  }
};

// Which parts of the function menu are shown.
struct MenuState {
  bool open = false;
  bool fireMacroVisible = true;     // Key_FireMacro, main page only
  bool tlFireMacroVisible = false;  // Key_TLFireMacro, engineer page only
  // The last entries of the top and special-keys panels ("Fire Macro",
  // "Gun Key Fn"): see MenuPanelHeight.
  bool extraEntriesInView = false;
};

// The combination-key dialog's last confirmed result.
struct CombinationState {
  bool confirmed = false;
  std::string label;
  std::string code;
};

// The model side of the function menu: assigns functions to buttons under the
// left-click rule, keeps the aim buttons on the aim value, and holds the
// main page's key-mode switch options.
//
// The macro choice (LB_NameClick) is macros::MacroAssignment; it applies
// Target() and KeepsLeftClick() itself, since it also has to claim a slot.
class ButtonAssignment {
 public:
  // In driver mode, before a write-back: gives the Fire Key buttons the code
  // type that matches continuous fire. Not written yet: the driver-mode
  // assignment provides it; until then driver mode leaves those buttons alone.
  using DriverFireKeyRule = std::function<void(KeyAssignments&, params::DataBuf&)>;

  ButtonAssignment(KeyAssignments& keys, params::DataBuf& data, perf::DpiPage& dpi,
                   params::DeviceOptions& options, const ui::BehaviourConfig& config,
                   const ui::MessageStrings& messages, UiHost& ui, TextLookup text = TableOneText);

  const EditingTarget& Target() const { return target_; }
  const MenuState& Menu() const { return menu_; }
  const CombinationState& Combination() const { return combination_; }

  // Click on Key1..Key9 of the page showing `shownKeyMode`; the number is the
  // name's last character.
  void ShowPnlMain_OnClick(std::string_view labelName, int shownKeyMode);
  // Click on btn_Key101..btn_Key109 / btn_Key201..btn_Key209; the name's last
  // three characters give key mode and button.
  void TLShowPnlMain_OnClick(std::string_view buttonName);
  // Any other click on the pages.
  void HideAllMenu() { menu_.open = false; }

  // A fixed function chosen by its identifier (the entry's tag). Refused with
  // "Please keep a Left Key" when the key mode would lose its last left click.
  void KeyStatusOnClick(int functionIdentifier);

  // "User-defined": forgets the previous combination before the dialog opens.
  void Key_AssemblyClick();
  // The dialog confirmed `result`: assigned to the target as it is, even over
  // the last left click.
  void ApplyCombinationResult(const CombinationResult& result);

  // Whether the target's key mode keeps a left click when the target takes
  // `newLabel`. Labels decide, so any code shown as the left click counts.
  bool KeepsLeftClick(std::string_view newLabel) const;

  // Aim buttons are found by their label; only those holding an aim code are
  // read and rewritten, so a macro named like the aim keeps its reference.
  //
  // The aim setting changed to `index` (0..10, others are ignored).
  void cb_AIMKeyValueChange(int index);
  // Before every write-back: the remembered aim value into every aim button;
  // in driver mode then the Fire Key rule, once one is set.
  void AIMKeyToDataBuf();
  void SetDriverFireKeyRule(DriverFireKeyRule rule) { driverFireKeyRule_ = std::move(rule); }
  // The aim value the aim buttons hold (key mode 1 first, then 2; the last
  // found wins); none without aim buttons. The engineer page's combo and the
  // DPI page's are one control here, so this only reports the value.
  std::optional<int> TLRefreshAIMKey() const;
  // The DPI page's aim display (and the remembered value) from the aim
  // buttons; without aim buttons the remembered value stays.
  void RefreshAIMKey();
  // Whether any button of either key mode shows the aim label.
  bool AnyAimButton() const;

  // The key-mode switch options: middle press, DPI press (exclusive with each
  // other) and gun key (independent).
  void IB_ComboKey1Click();
  void IB_ComboKey2Click();
  void IB_ComboKey3Click();
  // "CbS_E" or "CbS_D" for option 1..3.
  std::string_view ComboKeyPicture(int option) const;
  // The gun-key option is offered only on the "Game Mode" page with GD_Enable.
  bool ComboKey3Visible(int shownKeyMode) const;

  // The language table changed: the labels' texts come from `text` now.
  void SetTextLookup(TextLookup text) { text_ = std::move(text); }

 private:
  void OpenMenu(MenuSurface surface, int keyMode, int button);
  std::string LeftClickLabel() const;
  std::string AimLabel() const;
  int AimValue() const;
  struct Button {
    int keyMode;
    int button;
    int operand;
  };
  // The aim buttons holding an aim code, key mode 1 first.
  std::vector<Button> AimCodeButtons() const;
  void WriteAimValue(int aimValue);

  KeyAssignments& keys_;
  params::DataBuf& data_;
  perf::DpiPage& dpi_;
  params::DeviceOptions& options_;
  const ui::BehaviourConfig& config_;
  const ui::MessageStrings& messages_;
  UiHost& ui_;
  TextLookup text_;
  EditingTarget target_;
  MenuState menu_;
  CombinationState combination_;
  DriverFireKeyRule driverFireKeyRule_;
};

}  // namespace orbic::keys
