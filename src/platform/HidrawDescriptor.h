#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbic::platform {

// The sysfs file that holds the report descriptor of a hidraw node: "/dev/hidraw3" gives
// "/sys/class/hidraw/hidraw3/device/report_descriptor". Only the node name is used, and it must
// be "hidraw" followed by digits; anything else gives nullopt, so a crafted path cannot point
// the read elsewhere in sysfs.
std::optional<std::string> SysfsDescriptorPath(std::string_view devicePath);

// The report descriptor of a hidraw node. sysfs is tried first because it needs no access to the
// node itself; the HIDIOCGRDESC ioctl on the node is the fallback. Empty when neither works.
std::vector<std::uint8_t> ReadHidrawDescriptor(const std::string& devicePath);

}  // namespace orbic::platform
