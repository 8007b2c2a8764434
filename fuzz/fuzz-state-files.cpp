// Any bytes as a simulated mouse's or filter driver's state file: loading
// either refuses with a reason and leaves the simulator as it was, or takes
// the file, and then saving and loading again reaches the same file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "FuzzCheck.h"
#include "sim/DriverStateFile.h"
#include "sim/MouseStateFile.h"
#include "sim/SimulatedFilterDriver.h"
#include "sim/SimulatedMouse.h"

namespace {

using orbic::fuzz::Fail;

using namespace orbic::sim;

const std::filesystem::path& Folder() {
  return orbic::fuzz::ScratchFolder("state");
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

template <typename Simulator, typename Load, typename Save>
void Check(const std::string& input, Load load, Save save) {
  const auto path = (Folder() / "input.json").string();
  const auto saved = (Folder() / "saved.json").string();
  const auto again = (Folder() / "again.json").string();
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << input;
  }
  // What a fresh simulator saves, found once: the driver's file is large.
  static const std::string fresh = [&save, &saved] {
    Simulator untouched;
    std::string error;
    if (!save(saved, untouched, error)) {
      Fail("saving a fresh simulator failed:", error);
    }
    return ReadAll(saved);
  }();
  Simulator simulator;
  std::string error;
  if (!load(path, simulator, error)) {
    if (error.empty()) {
      Fail("a refused state file without a reason");
    }
    std::string unchanged;
    if (!save(again, simulator, unchanged) || ReadAll(again) != fresh) {
      Fail("a refused state file changed the simulator:", error);
    }
    return;
  }
  if (!save(saved, simulator, error)) {
    Fail("saving a loaded state failed:", error);
  }
  Simulator reloaded;
  if (!load(saved, reloaded, error)) {
    Fail("a saved state does not load:", error);
  }
  if (!save(again, reloaded, error) || ReadAll(again) != ReadAll(saved)) {
    Fail("a saved state does not load back to the same file");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  Check<SimulatedMouse>(input, LoadMouseState, SaveMouseState);
  Check<SimulatedFilterDriver>(input, LoadDriverState, SaveDriverState);
  return 0;
}
