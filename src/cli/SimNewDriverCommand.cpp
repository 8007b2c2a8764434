#include <algorithm>
#include <iostream>

#include "base/AtomicFile.h"
#include "cli/Commands.h"
#include "cli/NumberParsing.h"
#include "params/DefaultImages.h"
#include "sim/DriverStateFile.h"

namespace orbic::cli {

int RunSimNewDriver(const SimNewDriverOptions& options) {
  sim::SimulatedFilterDriver driver;
  // The driver's memory follows the mouse's image layout in its first 2048 bytes.
  const auto defaultImage = params::LoadDefaultImages()[0];
  std::copy(defaultImage.begin(), defaultImage.end(), driver.memory.begin());
  // The image leaves its live-state bytes unused (0xFF); a driver starts at
  // DPI level 0 with the LEDs on.
  std::fill_n(driver.memory.begin() + device::driver::kLiveStateAddress,
              device::driver::kLiveStateLength, 0);

  std::string error;
  if (!options.imagePath.empty()) {
    std::vector<std::uint8_t> image;
    if (!orbic::ReadWholeFile(options.imagePath, image, error)) {
      std::cerr << error << '\n';
      return kExitBadInput;
    }
    if (image.empty() || image.size() > sim::kDriverMemorySize) {
      std::cerr << options.imagePath << ": a driver image must hold 1 to " << sim::kDriverMemorySize
                << " bytes, this one has " << image.size() << '\n';
      return kExitBadInput;
    }
    std::fill(driver.memory.begin(), driver.memory.end(), 0);
    std::copy(image.begin(), image.end(), driver.memory.begin());
  }
  if (!options.id.empty()) {
    const auto id = ParseHex(options.id, 0xFFFF);
    if (!id) {
      std::cerr << "--id: '" << options.id << "' is not a hexadecimal value up to FFFF\n";
      return kExitBadInput;
    }
    driver.id = static_cast<std::uint16_t>(*id);
  }
  driver.failFullLoad = options.failDefault;
  driver.present = !options.absent;

  if (!sim::SaveDriverState(options.statePath, driver, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace orbic::cli
