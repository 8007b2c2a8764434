#include "device/TracingHidBackend.h"

#include "base/HexText.h"

namespace orbic::device {

void TracingHidBackend::Print(char direction, const std::uint8_t* report, std::size_t length) {
  std::string line(1, direction);
  for (std::size_t i = 0; i < length; ++i) {
    line += ' ';
    line += HexByte(report[i]);
  }
  out_ << line << '\n';
}

bool TracingHidBackend::SetFeature(HidHandle handle, const std::uint8_t* report,
                                   std::size_t length) {
  Print('>', report, length);
  return inner_.SetFeature(handle, report, length);
}

bool TracingHidBackend::GetFeature(HidHandle handle, std::uint8_t* report, std::size_t length) {
  const bool ok = inner_.GetFeature(handle, report, length);
  if (ok) {
    Print('<', report, length);
  }
  return ok;
}

}  // namespace orbic::device
