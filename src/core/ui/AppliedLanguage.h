#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/LanguageCaptions.h"
#include "ui/LanguageTable.h"
#include "ui/MessageStrings.h"

namespace orbic::ui {

// The application title before any table is applied; also kept when a table has
// no title, so the task bar never shows an empty name.
inline constexpr std::string_view kStartupApplicationTitle = "ORBIC40 Gaming Mouse";

using MarkerCaptions = std::array<std::string, kButtonMarkers.size()>;

// The DPI step texts Str300..Str311, one per step index.
inline constexpr int kFirstDpiStepTextNumber = 300;
using DpiStepTexts = std::array<std::string, 12>;

// Everything a language table sets in the main window, for the window to apply.
struct AppliedLanguage {
  // Font family of the skinned labels and message dialogs; empty keeps the default font.
  std::string languageFont;
  std::string applicationTitle;
  std::vector<ControlCaption> captions;
  MessageStrings messages;
  // The captions of `Key1`..`Key9` in the new language.
  MarkerCaptions markerCaptions;
  // Texts of the DPI step indexes; a step the table lacks has the empty text.
  DpiStepTexts dpiStepTexts;
  // The table itself: the pages take their 400s, 600s and 800s texts from it and
  // the dialogs their 500s texts when they open.
  LanguageTable table;
};

// Applies `table`: font, title, captions, message strings, and the button markers
// re-translated from `currentMarkers` using all `tables` for the reverse lookup.
AppliedLanguage ApplyLanguageTable(const LanguageTable& table,
                                   std::span<const LanguageTable> tables,
                                   const MarkerCaptions& currentMarkers);

}  // namespace orbic::ui
