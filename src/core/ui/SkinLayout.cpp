#include "ui/SkinLayout.h"

#include <algorithm>
#include <array>

#include "base/Resources.h"
#include "ui/IniFile.h"

namespace orbic::ui {
namespace {

// Which keys of `<item>_...` an item carries.
enum ItemKeys : unsigned {
  kEnable = 1U << 0,    // _Enable: 1 shows and places the item, anything else hides it
  kPosition = 1U << 1,  // _X, _Y
  kW = 1U << 2,         // _W
  kWidth = 1U << 3,     // _Width
  kH = 1U << 4,         // _H
  kVisible = 1U << 5,   // _Visible: 1 shows the item, anything else hides it; placed either way
};

// A control placed relative to its item's (X, Y).
struct Placement {
  std::string_view control;  // '#' stands for the item's index
  int dx = 0;
  int dy = 0;
};

// One item or a numbered family of items (`Key1`..`Key9`). Sizes go to the first
// placement; every placement is shown or hidden with the item.
struct ItemRule {
  std::string_view key;  // '#' stands for the index
  int count;             // indexes 1..count; 0 for a single item
  char group;
  unsigned keys;
  bool copies;  // one control per page group, suffix _1 to _4
  std::array<Placement, 6> placements;
};

// Offsets of a picture radio or check box's clickable label over its picture.
constexpr int kPairLabelDx = -4;
constexpr int kPairLabelDy = -2;
constexpr int kDelayLabelDx = -2;
// Caption labels in front of the macro edit fields.
constexpr int kEditCaptionDx = -64;
constexpr int kDelayCaptionDx = -74;
constexpr int kSecondsCaptionDx = 44;
// The insert panel's edit rows (X axis, Y axis, repeat count).
constexpr int kEditRowDy = 28;
// The insert panel's three delay radios.
constexpr int kRadioRowDy = 24;

constexpr unsigned kPlaced = kPosition;
constexpr unsigned kShownPlaced = kEnable | kPosition;

// clang-format off
const auto kItemRules = std::to_array<ItemRule>({
    // Page pictures.
    {"P#", 5, 0, kPlaced, false, {{{"Img_P#"}}}},
    // Button page: markers over the mouse picture and the profile-switch choices.
    {"Key#", 9, 'C', kShownPlaced, false, {{{"Img_Key#"}, {"Key#"}}}},
    {"ComboKey#", 3, 'C', kShownPlaced, false, {{{"Img_ComboKey#"}, {"IB_ComboKey#"}}}},
    // Advanced page: DPI levels, AIM value, pointer settings, fire key.
    {"DPI#", 7, 'D', kPlaced, false, {{{"slider_DPI#"}}}},
    {"DPI#_Value", 7, 'D', kPlaced, false, {{{"lbl_DPI#Value"}}}},
    {"DPI#_Steps", 7, 'D', kPlaced, false, {{{"lbl_DPI#"}}}},
    {"DPI#_Color", 7, 'D', kPlaced, false,
     {{{"Img_DPI#Col"}, {"cs_DPI#Col", 3, 3}, {"lbl_DPI#Col"}}}},
    {"DPI#_Check", 7, 'D', kPlaced, false, {{{"Img_DPI#"}}}},
    {"DPI_Count", 0, 'D', kVisible | kPlaced, false, {{{"cbb_DPICount"}}}},
    {"AIMKey", 0, 'D', kShownPlaced, false, {{{"slider_DPI8"}}}},
    {"AIMKey_Value", 0, 'D', kPlaced, false, {{{"lbl_AIMKeyValue"}}}},
    {"IsControl", 0, 'D', kPlaced, false,
     {{{"Img_IsControl"}, {"lbl_IsControl", kPairLabelDx, kPairLabelDy}}}},
    {"IsScreen", 0, 'D', kPlaced, false,
     {{{"Img_IsScreen"}, {"lbl_IsScreen", kPairLabelDx, kPairLabelDy}}}},
    {"FKCnt", 0, 'D', kPlaced, false, {{{"Edt_Repeat1"}}}},
    {"FKDelay", 0, 'D', kPlaced, false, {{{"Edt_DelayTime1"}}}},
    {"IsFireContinue", 0, 'D', kPlaced, false,
     {{{"Img_FireContinue"}, {"lbl_FireContinue", kPairLabelDx, kPairLabelDy}}}},
    // Breathing-light page: the radio pairs, the mode lists.
    {"LEDOn", 0, 'E', kPlaced, false,
     {{{"Img_LEDOn"}, {"lbl_LEDOn", kPairLabelDx, kPairLabelDy}}}},
    {"LEDOff", 0, 'E', kPlaced, false,
     {{{"Img_LEDOff"}, {"lbl_LEDOff", kPairLabelDx, kPairLabelDy}}}},
    {"LEDSwitchOn", 0, 'E', kPlaced, false,
     {{{"Img_LCPIOn"}, {"lbl_LCPIOn", kPairLabelDx, kPairLabelDy}}}},
    {"LEDSwitchOff", 0, 'E', kPlaced, false,
     {{{"Img_LCPIOff"}, {"lbl_LCPIOff", kPairLabelDx, kPairLabelDy}}}},
    // The skins caption the row of the SaveKeyMode places "LED Brightness",
    // "ALL", "HALF" (LED_Light_*), so the brightness pair stands there and the
    // save-key-mode pair takes the LED3Control places (out of sight in the
    // shipped skins; the engineer page keeps it).
    {"LED3Control", 0, 'E', kPlaced, false,
     {{{"Img_SaveKeyMode"}, {"lbl_SaveKeyMode", kPairLabelDx, kPairLabelDy}}}},
    {"LED6Control", 0, 'E', kPlaced, false,
     {{{"Img_NoSaveKeyMode"}, {"lbl_NoSaveKeyMode", kPairLabelDx, kPairLabelDy}}}},
    {"B4CPIOn", 0, 'E', kPlaced, false,
     {{{"Img_B4CPIOn"}, {"lbl_B4CPIOn", kPairLabelDx, kPairLabelDy}}}},
    {"B4CPIOff", 0, 'E', kPlaced, false,
     {{{"Img_B4CPIOff"}, {"lbl_B4CPIOff", kPairLabelDx, kPairLabelDy}}}},
    {"SaveKeyMode", 0, 'E', kPlaced, false,
     {{{"Img_MCULED3Control"}, {"lbl_MCULED3Control", kPairLabelDx, kPairLabelDy}}}},
    {"NoSaveKeyMode", 0, 'E', kPlaced, false,
     {{{"Img_MCULED6Control"}, {"lbl_MCULED6Control", kPairLabelDx, kPairLabelDy}}}},
    {"MCULEDMode#", 7, 'E', kPlaced, false,
     {{{"Img_MCULEDMode#"}, {"lbl_MCULEDMode#", kPairLabelDx, kPairLabelDy}}}},
    {"RBLEDMode#", 7, 'E', kPlaced, false,
     {{{"Img_RBLEDMode#"}, {"lbl_RBLEDMode#", kPairLabelDx, kPairLabelDy}}}},
    // Macro page.
    {"PCMacroName", 0, 'F', kPlaced | kW | kH, false, {{{"LB_PCMacroName"}}}},
    {"MacroContent", 0, 'F', kPlaced | kW, false, {{{"LB_macro"}}}},
    {"BtnNew", 0, 'F', kPlaced, false, {{{"Img_New"}, {"Btn_New"}}}},
    {"BtnStart", 0, 'F', kPlaced, false, {{{"Img_Start"}, {"Btn_Start"}}}},
    {"DelayEdit", 0, 'F', kPlaced, false, {{{"Edt_Delay"}}}},
    {"DelayTime", 0, 'F', kPlaced, false,
     {{{"LED_DelayTime"}, {"IB_DelayTime", kDelayLabelDx}}}},
    {"NoDelay", 0, 'F', kPlaced, false, {{{"LED_NoDelay"}, {"IB_NoDelay", kDelayLabelDx}}}},
    {"RecDelay", 0, 'F', kPlaced, false, {{{"LED_RecDelay"}, {"IB_RecDelay", kDelayLabelDx}}}},
    {"ReleaseStop", 0, 'F', kPlaced, false,
     {{{"Img_ReleaseStop"}, {"IB_ReleaseStop", kDelayLabelDx}}}},
    {"ReleaseContinue", 0, 'F', kPlaced, false,
     {{{"Img_ReleaseContiue"}, {"IB_ReleaseContiue", kDelayLabelDx}}}},
    {"Insert", 0, 'F', kPlaced, false, {{{"Gb_Insert"}}}},
    {"InsertList", 0, 'F', kPlaced, false, {{{"LB_Script"}}}},
    {"InsertAxisEdit", 0, 'F', kPlaced, false,
     {{{"edt_XAxisValue"}, {"lbl_XAxisValue", kEditCaptionDx},
       {"edt_YAxisValue", 0, kEditRowDy}, {"lbl_YAxisValue", kEditCaptionDx, kEditRowDy},
       {"edt_Repeat", 0, 2 * kEditRowDy}, {"lbl_Repeat", kEditCaptionDx, 2 * kEditRowDy}}}},
    {"InsertDelayEdit", 0, 'F', kPlaced, false,
     {{{"Edt_InsertDelay"}, {"lbl_Delay", kDelayCaptionDx}, {"lbl_s_A", kSecondsCaptionDx}}}},
    {"InsertRecDelay", 0, 'F', kPlaced, false,
     {{{"LED_InsertRecDelay"}, {"IB_InsertRecDelay", kDelayLabelDx},
       {"LED_InsertNoDelay", 0, kRadioRowDy}, {"IB_InsertNoDelay", kDelayLabelDx, kRadioRowDy},
       {"LED_InsertDelayTime", 0, 2 * kRadioRowDy},
       {"IB_InsertDelayTime", kDelayLabelDx, 2 * kRadioRowDy}}}},
    {"InsertBtnOK", 0, 'F', kPlaced, false, {{{"Img_OK"}, {"Btn_OK"}}}},
    {"InsertBtnCancel", 0, 'F', kPlaced, false, {{{"Img_Cancel"}, {"Btn_Cancel"}}}},
    {"InsertBtnStart", 0, 'F', kPlaced, false, {{{"Img_InsertStart"}, {"Btn_InsertStart"}}}},
    // Fire macro page.
    {"Fire#", 7, 'J', kPlaced, false, {{{"Img_Fire#"}, {"Btn_Fire#"}}}},
    {"GunMode#", 5, 'J', kPlaced, false, {{{"Img_GunMode#"}}}},
    {"FireCnt#", 3, 'J', kPlaced, false, {{{"Edt_FireCnt#"}}}},
    {"FireTime#", 3, 'J', kPlaced, false, {{{"Edt_FireTime#"}}}},
    {"FireX#", 3, 'J', kPlaced, false, {{{"Edt_FireX#"}}}},
    {"FireY#", 3, 'J', kPlaced, false, {{{"Edt_FireY#"}}}},
    {"FireY#_Offset", 3, 'J', kPlaced, false, {{{"Edt_FireY#Offset"}}}},
    {"FireColor#", 3, 'J', kPlaced, false,
     {{{"Img_FireColor#"}, {"cs_FireColor#", 3, 3}, {"IB_FireColor#"}}}},
    {"RKFS#", 3, 'J', kPlaced, false,
     {{{"Img_FireRKFS#"}, {"lbl_FireRKFS#", kPairLabelDx, kPairLabelDy}}}},
    {"FireConfirm", 0, 'J', kPlaced, false, {{{"Img_FireConfirm"}, {"Btn_FireConfirm"}}}},
    {"FireCancel", 0, 'J', kPlaced, false, {{{"Img_FireExit"}, {"Btn_FireExit"}}}},
});
// clang-format on

// A row of repeated items spaced by `<key>_D`.
struct RowRule {
  std::string_view key;
  char group;
  std::string_view lead;   // control at (X, Y), or empty
  std::string_view item;   // '#' stands for 1..count
  std::string_view label;  // '#' stands for 1..count, or empty
  int count;
  std::string_view picture;  // skin picture whose width the spacing adds to, or empty
  int itemDx;                // first item's left from X
  int itemDy;                // items' top from Y
  int labelDy;               // labels' top from Y
};

// The tick labels under the pointer sliders: label i at X + (i - 1) D + 4, Y + 26.
// The LED bars: picture i at X + (i - 1) (picture width + D), its number 24 lower.
const auto kRowRules = std::to_array<RowRule>({
    {"Spd", 'D', "slider_Spd", "lbl_Spd#", "", 11, "", 4, 26, 0},
    {"DbSpd", 'D', "slider_DbSpd", "lbl_DbSpd#", "", 11, "", 4, 26, 0},
    {"ScrSpd", 'D', "slider_SrcSpd", "lbl_ScrSpd#", "", 11, "", 4, 26, 0},
    {"MCULEDNum", 'E', "", "Img_MCULEDNum_#", "lbl_MCULEDNum_#", 10, "Bar1_D", 0, 0, 24},
    {"MCULEDStep", 'E', "", "Img_MCULEDStep_#", "lbl_MCULEDStep_#", 8, "Bar1_D", 0, 0, 24},
});

// The header buttons: a picture `Img_<name>_N` with a label `Btn_<name>_N` over it.
struct ButtonRule {
  std::string_view key;
  std::string_view name;
  char family;               // 'A' label over the whole picture, 'B' inset by Btn_Space_F/B
  std::string_view picture;  // the idle picture, whose size the label takes
  bool neverShown = false;   // placed only (the engineer button shares the Macro place)
};

const auto kButtonRules = std::to_array<ButtonRule>({
    {"Btn_A1", "Confirm", 'A', "BtnS_01"},
    {"Btn_A2", "Apply", 'A', "BtnS_01"},
    {"Btn_A3", "Confirm1", 'A', "BtnS_01"},
    {"Btn_A4", "Exit", 'A', "ExitS_01"},
    {"Btn_A5", "Confirm2", 'A', "BtnS_01"},
    {"Btn_A6", "Confirm3", 'A', "BtnS_01"},
    {"Btn_A7", "Mini", 'A', "MiniS_01"},
    {"Btn_A8", "Read", 'A', "BtnS_01"},
    {"Btn_B1", "Main", 'B', "SetS_01"},
    {"Btn_B2", "Second", 'B', "SetS_01"},
    {"Btn_B4", "Adv", 'B', "SetS_01"},
    {"Btn_B5", "Breath", 'B', "SetS_01"},
    {"Btn_B6", "Save", 'B', "BtnS_01"},
    {"Btn_B7", "Load", 'B', "BtnS_01"},
    {"Btn_B8", "Lang1", 'B', "SetS_01"},
    {"Btn_B9", "Lang2", 'B', "SetS_01"},
    {"Btn_B10", "Lang3", 'B', "SetS_01"},
    {"Btn_B11", "Macro", 'B', "SetS_01"},
    {"Btn_B11", "Engineer", 'B', "SetS_01", true},
});

// Text labels with their own font size and colour (`<key>_Lable_Size/_R/_G/_B`)
// and, unless a picture places them, their own position and width
// (`<key>_Lable_X/_Y/_Width`). The key names the text, the control is the
// window's label that shows it: an option's text is its click target, which
// lies over the option's picture and so takes its place from that.
enum class LabelPlace : std::uint8_t { kOwn, kByPicture };

struct LabelRule {
  std::string_view key;  // '#' stands for 1..count
  std::array<std::string_view, 2> controls;
  LabelPlace place = LabelPlace::kOwn;
  int count = 0;
};

const auto kLabelRules = std::to_array<LabelRule>({
    {"ComboKey#", {"lbl_ComboKey#"}, LabelPlace::kOwn, 3},
    // Advanced page.
    {"Fire_Key", {"lbl_Fire_Key"}},
    {"Fire_Key_Count", {"lbl_Fire_Key_Count"}},
    {"Fire_Key_Time", {"lbl_Fire_Key_Time"}},
    {"Fire_Key_Continue", {"lbl_Fire_Key_Continue"}},
    {"Mouse_Speed", {"lbl_Mouse_Speed"}},
    {"Mouse_IsControl", {"lbl_Is_Control"}},
    {"Mouse_Double_Click", {"lbl_Double_Click"}},
    {"Mouse_Roller_Speed", {"lbl_Roller_Speed"}},
    {"Mouse_Roll_All_Screen", {"lbl_Roll_All_Screen"}},
    {"DPI_Setting", {"lbl_DPI_Setting"}},
    {"DPI_Note", {"lbl_DPI_Note"}},
    {"DPI", {"lbl_DPI"}},
    // Breathing-light page.
    {"LCPI_Status", {"lbl_LLED_Status"}},
    {"LCPI_On", {"lbl_LCPIOn"}, LabelPlace::kByPicture},
    {"LCPI_Off", {"lbl_LCPIOff"}, LabelPlace::kByPicture},
    {"MCPI_Status", {"lbl_MCPI_Status"}},
    {"MCPI_On", {"lbl_B4CPIOn"}, LabelPlace::kByPicture},
    {"MCPI_Off", {"lbl_B4CPIOff"}, LabelPlace::kByPicture},
    {"LED_Status", {"lbl_LED_Status"}},
    {"LED_On", {"lbl_LEDOn"}, LabelPlace::kByPicture},
    {"LED_Off", {"lbl_LEDOff"}, LabelPlace::kByPicture},
    {"LED_Mode", {"lbl_Led_Mode"}},
    {"LED_Mode_#", {"lbl_MCULEDMode#", "lbl_RBLEDMode#"}, LabelPlace::kByPicture, 7},
    {"LED_Step_#", {"lbl_MCULEDStep_#"}, LabelPlace::kByPicture, 8},
    {"LED_Light_Status", {"lbl_Led_Light"}},
    {"LED_Light_All", {"lbl_MCULED3Control"}, LabelPlace::kByPicture},
    {"LED_Light_Half", {"lbl_MCULED6Control"}, LabelPlace::kByPicture},
    {"LED_Effect_Setting", {"lbl_LED_Effect_Setting"}},
    {"LED_Effect_Fast", {"lbl_LED_Effect_Fast"}},
    {"LED_Effect_Slow", {"lbl_LED_Effect_Slow"}},
    // Macro page.
    {"Marco_List", {"lbl_Marco_List"}},
    {"Marco_Content", {"lbl_Marco_Content"}},
    {"Marco_Delay_Setting", {"lbl_Delay_Setting"}},
    {"Marco_Record_Delay", {"lbl_Record_Delay"}},
    {"Marco_No_Delay", {"lbl_No_Delay"}},
    {"Marco_MS", {"lbl_MS"}},
    {"Marco_Stop_Release", {"lbl_Stop_Release"}},
    {"Marco_Stop_Over", {"lbl_Stop_Over"}},
    // Fire macro page.
    {"Gun_Marco_Fire_Count", {"lbl_Fire_Marco_Count"}},
    {"Gun_Marco_Fire_Y", {"lbl_Fire_Marco_Y"}},
    {"Gun_Marco_Y_Offset", {"lbl_Fire_Marco_Y_Offset"}},
    {"Gun_Marco_Fire_Delay", {"lbl_Fire_Marco_Delay"}},
    {"Gun_Marco_Fire_Color", {"lbl_Fire_Marco_Color"}},
    {"Gun_Marco_Stop_Release", {"lbl_Fire_Marco_Stop_Release"}},
});

// Widths shared by a set of controls.
struct WidthRule {
  std::string_view key;
  std::array<std::string_view, 6> controls;
};

const auto kWidthRules = std::to_array<WidthRule>({
    {"Key_Width", {"Key#"}},
    {"M_L_W", {"Pnl_Main"}},
    {"SP_L_W", {"Pnl_Special"}},
    {"O_L_W", {"Pnl_MseKey", "Pnl_CPIKey", "Pnl_WWW", "Pnl_Media", "Pnl_MyPC", "LB_Name"}},
    {"Combox_Width", {"cbb_DPICount"}},
    {"Edit_PCMarco_Width", {"Pnl_PCMacro"}},
});

constexpr int kMarkerCount = 9;
constexpr int kComboKeyCount = 3;

// Style groups and the colour parts each carries besides its font colour.
struct GroupRule {
  char letter;
  std::array<std::string_view, 6> parts;
};

const auto kGroupRules = std::to_array<GroupRule>({
    {'A', {}},
    {'B', {}},
    {'C', {}},
    {'D', {"Selected", "notSelected", "BG_Slider"}},
    {'E', {"Back", "Border"}},
    {'F', {"Back", "Border", "Font", "LBack", "LBorder", "MACRO"}},
    {'G', {"Back", "Border", "Font", "SF", "SP"}},
    {'J', {"Back", "Border", "Font", "LBack", "LBorder"}},
    {'K', {"AK"}},
    {'L', {"MN"}},
    {'M', {"Back", "Border"}},
});

// Keys the layout only carries for readers elsewhere (the dialogs lay
// themselves out from them) or that spacing rows read without using.
const auto kValueKeys = std::to_array<std::string_view>({
    "ComboKey_D",
    "ComboKey_H",
    "DPI1_Steps_D",
    "DPI2_Steps_D",
    "DPI3_Steps_D",
    "DPI4_Steps_D",
    "DPI5_Steps_D",
    "DPI6_Steps_D",
    "DPI7_Steps_D",
    // Combination-key dialog.
    "AKT_X",
    "AKT_Y",
    "AKC_X",
    "AKC_Y",
    "AKC_W",
    "MK_C_X",
    "MK_C_Y",
    "MK_S_X",
    "MK_S_Y",
    "MK_A_X",
    "MK_A_Y",
    "MK_W_X",
    "MK_W_Y",
    "AK_Cfm_X",
    "AK_Cfm_Y",
    "AK_Clear_X",
    "AK_Clear_Y",
    "AK_Close_X",
    "AK_Close_Y",
    // Macro-name, key-capture and value dialogs.
    "MNT_X",
    "MNT_Y",
    "MNC_X",
    "MNC_Y",
    "MNC_W",
    "MN_Cfm_X",
    "MN_Cfm_Y",
    "MN_Clear_X",
    "MN_Clear_Y",
    "MN_Close_X",
    "MN_Close_Y",
    // LED colour dialog.
    "NorLED_Tte_X",
    "NorLED_Tte_Y",
    "NorLED_Col_X",
    "NorLED_Col_Y",
    "NorLED_Cfm_X",
    "NorLED_Cfm_Y",
    "NorLED_Clear_X",
    "NorLED_Clear_Y",
    "NorLED_Close_X",
    "NorLED_Close_Y",
});

// List boxes whose item height is `MacroNameHeight`.
const auto kMacroLists = std::to_array<std::string_view>(
    {"LB_PCMacroName", "LB_MacroName", "LB_macro", "LB_FireMacroName", "LB_FireMacro"});

constexpr int kColourMin = 0;
constexpr int kColourMax = 255;

std::string WithIndex(std::string_view pattern, int index) {
  std::string text(pattern);
  if (const std::size_t at = text.find('#'); at != std::string::npos) {
    text.replace(at, 1, std::to_string(index));
  }
  return text;
}

std::string Join(std::string_view a, std::string_view b) {
  std::string text(a);
  text.append(b);
  return text;
}

}  // namespace

// Reads one layout section into a SkinLayout; with `listing` set it reads no
// text and instead collects every key it would look up.
class SkinLayoutReader {
 public:
  SkinLayoutReader(const IniFile* ini, std::string_view section,
                   const SkinLayout::PictureSizeLookup* pictureSize, SkinLayout& layout,
                   std::vector<std::string>& problems, std::vector<std::string>* listing)
      : ini_(ini),
        section_(section),
        pictureSize_(pictureSize),
        layout_(layout),
        problems_(problems),
        listing_(listing) {}

