#include "cli/ImageFile.h"

#include <algorithm>
#include <vector>

#include "base/AtomicFile.h"

namespace orbic::cli {

bool LoadImageFile(const std::string& path, params::Image& image, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!orbic::ReadWholeFile(path, bytes, error)) {
    return false;
  }
  if (bytes.size() != image.size()) {
    error = path + ": an image must be exactly 2048 bytes, this one has " +
            std::to_string(bytes.size());
    return false;
  }
  std::copy(bytes.begin(), bytes.end(), image.begin());
  return true;
}

}  // namespace orbic::cli
