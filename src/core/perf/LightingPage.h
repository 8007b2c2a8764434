#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "params/ParameterImage.h"
#include "perf/LedType.h"
#include "perf/LightingGroup.h"
#include "perf/LightingTexts.h"
#include "ui/BehaviourConfig.h"

namespace orbic::perf {

// Pictures of the Breathing Light page.
inline constexpr std::string_view kOptionChosen = "RdS_E";
inline constexpr std::string_view kOptionNotChosen = "RdS_D";
inline constexpr std::string_view kBarLit = "Bar1_E";
inline constexpr std::string_view kBarUnlit = "Bar1_D";

inline constexpr int kNoItem = -1;
inline constexpr std::size_t kSpeedBarCount = 8;
inline constexpr std::size_t kCountBarCount = 10;
inline constexpr int kMinLedCount = 4;
inline constexpr int kMaxLedCount = 13;
inline constexpr int kMaxSpeedStep = 7;

struct ComboBox {
  std::vector<std::string> items;
  int itemIndex = kNoItem;
  bool enabled = true;
};

// What the lighting controls hold. Initial values are the form's defaults.
struct LightingControls {
  LedType ledTypeRadio = LedType::kMcu;  // rb_MCULED, rb_RBLED, rb_SyncLED, rb_BreLED

  // Engineer radio pairs (checked flags) and the pictures of their Breathing-page labels.
  bool rb_LEDOn = false;
  bool rb_LEDOff = true;
  bool rb_B4CPIOn = false;
  bool rb_B4CPIOff = true;
  bool rb_LCPIOn = true;
  bool rb_LCPIOff = false;
  bool rb_MCULED3Control = true;
  bool rb_MCULED6Control = false;
  bool rb_Save = false;
  bool rb_NoSave = true;
  std::string_view Img_LEDOn = kOptionNotChosen;
  std::string_view Img_LEDOff = kOptionChosen;
  std::string_view Img_B4CPIOn = kOptionNotChosen;
  std::string_view Img_B4CPIOff = kOptionChosen;
  std::string_view Img_LCPIOn = kOptionChosen;
  std::string_view Img_LCPIOff = kOptionNotChosen;
  std::string_view Img_MCULED3Control = kOptionChosen;
  std::string_view Img_MCULED6Control = kOptionNotChosen;
  std::string_view Img_SaveKeyMode = kOptionNotChosen;
  std::string_view Img_NoSaveKeyMode = kOptionChosen;

  std::array<bool, kLedModeCount> cb_Mode{true, true, true, true, true, true, true};
  ComboBox cb_MCULEDCurrentMode;
  ComboBox cb_RBLEDCurrentMode;
  ComboBox cb_KeyMode;
  std::array<std::string_view, kLedModeCount> Img_MCULEDMode{};
  std::array<std::string_view, kLedModeCount> Img_RBLEDMode{};

  std::string edt_MCULEDCrtStep = "0";
  std::array<std::string_view, kSpeedBarCount> Img_MCULEDStep{};  // bar k at [k - 1]
  int slider_Breath_Speed = kMaxSpeedStep * 100;

  std::string edt_MCULEDNum = "13";
  std::array<std::string_view, kCountBarCount> Img_MCULEDNum{};  // bar k at [k - 1]
};

// The lighting settings as shown on the Breathing Light page and the engineer
// page, with the handlers of their controls and the conversions to and from
// the parameter image. Nothing here talks to the mouse.
class LightingPage {
 public:
  // Reads the presentation switches `dpiLedStatus` (lever or progress bars) and
  // `numOrder` (direction of the LED-count row).
  explicit LightingPage(const ui::BehaviourConfig& config = {});

  const LightingControls& Controls() const { return controls_; }
  bool IsShown(LightingGroup group) const;
  // MCU mode label and picture k (1..7): the group is shown and the mode enabled.
  bool IsMcuModeShown(int mode) const;

