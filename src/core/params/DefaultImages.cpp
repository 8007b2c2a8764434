#include "params/DefaultImages.h"

#include <algorithm>
#include <string>

#include "base/Resources.h"

namespace orbic::params {

std::array<Image, 3> LoadDefaultImages() {
  std::array<Image, 3> images;
  for (std::size_t i = 0; i < images.size(); ++i) {
    images[i].fill(0xFF);
    const auto data = FindResource("ORBIC5xData_Cfg" + std::to_string(i + 1));
    if (data && data->size() == kImageSize) {
      std::copy(data->begin(), data->end(), images[i].begin());
    }
  }
  return images;
}

}  // namespace orbic::params
