#pragma once

#include <optional>
#include <string>
#include <string_view>

// A number edit of the macro page and its small dialogs. The field corrects
// itself to its limits as the user types, without a message: text it cannot
// hold is refused and the previous text stays.
namespace orbic::macros {

struct NumberFieldRules {
  int min = 0;
  int max = 0;
  std::size_t maxChars = 0;          // 0: no length limit
  bool allowMinus = false;           // a leading "-"; a lone "-" stays while typing
  bool emptyBecomesZero = false;     // an emptied field shows "0"
  bool negativeBecomesZero = false;  // any negative value shows "0"
};

class MacroNumberField {
 public:
  // A field may start empty whatever its rules; other text passes them.
  explicit MacroNumberField(NumberFieldRules rules, std::string text = {});

  // The text after the user's edit. Returns false (text unchanged) when it
  // holds anything but digits and an allowed leading "-", or is too long.
  bool SetText(std::string_view text);
  // The "Clear" button of the dialogs: empties the field outright.
  void Clear() { text_.clear(); }

  const std::string& Text() const { return text_; }
  // The number shown; 0 for an empty field or a lone "-".
  int Value() const;
  const NumberFieldRules& Rules() const { return rules_; }

 private:
  NumberFieldRules rules_;
  std::string text_;
};

}  // namespace orbic::macros
