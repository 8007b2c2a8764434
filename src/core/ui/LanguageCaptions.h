#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orbic::ui {

class LanguageTable;

// A control (by objectName) whose caption is a language-table text.
struct CaptionSource {
  std::string_view control;
  std::string_view key;
};

// The header and page buttons exist once in each of the page groups 1..4; the
// control name here is the family prefix, the copies end in "1".."4".
inline constexpr int kHeaderCopies = 4;
inline constexpr std::array<CaptionSource, 17> kHeaderCaptions = {{
    {"Btn_Confirm_", "Str000"},
    {"Btn_Apply_", "Str001"},
    {"Btn_Read_", "Str017"},
    {"Btn_Confirm1_", "Str002"},
    {"Btn_Confirm2_", "Str015"},
    {"Btn_Confirm3_", "Str016"},
    {"Btn_Main_", "Str004"},
    {"Btn_Second_", "Str005"},
    {"Btn_Adv_", "Str007"},
    {"Btn_Breath_", "Str008"},
    {"Btn_Macro_", "Str014"},
    {"Btn_Engineer_", "Str014"},
    {"Btn_Save_", "Str009"},
    {"Btn_Load_", "Str010"},
    {"Btn_Lang1_", "Str011"},
    {"Btn_Lang2_", "Str012"},
    {"Btn_Lang3_", "Str013"},
}};

// The three profile-switch choices of the gaming-profile page.
inline constexpr std::array<CaptionSource, 3> kProfileSwitchCaptions = {{
    {"IB_ComboKey1", "Str700"},
    {"IB_ComboKey2", "Str701"},
    {"IB_ComboKey3", "Str702"},
}};

// The key function list: category headings and entries. Each caption is a space,
// the marker text (kFunctionMarkerKey), a space and the entry's own text; the
// bare text is the function's display name.
inline constexpr std::string_view kFunctionMarkerKey = "Str200";
inline constexpr std::array<CaptionSource, 43> kFunctionListCaptions = {{
    {"Key_Standard", "Str201"},     {"Key_Special", "Str202"},
    {"Key_Media", "Str203"},        {"Key_WWW", "Str204"},
    {"Key_Assembly", "Str205"},     {"Key_Macro", "Str206"},
    {"Key_MyPC", "Str207"},         {"Key_FireMacro", "Str208"},
    {"Key_TLFireMacro", "Str208"},  {"Key_Left", "Str210"},
    {"Key_Right", "Str211"},        {"Key_Middle", "Str212"},
    {"Key_B4", "Str213"},           {"Key_B5", "Str214"},
    {"Key_Fire", "Str220"},         {"Key_AIMKey", "Str222"},
    {"Key_LEDSwitch", "Str221"},    {"Key_KeyMode", "Str225"},
    {"Key_KeyOff", "Str224"},       {"Key_FnFire", "Str223"},
    {"Key_LEDMode", "Str226"},      {"Key_CPIKey", "Str230"},
    {"Key_CPI", "Str231"},          {"Key_CPII", "Str232"},
    {"Key_CPID", "Str233"},         {"Key_Computer", "Str240"},
    {"Key_Calculator", "Str241"},   {"Key_EMail", "Str242"},
    {"Key_Desktop", "Str243"},      {"Key_PlayPause", "Str250"},
    {"Key_Stop", "Str251"},         {"Key_PreviousTrack", "Str252"},
    {"Key_NextTrack", "Str253"},    {"Key_VolumePlus", "Str254"},
    {"Key_VolumeMinus", "Str255"},  {"Key_Mute", "Str256"},
    {"Key_WWWHome", "Str260"},      {"Key_WWWSearch", "Str261"},
    {"Key_WWWBack", "Str262"},      {"Key_WWWForward", "Str263"},
    {"Key_WWWStop", "Str264"},      {"Key_WWWRefresh", "Str265"},
    {"Key_WWWFavorites", "Str266"},
}};

// The button markers on the mouse picture; their captions name the function of
// each button and are re-translated rather than reassigned.
inline constexpr std::array<std::string_view, 9> kButtonMarkers = {
    "Key1", "Key2", "Key3", "Key4", "Key5", "Key6", "Key7", "Key8", "Key9"};

// A caption ready for a control.
struct ControlCaption {
  std::string control;
  std::string key;
  std::string text;

  bool operator==(const ControlCaption&) const = default;
};

// The caption of a key function list entry: " " + marker + " " + the key's text.
std::string FunctionListCaption(const LanguageTable& table, std::string_view key);

// Every caption above for `table`: each header family expanded to its four
// copies, the profile-switch choices, the key function list.
std::vector<ControlCaption> LanguageCaptions(const LanguageTable& table);

// A button marker's caption after a language change: looked up with FindTextKey
// over `tables`; when found, the text of that key in `newTable`, otherwise the
// caption unchanged.
std::string RetranslateCaption(std::string_view caption, std::span<const LanguageTable> tables,
                               const LanguageTable& newTable);

}  // namespace orbic::ui