  void ReadAll() {
    ReadGroups();
    ReadButtons();
    for (const ItemRule& rule : kItemRules) {
      ReadItemFamily(rule);
    }
    for (const RowRule& rule : kRowRules) {
      ReadRow(rule);
    }
    for (const LabelRule& rule : kLabelRules) {
      for (int index = rule.count == 0 ? 0 : 1; index <= rule.count; ++index) {
        ReadLabel(rule, index);
      }
    }
    for (const WidthRule& rule : kWidthRules) {
      ReadWidth(rule);
    }
    for (const std::string_view key : kValueKeys) {
      Int(key);
    }
    // The profile-switch captions are as high as a row of the choice list.
    if (const std::optional<int> height = Int("ComboKey_H")) {
      for (int index = 1; index <= kComboKeyCount; ++index) {
        At(WithIndex("IB_ComboKey#", index), 'C').height = *height;
      }
    }
    if (const std::optional<int> height = Int("MacroNameHeight")) {
      for (const std::string_view list : kMacroLists) {
        layout_.controls_[std::string(list)].itemHeight = *height;
      }
    }
    ApplyGroupStyles();
  }

 private:
  void Report(std::string_view key, std::string_view problem) {
    std::string line =
        "[" + std::string(section_) + "] " + std::string(key) + ": " + std::string(problem);
    if (std::find(problems_.begin(), problems_.end(), line) == problems_.end()) {
      problems_.push_back(std::move(line));
    }
  }

