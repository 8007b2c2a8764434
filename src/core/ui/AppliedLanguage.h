#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/LanguageCaptions.h"
#include "ui/MessageStrings.h"

namespace orbic::ui {

class LanguageTable;

// The application title before any table is applied; also kept when a table has
// no title, so the task bar never shows an empty name.
inline constexpr std::string_view kStartupApplicationTitle = "ORBIC40 Gaming Mouse";

using MarkerCaptions = std::array<std::string, kButtonMarkers.size()>;

// Everything a language table sets in the main window, for the window to apply.
struct AppliedLanguage {
  // Font family of the skinned labels and message dialogs; empty keeps the default font.
  std::string languageFont;
  std::string applicationTitle;
  std::vector<ControlCaption> captions;
  MessageStrings messages;
  // The captions of `Key1`..`Key9` in the new language.
  MarkerCaptions markerCaptions;
};

// Applies `table`: font, title, captions, message strings, and the button markers
// re-translated from `currentMarkers` using all `tables` for the reverse lookup.
AppliedLanguage ApplyLanguageTable(const LanguageTable& table,
                                   std::span<const LanguageTable> tables,
                                   const MarkerCaptions& currentMarkers);

}  // namespace orbic::ui
