// The Windows HID backend against a fake machine: which interfaces SetupApi lists, how they are
// opened and described, and how the mouse is told from its other collections and other devices.
#include "platform/WinHidBackend.h"

#include <gtest/gtest.h>

#include "FakeWinSystem.h"
#include "device/CommandChannel.h"
#include "device/HidDiscovery.h"

namespace orbic::platform {
namespace {

using test::FakeInterface;
using test::FakeWinSystem;

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

// The mouse's command collection as Windows shows it.
FakeInterface Mouse(const std::string& path) {
  FakeInterface mouse;
  mouse.path = path;
  mouse.vendorId = 0x1BCF;
  mouse.productId = 0x08A0;
  mouse.version = 0x0104;
  mouse.featureLength = 8;
  return mouse;
}

TEST(WinHidBackendTest, ListsEveryPresentInterfaceWithItsIdentityAndCollectionLength) {
  FakeWinSystem system;
  FakeInterface keyboard{.path = "\\\\?\\hid#vid_046d&pid_c31c#kbd",
                         .vendorId = 0x046D,
                         .productId = 0xC31C,
                         .version = 0x6400,
                         .featureLength = 0};
  system.Add(FakeWinSystem::kHidClass, keyboard);
  system.Add(FakeWinSystem::kHidClass, Mouse("\\\\?\\hid#vid_1bcf&pid_08a0&col02#cmd"));
  // Another class's interfaces are not HID interfaces.
  system.Add(GUID{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}}, Mouse("\\\\?\\other"));
  WinHidBackend backend(system);

  const auto interfaces = backend.Enumerate();

