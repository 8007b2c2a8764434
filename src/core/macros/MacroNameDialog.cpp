#include "macros/MacroNameDialog.h"

#include "macros/MacroRecord.h"

namespace orbic::macros {

namespace {

// Bytes of the UTF-8 sequence that `lead` starts (text already checked).
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) {
    return 1;
  }
  if ((lead & 0xE0) == 0xC0) {
    return 2;
  }
  if ((lead & 0xF0) == 0xE0) {
    return 3;
  }
  return 4;
}

}  // namespace

bool MacroNameDialog::SetText(std::string_view text) {
  if (!Utf16Length(text) || text.find('\0') != std::string_view::npos) {
    return false;
  }
  std::size_t units = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(text[at]));
    const std::size_t characterUnits = length == 4 ? 2 : 1;
    if (units + characterUnits > kMaxNameUnits) {
      break;
    }
    units += characterUnits;
    at += length;
  }
  text_ = std::string(text.substr(0, at));
  return at == text.size();
}

}  // namespace orbic::macros
