// Any bytes as the gun-key list file: loading must take the whole entries the
// file holds, as written, and a list saved by deleting an entry must load back
// to the same bytes.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "FuzzCheck.h"
#include "fire/GunKeyList.h"

namespace {

using orbic::fuzz::Fail;

using namespace orbic::fire;

const std::filesystem::path& Folder() {
  return orbic::fuzz::ScratchFolder("gun");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string folder = Folder().string() + "/";
  {
    std::ofstream file(GunKeyListPath(folder), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  GunKeyList list;
  std::string error;
  if (!list.Load(folder, error)) {
    Fail("a readable file was refused:", error);
  }
  // The file's whole entries in order, empty ones (a gap) left out, the rest empty.
  const auto bytes = list.FileBytes();
  std::vector<std::uint8_t> expected;
  const std::size_t whole = std::min(bytes.size(), size / 3 * 3);
  for (std::size_t at = 0; at < whole; at += 3) {
    if (data[at] != 0 || data[at + 1] != 0 || data[at + 2] != 0) {
      expected.insert(expected.end(), data + at, data + at + 3);
    }
  }
  expected.resize(bytes.size(), 0);
  if (!std::equal(bytes.begin(), bytes.end(), expected.begin(), expected.end())) {
    Fail("loaded entries differ from the file's entries without gaps");
  }
  if (list.Count() < 0 || list.Count() > kGunKeyListSize ||
      list.Names().size() != static_cast<std::size_t>(list.Count())) {
    Fail("count out of range");
  }
  if (list.Count() == 0) {
    return 0;
  }
  if (!list.Delete(1, folder, error)) {
    Fail("deleting an entry failed:", error);
  }
  GunKeyList again;
  if (!again.Load(folder, error) || again.FileBytes() != list.FileBytes()) {
    Fail("the saved list does not load back");
  }
  return 0;
}
