// Any bytes as an INI text: the behaviour configuration and skin layout
// readers built on it must not crash, whatever keys, values or lines come.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/BehaviourConfig.h"
#include "ui/IniFile.h"
#include "ui/SkinLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const orbic::ui::IniFile ini = orbic::ui::IniFile::Parse(text);
  std::vector<std::string> problems;
  orbic::ui::ReadBehaviourConfiguration(ini, problems);
  orbic::ui::SkinLayout layout;
  layout.Read(
      ini, "org1", [](std::string_view) { return std::optional<orbic::ui::PictureSize>(); },
      problems);
  return 0;
}
