// The simulated filter driver keeps the driver's contract: its interface
// carries the id, reads return what writes stored, and every malformed call
// fails without changing anything.
#include "sim/SimulatedFilterDriver.h"

#include <gmock/gmock.h>

#include <numeric>

#include "device/DriverChannel.h"

namespace orbic::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace drv = device::driver;

// The 8-byte header followed by `dataSize` zero bytes.
Bytes Header(std::uint32_t address, std::uint32_t length, std::size_t dataSize) {
  Bytes frame(8 + dataSize, 0);
  for (std::size_t i = 0; i < 4; ++i) {
    frame[i] = static_cast<std::uint8_t>(address >> (8 * i));
    frame[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
  }
  return frame;
}

// A request whose data part is `length` zero bytes.
Bytes Frame(std::uint32_t address, std::uint32_t length) {
  return Header(address, length, length);
}

Bytes Frame(std::uint32_t address, std::uint32_t length, const Bytes& data) {
  Bytes frame = Header(address, length, 0);
  frame.insert(frame.end(), data.begin(), data.end());
  return frame;
}

struct Opened {
  SimulatedFilterDriver driver;
  device::DriverHandle handle = driver.Open(driver.Path());
};

TEST(SimulatedFilterDriver, ItsInterfaceCarriesTheIdAt55To58) {
  SimulatedFilterDriver driver;
  driver.id = 0xA0F3;
  const std::string path = driver.Path();
  EXPECT_EQ(path.substr(54, 4), "A0F3");
  EXPECT_EQ(device::DriverIdInPath(path), 0xA0F3);

  EXPECT_THAT(driver.EnumerateInterfaces(drv::kInterfaceClassGuid), ::testing::ElementsAre(path));
  // GUIDs compare without regard to case; another class lists nothing.
  EXPECT_THAT(driver.EnumerateInterfaces("{902e3649-bb28-43e0-83e2-858cecfbee7b}"),
              ::testing::ElementsAre(path));
  EXPECT_TRUE(driver.EnumerateInterfaces("{4D1E55B2-F16F-11CF-88CB-001111000030}").empty());
  driver.present = false;
  EXPECT_TRUE(driver.EnumerateInterfaces(drv::kInterfaceClassGuid).empty());
  EXPECT_EQ(driver.Open(path), device::kInvalidDriverHandle);
  EXPECT_THAT(driver.OpenRequests(), ::testing::ElementsAre(path));
}

TEST(SimulatedFilterDriver, GarbledRepliesReachTheCallerButNotTheMemory) {
  Opened o;
  std::fill_n(o.driver.memory.begin() + 16, 4, 0x11);
  int garbled = 0;
  o.driver.garbleReply = [&garbled](std::span<std::uint8_t> reply) {
    ++garbled;
    reply.back() ^= 0xFF;
  };
  Bytes out(8 + 4);
  ASSERT_TRUE(o.driver.DeviceIoControl(o.handle, drv::kIoctlRead, Frame(16, 4), out));
  EXPECT_EQ(out, Frame(16, 4, {0x11, 0x11, 0x11, 0xEE}));
  EXPECT_EQ(o.driver.memory[19], 0x11);
  // A refused call (outside the memory) hands nothing back to garble.
  EXPECT_FALSE(o.driver.DeviceIoControl(o.handle, drv::kIoctlRead, Frame(102400, 4), out));
  EXPECT_EQ(garbled, 1);
}

TEST(SimulatedFilterDriver, AReadReturnsWhatAWriteStored) {
  Opened o;
  ASSERT_NE(o.handle, device::kInvalidDriverHandle);
  Bytes data(2048 * 2);
  std::iota(data.begin(), data.end(), 7);
  ASSERT_TRUE(o.driver.DeviceIoControl(o.handle, drv::kIoctlWrite, Frame(256, 4096, data), {}));
  EXPECT_TRUE(std::equal(data.begin(), data.end(), o.driver.memory.begin() + 256));

  // In and out the same buffer: the header stays, the data part is filled.
  Bytes buffer = Frame(256, 4096);
  ASSERT_TRUE(o.driver.DeviceIoControl(o.handle, drv::kIoctlRead, buffer, buffer));
  EXPECT_EQ(buffer, Frame(256, 4096, data));
  // A separate output buffer gets the same.
  Bytes out(buffer.size(), 0xEE);
  ASSERT_TRUE(o.driver.DeviceIoControl(o.handle, drv::kIoctlRead, Frame(256, 4096), out));
  EXPECT_EQ(out, Frame(256, 4096, data));

  // The last byte of the memory is in reach.
  ASSERT_TRUE(o.driver.DeviceIoControl(o.handle, drv::kIoctlWrite, Frame(102399, 1, {0x5A}), {}));
  EXPECT_EQ(o.driver.memory.back(), 0x5A);
}

TEST(SimulatedFilterDriver, LiveStateComesFromItsBlock) {
  Opened o;
  o.driver.memory[160] = 1;
  o.driver.memory[161] = 2;
  o.driver.memory[162] = 3;
  o.driver.memory[163] = 4;
  Bytes out(4);
  ASSERT_TRUE(o.driver.DeviceIoControl(o.handle, drv::kIoctlLiveState, {}, out));
  EXPECT_EQ(out, (Bytes{1, 2, 3, 4}));
  Bytes shortOut(3);
  EXPECT_FALSE(o.driver.DeviceIoControl(o.handle, drv::kIoctlLiveState, {}, shortOut));
}

TEST(SimulatedFilterDriver, MalformedCallsFailAndChangeNothing) {
  struct Case {
    const char* name;
    std::uint32_t code;
    Bytes input;
    std::size_t outputSize;
  };
  const std::vector<Case> cases = {
      {"WritePastTheEnd", drv::kIoctlWrite, Frame(102399, 2, {1, 1}), 0},
      {"WriteAddressPastTheEnd", drv::kIoctlWrite, Frame(102401, 0), 0},
      {"WriteHugeLengthWraps", drv::kIoctlWrite, Header(16, 0xFFFFFFF8u, 16), 0},
      {"WriteDataShorterThanLength", drv::kIoctlWrite, Frame(0, 8, Bytes(7, 1)), 0},
      {"WriteNoHeader", drv::kIoctlWrite, Bytes(7, 1), 0},
      {"ReadPastTheEnd", drv::kIoctlRead, Frame(102000, 401), 8 + 401},
      {"ReadOutputTooShort", drv::kIoctlRead, Frame(0, 48), 55},
      {"UnknownCode", 0x223E10, Frame(0, 8, Bytes(8, 1)), 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Opened o;
    Bytes out(c.outputSize, 0xEE);
    EXPECT_FALSE(o.driver.DeviceIoControl(o.handle, c.code, c.input, out));
    EXPECT_EQ(o.driver.memory, Bytes(kDriverMemorySize, 0));
    EXPECT_EQ(out, Bytes(c.outputSize, 0xEE));
    ASSERT_EQ(o.driver.Transcript().size(), 1u);
    EXPECT_FALSE(o.driver.Transcript()[0].result);
  }
}

// Closed handles, handles never opened and handles to an interface that has
// gone all fail; an unopenable extra interface does not open.
TEST(SimulatedFilterDriver, OnlyOpenHandlesOfPresentInterfacesAnswer) {
  Opened o;
  const Bytes write = Frame(0, 1, {9});
  EXPECT_FALSE(o.driver.DeviceIoControl(o.handle + 100, drv::kIoctlWrite, write, {}));
  o.driver.Close(o.handle);
  EXPECT_FALSE(o.driver.DeviceIoControl(o.handle, drv::kIoctlWrite, write, {}));

  const device::DriverHandle again = o.driver.Open(o.driver.Path());
  o.driver.present = false;
  EXPECT_FALSE(o.driver.DeviceIoControl(again, drv::kIoctlWrite, write, {}));
  o.driver.present = true;
  EXPECT_TRUE(o.driver.DeviceIoControl(again, drv::kIoctlWrite, write, {}));
  EXPECT_EQ(o.driver.memory[0], 9);

  o.driver.AddInterface("locked", false);
  o.driver.AddInterface("free", true);
  EXPECT_EQ(o.driver.Open("locked"), device::kInvalidDriverHandle);
  EXPECT_EQ(o.driver.Open("unlisted"), device::kInvalidDriverHandle);
  EXPECT_NE(o.driver.Open("free"), device::kInvalidDriverHandle);
  EXPECT_EQ(o.driver.OpenHandles(), 2);
}

TEST(SimulatedFilterDriver, TheTranscriptRecordsEveryCall) {
  Opened o;
  const Bytes write = Frame(48, 8, Bytes(8, 3));
  Bytes read = Frame(64, 55);
  Bytes live(4);
  o.driver.DeviceIoControl(o.handle, drv::kIoctlWrite, write, {});
  o.driver.DeviceIoControl(o.handle, drv::kIoctlRead, read, read);
  o.driver.DeviceIoControl(o.handle, drv::kIoctlLiveState, {}, live);
  o.driver.DeviceIoControl(-5, drv::kIoctlLiveState, {}, live);

  const auto& t = o.driver.Transcript();
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0].path, o.driver.Path());
  EXPECT_EQ(t[0].code, drv::kIoctlWrite);
  EXPECT_EQ(t[0].address, 48u);
  EXPECT_EQ(t[0].length, 8u);
  EXPECT_EQ(t[0].input, write);
  EXPECT_EQ(t[0].outputSize, 0u);
  EXPECT_TRUE(t[0].result);
  EXPECT_EQ(t[1].code, drv::kIoctlRead);
  EXPECT_EQ(t[1].address, 64u);
  EXPECT_EQ(t[1].length, 55u);
  EXPECT_EQ(t[1].inputSize, 63u);
  EXPECT_EQ(t[1].outputSize, 63u);
  EXPECT_EQ(t[2].code, drv::kIoctlLiveState);
  EXPECT_EQ(t[2].inputSize, 0u);
  EXPECT_EQ(t[2].outputSize, 4u);
  EXPECT_TRUE(t[2].path.size() > 0);
  EXPECT_TRUE(t[3].path.empty());
  EXPECT_FALSE(t[3].result);
}

}  // namespace
}  // namespace orbic::sim
