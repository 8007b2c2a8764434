#pragma once

#include <filesystem>
#include <string>

namespace orbic::platform {

// Whether `path` is a character device that the kernel's hidraw driver owns, judged by the
// device number rather than the name, so a renamed node or a symlink is seen for what it is.
// hidapi 0.13's hid_open_path frees its device and then writes to it when the node refuses the
// hidraw ioctls, so nothing else may reach it. `sysfsRoot` is replaceable for tests.
bool IsHidrawNode(const std::string& path, const std::filesystem::path& sysfsRoot = "/sys");

}  // namespace orbic::platform
