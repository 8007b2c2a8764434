// The Windows driver port against a fake machine: the driver found by its interface class and
// the id in its device path, and the three control codes with their frames.
#include "platform/WinDriverPort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "FakeWinSystem.h"
#include "device/DriverChannel.h"
#include "platform/WinInterfaceList.h"

namespace orbic::platform {
namespace {

using test::FakeInterface;
using test::FakeWinSystem;

// {902E3649-BB28-43E0-83E2-858CECFBEE7B}
constexpr GUID kDriverClass = {
    0x902E3649, 0xBB28, 0x43E0, {0x83, 0xE2, 0x85, 0x8C, 0xEC, 0xFB, 0xEE, 0x7B}};

// A device path with `id` at characters 55..58 (the first character counted as 1).
std::string DriverPath(const std::string& id, const std::string& tail = "#{902e3649}") {
  std::string path = "\\\\?\\root#orbicfilter#0000#{902e3649-bb28-43e0-83e2-858c";
  path.resize(54, 'x');
  return path + id + tail;
}

TEST(WinDriverPortTest, ClassTextsBecomeTheSystemsGuidRecord) {
  const auto parsed = ParseGuid(device::driver::kInterfaceClassGuid);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_TRUE(test::SameGuid(*parsed, kDriverClass));
  for (const char* bad :
       {"", "902E3649-BB28-43E0-83E2-858CECFBEE7B", "{902E3649-BB28-43E0-83E2-858CECFBEE7G}",
        "{902E3649+BB28-43E0-83E2-858CECFBEE7B}", "{902E3649-BB28-43E0-83E2-858CECFBEE7B}x"}) {
    EXPECT_FALSE(ParseGuid(bad).has_value()) << bad;
  }
}

TEST(WinDriverPortTest, TheDriverIsFoundByTheIdInItsPathAndTheLastMatchWins) {
  FakeWinSystem system;
  const std::string first = DriverPath("1234");
  const std::string other = DriverPath("1235");
  const std::string last = DriverPath("1234", "#second");
  system.Add(kDriverClass, {.path = first});
  system.Add(kDriverClass, {.path = other});
  system.Add(kDriverClass, {.path = DriverPath("12")});    // shorter than 58 characters
  system.Add(kDriverClass, {.path = DriverPath("12G4")});  // not a number
  system.Add(kDriverClass, {.path = last});
  system.Add(FakeWinSystem::kHidClass, {.path = DriverPath("1234", "#hid")});
  WinDriverPort port(system);
  device::DriverChannel channel(port);

  ASSERT_TRUE(channel.OpenDriverById(0x1234));

  EXPECT_EQ(system.lastListFlags, static_cast<DWORD>(DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  std::vector<std::string> opened;
  for (const auto& call : system.creates) {
    opened.push_back(call.path);
    EXPECT_EQ(call.access, 0u);  // the control codes allow any access
    EXPECT_EQ(call.share, static_cast<DWORD>(FILE_SHARE_READ | FILE_SHARE_WRITE));
    EXPECT_EQ(call.disposition, static_cast<DWORD>(OPEN_EXISTING));
  }
  EXPECT_EQ(opened, (std::vector<std::string>{first, last}));
  ASSERT_EQ(system.openHandles.size(), 1u);  // the earlier handle was closed
  EXPECT_EQ(system.PathOf(reinterpret_cast<HANDLE>(*system.openHandles.begin())), last);
  EXPECT_EQ(system.destroyed, 1);

  EXPECT_FALSE(channel.OpenDriverById(0x9999));
}

TEST(WinDriverPortTest, NoDriverInterfaceOrAFailedListOpensNothing) {
  FakeWinSystem system;
  WinDriverPort port(system);
  device::DriverChannel channel(port);
  EXPECT_FALSE(channel.OpenDriverById(0x1234));

  system.Add(kDriverClass, {.path = DriverPath("1234")});
  system.listFails = true;
  EXPECT_FALSE(channel.OpenDriverById(0x1234));
  EXPECT_TRUE(system.creates.empty());
  EXPECT_TRUE(system.AllReleased());
  // Before an open, no exchange reaches the system.
  device::LiveState state{};
  EXPECT_FALSE(channel.ReadLiveState(state));
  EXPECT_TRUE(system.ioctls.empty());
}

// The driver: a memory behind the read and write codes, four live-state bytes behind the third.
struct FakeDriver {
  std::array<std::uint8_t, 512> memory{};
  std::array<std::uint8_t, 4> live{0x11, 0x22, 0x33, 0x44};

  static std::uint32_t Word(const std::uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
  }
  BOOL Answer(DWORD code, const std::uint8_t* input, DWORD inputSize, std::uint8_t* output,
              DWORD outputSize) {
    if (code == device::driver::kIoctlLiveState) {
      std::copy(live.begin(), live.end(), output);
      return outputSize == live.size() && inputSize == 0;
    }
    const std::uint32_t address = Word(input);
    const std::uint32_t length = Word(input + 4);
    if (code == device::driver::kIoctlRead) {
      std::copy_n(memory.begin() + address, length, output + 8);
    } else if (code == device::driver::kIoctlWrite) {
      std::copy_n(input + 8, length, memory.begin() + address);
    }
    return TRUE;
  }
};

TEST(WinDriverPortTest, ExchangesTravelAsFramesWithTheirControlCodes) {
  FakeWinSystem system;
  system.Add(kDriverClass, {.path = DriverPath("00AB")});
  FakeDriver driver;
  for (std::size_t i = 0; i < 48; ++i) {
    driver.memory[i] = static_cast<std::uint8_t>(i + 1);
  }
  system.driver = [&driver](DWORD code, const std::uint8_t* input, DWORD inputSize,
                            std::uint8_t* output, DWORD outputSize) {
    return driver.Answer(code, input, inputSize, output, outputSize);
  };
  WinDriverPort port(system);
  device::DriverChannel channel(port);
  ASSERT_TRUE(channel.OpenDriverById(0x00AB));

  device::LiveState state{};
  ASSERT_TRUE(channel.ReadLiveState(state));
  EXPECT_EQ(state, driver.live);

  std::array<std::uint8_t, device::driver::kParameterALength> sectionA{};
  ASSERT_TRUE(channel.ReadParameterA(sectionA));
  EXPECT_TRUE(std::equal(sectionA.begin(), sectionA.end(), driver.memory.begin()));

  std::array<std::uint8_t, device::driver::kParameterBLength> sectionB{};
  sectionB.fill(0xB0);
  ASSERT_TRUE(channel.WriteParameterB(sectionB));
  EXPECT_TRUE(std::equal(sectionB.begin(), sectionB.end(), driver.memory.begin() + 48));

  ASSERT_EQ(system.ioctls.size(), 3u);
  EXPECT_EQ(system.ioctls[0].code, 0x223E0Cu);
  EXPECT_TRUE(system.ioctls[0].input.empty());
  EXPECT_EQ(system.ioctls[0].outputSize, 4u);
  // A read hands a 56-byte frame (address 0, length 48) in and gets the same size back.
  EXPECT_EQ(system.ioctls[1].code, 0x223E04u);
  ASSERT_EQ(system.ioctls[1].input.size(), 56u);
  EXPECT_EQ(
      std::vector<std::uint8_t>(system.ioctls[1].input.begin(), system.ioctls[1].input.begin() + 8),
      (std::vector<std::uint8_t>{0, 0, 0, 0, 48, 0, 0, 0}));
  EXPECT_EQ(system.ioctls[1].outputSize, 56u);
  // A write hands a 16-byte frame (address 48, length 8, the data) in and asks nothing back.
  EXPECT_EQ(system.ioctls[2].code, 0x223E08u);
  ASSERT_EQ(system.ioctls[2].input.size(), 16u);
  EXPECT_EQ(system.ioctls[2].input[0], 48);
  EXPECT_EQ(system.ioctls[2].input[4], 8);
  EXPECT_EQ(system.ioctls[2].input[8], 0xB0);
  EXPECT_EQ(system.ioctls[2].outputSize, 0u);
}

TEST(WinDriverPortTest, TheCallsResultIsPassedOnAndAClosedHandleReachesNothing) {
  FakeWinSystem system;
  system.Add(kDriverClass, {.path = DriverPath("0001")});
  system.driver = [](DWORD, const std::uint8_t*, DWORD, std::uint8_t*, DWORD) { return FALSE; };
  WinDriverPort port(system);
  const auto paths = port.EnumerateInterfaces(device::driver::kInterfaceClassGuid);
  ASSERT_EQ(paths.size(), 1u);
  const device::DriverHandle handle = port.Open(paths[0]);
  ASSERT_NE(handle, device::kInvalidDriverHandle);
  std::vector<std::uint8_t> frame(16);
  EXPECT_FALSE(port.DeviceIoControl(handle, device::driver::kIoctlWrite, frame, {}));
  EXPECT_EQ(system.ioctls.size(), 1u);

  port.Close(handle);
  EXPECT_TRUE(system.AllReleased());
  EXPECT_FALSE(
      port.DeviceIoControl(device::kInvalidDriverHandle, device::driver::kIoctlWrite, frame, {}));
  EXPECT_EQ(system.ioctls.size(), 1u);
  EXPECT_TRUE(port.EnumerateInterfaces("not a class").empty());
}

}  // namespace
}  // namespace orbic::platform
