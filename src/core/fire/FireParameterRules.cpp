#include "fire/FireParameterRules.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace orbic::fire {
namespace {

constexpr std::string_view kTypingMinus = "-";

FieldEdit Corrected(long long value) {
  return {std::to_string(value), static_cast<int>(value)};
}

// A signed byte field: -128..127, a lone "-" left alone while typing.
FieldEdit SignedByteEdit(std::string_view text) {
  if (text == kTypingMinus) {
    return {std::string(text), std::nullopt};
  }
  const auto number = ParseEditNumber(text);
  return Corrected(std::clamp<long long>(number.value_or(0), -128, 127));
}

}  // namespace

std::optional<long long> ParseEditNumber(std::string_view text) {
  if (text.empty()) {
    return std::nullopt;
  }
  long long value = 0;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (error == std::errc::result_out_of_range && stop == end) {
    return text.front() == '-' ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  }
  if (error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return std::clamp<long long>(value, std::numeric_limits<int>::min(),
                               std::numeric_limits<int>::max());
}

FieldEdit ShotCountEdit(std::string_view text) {
  const long long value = ParseEditNumber(text).value_or(0);
  return Corrected(value <= 0 ? 1 : std::min<long long>(value, kMaxShotCount));
}

FieldEdit XStepEdit(std::string_view text) {
  return SignedByteEdit(text);
}

FieldEdit YStepEdit(std::string_view text) {
  return Corrected(std::clamp<long long>(ParseEditNumber(text).value_or(0), 0, 127));
}

FieldEdit IntervalEdit(std::string_view text) {
  return Corrected(std::clamp<long long>(ParseEditNumber(text).value_or(0), 0, kMaxIntervalMs));
}

FieldEdit YOffsetEdit(std::string_view text, int yStep) {
  FieldEdit edit = SignedByteEdit(text);
  if (!edit.value) {
    return edit;
  }
  // The mouse adds the offset to the Y step; the sum must stay a signed byte.
  int offset = *edit.value;
  if (yStep + offset >= 128) {
    offset = 127 - yStep;
  } else if (yStep + offset < -128) {
    offset = -yStep - 128;
  }
  return Corrected(offset);
}

}  // namespace orbic::fire