  // The LED type name the window keeps ("MCULED", ...; empty until a mouse or an
  // image set it). Clicking an engineer radio does not change it.
  const std::string& LedTypeName() const { return ledTypeName_; }
  bool IsMcuLed() const { return ledTypeName_ == perf::LedTypeName(LedType::kMcu); }

  int KeyModeIndex() const { return controls_.cb_KeyMode.itemIndex; }
  // Opening the Office (0) or Game (1) page selects its key mode, enabled or not.
  void SelectKeyMode(int index);

  // The LED-count bar k (1..10) and the count it stands for; `numOrder` 1 runs
  // the counts right to left.
  int MCULEDNumForBar(int bar) const;
  std::string MCULEDNumLabel(int bar) const;

  void SetLedTypeFromMouse(std::uint8_t ledTypeByte);
  void RefreshFromImage(const params::DataBuf& data);
  void WriteToImage(params::DataBuf& data) const;

  // Engineer LED type radios.
  void rb_MCULEDClick();
  void rb_RBLEDClick();
  void rb_SyncLEDClick();
  void rb_BreLEDClick();

  // Engineer option radios and the Breathing-page labels that check them.
  void rb_LEDOnClick();
  void rb_LEDOffClick();
  void rb_B4CPIOnClick();
  void rb_B4CPIOffClick();
  void rb_LCPIOnClick();
  void rb_LCPIOffClick();
  void rb_MCULED3ControlClick();
  void rb_MCULED6ControlClick();
  void rb_SaveClick();
  void rb_NoSaveClick();
  void lbl_LEDOnClick() { rb_LEDOnClick(); }
  void lbl_LEDOffClick() { rb_LEDOffClick(); }
  void lbl_B4CPIOnClick() { rb_B4CPIOnClick(); }
  void lbl_B4CPIOffClick() { rb_B4CPIOffClick(); }
  void lbl_LCPIOnClick() { rb_LCPIOnClick(); }
  void lbl_LCPIOffClick() { rb_LCPIOffClick(); }
  void lbl_MCULED3ControlClick() { rb_MCULED3ControlClick(); }
  void lbl_MCULED6ControlClick() { rb_MCULED6ControlClick(); }
  void lbl_SaveKeyModeClick() { rb_SaveClick(); }
  void lbl_NoSaveKeyModeClick() { rb_NoSaveClick(); }

  // MCU mode flags (cb_Mode1..cb_Mode7) and the current-mode lists.
  void cb_ModeClick(int mode, bool checked);
  void TLRefreshMCULEDMode();
  void cb_MCULEDCurrentModeChange(int itemIndex);
  void cb_RBLEDCurrentModeChange(int itemIndex);
  void lbl_MCULEDMode1Click(int mode);
  void Img_MCULEDMode1Click(int mode);
  void lbl_RBLEDMode1Click(int mode);
  void Img_RBLEDMode1Click(int mode);

  // Speed step: bar k (1..8), slider release at x, edit text typed.
  void MCULEDStep_OnClick(int bar);
  void slider_Breath_SpeedMouseUp(int x);
  void edt_MCULEDCrtStepChange(std::string text);

  // LED count: bar k (1..10), edit text typed, edit left.
  void MCULEDNum_OnClick(int bar);
  void edt_MCULEDNumChange(std::string text);
  void edt_MCULEDNumExit();

 private:
  void SetLedType(LedType type);
  void ShowControlsOf(LedType type);
  void DrawModePictures();
  void DrawPairPictures();
  void DrawSpeedBars();
  void DrawCountBars();

  bool leverBars_;
  bool countsRightToLeft_;
  LightingControls controls_;
  std::string ledTypeName_;
  std::array<bool, kLightingGroupCount> groupShown_{};
  std::array<bool, kLedModeCount> mcuModeListed_{};
  // Set while a bar click writes into its edit, so the edit's own handler
  // leaves the bars to the click.
  bool editGuard_ = false;
  // A stored LED-count nibble of 10..15 names no count the page can show; it
  // is written back as it was until the user sets a count.
  std::optional<std::uint8_t> unshownCountNibble_;
};

}  // namespace orbic::perf
