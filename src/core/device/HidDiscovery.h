#pragma once

#include <cstdint>

#include "device/HidBackend.h"

namespace orbic::device {

struct ConnectedDevice;

// The number of present HID interfaces that can be opened.
int CountHidInterfaces(HidBackend& backend);

// Opens the interface with the given vendor id, product id and version whose
// feature reports are eight bytes long, and fills `device` with it. A later
// match replaces an earlier one (whose handle is closed). On success the
// interface's version is written back through `version`.
bool OpenMouse(HidBackend& backend, ConnectedDevice& device, std::uint32_t vendorId,
               std::uint32_t productId, std::uint32_t& version);

}  // namespace orbic::device