  // The integer value of `key`; reported and nullopt when missing or not an integer.
  std::optional<int> Int(std::string_view key) {
    if (listing_ != nullptr) {
      if (std::find(listing_->begin(), listing_->end(), key) == listing_->end()) {
        listing_->emplace_back(key);
      }
      return 1;  // "enabled", so the keys behind an _Enable are listed too
    }
    const std::optional<std::string> text = ini_->Value(section_, key);
    if (!text) {
      Report(key, "key is missing; the previous value is kept");
      return std::nullopt;
    }
    const std::optional<int> value = ini_->IntValue(section_, key);
    if (!value) {
      Report(key, "value \"" + *text + "\" is not a decimal integer; the previous value is kept");
      return std::nullopt;
    }
    layout_.values_[std::string(key)] = *value;
    return value;
  }

  std::optional<LayoutColour> Colour(std::string_view prefix) {
    const std::optional<int> red = ColourPart(Join(prefix, "_R"));
    const std::optional<int> green = ColourPart(Join(prefix, "_G"));
    const std::optional<int> blue = ColourPart(Join(prefix, "_B"));
    if (!red || !green || !blue) {
      return std::nullopt;
    }
    return MakeLayoutColour(*red, *green, *blue);
  }

  // A channel outside 0..255 would spill into the next channel; clamp it.
  std::optional<int> ColourPart(const std::string& key) {
    const std::optional<int> value = Int(key);
    if (!value || listing_ != nullptr) {
      return value;
    }
    const int clamped = std::clamp(*value, kColourMin, kColourMax);
    if (clamped != *value) {
      Report(key, "value " + std::to_string(*value) + " is outside 0..255; " +
                      std::to_string(clamped) + " is used");
    }
    return clamped;
  }

