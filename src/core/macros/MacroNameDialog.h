#pragma once

#include <string>
#include <string_view>

// The macro name dialog: one field of at most 16 characters. Characters
// count as the name field stores them, in UTF-16 units, so a character
// outside the basic plane takes two.
namespace orbic::macros {

enum class NameDialogPurpose { kCreate, kRename };

class MacroNameDialog {
 public:
  explicit MacroNameDialog(NameDialogPurpose purpose) : purpose_(purpose) {}

  NameDialogPurpose Purpose() const { return purpose_; }

  // The text after the user's edit, cut to the characters that fit (never
  // inside a character). Text that is not UTF-8 or holds a NUL is refused
  // and the previous text stays; returns whether the text was taken whole.
  bool SetText(std::string_view text);
  // "Clear".
  void Clear() { text_.clear(); }
  const std::string& Text() const { return text_; }

 private:
  NameDialogPurpose purpose_;
  std::string text_;
};

}  // namespace orbic::macros
