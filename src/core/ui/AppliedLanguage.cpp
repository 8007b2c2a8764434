#include "ui/AppliedLanguage.h"

namespace orbic::ui {

AppliedLanguage ApplyLanguageTable(const LanguageTable& table,
                                   std::span<const LanguageTable> tables,
                                   const MarkerCaptions& currentMarkers) {
  AppliedLanguage applied;
  applied.languageFont = table.FontName();
  applied.applicationTitle = table.Title();
  if (applied.applicationTitle.empty()) {
    applied.applicationTitle = kStartupApplicationTitle;
  }
  applied.captions = LanguageCaptions(table);
  applied.messages = MessageStringsFrom(table);
  for (std::size_t i = 0; i < currentMarkers.size(); ++i) {
    applied.markerCaptions[i] = RetranslateCaption(currentMarkers[i], tables, table);
  }
  for (std::size_t step = 0; step < applied.dpiStepTexts.size(); ++step) {
    applied.dpiStepTexts[step] =
        table.Text(TextKey(kFirstDpiStepTextNumber + static_cast<int>(step)));
  }
  applied.table = table;
  return applied;
}

}  // namespace orbic::ui
