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
  // Byte length of the longest feature report of each top-level collection,
  // report id byte included, as the Windows capabilities count it (Windows
  // shows every top-level collection as an interface of its own); 0 for a
  // collection without one.
  std::vector<std::size_t> featureLengths;

  bool HasFeatureLength(std::size_t length) const {
    for (const std::size_t each : featureLengths) {
      if (each == length) {
        return true;
      }
    }
    return false;
  }
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
  // Asked after Open failed: whether it failed for lack of permission, so the
  // user can be told how to grant access instead of to plug the mouse in.
  virtual bool PermissionDenied(const std::string& path) {
    (void)path;
    return false;
  }
  virtual void Close(HidHandle handle) = 0;
  // Byte 0 of the report is the report id.
  virtual bool SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t length) = 0;
  virtual bool GetFeature(HidHandle handle, std::uint8_t* report, std::size_t length) = 0;
  // Asked after SetFeature or GetFeature failed: whether the device behind the
  // handle is gone (unplugged), so no retry can reach it any more.
  virtual bool Gone(HidHandle handle) {
    (void)handle;
    return false;
  }
};

}  // namespace orbic::device
