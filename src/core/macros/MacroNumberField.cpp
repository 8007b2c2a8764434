#include "macros/MacroNumberField.h"

#include <algorithm>
#include <charconv>

namespace orbic::macros {

namespace {

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of digits with an optional leading "-". Values beyond int are
// held at the ends of long long, which every field clamps anyway.
long long Parse(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  const std::string_view digits = negative ? text.substr(1) : text;
  if (digits.empty()) {
    return 0;
  }
  unsigned long long magnitude = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
  (void)end;
  if (error == std::errc::result_out_of_range || magnitude > 1'000'000'000'000ULL) {
    magnitude = 1'000'000'000'000ULL;
  }
  const auto value = static_cast<long long>(magnitude);
  return negative ? -value : value;
}

}  // namespace

MacroNumberField::MacroNumberField(NumberFieldRules rules, std::string text) : rules_(rules) {
  if (!text.empty()) {
    SetText(text);
  }
}

bool MacroNumberField::SetText(std::string_view text) {
  const bool negative = rules_.allowMinus && !text.empty() && text.front() == '-';
  if (!AllDigits(negative ? text.substr(1) : text)) {
    return false;
  }
  if (rules_.maxChars != 0 && text.size() > rules_.maxChars) {
    return false;
  }
  if (text.empty()) {
    text_ = rules_.emptyBecomesZero ? "0" : "";
    return true;
  }
  if (text == "-") {
    text_ = rules_.negativeBecomesZero ? "0" : "-";
    return true;
  }
  const long long value = Parse(text);
  if (value < 0 && rules_.negativeBecomesZero) {
    text_ = "0";
  } else if (value > rules_.max) {
    text_ = std::to_string(rules_.max);
  } else if (value < rules_.min) {
    text_ = std::to_string(rules_.min);
  } else {
    text_ = std::string(text);
  }
  return true;
}

int MacroNumberField::Value() const {
  const long long value = Parse(text_);
  return static_cast<int>(std::clamp<long long>(value, rules_.min, rules_.max));
}

}  // namespace orbic::macros