  std::optional<PictureSize> SizeOf(std::string_view picture, std::string_view forKey) {
    if (listing_ != nullptr) {
      return PictureSize{1, 1};
    }
    std::optional<PictureSize> size;
    if (pictureSize_ != nullptr && *pictureSize_) {
      size = (*pictureSize_)(picture);
    }
    if (!size) {
      Report(forKey, "the size of picture \"" + std::string(picture) + "\" is unknown");
    }
    return size;
  }

  ControlLayout& At(const std::string& name, char group) {
    ControlLayout& control = layout_.controls_[name];
    if (group != 0) {
      control.group = group;
    }
    return control;
  }

  // Every copy of a control: itself, or its page-group copies _1 to _4.
  static std::vector<std::string> Copies(const std::string& name, bool copies) {
    if (!copies) {
      return {name};
    }
    std::vector<std::string> names;
    for (int copy = 1; copy <= SkinLayout::kCopies; ++copy) {
      names.push_back(name + "_" + std::to_string(copy));
    }
    return names;
  }

  void ReadGroups() {
    for (const GroupRule& rule : kGroupRules) {
      GroupStyle& style = layout_.groups_[rule.letter];
      const std::string letter(1, rule.letter);
      if (const std::optional<int> size = Int("Size_" + letter)) {
        style.fontSize = size;
      }
      if (const std::optional<LayoutColour> colour = Colour("Color_" + letter)) {
        style.colours[""] = *colour;
      }
      for (const std::string_view part : rule.parts) {
        if (part.empty()) {
          continue;
        }
        if (const std::optional<LayoutColour> colour =
                Colour("Color_" + letter + "_" + std::string(part))) {
          style.colours[std::string(part)] = *colour;
        }
      }
    }
  }

