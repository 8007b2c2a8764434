#include "device/HidDiscovery.h"

#include "device/CommandChannel.h"

namespace orbic::device {

namespace {
// Only the mouse's vendor collection has eight-byte feature reports.
constexpr std::size_t kMouseFeatureLength = 8;
}  // namespace

int CountHidInterfaces(HidBackend& backend) {
  int count = 0;
  for (const HidInterfaceInfo& info : backend.Enumerate()) {
    if (backend.CanOpen(info.path)) {
      ++count;
    }
  }
  return count;
}

bool OpenMouse(HidBackend& backend, ConnectedDevice& device, std::uint32_t vendorId,
               std::uint32_t productId, std::uint32_t& version) {
  const HidHandle previous = device.handle;
  bool found = false;
  for (const HidInterfaceInfo& info : backend.Enumerate()) {
    // The attributes come with the enumeration, so only a matching interface
    // is opened; the rest are never touched.
    if (info.featureLength != kMouseFeatureLength || info.vendorId != vendorId ||
        info.productId != productId || info.version != version) {
      continue;
    }
    const HidHandle handle = backend.Open(info.path);
    if (handle == kInvalidHandle) {
      continue;
    }
    if (found && device.handle != handle) {
      backend.Close(device.handle);
    }
    device.handle = handle;
    device.vendorId = info.vendorId;
    device.productId = info.productId;
    device.featureLength = static_cast<std::uint32_t>(info.featureLength);
    device.version = info.version;
    found = true;
  }
  if (found) {
    // The mouse was still there: the new handle replaces the old one.
    if (previous != kInvalidHandle && previous != device.handle) {
      backend.Close(previous);
    }
    version = device.version;
  }
  return found;
}

}  // namespace orbic::device
