#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "params/ParameterImage.h"

namespace orbic {
class UiHost;
}

namespace orbic::perf {

// A colour as the window system stores it: R + G * 256 + B * 65536.
using Colour = std::uint32_t;

constexpr Colour MakeColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

inline constexpr int kDpiLevelCount = 7;
inline constexpr int kMinDpiLevels = 2;
inline constexpr int kDpiStepCount = 12;  // step indexes 0..11, "500".."8000"
inline constexpr int kAimStepCount = 11;  // cb_AIMKeyValue offers "500".."6400"
inline constexpr int kShippedDpiCount = 11;
inline constexpr int kSliderUnitsPerStep = 100;

inline constexpr std::string_view kMarkerCurrent = "CbS_E";
inline constexpr std::string_view kMarkerOther = "CbS_D";
inline constexpr std::string_view kNoAimKeyMessage = "Please select a AIM Key in Profile!";

enum class ColourChannel { kRed = 0, kGreen = 1, kBlue = 2 };

// The texts of the step indexes (language strings Str300..Str311).
using StepTexts = std::array<std::string, kDpiStepCount>;
StepTexts DefaultStepTexts();

// Font colours of the level labels, from the skin layout's Color_D_* keys.
struct LevelLabelColours {
  Colour selected = MakeColour(255, 255, 255);
  Colour notSelected = MakeColour(128, 128, 128);
};

// What the controls of one level show.
struct DpiLevelControls {
  std::optional<int> cb_CPI;  // step combo item index; none = no selection
  int slider_DPI = 0;
  std::string lbl_DPIValue;
  std::string Img_DPI{kMarkerOther};
  std::array<std::string, 3> edt_CPI;  // edt_CPInR, edt_CPInG, edt_CPInB, by ColourChannel
  Colour cs_DPICol = 0;                // swatch fill and outline
  bool colourShown = true;             // cs_DPICol and its click target lbl_DPICol
  bool enabled = true;                 // slider, marker and colour click target
  bool engineerShown = true;           // cb_CPI and the colour edits, with their captions
  Colour lbl_DPIColour = 0;            // font colour of the level label lbl_DPI
};

// What the controls of the DPI page and of the engineer page's CPI group show.
struct DpiControls {
  int levelCount = kDpiLevelCount;
  int cb_CPIStep = kDpiLevelCount - kMinDpiLevels;      // item index = level count - 2
  int cbb_DPICount = kDpiLevelCount - kMinDpiLevels;    // always the same item as cb_CPIStep
  std::vector<std::string> cb_CurrentCPIItems;          // "1".."level count"
  int cb_CurrentCPI = 0;                                // item index = current level, 0-based
  std::array<DpiLevelControls, kDpiLevelCount> levels;  // levels[n - 1] is level n
  int sliderMax = 0;                                    // of every level slider and slider_DPI8
  int slider_DPI8 = 0;
  std::string lbl_AIMKeyValue;
  std::optional<int> cb_AIMKeyValue;
  int aimValue = 0;
};

// Opens the colour dialog at `current`; the chosen colour, or none when cancelled.
using ColourChooser = std::function<std::optional<Colour>(Colour current)>;

// The DPI levels as the user edits them. Levels are numbered n = 1..7; a call
// naming another level is ignored. Handlers of disabled controls do nothing.
class DpiPage {
 public:
  // dpiCount: the configuration's DPI_Count, the number of steps a slider offers.
  explicit DpiPage(int dpiCount = kShippedDpiCount, LevelLabelColours labelColours = {},
                   StepTexts stepTexts = DefaultStepTexts());

  const DpiControls& Controls() const { return controls_; }

  // After a skin layout is applied: recolours the level labels.
  void SetLabelColours(LevelLabelColours colours);
  // After a language is applied; the value labels follow at their next change.
  void SetStepTexts(StepTexts texts) { stepTexts_ = std::move(texts); }

  // The level count combo of the engineer page (item index = count - 2).
  void cb_CPIStepChange(int itemIndex);
  // The level count combo of the DPI page.
  void cbb_DPICountChange(int itemIndex);
  // Click on lbl_DPIn: adds the next level or removes the last one.
  void DPILevel_OnClick(int n);
  // Click on Img_DPIn: makes an enabled level current.
  void CurrentDPI_OnClick(int n);
  void cb_CurrentCPIChange(int itemIndex);
  // Step combo of level n set to item `itemIndex` (0..11).
  void cb_CPIChange(int n, int itemIndex);
  // Mouse released at `x` pixels on the slider of level n: snaps to a step.
  void slider_DPIMouseUp(int n, int x);
  void slider_DPIChange(int n, int value);
  void slider_DPI8Change(int value);
  // Mouse released on the AIM slider. Without any button holding the AIM
  // function in either key mode, resets the AIM value and tells the user.
  void slider_DPI8MouseUp(int x, bool aimButtonAssigned, UiHost& ui);
  // Click on the colour target of level n; the dialog opens only for the MCU LED.
  void lbl_DPIColClick(int n, bool mcuLed, const ColourChooser& chooseColour);
  // Colour edit of level n changed to `text`: clamped to 0..255, swatch repainted.
  void edt_CPIColourChange(int n, ColourChannel channel, std::string_view text);

  // The step text of index k - 1 for k = 1..12, else empty.
  std::string GetDisplayByIndex(int k) const;

  // Settings model: the aim value found in the buttons, shown on the AIM slider.
  void RefreshAIMKey(int aimValue);
  // Settings model: shows the DPI bytes of the working copies.
  void RefreshFromImage(const params::DataBuf& data, bool mcuLed);
  // Settings model: level count, steps, colours (Parameter A bytes 2, 6..12,
  // 26..46) and the current level pair (Parameter B bytes 0, 1). Nothing else.
  void WriteToImage(params::DataBuf& data) const;

 private:
  DpiLevelControls* Level(int n);
  void ApplyLevelCount();
  void ApplyLevelStates();
  void MarkCurrent(int levelIndex);
  void ShowStep(int n, int step);
  int ClampSlider(int value) const;
  int SnapSlider(int x) const;

  int dpiCount_;
  LevelLabelColours labelColours_;
  StepTexts stepTexts_;
  DpiControls controls_;
  // Stored bytes the controls cannot show, written back until the user sets
  // the value: a level count outside 2..7, a current level beyond the count,
  // a step index above 11 (255, "no value", is kept the same way).
  std::optional<std::uint8_t> unshownCount_;
  std::optional<std::uint8_t> unshownCurrent_;
  std::array<std::uint8_t, kDpiLevelCount> unshownStep_;
};

}  // namespace orbic::perf