  void ReadButtons() {
    const std::optional<int> spaceFront = Int("Btn_Space_F");
    const std::optional<int> spaceBack = Int("Btn_Space_B");
    for (const ButtonRule& rule : kButtonRules) {
      const std::string picture = "Img_" + std::string(rule.name);
      const std::string label = "Btn_" + std::string(rule.name);
      const std::string enableKey = Join(rule.key, "_Enable");
      const std::optional<int> enable = Int(enableKey);
      if (!enable) {
        continue;
      }
      const bool shown = *enable == 1;
      for (int copy = 1; copy <= SkinLayout::kCopies; ++copy) {
        const std::string suffix = "_" + std::to_string(copy);
        At(picture + suffix, 0).visible = shown && !rule.neverShown;
        At(label + suffix, rule.family).visible = shown && !rule.neverShown;
      }
      if (!shown) {
        continue;
      }
      const std::optional<int> x = Int(Join(rule.key, "_X"));
      const std::optional<int> y = Int(Join(rule.key, "_Y"));
      const std::optional<PictureSize> size = SizeOf(rule.picture, enableKey);
      const bool inset = rule.family == 'B';
      for (int copy = 1; copy <= SkinLayout::kCopies; ++copy) {
        const std::string suffix = "_" + std::to_string(copy);
        ControlLayout& image = At(picture + suffix, 0);
        ControlLayout& text = At(label + suffix, rule.family);
        if (x) {
          image.x = *x;
          if (!inset) {
            text.x = *x;
          } else if (spaceFront) {
            text.x = *x + *spaceFront;
          }
        }
        if (y) {
          image.y = *y;
          text.y = *y;
        }
        if (size) {
          image.width = size->width;
          image.height = size->height;
          text.height = size->height;
          if (!inset) {
            text.width = size->width;
          } else if (spaceFront && spaceBack) {
            text.width = std::max(0, size->width - *spaceFront - *spaceBack);
          }
        }
      }
    }
  }

