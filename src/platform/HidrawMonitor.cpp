#include "platform/HidrawMonitor.h"

#include <libudev.h>
#include <unistd.h>

#include <cstring>

namespace orbic::platform {
namespace {

// With the udev daemon running, its events come after it set the node's
// permissions, so an open right after the event works; without it (a minimal
// system, the test machine) the kernel's own events are all there is.
const char* EventSource() {
  return ::access("/run/udev/control", F_OK) == 0 ? "udev" : "kernel";
}

}  // namespace

HidrawMonitor::HidrawMonitor() {
  udev_ = udev_new();
  if (udev_ == nullptr) {
    return;
  }
  monitor_ = udev_monitor_new_from_netlink(udev_, EventSource());
  if (monitor_ == nullptr ||
      udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor_) < 0) {
    if (monitor_ != nullptr) {
      udev_monitor_unref(monitor_);
      monitor_ = nullptr;
    }
  }
}

HidrawMonitor::~HidrawMonitor() {
  if (monitor_ != nullptr) {
    udev_monitor_unref(monitor_);
  }
  if (udev_ != nullptr) {
    udev_unref(udev_);
  }
}

int HidrawMonitor::Fd() const {
  return monitor_ != nullptr ? udev_monitor_get_fd(monitor_) : -1;
}

bool HidrawMonitor::TakeEvents() {
  if (monitor_ == nullptr) {
    return false;
  }
  bool changed = false;
  // The monitor's socket is non-blocking: receiving stops when it is drained.
  while (udev_device* device = udev_monitor_receive_device(monitor_)) {
    const char* action = udev_device_get_action(device);
    if (action != nullptr &&
        (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0)) {
      changed = true;
    }
    udev_device_unref(device);
  }
  return changed;
}

}  // namespace orbic::platform