  EXPECT_EQ(system.lastListFlags, static_cast<DWORD>(DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  ASSERT_EQ(interfaces.size(), 2u);
  EXPECT_EQ(interfaces[0].path, keyboard.path);
  EXPECT_EQ(interfaces[0].vendorId, 0x046D);
  EXPECT_EQ(interfaces[0].featureLengths, std::vector<std::size_t>{0});
  EXPECT_EQ(interfaces[1].vendorId, 0x1BCF);
  EXPECT_EQ(interfaces[1].productId, 0x08A0);
  EXPECT_EQ(interfaces[1].version, 0x0104);
  EXPECT_EQ(interfaces[1].featureLengths, std::vector<std::size_t>{8});
  // Described through shared opens without access rights, which never disturb another owner.
  for (const auto& call : system.creates) {
    EXPECT_EQ(call.access, 0u);
    EXPECT_EQ(call.share, kShareReadWrite);
    EXPECT_EQ(call.disposition, static_cast<DWORD>(OPEN_EXISTING));
  }
  EXPECT_TRUE(system.AllReleased());
}

TEST(WinHidBackendTest, AnInterfaceThatFailsIsPassedOverAndTheScanGoesOn) {
  const struct {
    const char* name;
    FakeInterface broken;
    bool listed;  // still listed (it opens, so it counts)
    int counted;
  } cases[] = {
      {"no detail", {.path = "\\\\?\\a", .hasDetail = false}, false, 1},
      {"does not open", {.path = "\\\\?\\a", .opens = false}, true, 1},
      {"no attributes", {.path = "\\\\?\\a", .answers = false}, true, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWinSystem system;
    system.Add(FakeWinSystem::kHidClass, c.broken);
    system.Add(FakeWinSystem::kHidClass, Mouse("\\\\?\\mouse"));
    WinHidBackend backend(system);

    const auto interfaces = backend.Enumerate();

    ASSERT_EQ(interfaces.size(), c.listed ? 2u : 1u);
    EXPECT_EQ(interfaces.back().path, "\\\\?\\mouse");
    EXPECT_EQ(interfaces.back().featureLengths, std::vector<std::size_t>{8});
    if (c.listed) {
      EXPECT_EQ(interfaces.front().vendorId, 0);  // no identity: never the mouse
    }
    EXPECT_EQ(device::CountHidInterfaces(backend), c.counted);
    EXPECT_TRUE(system.AllReleased());
  }
}

TEST(WinHidBackendTest, AFailedListGivesNothingAndLeavesNothingOpen) {
  FakeWinSystem system;
  system.Add(FakeWinSystem::kHidClass, Mouse("\\\\?\\mouse"));
  system.listFails = true;
  WinHidBackend backend(system);

  EXPECT_TRUE(backend.Enumerate().empty());
  EXPECT_EQ(system.destroyed, 0);
  EXPECT_TRUE(system.AllReleased());
}

// Windows shows each top-level collection as an interface of its own: only the one with
// eight-byte feature reports and the right version carries the command channel.
TEST(WinHidBackendTest, TheMouseIsOpenedOnItsCommandCollectionOnly) {
  FakeWinSystem system;
  FakeInterface pointer = Mouse("\\\\?\\hid#vid_1bcf&pid_08a0&col01#pointer");
  pointer.featureLength = 0;
  FakeInterface vendor = Mouse("\\\\?\\hid#vid_1bcf&pid_08a0&col03#vendor");
  vendor.featureLength = 65;
  FakeInterface oldFirmware = Mouse("\\\\?\\hid#vid_1bcf&pid_08a0#old");
  oldFirmware.version = 0x0103;
  const FakeInterface command = Mouse("\\\\?\\hid#vid_1bcf&pid_08a0&col02#cmd");
  for (const FakeInterface& each : {pointer, command, vendor, oldFirmware}) {
    system.Add(FakeWinSystem::kHidClass, each);
  }
  WinHidBackend backend(system);

  device::ConnectedDevice device;
  std::uint32_t version = 0x0104;
  ASSERT_TRUE(device::OpenMouse(backend, device, 0x1BCF, 0x08A0, version));

  EXPECT_EQ(device.featureLength, 8u);
  EXPECT_EQ(version, 0x0104u);
  ASSERT_FALSE(system.creates.empty());
  EXPECT_EQ(system.creates.back().path, command.path);
  EXPECT_EQ(system.creates.back().access, static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE));
  EXPECT_EQ(system.openHandles.size(), 1u);  // the mouse's handle alone stays open

  const std::uint8_t report[8] = {4, 1, 0, 0, 0, 0, 0, 0};
  ASSERT_TRUE(backend.SetFeature(device.handle, report, sizeof report));
  ASSERT_EQ(system.featuresSet.size(), 1u);
  EXPECT_EQ(system.featuresSet[0], std::vector<std::uint8_t>(report, report + 8));
  std::uint8_t reply[8] = {4};
  ASSERT_TRUE(backend.GetFeature(device.handle, reply, sizeof reply));
  EXPECT_EQ(reply[0], 4);  // the report id asked for stays in place
  EXPECT_EQ(reply[1], 0xCC);

  backend.Close(device.handle);
  EXPECT_TRUE(system.AllReleased());
  EXPECT_FALSE(backend.SetFeature(device.handle, report, sizeof report));  // stale handle
}

TEST(WinHidBackendTest, ARefusedOpenIsReportedAsMissingRights) {
  FakeWinSystem system;
  FakeInterface mouse = Mouse("\\\\?\\mouse");
  mouse.refusesRights = true;
  system.Add(FakeWinSystem::kHidClass, mouse);
  WinHidBackend backend(system);

  EXPECT_EQ(device::CountHidInterfaces(backend), 1);  // counting needs no rights
  EXPECT_EQ(backend.Open(mouse.path), device::kInvalidHandle);
  EXPECT_TRUE(backend.PermissionDenied(mouse.path));
  EXPECT_FALSE(backend.PermissionDenied("\\\\?\\elsewhere"));
}

TEST(WinHidBackendTest, AReportThatFailsSaysWhetherTheMouseIsGone) {
  const struct {
    DWORD error;
    bool gone;
  } cases[] = {
      {ERROR_DEVICE_NOT_CONNECTED, true},
      {ERROR_FILE_NOT_FOUND, true},
      {ERROR_GEN_FAILURE, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    FakeWinSystem system;
    system.Add(FakeWinSystem::kHidClass, Mouse("\\\\?\\mouse"));
    WinHidBackend backend(system);
    const device::HidHandle handle = backend.Open("\\\\?\\mouse");
    ASSERT_NE(handle, device::kInvalidHandle);
    std::uint8_t report[8] = {4, 3};
    ASSERT_TRUE(backend.SetFeature(handle, report, sizeof report));
    EXPECT_FALSE(backend.Gone(handle));

    system.featureError = c.error;
    EXPECT_FALSE(backend.GetFeature(handle, report, sizeof report));
    EXPECT_EQ(backend.Gone(handle), c.gone);
  }
}

}  // namespace
}  // namespace orbic::platform
