#include "perf/LightingTexts.h"

#include <algorithm>

namespace orbic::perf {
namespace {

struct TermText {
  int id;
  std::string_view text;
};

// English column of the term table, the rows this page shows.
constexpr std::array<TermText, 22> kTermTexts = {{
    {16, "MCU LED"},
    {17, "RB LED"},
    {18, "Sync LED"},
    {19, "Breath LED"},
    {40, "Mode 1"},
    {41, "Mode 2"},
    {42, "Mode 3"},
    {43, "Mode 4"},
    {44, "Mode 5"},
    {45, "Mode 6"},
    {46, "Mode 7"},
    {50, "Colors Breath Fast"},
    {51, "Colors Breath Middle"},
    {52, "Colors Breath Slow"},
    {53, "CPI Breath Fast"},
    {54, "CPI Breath Middle"},
    {55, "CPI Breath Slow"},
    {56, "OFF"},
    {62, "Save"},
    {63, "No Save"},
    {88, "Key Mode1"},
    {89, "Key Mode2"},
}};

struct KeyedText {
  std::string_view key;
  std::string_view text;
};

// Language table 1 texts of the Breathing Light page.
constexpr std::array<KeyedText, 26> kPageTexts = {{
    {"Str812", "LED Status"},
    {"Str813", "ON"},
    {"Str814", "OFF"},
    {"Str815", "LED Mode Switch Enable（L+DPI)"},
    {"Str816", "LED ON/OFF Enable(M+DPI)"},
    {"Str817", "LED Brightness"},
    {"Str818", "ALL"},
    {"Str819", "HALF"},
    {"Str820", "LED Mode"},
    {"Str821", "Breathing"},
    {"Str822", "Multicolor"},
    {"Str823", "Neon"},
    {"Str824", "Floe Light"},
    {"Str825", "Waltz"},
    {"Str826", "Four Seasons"},
    {"Str827", "Disable"},
    {"Str828", "Random Color 1"},
    {"Str829", "Random Color 2"},
    {"Str830", "Random Color 3"},
    {"Str831", "DPI Color 1"},
    {"Str832", "DPI Color 2"},
    {"Str833", "DPI Color 3"},
    {"Str834", "Off"},
    {"Str856", "Breathing Speed"},
    {"Str857", "Slow"},
    {"Str858", "Fast"},
}};

struct CaptionKey {
  std::string_view control;
  std::string_view key;
};

// "ALL"/"HALF" name the two brightness choices, so they caption the
// brightness pair; the save-key-mode pair is captioned from the term table.
constexpr std::array<CaptionKey, 28> kCaptionKeys = {{
    {"lbl_LED_Status", "Str812"},     {"lbl_LEDOn", "Str813"},
    {"lbl_LEDOff", "Str814"},         {"lbl_LLED_Status", "Str815"},
    {"lbl_LCPIOn", "Str813"},         {"lbl_LCPIOff", "Str814"},
    {"lbl_MCPI_Status", "Str816"},    {"lbl_B4CPIOn", "Str813"},
    {"lbl_B4CPIOff", "Str814"},       {"lbl_Led_Light", "Str817"},
    {"lbl_MCULED3Control", "Str818"}, {"lbl_MCULED6Control", "Str819"},
    {"lbl_Led_Mode", "Str820"},       {"lbl_MCULEDMode1", "Str821"},
    {"lbl_MCULEDMode2", "Str822"},    {"lbl_MCULEDMode3", "Str823"},
    {"lbl_MCULEDMode4", "Str824"},    {"lbl_MCULEDMode5", "Str825"},
    {"lbl_MCULEDMode6", "Str826"},    {"lbl_MCULEDMode7", "Str827"},
    {"lbl_RBLEDMode1", "Str828"},     {"lbl_RBLEDMode2", "Str829"},
    {"lbl_RBLEDMode3", "Str830"},     {"lbl_RBLEDMode4", "Str831"},
    {"lbl_RBLEDMode5", "Str832"},     {"lbl_RBLEDMode6", "Str833"},
    {"lbl_RBLEDMode7", "Str834"},     {"lbl_LED_Effect_Setting", "Str856"},
}};

}  // namespace

std::string_view LightingTermText(int termId) {
  const auto* row = std::find_if(kTermTexts.begin(), kTermTexts.end(),
                                 [termId](const TermText& t) { return t.id == termId; });
  return row == kTermTexts.end() ? std::string_view{} : row->text;
}

std::string_view LightingPageText(std::string_view languageKey) {
  const auto* row =
      std::find_if(kPageTexts.begin(), kPageTexts.end(),
                   [languageKey](const KeyedText& t) { return t.key == languageKey; });
  return row == kPageTexts.end() ? std::string_view{} : row->text;
}

int LightingCaptionTerm(std::string_view control) {
  if (control == "lbl_SaveKeyMode") {
    return kSaveTerm;
  }
  return control == "lbl_NoSaveKeyMode" ? kNoSaveTerm : kNoTerm;
}

std::string_view LightingCaptionKey(std::string_view control) {
  const auto* row = std::find_if(kCaptionKeys.begin(), kCaptionKeys.end(),
                                 [control](const CaptionKey& c) { return c.control == control; });
  return row == kCaptionKeys.end() ? std::string_view{} : row->key;
}

}  // namespace orbic::perf
