#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace orbic::perf {

inline constexpr std::size_t kLedModeCount = 7;

// One row of a mode table: the engineer combo item (a term id) and the
// Breathing-page label text (a language key). The image stores index + 1.
struct LedModeTexts {
  int engineerTerm;
  std::string_view pageKey;
};

inline constexpr std::array<LedModeTexts, kLedModeCount> kMcuLedModes = {{
    {40, "Str821"},
    {41, "Str822"},
    {42, "Str823"},
    {43, "Str824"},
    {44, "Str825"},
    {45, "Str826"},
    {46, "Str827"},
}};

inline constexpr std::array<LedModeTexts, kLedModeCount> kRbLedModes = {{
    {50, "Str828"},
    {51, "Str829"},
    {52, "Str830"},
    {53, "Str831"},
    {54, "Str832"},
    {55, "Str833"},
    {56, "Str834"},
}};

// Engineer radio captions by LED type (MCU, RB, Sync, Breath) and the key-mode items.
inline constexpr std::array<int, 4> kLedTypeTerms = {16, 17, 18, 19};
inline constexpr std::array<int, 2> kKeyModeTerms = {88, 89};

// The item that stands for a disabled MCU mode in the current-mode list.
inline constexpr std::string_view kDisabledModeItem = "------";

// Fixed engineer-page text of a term id; empty for ids this page does not use.
std::string_view LightingTermText(int termId);

// Breathing-page text of a language key (language table 1); empty when unknown.
std::string_view LightingPageText(std::string_view languageKey);

// The language key that captions a Breathing-page control; empty for a control
// without a caption of its own.
std::string_view LightingCaptionKey(std::string_view control);

// The term that captions a Breathing-page control the language tables leave
// without a text ("Save", "No Save" of the save-key-mode pair); kNoTerm else.
inline constexpr int kNoTerm = -1;
inline constexpr int kSaveTerm = 62;
inline constexpr int kNoSaveTerm = 63;
int LightingCaptionTerm(std::string_view control);

}  // namespace orbic::perf
