// Any text as the output of `gsettings list-recursively` for the mouse
// schema: the listing parser keeps only whole, trimmed values under keys
// without blanks, and the pointer settings laid over from it stay in the
// ranges the pointer page takes (speed 1..20, a positive double-click time).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "FuzzCheck.h"
#include "perf/PointerSystem.h"
#include "platform/DesktopPointerSystem.h"

namespace {

using orbic::fuzz::Fail;

using namespace orbic;

constexpr std::string_view kSchema = "org.gnome.desktop.peripherals.mouse";

const std::filesystem::path& Folder() {
  return orbic::fuzz::ScratchFolder("pointer");
}

bool Blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::optional<int> IntValue(platform::DesktopPointerSystem& system, std::string_view name) {
  const auto text = system.ReadValue(perf::kMouseKey, name);
  if (!text) {
    return std::nullopt;
  }
  return std::stoi(*text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string listing(reinterpret_cast<const char*>(data), size);
  for (const auto& [key, value] : platform::ParseSettingsListing(listing, kSchema)) {
    if (key.find_first_of(" \n") != std::string::npos || value.find('\n') != std::string::npos) {
      Fail("a setting runs over its line:", key);
    }
    if (!value.empty() && (Blank(value.front()) || Blank(value.back()))) {
      Fail("a value is not trimmed:", value);
    }
  }
  // The desktop answers the listing with the input and refuses every change.
  std::filesystem::remove_all(Folder());
  platform::DesktopPointerSystem system(
      Folder(), platform::DesktopKind::kGnome,
      [&listing](const std::vector<std::string>& argv) {
        return argv.size() == 3 && argv[1] == "list-recursively"
                   ? std::optional<std::string>(listing)
                   : std::nullopt;
      },
      platform::DesktopPointerSystem::Execution::kInline);
  const auto speed = IntValue(system, perf::kMouseSensitivityValue);
  if (!speed || *speed < 1 || *speed > 20) {
    Fail("pointer speed out of range");
  }
  const auto doubleClick = IntValue(system, perf::kDoubleClickSpeedValue);
  if (!doubleClick || *doubleClick <= 0) {
    Fail("double-click time out of range");
  }
  return 0;
}
