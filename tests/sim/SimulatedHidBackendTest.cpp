// The simulated machine's HID interfaces: the mouse and unrelated devices come
// and go, and a handle does not outlive the device it was opened on.
#include "sim/SimulatedHidBackend.h"

#include <gmock/gmock.h>

namespace orbic::sim {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;
using Packet = std::array<std::uint8_t, 8>;

constexpr const char* kKeyboard = "/dev/hidraw-keyboard";
constexpr const char* kLocked = "/dev/hidraw-locked";
constexpr const char* kMouse = SimulatedHidBackend::kMousePath;

class BackendTest : public ::testing::Test {
 protected:
  BackendTest() : mouse(std::make_shared<SimulatedMouse>()) {
    backend.AddInterface({kKeyboard, 0x046D, 0xC31C, 0x0110, {}});
    backend.AttachMouse(mouse);
    backend.AddInterface({kLocked, 0x1234, 0x0001, 0x0100, {2}}, false);
  }

  std::vector<std::string> Paths() {
    std::vector<std::string> paths;
    for (const auto& info : backend.Enumerate()) {
      paths.push_back(info.path);
    }
    return paths;
  }
  // Command 1 through the backend: true when the mouse answered it.
  bool Answers(device::HidHandle handle) {
    const Packet request{4, 1, 0, 0, 0, 0, 0, 0};
    Packet reply{};
    return backend.SetFeature(handle, request.data(), request.size()) &&
           backend.GetFeature(handle, reply.data(), reply.size()) && reply[7] == 0xCC &&
           reply[1] == 0xA5;
  }

