#pragma once

#include <cstdint>
#include <string>

#include "device/HidBackend.h"

namespace orbic::device {

struct ConnectedDevice;

// The number of present HID interfaces that can be opened.
int CountHidInterfaces(HidBackend& backend);

// The feature report length of the mouse's command collection, id byte included.
inline constexpr std::size_t kMouseFeatureLength = 8;

// Whether an interface is the one that carries the mouse's command channel:
// its ids and version, and a top-level collection with eight-byte feature reports.
bool MatchesMouse(const HidInterfaceInfo& info, std::uint32_t vendorId, std::uint32_t productId,
                  std::uint32_t version);

// Opens the interface with the given vendor id, product id and version whose
// feature reports are eight bytes long, and fills `device` with it. A later
// match replaces an earlier one (whose handle is closed). On success the
// interface's version is written back through `version`. When a match exists
// but none could be opened for lack of permission, `deniedPath` (if given)
// names it.
bool OpenMouse(HidBackend& backend, ConnectedDevice& device, std::uint32_t vendorId,
               std::uint32_t productId, std::uint32_t& version, std::string* deniedPath = nullptr);

}  // namespace orbic::device
