#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace orbic {
class Clock;
class UiHost;
}  // namespace orbic

namespace orbic::device {
class CommandChannel;
class HidBackend;

struct DeviceTableEntry {
  std::uint32_t vendorId;
  std::uint32_t productId;
};

inline constexpr DeviceTableEntry kMouseIds{0x1BCF, 0x08A0};
inline constexpr std::uint32_t kExpectedVersion = 0x0104;
inline constexpr std::uint32_t kDevTimerIntervalMs = 2500;
// Before each open attempt after the count rose: 21 steps of 100 ms, pumped.
inline constexpr int kSettleSteps = 21;
inline constexpr std::uint32_t kSettleStepMs = 100;
inline constexpr int kCountPairs = 5;
inline constexpr int kMinimumStablePairs = 2;

// What the monitor asks of the connection when the mouse comes and goes.
class ConnectionEvents {
 public:
  virtual ~ConnectionEvents() = default;
  virtual void ReadDevInfo() = 0;
  virtual void DeviceLost() = 0;
  // The mouse is there but its interface at `path` may not be opened by this
  // user: telling them to plug it in would send them the wrong way.
  virtual void DeviceNotAccessible(const std::string& path) = 0;
};

// Hot-plug by counting: each tick counts the openable HID interfaces and
// reacts only when a stable count changed.
class DeviceMonitor {
 public:
  DeviceMonitor(HidBackend& backend, CommandChannel& channel, Clock& clock, UiHost& ui,
                ConnectionEvents& events);

  // The DevTimer handler (every 2500 ms while enabled).
  void DevTimerTimer();
  // Tries every table entry in order; on the first that opens runs the
  // connection start. With `settle` each attempt first waits 2.1 s.
  bool OpenFromDeviceTable(bool settle);
  // The open mouse vanished under an exchange (its handle is dead): the handle
  // is closed and the next tick looks for the mouse again, so a quick unplug
  // and replug between two ticks leaves no dead handle. The loss has been
  // reported, so that look does not report it a second time.
  void MouseVanished();
  // Forgets the counted interfaces, so the next tick opens and reads the
  // mouse again (after a connection read that failed).
  void LookAgain() {
    lastInterfaceCount = 0;
    lookAgain_ = true;
  }

  std::array<DeviceTableEntry, 2> deviceTable{{kMouseIds, {0, 0}}};
  int lastInterfaceCount = 0;
  bool deviceBusy = false;

 private:
  void CountWentDown();
  void Settle();
  void ReportNotFound(const std::string& deniedPath);

  HidBackend& backend_;
  CommandChannel& channel_;
  Clock& clock_;
  UiHost& ui_;
  ConnectionEvents& events_;
  bool lossReported_ = false;
  bool lookAgain_ = false;  // kept over the count the current tick stores
};

}  // namespace orbic::device
