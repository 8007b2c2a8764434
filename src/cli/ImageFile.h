#pragma once

#include <string>

#include "params/ParameterImage.h"

namespace orbic::cli {

// A 2048-byte image file; anything shorter or longer is refused with a
// message naming the file and its size.
bool LoadImageFile(const std::string& path, params::Image& image, std::string& error);

}  // namespace orbic::cli
