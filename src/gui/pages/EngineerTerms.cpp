#include "gui/pages/EngineerTerms.h"

#include <algorithm>
#include <iterator>

#include "engineer/EngineerCaptions.h"
#include "gui/pages/PageView.h"

namespace orbic::gui {

namespace {

const engineer::ItemTerms* ItemsOf(std::string_view control) {
  const auto* row = std::find_if(
      std::begin(engineer::kEngineerItemTerms), std::end(engineer::kEngineerItemTerms),
      [control](const engineer::ItemTerms& items) { return items.control == control; });
  return row == std::end(engineer::kEngineerItemTerms) ? nullptr : row;
}

}  // namespace

QString TermText(int id, ui::TermLanguage language) {
  return ToQString(ui::LookupTerm(id, language).value_or(std::string_view{}));
}

QStringList TermItems(std::string_view control, const std::vector<std::string>& modelItems,
                      ui::TermLanguage language) {
  const engineer::ItemTerms* terms = ItemsOf(control);
  QStringList items;
  for (std::size_t index = 0; index < modelItems.size(); ++index) {
    const int term = terms != nullptr ? terms->firstTerm + static_cast<int>(index) : -1;
    const bool isTerm = terms != nullptr && term <= terms->lastTerm &&
                        ui::LookupTerm(term, ui::TermLanguage::kEnglish) == modelItems[index];
    items << (isTerm ? TermText(term, language) : ToQString(modelItems[index]));
  }
  return items;
}

QStringList TermItems(std::string_view control, ui::TermLanguage language) {
  QStringList items;
  if (const engineer::ItemTerms* terms = ItemsOf(control)) {
    for (int term = terms->firstTerm; term <= terms->lastTerm; ++term) {
      items << TermText(term, language);
    }
  }
  return items;
}

}  // namespace orbic::gui
