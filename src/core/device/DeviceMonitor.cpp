#include "device/DeviceMonitor.h"

#include "base/Clock.h"
#include "base/UiHost.h"
#include "device/CommandChannel.h"
#include "device/HidDiscovery.h"

namespace orbic::device {

DeviceMonitor::DeviceMonitor(HidBackend& backend, CommandChannel& channel, Clock& clock, UiHost& ui,
                             ConnectionEvents& events)
    : backend_(backend), channel_(channel), clock_(clock), ui_(ui), events_(events) {}

void DeviceMonitor::DevTimerTimer() {
  if (deviceBusy) {
    return;
  }
  deviceBusy = true;

  // Five pairs of counts; the count is the first of the fifth pair.
  int count = 0;
  int stablePairs = 0;
  for (int pair = 0; pair < kCountPairs; ++pair) {
    const int first = CountHidInterfaces(backend_);
    const int second = CountHidInterfaces(backend_);
    if (first == second) {
      ++stablePairs;
    }
    count = first;
  }

  if (count == lastInterfaceCount || stablePairs < kMinimumStablePairs) {
    deviceBusy = false;
    return;
  }

  if (count < lastInterfaceCount) {
    CountWentDown();
    lastInterfaceCount = count;
  } else {
    if (channel_.IsOpen()) {
      deviceBusy = false;
      return;
    }
    OpenFromDeviceTable(true);
    lastInterfaceCount = count;
  }
  lossReported_ = false;
  if (lookAgain_) {
    lastInterfaceCount = 0;
    lookAgain_ = false;
  }
  deviceBusy = false;
}

void DeviceMonitor::MouseVanished() {
  ConnectedDevice& device = channel_.Device();
  if (device.handle != kInvalidHandle) {
    backend_.Close(device.handle);
  }
  device.vendorId = 0;
  device.productId = 0;
  device.handle = kInvalidHandle;
  lossReported_ = true;
  LookAgain();
}

void DeviceMonitor::ReportNotFound(const std::string& deniedPath) {
  if (!deniedPath.empty()) {
    events_.DeviceNotAccessible(deniedPath);
  } else if (!lossReported_) {
    events_.DeviceLost();
  }
}

void DeviceMonitor::CountWentDown() {
  ConnectedDevice& device = channel_.Device();
  std::uint32_t version = device.version;
  if (OpenMouse(backend_, device, device.vendorId, device.productId, version)) {
    return;  // still there: the new handle replaced the old one
  }
  if (!lossReported_) {
    events_.DeviceLost();
  }
  // The interface is gone; its handle is released rather than kept dangling.
  if (device.handle != kInvalidHandle) {
    backend_.Close(device.handle);
  }
  device.vendorId = 0;
  device.productId = 0;
  device.handle = kInvalidHandle;
}

void DeviceMonitor::Settle() {
  for (int step = 0; step < kSettleSteps; ++step) {
    clock_.SleepMs(kSettleStepMs);
    ui_.PumpEvents();
  }
}

bool DeviceMonitor::OpenFromDeviceTable(bool settle) {
  for (const DeviceTableEntry& entry : deviceTable) {
    if (entry.vendorId == 0 || entry.productId == 0) {
      continue;
    }
    if (settle) {
      Settle();
    }
    std::uint32_t version = kExpectedVersion;
    channel_.Device().version = version;
    std::string deniedPath;
    if (OpenMouse(backend_, channel_.Device(), entry.vendorId, entry.productId, version,
                  &deniedPath)) {
      channel_.Device().vendorId = entry.vendorId;
      channel_.Device().productId = entry.productId;
      lossReported_ = false;
      events_.ReadDevInfo();
      return true;
    }
    ReportNotFound(deniedPath);
  }
  return false;
}

}  // namespace orbic::device
