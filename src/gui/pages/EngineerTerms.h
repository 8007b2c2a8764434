#pragma once

#include <QComboBox>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "ui/TermTable.h"

namespace orbic::gui {

// The text of term `id` in `language`; empty for an unknown id.
QString TermText(int id, ui::TermLanguage language);

// The items of the term-captioned drop-down list `control` (the engineer
// page's item table): a model item that is the English text of its term shows
// in `language`, any other (the "------" of a disabled mode) as it is.
QStringList TermItems(std::string_view control, const std::vector<std::string>& modelItems,
                      ui::TermLanguage language);
// All items of `control` from the table, in `language`.
QStringList TermItems(std::string_view control, ui::TermLanguage language);

}  // namespace orbic::gui
