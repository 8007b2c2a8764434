#include <gtest/gtest.h>

#include "support/SessionRig.h"

namespace orbic::test {
namespace {

constexpr const char* kKeyboard = "/dev/hidraw-sim-keyboard";
constexpr const char* kHeadset = "/dev/hidraw-sim-headset";
const std::string kDeviceLostText =
    "Please Connect the USB Device\r\rPlease check your device is attached to USB port";

device::HidInterfaceInfo Unrelated(const char* path) {
  return {path, 0x046D, 0xC31C, 0x0110, {}};
}

// A machine with a keyboard and a headset besides the mouse.
struct MonitorRig : SessionRig {
  MonitorRig() {
    backend.AddInterface(Unrelated(kKeyboard));
    backend.AddInterface(Unrelated(kHeadset));
  }
  device::DeviceMonitor& monitor = session.Monitor();
};

TEST(DeviceMonitor, AMousePresentAtStartIsOpenedAfterTheSettlingWaitAndRead) {
  MonitorRig rig;

  rig.monitor.DevTimerTimer();

  EXPECT_EQ(rig.backend.Enumerations(), 10 + 1);  // five pairs of counts, then the open
  ASSERT_FALSE(rig.mouse->Transcript().empty());
  // The first packet goes out after 21 waits of 100 ms, each followed by a pump.
  EXPECT_EQ(rig.mouse->Transcript().front().timeMs, 2100u);
  EXPECT_GE(rig.ui.pumps, 21);
  EXPECT_EQ(rig.session.LastOutcome(), app::ConnectionOutcome::kRead);
  EXPECT_FALSE(rig.session.NoDeviceState());
  EXPECT_EQ(rig.monitor.lastInterfaceCount, 3);
  EXPECT_FALSE(rig.monitor.deviceBusy);
}

TEST(DeviceMonitor, AnUnrelatedDeviceWithoutTheMouseAsksForTheMouse) {
  MonitorRig rig;
  rig.backend.Unplug(sim::SimulatedHidBackend::kMousePath);

  rig.monitor.DevTimerTimer();

  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{kDeviceLostText});
  EXPECT_TRUE(rig.session.NoDeviceState());
  EXPECT_EQ(rig.monitor.lastInterfaceCount, 2);
}

TEST(DeviceMonitor, OtherDevicesComingAndGoingLeaveAConnectedMouseAlone) {
  MonitorRig rig;
  rig.monitor.DevTimerTimer();
  ASSERT_EQ(rig.session.LastOutcome(), app::ConnectionOutcome::kRead);
  const device::HidHandle first = rig.session.Channel().Device().handle;
  rig.ui.Clear();
  rig.mouse->ClearTranscript();

  // Unplugging the keyboard lowers the count: the mouse is opened again, quietly.
  rig.backend.Unplug(kKeyboard);
  rig.monitor.DevTimerTimer();
  EXPECT_TRUE(rig.ui.messages.empty());
  EXPECT_NE(rig.session.Channel().Device().handle, first);
  EXPECT_EQ(rig.backend.OpenHandles(), 1);  // the old handle was closed
  EXPECT_EQ(rig.monitor.lastInterfaceCount, 2);

  // Plugging it back raises the count while the mouse is open: nothing happens,
  // and the count is not stored.
  rig.backend.Plug(kKeyboard);
  rig.monitor.DevTimerTimer();
  EXPECT_TRUE(rig.ui.messages.empty());
  EXPECT_EQ(rig.monitor.lastInterfaceCount, 2);
  EXPECT_TRUE(rig.mouse->Transcript().empty());
  EXPECT_FALSE(rig.session.NoDeviceState());
}

TEST(DeviceMonitor, UnpluggingTheMouseReturnsToTheNoDeviceState) {
  MonitorRig rig;
  rig.monitor.DevTimerTimer();
  ASSERT_FALSE(rig.session.NoDeviceState());
  rig.ui.Clear();

  rig.backend.Unplug(sim::SimulatedHidBackend::kMousePath);
  rig.monitor.DevTimerTimer();

  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{kDeviceLostText});
  EXPECT_TRUE(rig.session.NoDeviceState());
  EXPECT_EQ(rig.session.Image().raw, rig.session.DefaultImages()[0]);
  const device::ConnectedDevice& device = rig.session.Channel().Device();
  EXPECT_EQ(device.handle, device::kInvalidHandle);
  EXPECT_EQ(device.vendorId, 0u);
  EXPECT_EQ(device.productId, 0u);
  EXPECT_EQ(rig.backend.OpenHandles(), 0);
  EXPECT_EQ(rig.monitor.lastInterfaceCount, 2);

