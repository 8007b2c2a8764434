#include "engineer/EngineerFieldRules.h"

#include <algorithm>

namespace orbic::engineer {
namespace {

constexpr std::string_view kTypingMinus = "-";

fire::FieldEdit Clamped(std::string_view text, long long empty, long long low, long long high) {
  const long long value = std::clamp(fire::ParseEditNumber(text).value_or(empty), low, high);
  return {std::to_string(value), static_cast<int>(value)};
}

}  // namespace

fire::FieldEdit IdentificationCodeEdit(std::string_view text) {
  return Clamped(text, kGenericCode, 0, 255);
}

fire::FieldEdit FireColourEdit(std::string_view text) {
  return Clamped(text, 0, 0, 255);
}

fire::FieldEdit YOffsetEdit(std::string_view text) {
  if (text == kTypingMinus) {
    return {std::string(text), std::nullopt};
  }
  return Clamped(text, 0, -128, 127);
}

}  // namespace orbic::engineer
