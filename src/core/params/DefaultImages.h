#pragma once

#include <array>

#include "params/ParameterImage.h"

namespace orbic::params {

// The three built-in default images ("ORBIC5xData_Cfg1".."3"), compiled in.
// A resource of the wrong size is a build fault; it yields an all-0xFF image
// (which the section checks then repair) rather than a crash.
std::array<Image, 3> LoadDefaultImages();

}  // namespace orbic::params
