// Any text as an INI file read as the behaviour configuration and as a skin
// layout: an integer value must also be there as text that reads as that
// integer, and reading a layout a second time over itself must change nothing
// and report no new problem (repeated applications report once).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "ui/BehaviourConfig.h"
#include "ui/IniFile.h"
#include "ui/SkinLayout.h"

namespace {

using orbic::fuzz::Fail;

using namespace orbic::ui;

bool SameControl(const ControlLayout& a, const ControlLayout& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height &&
         a.visible == b.visible && a.fontSize == b.fontSize && a.fontColour == b.fontColour &&
         a.itemHeight == b.itemHeight && a.group == b.group;
}

bool SameControls(const SkinLayout& a, const SkinLayout& b) {
  if (a.Controls().size() != b.Controls().size()) {
    return false;
  }
  for (const auto& [name, control] : a.Controls()) {
    const ControlLayout* other = b.Control(name);
    if (other == nullptr || !SameControl(control, *other)) {
      return false;
    }
  }
  return true;
}

// Some pictures have a size, derived from the name so the answer is stable.
std::optional<PictureSize> PictureOf(std::string_view name) {
  if (name.empty() || name.size() % 3 == 0) {
    return std::nullopt;
  }
  return PictureSize{static_cast<int>(name.size() * 7), static_cast<int>(name[0])};
}

// Every key the layout reader looks up; finding them is a whole read.
const std::vector<std::string>& LayoutKeys() {
  static const std::vector<std::string> keys = SkinLayout::Keys();
  return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const IniFile ini = IniFile::Parse(text);
  for (const std::string_view section : {"org", "org1"}) {
    for (const std::string& key : LayoutKeys()) {
      const auto number = ini.IntValue(section, key);
      if (!number) {
        continue;
      }
      const auto value = ini.Value(section, key);
      if (!value || std::stoll(*value) != *number || !ini.HasSection(section)) {
        Fail("an integer value without its text");
      }
    }
  }
  std::vector<std::string> problems;
  (void)ReadBehaviourConfiguration(ini, problems);
  SkinLayout once;
  problems.clear();
  once.Read(ini, "org1", PictureOf, problems);
  const std::size_t firstProblems = problems.size();
  SkinLayout twice = once;
  twice.Read(ini, "org1", PictureOf, problems);
  if (problems.size() != firstProblems) {
    Fail("reading again reported a problem again");
  }
  if (!SameControls(once, twice)) {
    Fail("reading again changed the controls");
  }
  for (const std::string& key : LayoutKeys()) {
    if (once.Value(key) != twice.Value(key)) {
      Fail("reading again changed a value");
    }
  }
  return 0;
}