  // Plugged in again, it is found and read on the next tick.
  rig.backend.Plug(sim::SimulatedHidBackend::kMousePath);
  rig.monitor.DevTimerTimer();
  EXPECT_EQ(rig.session.LastOutcome(), app::ConnectionOutcome::kRead);
  EXPECT_FALSE(rig.session.NoDeviceState());
}

TEST(DeviceMonitor, AnUnstableCountIsIgnoredUntilItSettles) {
  // Each enumeration flips the headset, so no two counts of a pair agree.
  struct FlickeringBackend : sim::SimulatedHidBackend {
    std::vector<device::HidInterfaceInfo> Enumerate() override {
      flicker = !flicker;
      flicker ? Plug(kHeadset) : Unplug(kHeadset);
      return sim::SimulatedHidBackend::Enumerate();
    }
    bool flicker = false;
  };
  FlickeringBackend backend;
  auto mouse = std::make_shared<sim::SimulatedMouse>();
  mouse->firmware.memory = params::LoadDefaultImages()[0];
  backend.AttachMouse(mouse);
  backend.AddInterface(Unrelated(kHeadset));
  sim::VirtualClock clock;
  RecordingUiHost ui;
  app::Session session(backend, clock, ui, {});

  session.Monitor().DevTimerTimer();
  EXPECT_EQ(session.Monitor().lastInterfaceCount, 0);
  EXPECT_TRUE(mouse->Transcript().empty());
  EXPECT_TRUE(ui.messages.empty());
}

TEST(DeviceMonitor, AMouseWithTheWrongVersionOrReportLengthIsNeverOpened) {
  for (int variant = 0; variant < 2; ++variant) {
    MonitorRig rig;
    if (variant == 0) {
      rig.mouse->identity.version = 0x0103;
    } else {
      rig.mouse->identity.featureLength = 65;
    }
    rig.monitor.DevTimerTimer();
    EXPECT_FALSE(rig.session.Channel().IsOpen());
    EXPECT_TRUE(rig.mouse->Transcript().empty());
    EXPECT_EQ(rig.ui.messages, std::vector<std::string>{kDeviceLostText});
  }
}

TEST(DeviceMonitor, ATickArrivingWhileOneIsBusyReturnsAtOnce) {
  MonitorRig rig;
  // The settling wait pumps the event loop, where the next timer tick can land.
  struct ReentrantHost : RecordingUiHost {
    std::function<void()> onPump;
    bool fired = false;
    void PumpEvents() override {
      RecordingUiHost::PumpEvents();
      if (onPump && !fired) {
        fired = true;
        onPump();
      }
    }
  };
  ReentrantHost host;
  app::Session session(rig.backend, rig.clock, host, {});
  int nestedEnumerations = -1;
  host.onPump = [&] {
    const int before = rig.backend.Enumerations();
    session.Monitor().DevTimerTimer();
    nestedEnumerations = rig.backend.Enumerations() - before;
  };

  session.Monitor().DevTimerTimer();

  EXPECT_EQ(nestedEnumerations, 0);
  EXPECT_EQ(session.LastOutcome(), app::ConnectionOutcome::kRead);
}

TEST(DeviceMonitor, TheSecondTableEntryIsTriedWhenSet) {
  MonitorRig rig;
  rig.mouse->identity.vendorId = 0x1234;
  rig.mouse->identity.productId = 0x5678;
  rig.monitor.deviceTable[1] = {0x1234, 0x5678};

  rig.monitor.DevTimerTimer();

  // Entry 1 fails first (device lost), then entry 2 opens after its own wait.
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{kDeviceLostText});
  EXPECT_EQ(rig.mouse->Transcript().front().timeMs, 4200u);
  EXPECT_EQ(rig.session.LastOutcome(), app::ConnectionOutcome::kRead);
  EXPECT_EQ(rig.session.Channel().Device().vendorId, 0x1234u);
}

}  // namespace
}  // namespace orbic::test
