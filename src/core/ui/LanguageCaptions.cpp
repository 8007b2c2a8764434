#include "ui/LanguageCaptions.h"

#include "ui/LanguageTable.h"

namespace orbic::ui {

std::string FunctionListCaption(const LanguageTable& table, std::string_view key) {
  return " " + table.Text(kFunctionMarkerKey) + " " + table.Text(key);
}

std::vector<ControlCaption> LanguageCaptions(const LanguageTable& table) {
  std::vector<ControlCaption> captions;
  captions.reserve(kHeaderCaptions.size() * kHeaderCopies + kProfileSwitchCaptions.size() +
                   kFunctionListCaptions.size());
  for (const CaptionSource& source : kHeaderCaptions) {
    for (int copy = 1; copy <= kHeaderCopies; ++copy) {
      captions.push_back({std::string(source.control) + std::to_string(copy),
                          std::string(source.key), table.Text(source.key)});
    }
  }
  for (const CaptionSource& source : kProfileSwitchCaptions) {
    captions.push_back(
        {std::string(source.control), std::string(source.key), table.Text(source.key)});
  }
  for (const CaptionSource& source : kFunctionListCaptions) {
    captions.push_back({std::string(source.control), std::string(source.key),
                        FunctionListCaption(table, source.key)});
  }
  return captions;
}

std::string RetranslateCaption(std::string_view caption, std::span<const LanguageTable> tables,
                               const LanguageTable& newTable) {
  const std::string key = FindTextKey(caption, tables);
  return key.empty() ? std::string(caption) : newTable.Text(key);
}

}  // namespace orbic::ui
