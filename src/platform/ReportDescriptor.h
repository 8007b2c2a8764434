#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orbic::platform {

// Byte length of the longest feature report a HID report descriptor declares, counted the way
// the Windows HID capabilities count it: the report id byte is always included, so a descriptor
// without report ids still gets one byte for the implicit id 0.
//
// Returns 0 when the descriptor declares no feature report, and also when it is malformed
// (an item running past the end, an unknown Pop, unbalanced collections, a report id of 0 or
// above 255). The HID stacks refuse such descriptors, so the interface can never match a
// device we are looking for; 0 says exactly that without reading past the buffer.
std::size_t FeatureReportLength(std::span<const std::uint8_t> descriptor);

// The same length for each top-level collection in descriptor order (0 for one without a feature
// report). Windows shows every top-level collection as an interface of its own with its own
// capabilities, so a mouse whose command collection shares the hidraw node with a collection of
// longer feature reports is still found. Empty when the descriptor is malformed.
std::vector<std::size_t> FeatureReportLengths(std::span<const std::uint8_t> descriptor);

}  // namespace orbic::platform
