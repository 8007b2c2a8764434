#include "device/HidDiscovery.h"

#include "device/CommandChannel.h"

namespace orbic::device {

int CountHidInterfaces(HidBackend& backend) {
  int count = 0;
  for (const HidInterfaceInfo& info : backend.Enumerate()) {
    if (backend.CanOpen(info.path)) {
      ++count;
    }
  }
  return count;
}

bool MatchesMouse(const HidInterfaceInfo& info, std::uint32_t vendorId, std::uint32_t productId,
                  std::uint32_t version) {
  return info.vendorId == vendorId && info.productId == productId && info.version == version &&
         info.HasFeatureLength(kMouseFeatureLength);
}

bool OpenMouse(HidBackend& backend, ConnectedDevice& device, std::uint32_t vendorId,
               std::uint32_t productId, std::uint32_t& version, std::string* deniedPath) {
  const HidHandle previous = device.handle;
  bool found = false;
  std::string denied;
  for (const HidInterfaceInfo& info : backend.Enumerate()) {
    // The attributes come with the enumeration, so only a matching interface
    // is opened; the rest are never touched.
    if (!MatchesMouse(info, vendorId, productId, version)) {
      continue;
    }
    const HidHandle handle = backend.Open(info.path);
    if (handle == kInvalidHandle) {
      if (backend.PermissionDenied(info.path)) {
        denied = info.path;
      }
      continue;
    }
    if (found && device.handle != handle) {
      backend.Close(device.handle);
    }
    device.handle = handle;
    device.vendorId = info.vendorId;
    device.productId = info.productId;
    device.featureLength = static_cast<std::uint32_t>(kMouseFeatureLength);
    device.version = info.version;
    found = true;
  }
  if (found) {
    // The mouse was still there: the new handle replaces the old one.
    if (previous != kInvalidHandle && previous != device.handle) {
      backend.Close(previous);
    }
    version = device.version;
  } else if (deniedPath != nullptr) {
    *deniedPath = denied;
  }
  return found;
}

}  // namespace orbic::device