  void ReadItemFamily(const ItemRule& rule) {
    if (rule.count == 0) {
      ReadItem(rule, std::string(rule.key), 0);
      return;
    }
    for (int index = 1; index <= rule.count; ++index) {
      ReadItem(rule, WithIndex(rule.key, index), index);
    }
  }

  void ReadItem(const ItemRule& rule, const std::string& key, int index) {
    std::vector<std::pair<std::string, Placement>> targets;
    for (const Placement& placement : rule.placements) {
      if (placement.control.empty()) {
        continue;
      }
      for (std::string& name : Copies(WithIndex(placement.control, index), rule.copies)) {
        targets.emplace_back(std::move(name), placement);
      }
    }
    if ((rule.keys & kEnable) != 0U) {
      const std::optional<int> enable = Int(key + "_Enable");
      if (!enable) {
        return;  // visibility and place stay as they were
      }
      for (const auto& [name, placement] : targets) {
        At(name, rule.group).visible = *enable == 1;
      }
      if (*enable != 1) {
        return;
      }
    }
    if ((rule.keys & kVisible) != 0U) {
      if (const std::optional<int> visible = Int(key + "_Visible")) {
        for (const auto& [name, placement] : targets) {
          At(name, rule.group).visible = *visible == 1;
        }
      }
    }
    if ((rule.keys & kPosition) != 0U) {
      const std::optional<int> x = Int(key + "_X");
      const std::optional<int> y = Int(key + "_Y");
      for (const auto& [name, placement] : targets) {
        ControlLayout& control = At(name, rule.group);
        if (x) {
          control.x = *x + placement.dx;
        }
        if (y) {
          control.y = *y + placement.dy;
        }
      }
    }
    const std::string& first = targets.front().first;
    if ((rule.keys & kW) != 0U) {
      if (const std::optional<int> width = Int(key + "_W")) {
        At(first, rule.group).width = *width;
      }
    }
    if ((rule.keys & kWidth) != 0U) {
      if (const std::optional<int> width = Int(key + "_Width")) {
        At(first, rule.group).width = *width;
      }
    }
    if ((rule.keys & kH) != 0U) {
      if (const std::optional<int> height = Int(key + "_H")) {
        At(first, rule.group).height = *height;
      }
    }
  }

