#pragma once

#include <memory>

#include "base/FileServices.h"
#include "device/DriverPort.h"
#include "device/HidBackend.h"
#include "perf/PointerSystem.h"
#include "platform/HotplugMonitor.h"

// This system's own implementation of each seam, so the programs pick none by
// name: hidapi on hidraw, POSIX files and the desktop's pointer settings on
// Linux; SetupApi and hid.dll, Win32 files, the filter driver and
// SystemParametersInfo on Windows.
namespace orbic::platform {

std::unique_ptr<device::HidBackend> NativeHidBackend();
std::unique_ptr<FileServices> NativeFileServices();
// The desktop's pointer settings; on Linux already asked for the desktop's
// current values in the background.
std::unique_ptr<perf::PointerSystem> NativePointerSystem();
// The filter driver's channel; null where no filter driver exists.
std::unique_ptr<device::DriverPort> NativeDriverPort();
// Null where the system gives no such notice (no udev; on Windows the device
// timer's poll alone finds the mouse).
std::unique_ptr<HotplugMonitor> NativeHotplugMonitor();

}  // namespace orbic::platform
