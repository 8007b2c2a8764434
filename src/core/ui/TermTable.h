#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace orbic::ui {

// The column of the term table the engineer page shows.
enum class TermLanguage : std::uint8_t {
  kEnglish = 0,
  kTraditionalChinese = 1,  // a column kept in the table but empty and never chosen
  kSimplifiedChinese = 2,
};

// One fixed text of the engineer page in its three columns (UTF-8).
struct TermRow {
  std::uint8_t id;
  std::string_view english;
  std::string_view traditionalChinese;
  std::string_view simplifiedChinese;

  std::string_view Text(TermLanguage language) const;
};

inline constexpr std::size_t kTermCount = 139;

// The rows in stored order: by id, except that ids 35 and 36 follow id 56.
std::span<const TermRow, kTermCount> TermTable();

// The text of the first stored row with `id` in the column of `language`;
// nullopt when no row has that id (the caller then leaves its text unchanged).
std::optional<std::string_view> LookupTerm(int id, TermLanguage language);

// The fixed-text language for a locale name such as "zh_CN", "zh-CN",
// "zh_CN.UTF-8" or "zh_Hans_CN": Simplified Chinese for mainland-China Chinese
// (the Windows locale 2052), English for every other locale.
TermLanguage FixedTextLanguage(std::string_view localeName);

// Font family of the engineer page for a fixed-text language.
std::string_view FixedTextFont(TermLanguage language);

// Engineer-page controls captioned straight from a term: the page buttons and
// the two tabs. The other terms belong to the engineer page's own controls.
struct TermCaption {
  int termId;
  std::string_view control;
};
inline constexpr std::array<TermCaption, 15> kTermCaptions = {{
    {0, "Btn_Main_6"},
    {1, "Btn_Switch_6"},
    {2, "Btn_Adv_6"},
    {3, "Btn_Breath_6"},
    {4, "Btn_Macro_6"},
    {5, "Btn_Engineer_6"},
    {6, "Btn_Load_6"},
    {7, "Btn_Save_6"},
    {8, "btn_TestKeys"},
    {9, "Btn_Default"},
    {10, "btn_Write"},
    {11, "Btn_ImportBaseMacro"},
    {12, "Btn_ImportGunMacro"},
    {13, "ts_Operator"},
    {14, "ts_Engineer"},
}};

}  // namespace orbic::ui