  void ReadRow(const RowRule& rule) {
    const std::string key(rule.key);
    const std::optional<int> x = Int(key + "_X");
    const std::optional<int> y = Int(key + "_Y");
    const std::optional<int> spacing = Int(key + "_D");
    if (!rule.lead.empty()) {
      ControlLayout& lead = At(std::string(rule.lead), rule.group);
      if (x) {
        lead.x = *x;
      }
      if (y) {
        lead.y = *y;
      }
    }
    if (!x || !y || !spacing) {
      return;  // a row needs all three; its items keep their places
    }
    int step = *spacing;
    if (!rule.picture.empty()) {
      const std::optional<PictureSize> size = SizeOf(rule.picture, key + "_D");
      if (!size) {
        return;
      }
      step += size->width;
    }
    for (int index = 1; index <= rule.count; ++index) {
      const int left = *x + (index - 1) * step + rule.itemDx;
      ControlLayout& item = At(WithIndex(rule.item, index), rule.group);
      item.x = left;
      item.y = *y + rule.itemDy;
      if (!rule.label.empty()) {
        ControlLayout& label = At(WithIndex(rule.label, index), rule.group);
        label.x = left;
        label.y = *y + rule.labelDy;
      }
    }
  }

  void ReadLabel(const LabelRule& rule, int index) {
    const std::string prefix = Join(WithIndex(rule.key, index), "_Lable");
    const bool ownPlace = rule.place == LabelPlace::kOwn;
    const std::optional<int> x = ownPlace ? Int(prefix + "_X") : std::nullopt;
    const std::optional<int> y = ownPlace ? Int(prefix + "_Y") : std::nullopt;
    const std::optional<int> width = ownPlace ? Int(prefix + "_Width") : std::nullopt;
    const std::optional<int> size = Int(prefix + "_Size");
    const std::optional<LayoutColour> colour = Colour(prefix);
    for (const std::string_view control : rule.controls) {
      if (control.empty()) {
        continue;
      }
      ControlLayout& label = At(WithIndex(control, index), 0);
      if (x) {
        label.x = x;
      }
      if (y) {
        label.y = y;
      }
      if (width) {
        label.width = width;
      }
      if (size) {
        label.fontSize = size;
      }
      if (colour) {
        label.fontColour = colour;
      }
    }
  }

