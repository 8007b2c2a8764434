// Any bytes as a HID report descriptor from the kernel: the length must be
// found without reading past the buffer (the buffer is an exact-size copy, so
// ASan sees any overread), and it must not depend on what lies after the
// descriptor.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> exact(data, data + size);
  const std::size_t length = orbic::platform::FeatureReportLength(exact);
  std::vector<std::uint8_t> padded(exact);
  padded.resize(size + 8, 0xFF);
  const std::span<const std::uint8_t> prefix(padded.data(), size);
  if (orbic::platform::FeatureReportLength(prefix) != length) {
    std::fprintf(stderr, "length depends on bytes past the descriptor\n");
    std::abort();
  }
  return 0;
}
