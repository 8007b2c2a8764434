#pragma once

#include <optional>
#include <string>
#include <string_view>

// What one line of a macro's text form shows in the event list, and the
// lines the editor builds from dialog values.
namespace orbic::macros {

// One item of the event list: the text drawn beside the icon, and the icon's
// index in the event image list (the line's type digit; -1 for a line with
// no type digit).
struct MacroLineText {
  std::string text;
  int icon = -1;

  friend bool operator==(const MacroLineText&, const MacroLineText&) = default;
};

// The item for `line`: key name only for key lines, " ms" after a delay,
// "X-Axis  value" / "Y-Axis  value" (signed), "Rep-Start  count",
// "Rep-Stop".
MacroLineText EventListText(std::string_view line);

// The type digit 0 .. 8 of an event line; nothing for anything else.
std::optional<int> LineType(std::string_view line);

// The key name of a key line: the text between the type prefix and the
// trailing " CODE:" with its four digits; empty for a line too short.
std::string KeyNameOfLine(std::string_view line);

// The line of the other edge of the same key or button: "1 B CODE:8205"
// gives "2 B CODE:0205", "2 LeftKey CODE:0021" gives "1 LeftKey CODE:00A1".
// Nothing for a line that is not a well-formed key line.
std::optional<std::string> OtherEdgeLine(std::string_view line);

enum class MovementAxis { kX, kY };

inline constexpr int kMinMovement = -128;
inline constexpr int kMaxMovement = 127;
inline constexpr int kMinRepeatCount = 1;
inline constexpr int kMaxRepeatCount = 256;
// The repeat-count fields take 0 .. 255.
inline constexpr int kMaxRepeatField = 255;
inline constexpr std::string_view kRepeatStopLine = "8 00FC";

std::string DelayLine(int ms);
// "3 FB.."/"4 FB.." for X, "5 FA.."/"6 FA.." for Y; the value is clamped to
// -128 .. 127.
std::string MovementLine(MovementAxis axis, int value);
// "7 FD" and count - 1. The stored operand holds 1 .. 256, so a count of 0
// (which the fields admit) is stored as 1.
std::string RepeatStartLine(int count);

}  // namespace orbic::macros
