#pragma once

#include <optional>
#include <string>
#include <string_view>

// How the parameter edits of the fire page correct what is typed into them.
namespace orbic::fire {

// What an edit shows after its correction, and the value to store; no value
// while the text is a lone "-" being typed.
struct FieldEdit {
  std::string text;
  std::optional<int> value;
};

inline constexpr int kMaxShotCount = 256;
inline constexpr int kMaxIntervalMs = 2040;

// Text that is no number counts as empty; numbers too large for int are cut.
FieldEdit ShotCountEdit(std::string_view text);  // 1..256, empty or <= 0 -> 1
FieldEdit XStepEdit(std::string_view text);      // -128..127, empty -> 0
FieldEdit YStepEdit(std::string_view text);      // 0..127, empty or negative -> 0
FieldEdit IntervalEdit(std::string_view text);   // 0..2040 ms, empty -> 0
// -128..127 and, with the column's Y step, Y + offset within -128..127.
FieldEdit YOffsetEdit(std::string_view text, int yStep);

// The number a text holds, or nothing for empty or non-numeric text.
std::optional<long long> ParseEditNumber(std::string_view text);

}  // namespace orbic::fire