  void ReadWidth(const WidthRule& rule) {
    const std::optional<int> width = Int(rule.key);
    if (!width) {
      return;
    }
    for (const std::string_view control : rule.controls) {
      if (control.empty()) {
        continue;
      }
      if (control.find('#') == std::string_view::npos) {
        At(std::string(control), 0).width = *width;
        continue;
      }
      for (int index = 1; index <= kMarkerCount; ++index) {
        At(WithIndex(control, index), 0).width = *width;
      }
    }
  }

  // Controls of a group take its font size and colour; a label with its own
  // `_Lable_` keys (group 0) keeps those.
  void ApplyGroupStyles() {
    for (auto& [name, control] : layout_.controls_) {
      if (control.group == 0) {
        continue;
      }
      const GroupStyle& style = layout_.groups_[control.group];
      if (style.fontSize) {
        control.fontSize = style.fontSize;
      }
      if (const auto colour = style.colours.find(""); colour != style.colours.end()) {
        control.fontColour = colour->second;
      }
    }
  }

  const IniFile* ini_;
  std::string_view section_;
  const SkinLayout::PictureSizeLookup* pictureSize_;
  SkinLayout& layout_;
  std::vector<std::string>& problems_;
  std::vector<std::string>* listing_;
};

void SkinLayout::Read(const IniFile& ini, std::string_view section,
                      const PictureSizeLookup& pictureSize, std::vector<std::string>& problems) {
  if (!ini.HasSection(section)) {
    const std::string line =
        "section [" + std::string(section) + "] is missing; the layout is left as it was";
    if (std::find(problems.begin(), problems.end(), line) == problems.end()) {
      problems.push_back(line);
    }
    return;
  }
  SkinLayoutReader(&ini, section, &pictureSize, *this, problems, nullptr).ReadAll();
}

const ControlLayout* SkinLayout::Control(std::string_view objectName) const {
  const auto found = controls_.find(objectName);
  return found == controls_.end() ? nullptr : &found->second;
}

const GroupStyle* SkinLayout::Group(char letter) const {
  const auto found = groups_.find(letter);
  return found == groups_.end() ? nullptr : &found->second;
}

std::optional<int> SkinLayout::Value(std::string_view key) const {
  const auto found = values_.find(key);
  if (found == values_.end()) {
    return std::nullopt;
  }
  return found->second;
}

std::vector<std::string> SkinLayout::Keys() {
  SkinLayout scratch;
  std::vector<std::string> problems;
  std::vector<std::string> keys;
  SkinLayoutReader(nullptr, "", nullptr, scratch, problems, &keys).ReadAll();
  return keys;
}

std::string SkinLayoutName(int skin) {
  return "org" + std::to_string(skin);
}

void ReadEmbeddedSkinLayout(int skin, const SkinLayout::PictureSizeLookup& pictureSize,
                            SkinLayout& layout, std::vector<std::string>& problems) {
  const std::string name = SkinLayoutName(skin);
  const auto resource = FindResource(name);
  if (!resource) {
    const std::string line =
        "embedded resource \"" + name + "\" is missing; the layout is left as it was";
    if (std::find(problems.begin(), problems.end(), line) == problems.end()) {
      problems.push_back(line);
    }
    return;
  }
  const std::string_view text(reinterpret_cast<const char*>(resource->data()), resource->size());
  layout.Read(IniFile::Parse(text), name, pictureSize, problems);
}

}  // namespace orbic::ui
