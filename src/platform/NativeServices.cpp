#include "platform/NativeServices.h"

#ifdef _WIN32
#include "platform/WinDriverPort.h"
#include "platform/WinFileServices.h"
#include "platform/WinHidBackend.h"
#include "platform/WinPointerSystem.h"
#else
#include "platform/DesktopPointerSystem.h"
#include "platform/HidapiBackend.h"
#include "platform/HidrawMonitor.h"
#include "platform/PosixFileServices.h"
#endif

namespace orbic::platform {

#ifdef _WIN32

std::unique_ptr<device::HidBackend> NativeHidBackend() {
  return std::make_unique<WinHidBackend>();
}

std::unique_ptr<FileServices> NativeFileServices() {
  return std::make_unique<WinFileServices>();
}

std::unique_ptr<perf::PointerSystem> NativePointerSystem() {
  return std::make_unique<WinPointerSystem>();
}

std::unique_ptr<device::DriverPort> NativeDriverPort() {
  return std::make_unique<WinDriverPort>();
}

std::unique_ptr<HotplugMonitor> NativeHotplugMonitor() {
  return nullptr;
}

#else

std::unique_ptr<device::HidBackend> NativeHidBackend() {
  return std::make_unique<HidapiBackend>();
}

std::unique_ptr<FileServices> NativeFileServices() {
  return std::make_unique<PosixFileServices>();
}

std::unique_ptr<perf::PointerSystem> NativePointerSystem() {
  auto system =
      std::make_unique<DesktopPointerSystem>(DefaultPointerFolder(), CurrentDesktopKind());
  // Asked now, so the values are there when the page first reads them.
  system->Reload();
  return system;
}

std::unique_ptr<device::DriverPort> NativeDriverPort() {
  return nullptr;  // the filter driver exists on Windows only
}

std::unique_ptr<HotplugMonitor> NativeHotplugMonitor() {
  auto monitor = std::make_unique<HidrawMonitor>();
  if (!monitor->Active()) {
    return nullptr;
  }
  return monitor;
}

#endif

}  // namespace orbic::platform
