#pragma once

#include <string>
#include <vector>

// The text form of a macro that the recorder and the editor work on: line 0
// is the header naming the delay mode in force ("00", "01" and a number,
// "10"); every further line is a type digit, a blank and the event:
//   "0 50"                   delay in ms
//   "1 A CODE:8204"          key, modifier or button down ("2 ..." up)
//   "3 FB05" / "4 FBFB"      X movement, positive / negative
//   "5 FA05" / "6 FAFB"      Y movement, positive / negative
//   "7 FD09"                 repeat start, count - 1
//   "8 00FC"                 repeat stop
namespace orbic::macros {

using MacroLines = std::vector<std::string>;

// How delays between recorded events are taken.
enum class DelayMode {
  kRecord,   // "10": measured
  kDefault,  // "01" + ms: a fixed number of milliseconds
  kNone,     // "00": no delay lines
};

}  // namespace orbic::macros
