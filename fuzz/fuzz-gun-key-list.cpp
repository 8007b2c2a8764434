// Any bytes as the engineer's gun-key list file: loading must not crash, and
// a list that loads must save and load to the same entries.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fire/GunKeyList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string folder = [] {
    const std::string path = "/tmp/fuzz-gunkeys-" + std::to_string(::getpid()) + "/";
    std::filesystem::create_directories(path);
    return path;
  }();
  std::ofstream(orbic::fire::GunKeyListPath(folder), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  orbic::fire::GunKeyList list;
  std::string error;
  if (list.Load(folder, error)) {
    const auto bytes = list.FileBytes();
    std::ofstream(orbic::fire::GunKeyListPath(folder), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    orbic::fire::GunKeyList again;
    if (!again.Load(folder, error) || again.FileBytes() != bytes) {
      std::abort();
    }
  }
  return 0;
}
