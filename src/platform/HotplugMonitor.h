#pragma once

namespace orbic::platform {

// Tells at once when a HID node comes or goes, so the device timer looks
// without waiting for its next tick.
class HotplugMonitor {
 public:
  virtual ~HotplugMonitor() = default;
  // A descriptor that becomes readable when something happened.
  virtual int Fd() const = 0;
  // Reads every pending notice; true when a node came or went.
  virtual bool TakeEvents() = 0;
};

}  // namespace orbic::platform
