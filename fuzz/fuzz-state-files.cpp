// Any bytes as the simulated mouse's and driver's state files (the demo and
// the command line read them back): loading must not crash, and a state that
// loads must save and load to the same state.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "sim/DriverStateFile.h"
#include "sim/MouseStateFile.h"

namespace {

const std::string& Scratch() {
  static const std::string path = "/tmp/fuzz-state-" + std::to_string(::getpid()) + ".json";
  return path;
}

void WriteScratch(const std::uint8_t* data, std::size_t size) {
  std::ofstream(Scratch(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  WriteScratch(data, size);
  orbic::sim::SimulatedMouse mouse;
  if (orbic::sim::LoadMouseState(Scratch(), mouse, error)) {
    orbic::sim::SimulatedMouse again;
    if (!orbic::sim::SaveMouseState(Scratch(), mouse, error) ||
        !orbic::sim::LoadMouseState(Scratch(), again, error) ||
        again.firmware.memory != mouse.firmware.memory) {
      std::abort();
    }
  }
  WriteScratch(data, size);
  orbic::sim::SimulatedFilterDriver driver;
  orbic::sim::LoadDriverState(Scratch(), driver, error);
  ::unlink(Scratch().c_str());
  return 0;
}
