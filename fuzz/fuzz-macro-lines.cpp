// Any text as the lines file of `macro encode` (header, then one event a
// line): every line gets an event-list text without crashing, and a macro
// that encodes must decode to lines that encode again to the same events
// (delay runs compared by their total, since the decoder merges delay pairs).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroCodec.h"
#include "macros/MacroLineText.h"

namespace {

using namespace orbic::macros;

[[noreturn]] void Fail(const char* what, const MacroLines& lines) {
  std::fprintf(stderr, "%s\n", what);
  for (const std::string& line : lines) {
    std::fprintf(stderr, "  %s\n", line.c_str());
  }
  std::abort();
}

MacroLines SplitLines(std::string_view text) {
  MacroLines lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(std::move(line));
    if (end == std::string_view::npos) {
      break;
    }
    text.remove_prefix(end + 1);
  }
  return lines;
}

// The events without the header, each run of delay lines as one total.
std::vector<std::string> Events(const MacroLines& lines) {
  std::vector<std::string> events;
  long long delay = -1;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (!lines[i].empty() && lines[i][0] == '0') {
      delay = (delay < 0 ? 0 : delay) + std::stoll(lines[i].substr(2));
      continue;
    }
    if (delay >= 0) {
      events.push_back("0 " + std::to_string(delay));
      delay = -1;
    }
    events.push_back(lines[i]);
  }
  if (delay >= 0) {
    events.push_back("0 " + std::to_string(delay));
  }
  return events;
}

template <typename Content>
void Check(const MacroLines& lines, StopMode stop) {
  Content content{};
  const EncodeResult first = EncodeMacroLines(lines, stop, content);
  if (!first.ok) {
    return;
  }
  const DecodedMacro decoded = DecodeMacroContent(content);
  for (std::size_t i = 1; i < decoded.lines.size(); ++i) {
    const MacroLineText item = EventListText(decoded.lines[i]);
    if (item.icon != LineType(decoded.lines[i]).value_or(-1)) {
      Fail("event icon disagrees with the line type", decoded.lines);
    }
  }
  Content again{};
  if (!EncodeMacroLines(decoded.lines, stop, again).ok) {
    Fail("decoded lines of an encoded macro are refused", decoded.lines);
  }
  const DecodedMacro second = DecodeMacroContent(again);
  if (Events(second.lines) != Events(decoded.lines)) {
    Fail("encoding the decoded lines changed the events", decoded.lines);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const MacroLines lines = SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const std::string& line : lines) {
    (void)EventListText(line);
    (void)KeyNameOfLine(line);
  }
  const StopMode stop = size % 2 == 0 ? StopMode::kAfterMacroIsOver : StopMode::kUntilKeyRelease;
  Check<Content>(lines, stop);
  Check<DriverContent>(lines, stop);
  return 0;
}
