#include "macros/DelayOptions.h"

#include <algorithm>
#include <utility>

namespace orbic::macros {
namespace {

// Header lines of the three modes; a fixed delay appends its milliseconds.
constexpr std::string_view kHeaderRecord = "10";
constexpr std::string_view kHeaderDefault = "01";
constexpr std::string_view kHeaderNone = "00";

int ParseDigits(std::string_view digits) {
  int value = 0;
  for (char c : digits) {
    value = value * 10 + (c - '0');
    if (value > kMaxDelayFieldMs) {
      return kMaxDelayFieldMs + 1;  // only "too large" matters from here on
    }
  }
  return value;
}

}  // namespace

DelayOptions::DelayOptions(DelayFieldRules rules)
    : rules_(std::move(rules)), fieldText_(rules_.initialText) {}

void DelayOptions::Choose(DelayMode mode) {
  if (!locked_) {
    mode_ = mode;
  }
}

int DelayOptions::FieldValue() const {
  return std::min(ParseDigits(fieldText_), kMaxDelayFieldMs);
}

void DelayOptions::FieldChange(std::string_view typed) {
  if (locked_) {
    return;
  }
  std::string digits;
  for (char c : typed) {
    if (c >= '0' && c <= '9' && digits.size() < rules_.maxChars) {
      digits.push_back(c);
    }
  }
  if (ParseDigits(digits) > kMaxDelayFieldMs) {
    digits = std::to_string(kMaxDelayFieldMs);
  }
  fieldText_ = std::move(digits);
}

void DelayOptions::SetFieldValue(int ms) {
  fieldText_ = std::to_string(std::clamp(ms, 0, kMaxDelayFieldMs));
}

std::string DelayOptions::HeaderLine() const {
  switch (mode_) {
    case DelayMode::kRecord:
      return std::string(kHeaderRecord);
    case DelayMode::kDefault:
      // The value, not the raw text, so an empty field still names 0 ms.
      return std::string(kHeaderDefault) + std::to_string(FieldValue());
    case DelayMode::kNone:
      break;
  }
  return std::string(kHeaderNone);
}

}  // namespace orbic::macros