  std::shared_ptr<SimulatedMouse> mouse;
  SimulatedHidBackend backend;
};

TEST_F(BackendTest, EnumeratesTheMouseWithItsCurrentIdentity) {
  auto interfaces = backend.Enumerate();
  ASSERT_EQ(interfaces.size(), 3u);
  EXPECT_EQ(interfaces[1].path, kMouse);
  EXPECT_EQ(interfaces[1].vendorId, 0x1BCF);
  EXPECT_EQ(interfaces[1].productId, 0x08A0);
  EXPECT_EQ(interfaces[1].version, 0x0104);
  EXPECT_EQ(interfaces[1].featureLengths, std::vector<std::size_t>{8});
  EXPECT_EQ(interfaces[0].vendorId, 0x046D);
  EXPECT_EQ(interfaces[2].featureLengths, std::vector<std::size_t>{2});

  // The identity is read at each enumeration, so a test may change it live.
  mouse->identity.version = 0x0105;
  mouse->identity.featureLength = 9;
  interfaces = backend.Enumerate();
  EXPECT_EQ(interfaces[1].version, 0x0105);
  EXPECT_EQ(interfaces[1].featureLengths, std::vector<std::size_t>{9});
  EXPECT_EQ(backend.Enumerations(), 2);
}

TEST_F(BackendTest, PlugAndUnplugChangeWhatIsPresentAndOpenable) {
  EXPECT_TRUE(backend.CanOpen(kKeyboard));
  EXPECT_TRUE(backend.CanOpen(kMouse));
  // Listed but not openable, as a device held exclusively elsewhere.
  EXPECT_FALSE(backend.CanOpen(kLocked));
  EXPECT_EQ(backend.Open(kLocked), device::kInvalidHandle);
  EXPECT_FALSE(backend.CanOpen("/dev/hidraw-none"));
  EXPECT_EQ(backend.Open("/dev/hidraw-none"), device::kInvalidHandle);

  backend.Unplug(kKeyboard);
  backend.Unplug(kMouse);
  EXPECT_THAT(Paths(), ElementsAre(kLocked));
  EXPECT_FALSE(backend.CanOpen(kKeyboard));
  EXPECT_FALSE(backend.CanOpen(kMouse));
  EXPECT_EQ(backend.Open(kMouse), device::kInvalidHandle);
  EXPECT_TRUE(mouse->unplugged);

  backend.Plug(kMouse);
  EXPECT_FALSE(mouse->unplugged);
  EXPECT_THAT(Paths(), ElementsAre(kMouse, kLocked));
  backend.Plug(kKeyboard);
  EXPECT_THAT(Paths(), ElementsAre(kKeyboard, kMouse, kLocked));

  // Unknown paths are ignored.
  backend.Unplug("/dev/hidraw-none");
  backend.Plug("/dev/hidraw-none");
  EXPECT_EQ(Paths().size(), 3u);
}

TEST_F(BackendTest, MouseThatVanishesOnItsOwnIsNotListed) {
  mouse->faults.unplugAfterPackets = 1;
  const device::HidHandle handle = backend.Open(kMouse);
  EXPECT_FALSE(Answers(handle));
  EXPECT_THAT(Paths(), ElementsAre(kKeyboard, kLocked));
  EXPECT_FALSE(backend.CanOpen(kMouse));
}

TEST_F(BackendTest, OnlyTheMouseAnswersFeatureReports) {
  const device::HidHandle keyboard = backend.Open(kKeyboard);
  const device::HidHandle handle = backend.Open(kMouse);
  ASSERT_NE(keyboard, device::kInvalidHandle);
  ASSERT_NE(handle, device::kInvalidHandle);
  EXPECT_NE(keyboard, handle);
  EXPECT_FALSE(Answers(keyboard));
  EXPECT_FALSE(Answers(device::kInvalidHandle));
  EXPECT_TRUE(Answers(handle));
  EXPECT_THAT(mouse->SentCommands(), ElementsAre(1));
}

// A handle opened before an unplug stays dead once the device is back; only a
// fresh open reaches it, as with a hidraw node.
TEST_F(BackendTest, HandlesDieWithTheirDevice) {
  for (const bool byItself : {false, true}) {
    SCOPED_TRACE(byItself ? "vanished after a packet" : "unplugged");
    const device::HidHandle old = backend.Open(kMouse);
    ASSERT_TRUE(Answers(old));
    if (byItself) {
      mouse->faults.unplugAfterPackets = mouse->PacketCount() + 1;
      Answers(old);
      mouse->faults.unplugAfterPackets.reset();
    } else {
      backend.Unplug(kMouse);
    }
    EXPECT_FALSE(Answers(old));

    backend.Plug(kMouse);
    EXPECT_FALSE(Answers(old));
    const device::HidHandle fresh = backend.Open(kMouse);
    EXPECT_TRUE(Answers(fresh));
    EXPECT_NE(fresh, old);

    // Dead handles still count until the program closes them.
    EXPECT_EQ(backend.OpenHandles(), 2);
    backend.Close(old);
    backend.Close(fresh);
    EXPECT_EQ(backend.OpenHandles(), 0);
    EXPECT_FALSE(Answers(fresh));
  }
}

TEST_F(BackendTest, UnpluggingAnotherDeviceLeavesTheMouseHandleAlive) {
  const device::HidHandle handle = backend.Open(kMouse);
  backend.Unplug(kKeyboard);
  backend.Plug(kKeyboard);
  // Plugging a present mouse again is not a new device either.
  backend.Plug(kMouse);
  EXPECT_TRUE(Answers(handle));
}

TEST_F(BackendTest, SeveralMiceAreSeparate) {
  auto second = std::make_shared<SimulatedMouse>();
  second->firmware.cmd1Reply = 0xA6;
  backend.AttachMouse(second, "/dev/hidraw-second");
  EXPECT_THAT(backend.Enumerate(),
              ElementsAre(Field(&device::HidInterfaceInfo::path, kKeyboard),
                          Field(&device::HidInterfaceInfo::path, kMouse),
                          Field(&device::HidInterfaceInfo::path, kLocked),
                          Field(&device::HidInterfaceInfo::path, "/dev/hidraw-second")));
  const device::HidHandle handle = backend.Open("/dev/hidraw-second");
  EXPECT_FALSE(Answers(handle));  // answers 0xA6, not the first mouse's 0xA5
  EXPECT_THAT(second->SentCommands(), ElementsAre(1));
  EXPECT_TRUE(mouse->SentCommands().empty());
}

}  // namespace
}  // namespace orbic::sim
