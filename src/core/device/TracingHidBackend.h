#pragma once

#include <ostream>

#include "device/HidBackend.h"

namespace orbic::device {

// Passes every call through and prints each feature report as
// "> 04 01 00 ..." (sent) or "< 04 ..." (received).
class TracingHidBackend : public HidBackend {
 public:
  TracingHidBackend(HidBackend& inner, std::ostream& out) : inner_(inner), out_(out) {}

  std::vector<HidInterfaceInfo> Enumerate() override { return inner_.Enumerate(); }
  bool CanOpen(const std::string& path) override { return inner_.CanOpen(path); }
  HidHandle Open(const std::string& path) override { return inner_.Open(path); }
  bool PermissionDenied(const std::string& path) override { return inner_.PermissionDenied(path); }
  void Close(HidHandle handle) override { inner_.Close(handle); }
  bool SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t length) override;
  bool GetFeature(HidHandle handle, std::uint8_t* report, std::size_t length) override;
  bool Gone(HidHandle handle) override { return inner_.Gone(handle); }

 private:
  void Print(char direction, const std::uint8_t* report, std::size_t length);

  HidBackend& inner_;
  std::ostream& out_;
};

}  // namespace orbic::device
