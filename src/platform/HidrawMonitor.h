#pragma once

#include "platform/HotplugMonitor.h"

struct udev;
struct udev_monitor;

namespace orbic::platform {

// Tells at once when a hidraw node appears or goes, so the device timer can
// look without waiting for its next tick. The timer's own polling stays: on a
// system without udev this monitor is simply inactive.
class HidrawMonitor : public HotplugMonitor {
 public:
  HidrawMonitor();
  ~HidrawMonitor() override;
  HidrawMonitor(const HidrawMonitor&) = delete;
  HidrawMonitor& operator=(const HidrawMonitor&) = delete;

  bool Active() const { return monitor_ != nullptr; }
  // The descriptor to wait on for readability; -1 when inactive.
  int Fd() const override;
  // Reads every pending event; true when one of them added or removed a node.
  bool TakeEvents() override;

 private:
  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
};

}  // namespace orbic::platform
