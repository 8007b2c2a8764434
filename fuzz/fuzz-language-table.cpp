// Any bytes as a language table (UTF-16 LE with its byte-order mark, or
// anything else): reading must not crash and every key read must be found.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "ui/LanguageTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> problems;
  const orbic::ui::LanguageTable table = orbic::ui::LanguageTable::Parse(
      std::span<const std::uint8_t>(data, size), "Language", problems);
  for (const char* key : {"Str020", "Str100", "Str109", "Caption"}) {
    if (table.Has(key) != (table.Find(key) != nullptr)) {
      std::abort();
    }
  }
  return 0;
}
