// Any bytes as a macro content of both forms: decoding must not crash, its
// lines must be valid encoder input, and a macro that fits again must decode
// to the same events. Delay lines next to each other may regroup (the decoder
// merges up to five delay pairs into one line), so they are compared by their
// summed time; without such neighbours the lines must match exactly and the
// record must be a fixed point of decode and encode.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "macros/MacroCodec.h"

namespace {

using namespace orbic::macros;

[[noreturn]] void Fail(const char* what, const MacroLines& lines) {
  std::fprintf(stderr, "%s\n", what);
  for (const std::string& line : lines) {
    std::fprintf(stderr, "  %s\n", line.c_str());
  }
  std::abort();
}

bool IsDelay(const std::string& line) {
  return !line.empty() && line[0] == '0';
}

long long DelayMs(const std::string& line) {
  return std::stoll(line.substr(2));
}

// The events without the header, each run of delay lines as one total.
std::vector<std::string> Events(const MacroLines& lines) {
  std::vector<std::string> events;
  long long delay = -1;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (IsDelay(lines[i])) {
      delay = std::max(delay, 0LL) + DelayMs(lines[i]);
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

bool HasNeighbouringDelays(const MacroLines& lines) {
  for (std::size_t i = 2; i < lines.size(); ++i) {
    if (IsDelay(lines[i - 1]) && IsDelay(lines[i])) {
      return true;
    }
  }
  return false;
}

template <typename Content>
void Check(const Content& content, std::size_t maxEvents) {
  const DecodedMacro first = DecodeMacroContent(content);
  if (first.lines.empty()) {
    Fail("no header line", first.lines);
  }
  for (std::size_t i = 1; i < first.lines.size(); ++i) {
    if (IsDelay(first.lines[i]) &&
        (DelayMs(first.lines[i]) % 8 != 0 || DelayMs(first.lines[i]) > kMaxDelayRunMs)) {
      Fail("a delay line the stored pairs cannot give", first.lines);
    }
  }
  std::string error;
  const auto events = MacroEventBytes(first.lines, &error);
  if (!events) {
    Fail(("decoded lines the encoder refuses: " + error).c_str(), first.lines);
  }
  const StopMode stop = first.stopMode.value_or(StopMode::kAfterMacroIsOver);
  Content encoded{};
  const EncodeResult result = EncodeMacroLines(first.lines, stop, encoded);
  if (!result.ok) {
    if (events->size() <= maxEvents) {
      Fail(("an event list that fits was refused: " + result.error).c_str(), first.lines);
    }
    return;
  }
  const DecodedMacro second = DecodeMacroContent(encoded);
  if (Events(second.lines) != Events(first.lines)) {
    Fail("re-encoded macro decodes to other events", first.lines);
  }
  if (second.lines.size() > 1 && second.stopMode != stop) {
    Fail("stop mode lost", first.lines);
  }
  if (HasNeighbouringDelays(first.lines)) {
    return;
  }
  if (second.lines != first.lines) {
    Fail("re-encoded macro decodes to other lines", first.lines);
  }
  Content again{};
  if (!EncodeMacroLines(second.lines, stop, again).ok || again != encoded) {
    Fail("decode and encode are not stable", first.lines);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Content content{};
  std::copy_n(data, std::min(size, content.size()), content.begin());
  Check(content, kMaxEventBytes);
  DriverContent driverContent{};
  std::copy_n(data, std::min(size, driverContent.size()), driverContent.begin());
  Check(driverContent, kMaxDriverEventBytes);
  return 0;
}
