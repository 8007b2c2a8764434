#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orbic::device {

using HidHandle = std::intptr_t;
// The invalid-handle value (all ones) means that no interface is open.
inline constexpr HidHandle kInvalidHandle = -1;

struct HidInterfaceInfo {
  std::string path;
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t version = 0;  // release number
  // Byte length of the longest feature report, report id byte included,
  // as the Windows capabilities count it; 0 when the interface has none.
  std::size_t featureLength = 0;
};

// The machine's HID interfaces. Real: hidapi (hidraw); tests: the simulated mouse.
class HidBackend {
 public:
  virtual ~HidBackend() = default;
  // Every present HID interface.
  virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
  // Whether the interface could be opened with no access rights (used for counting).
  virtual bool CanOpen(const std::string& path) = 0;
  // Opens the interface for feature reports; kInvalidHandle on failure.
  virtual HidHandle Open(const std::string& path) = 0;
  virtual void Close(HidHandle handle) = 0;
  // Byte 0 of the report is the report id.
  virtual bool SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t length) = 0;
  virtual bool GetFeature(HidHandle handle, std::uint8_t* report, std::size_t length) = 0;
};

}  // namespace orbic::device
