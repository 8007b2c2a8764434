// Any text as the lines of `macro encode`: encoding must not crash, and lines
// it accepts must decode to lines it accepts again (the text form is read
// leniently, so the lines themselves need not come back alike).
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "macros/MacroCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orbic::macros::MacroLines lines;
  std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
  for (std::string line; std::getline(text, line);) {
    lines.push_back(line);
  }
  orbic::macros::Content content{};
  const auto result =
      orbic::macros::EncodeMacroLines(lines, orbic::macros::StopMode::kAfterMacroIsOver, content);
  if (!result.ok) {
    return 0;
  }
  const orbic::macros::DecodedMacro decoded = orbic::macros::DecodeMacroContent(content);
  orbic::macros::Content again{};
  if (!orbic::macros::EncodeMacroLines(decoded.lines, orbic::macros::StopMode::kAfterMacroIsOver,
                                       again)
           .ok) {
    std::abort();
  }
  return 0;
}
