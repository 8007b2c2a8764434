// Any bytes as a HID report descriptor (the kernel hands them over from the
// device): the parser must stay inside the buffer, and the longest length must
// be the largest of the per-collection ones.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> descriptor(data, size);
  const auto lengths = orbic::platform::FeatureReportLengths(descriptor);
  const std::size_t longest = orbic::platform::FeatureReportLength(descriptor);
  const std::size_t expected =
      lengths.empty() ? 0 : *std::max_element(lengths.begin(), lengths.end());
  if (longest != expected) {
    std::abort();
  }
  for (const std::size_t length : lengths) {
    if (length == 1) {  // a report has data bytes besides its id, or none at all
      std::abort();
    }
  }
  return 0;
}
