// The channel to the filter driver against the simulated driver: which
// interface it opens, and every exchange's exact frame.
#include "device/DriverChannel.h"

#include <gmock/gmock.h>

#include <functional>
#include <numeric>

#include "sim/SimulatedFilterDriver.h"
#include "support/MouseRig.h"

namespace orbic::test {
namespace {

using device::DriverChannel;
using device::LiveState;
using Bytes = std::vector<std::uint8_t>;
namespace drv = device::driver;

// A 58-character path whose last four characters are `id`.
std::string PathWithId(const std::string& id, char fill = 'x') {
  return std::string(drv::kIdPosition - 1, fill) + id;
}

TEST(DriverIdInPath, ReadsFourHexDigitsAt55To58) {
  EXPECT_EQ(device::DriverIdInPath(PathWithId("BEEF")), 0xBEEF);
  EXPECT_EQ(device::DriverIdInPath(PathWithId("beef") + "#tail"), 0xBEEF);
  EXPECT_EQ(device::DriverIdInPath(PathWithId("0000")), 0x0000);
  EXPECT_EQ(device::DriverIdInPath(sim::SimulatedFilterDriver::InterfacePath(0x0A1F)), 0x0A1F);
  EXPECT_EQ(device::DriverIdInPath(PathWithId("BEE")), std::nullopt);  // 57 characters
  EXPECT_EQ(device::DriverIdInPath(""), std::nullopt);
  EXPECT_EQ(device::DriverIdInPath(PathWithId("BEEG")), std::nullopt);
  EXPECT_EQ(device::DriverIdInPath(PathWithId(" EEF")), std::nullopt);
  EXPECT_EQ(device::DriverIdInPath(PathWithId("+EEF")), std::nullopt);
}

struct Extra {
  std::string path;
  bool openable = true;
};

struct OpenCase {
  const char* name;
  bool driverPresent;
  std::vector<Extra> extras;  // listed after the driver's own interface
  std::uint16_t id;
  bool opened;
  std::string openedPath;  // "driver" for the driver's own path
};
void PrintTo(const OpenCase& c, std::ostream* os) {
  *os << c.name;
}

class OpenDriverByIdTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenDriverByIdTest, OpensTheLastInterfaceCarryingTheId) {
  const OpenCase& c = GetParam();
  sim::SimulatedFilterDriver driver;
  driver.id = 0x1234;
  driver.present = c.driverPresent;
  for (const Extra& extra : c.extras) {
    driver.AddInterface(extra.path, extra.openable);
  }
  DriverChannel channel(driver);

  EXPECT_EQ(channel.OpenDriverById(c.id), c.opened);
  EXPECT_EQ(channel.IsOpen(), c.opened);
  EXPECT_EQ(driver.Enumerations(), 1);
  EXPECT_EQ(driver.OpenHandles(), c.opened ? 1 : 0);  // a replaced handle is closed

  // The open handle is the one exchanges go through.
  LiveState state{};
  EXPECT_EQ(channel.ReadLiveState(state), c.opened);
  if (c.opened) {
    ASSERT_EQ(driver.Transcript().size(), 1u);
    const std::string expected = c.openedPath == "driver" ? driver.Path() : c.openedPath;
    EXPECT_EQ(driver.Transcript()[0].path, expected);
  } else {
    EXPECT_TRUE(driver.Transcript().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenDriverByIdTest,
    ::testing::Values(
        OpenCase{"DriverWithTheId", true, {}, 0x1234, true, "driver"},
        OpenCase{"OtherId", true, {}, 0x1235, false, ""},
        OpenCase{"NoInterface", false, {}, 0x1234, false, ""},
        OpenCase{"LastMatchWins", true, {{PathWithId("1234")}}, 0x1234, true, PathWithId("1234")},
        OpenCase{"LowerCaseDigitsMatch",
                 false,
                 {{PathWithId("ab0c")}},
                 0xAB0C,
                 true,
                 PathWithId("ab0c")},
        OpenCase{"LaterUnopenableMatchKeepsTheEarlier",
                 true,
                 {{PathWithId("1234", 'y'), false}},
                 0x1234,
                 true,
                 "driver"},
        OpenCase{
            "LaterOtherIdKeepsTheEarlier", true, {{PathWithId("4321")}}, 0x1234, true, "driver"},
        OpenCase{"ShortPathNeverMatches", false, {{PathWithId("123")}}, 0x0123, false, ""},
        OpenCase{"ShortPathSkippedLongerMatchOpens",
                 false,
                 {{PathWithId("123")}, {PathWithId("0123")}},
                 0x0123,
                 true,
                 PathWithId("0123")},
        OpenCase{"NotHexSkipped", false, {{PathWithId("12G4")}}, 0x1204, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DriverChannel, ReopeningClosesTheEarlierHandle) {
  sim::SimulatedFilterDriver driver;
  {
    DriverChannel channel(driver);
    ASSERT_TRUE(channel.OpenDriverById(driver.id));
    ASSERT_TRUE(channel.OpenDriverById(driver.id));
    EXPECT_EQ(driver.OpenHandles(), 1);
    // A failed search keeps the open driver.
    EXPECT_FALSE(channel.OpenDriverById(0xFFFF));
    EXPECT_TRUE(channel.IsOpen());
    EXPECT_EQ(driver.OpenHandles(), 1);
  }
  EXPECT_EQ(driver.OpenHandles(), 0);
}

// Command 0x81 gives the id, high byte first; the driver is then found by it.
TEST(DriverChannel, OpenDriverChannelAsksTheMouseForTheId) {
  struct Case {
    const char* name;
    std::uint16_t mouseId;
    bool mouseAnswers;
    bool opened;
    int enumerations;
  };
  for (const Case& c :
       {Case{"SameId", 0xBE0F, true, true, 1}, Case{"OtherId", 0x0FBE, true, false, 1},
        Case{"NoAnswer", 0xBE0F, false, false, 0}}) {
    SCOPED_TRACE(c.name);
    ChannelRig rig;
    ASSERT_TRUE(rig.opened);
    rig.mouse->firmware.driverId = c.mouseId;
    if (!c.mouseAnswers) {
      rig.mouse->faults.neverAck.insert(device::command::kDriverId);
    }
    sim::SimulatedFilterDriver driver;
    driver.id = 0xBE0F;
    DriverChannel channel(driver);

    EXPECT_EQ(channel.OpenDriverChannel(rig.channel), c.opened);
    EXPECT_EQ(driver.Enumerations(), c.enumerations);
    EXPECT_EQ(rig.Commands(), std::vector<std::uint8_t>(
                                  c.mouseAnswers ? 1 : device::kSendCommandTiming.attemptLimit,
                                  device::command::kDriverId));
  }
}

// A driver whose memory holds i % 251 at address i, opened.
struct DriverRig {
  DriverRig() {
    for (std::size_t i = 0; i < driver.memory.size(); ++i) {
      driver.memory[i] = static_cast<std::uint8_t>(i % 251);
    }
    opened = channel.OpenDriverById(driver.id);
  }
  Bytes Memory(std::size_t address, std::size_t length) const {
    return {driver.memory.begin() + static_cast<std::ptrdiff_t>(address),
            driver.memory.begin() + static_cast<std::ptrdiff_t>(address + length)};
  }
  sim::SimulatedFilterDriver driver;
  DriverChannel channel{driver};
  bool opened = false;
};

// The frame the program must hand over: little-endian address and length,
// the payload, zeros up to the buffer size.
Bytes Frame(std::uint32_t address, std::uint32_t length, const Bytes& payload,
            std::size_t bufferSize) {
  Bytes frame(bufferSize, 0);
  for (std::size_t i = 0; i < 4; ++i) {
    frame[i] = static_cast<std::uint8_t>(address >> (8 * i));
    frame[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
  }
  std::copy(payload.begin(), payload.end(), frame.begin() + 8);
  return frame;
}

// A read: its frame goes in, the same buffer comes out, and the caller gets
// exactly the driver's bytes.
struct ReadCase {
  const char* name;
  std::uint32_t address;
  std::uint32_t length;
  std::size_t bufferSize;
  // Runs the read and returns what the caller got.
  std::function<Bytes(DriverChannel&)> read;
  std::function<Bytes(const DriverRig&)> expected;
};

TEST(DriverChannel, EveryReadSendsItsFrameAndReturnsTheDriversBytes) {
  const LiveState live{0x86, 0x0B, 0x5C, 0x07};
  const std::vector<ReadCase> cases = {
      {"ParameterA", 0, 48, 56,
       [](DriverChannel& c) {
         Bytes out(48);
         EXPECT_TRUE(c.ReadParameterA(std::span<std::uint8_t, 48>(out)));
         return out;
       },
       [](const DriverRig& r) { return r.Memory(0, 48); }},
      {"ParameterB", 48, 8, 16,
       [](DriverChannel& c) {
         Bytes out(8);
         EXPECT_TRUE(c.ReadParameterB(std::span<std::uint8_t, 8>(out)));
         return out;
       },
       [](const DriverRig& r) { return r.Memory(48, 8); }},
      {"Profile", 64, 55, 63,
       [](DriverChannel& c) {
         Bytes out(55);
         EXPECT_TRUE(c.ReadProfile(std::span<std::uint8_t, 55>(out)));
         return out;
       },
       [](const DriverRig& r) { return r.Memory(64, 55); }},
      // The section sits behind the block's two leading bytes.
      {"FireKeyBlock", 240, 13, 21,
       [](DriverChannel& c) {
         Bytes out(11);
         EXPECT_TRUE(c.ReadFireKeySection(std::span<std::uint8_t, 11>(out)));
         return out;
       },
       [](const DriverRig& r) { return r.Memory(242, 11); }},
      {"ThreeMacroRecords", 256, 3 * 2048, 3 * 2048 + 8,
       [](DriverChannel& c) {
         Bytes out;
         for (const auto& record : c.ReadDriverMacros(3)) {
           const auto bytes = record.Bytes();
           out.insert(out.end(), bytes.begin(), bytes.end());
         }
         return out;
       },
       [](const DriverRig& r) { return r.Memory(256, 3 * 2048); }},
      // The dump carries the program's live state, whatever the driver holds there.
      {"ProfileDump", 0, 40960, 40971,
       [live](DriverChannel& c) {
         const auto dump = c.ReadProfileDump(live);
         EXPECT_TRUE(dump.has_value());
         return dump.value_or(Bytes());
       },
       [live](const DriverRig& r) {
         Bytes expected = r.Memory(0, 40960);
         std::copy(live.begin(), live.end(), expected.begin() + 160);
         return expected;
       }},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    DriverRig rig;
    ASSERT_TRUE(rig.opened);
    EXPECT_EQ(c.read(rig.channel), c.expected(rig));
    ASSERT_EQ(rig.driver.Transcript().size(), 1u);
    const sim::DriverCall& call = rig.driver.Transcript()[0];
    EXPECT_EQ(call.code, 0x223E04u);
    EXPECT_EQ(call.address, c.address);
    EXPECT_EQ(call.length, c.length);
    EXPECT_EQ(call.inputSize, c.bufferSize);
    EXPECT_EQ(call.outputSize, c.bufferSize);
    EXPECT_EQ(call.input, Frame(c.address, c.length, {}, c.bufferSize));
  }
}

TEST(DriverChannel, ReadLiveStateTakesFourBytesWithNoInput) {
  DriverRig rig;
  ASSERT_TRUE(rig.opened);
  LiveState state{};
  ASSERT_TRUE(rig.channel.ReadLiveState(state));
  EXPECT_EQ(Bytes(state.begin(), state.end()), rig.Memory(160, 4));
  ASSERT_EQ(rig.driver.Transcript().size(), 1u);
  const sim::DriverCall& call = rig.driver.Transcript()[0];
  EXPECT_EQ(call.code, 0x223E0Cu);
  EXPECT_EQ(call.inputSize, 0u);
  EXPECT_EQ(call.outputSize, 4u);
}

Bytes Pattern(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  std::iota(bytes.begin(), bytes.end(), seed);
  return bytes;
}

macros::DriverMacroRecord Record(std::uint8_t seed) {
  return macros::DriverMacroRecord::FromBytes(Pattern(2048, seed));
}

// A write: the frame with its payload goes in, nothing comes out, and the
// driver holds the payload at the address.
struct WriteCase {
  const char* name;
  std::uint32_t address;
  std::uint32_t length;
  std::size_t bufferSize;
  Bytes payload;  // as it must appear behind the header
  std::function<bool(DriverChannel&)> write;
};

TEST(DriverChannel, EveryWriteSendsItsFrameAndTheDriverStoresIt) {
  const Bytes a = Pattern(48, 1);
  const Bytes b = Pattern(8, 2);
  const Bytes profile = Pattern(55, 3);
  const Bytes fireKey = Pattern(11, 4);
  Bytes twoRecords = Pattern(2048, 5);
  const Bytes second = Pattern(2048, 6);
  twoRecords.insert(twoRecords.end(), second.begin(), second.end());
  const Bytes profileFile = Pattern(40960, 7);
  const Bytes defaults = Pattern(102400, 8);

  Bytes fireKeyBlock{0, 0};
  fireKeyBlock.insert(fireKeyBlock.end(), fireKey.begin(), fireKey.end());
  // A profile file shorter than a full load goes out zero-padded.
  Bytes paddedProfile = profileFile;
  paddedProfile.resize(102400, 0);

  const std::vector<WriteCase> cases = {
      {"ParameterB", 48, 8, 16, b,
       [&](DriverChannel& c) { return c.WriteParameterB(std::span<const std::uint8_t, 8>(b)); }},
      {"ParameterA", 0, 48, 56, a,
       [&](DriverChannel& c) { return c.WriteParameterA(std::span<const std::uint8_t, 48>(a)); }},
      {"FireKeyBlock", 240, 13, 21, fireKeyBlock,
       [&](DriverChannel& c) {
         return c.WriteFireKeySection(std::span<const std::uint8_t, 11>(fireKey));
       }},
      {"Profile", 64, 55, 63, profile,
       [&](DriverChannel& c) {
         return c.WriteProfile(std::span<const std::uint8_t, 55>(profile));
       }},
      {"TwoMacroRecords", 256, 4096, 4104, twoRecords,
       [](DriverChannel& c) {
         const std::vector<macros::DriverMacroRecord> records{Record(5), Record(6)};
         return c.WriteDriverMacros(records);
       }},
      {"NoMacroRecords", 256, 0, 8, {}, [](DriverChannel& c) { return c.WriteDriverMacros({}); }},
      {"DriverProfileFile", 0, 102400, 102455, paddedProfile,
       [&](DriverChannel& c) { return c.LoadDriverProfile(profileFile); }},
      {"DefaultParameters", 0, 102400, 102408, defaults,
       [&](DriverChannel& c) { return c.LoadDefaultDriverParameters(defaults); }},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    DriverRig rig;
    ASSERT_TRUE(rig.opened);
    EXPECT_TRUE(c.write(rig.channel));
    ASSERT_EQ(rig.driver.Transcript().size(), 1u);
    const sim::DriverCall& call = rig.driver.Transcript()[0];
    EXPECT_EQ(call.code, 0x223E08u);
    EXPECT_EQ(call.address, c.address);
    EXPECT_EQ(call.length, c.length);
    EXPECT_EQ(call.inputSize, c.bufferSize);
    EXPECT_EQ(call.outputSize, 0u);
    EXPECT_EQ(call.input, Frame(c.address, c.length, c.payload, c.bufferSize));
    EXPECT_EQ(rig.Memory(c.address, c.length), c.payload);
  }
}

TEST(DriverChannel, TheFailureSwitchMakesTheDefaultLoadReportFailure) {
  DriverRig rig;
  ASSERT_TRUE(rig.opened);
  const Bytes before = rig.driver.memory;
  rig.driver.failFullLoad = true;
  EXPECT_FALSE(rig.channel.LoadDefaultDriverParameters(Bytes(102400, 0xEE)));
  EXPECT_FALSE(rig.channel.LoadDriverProfile(Bytes(40960, 0xEE)));
  EXPECT_EQ(rig.driver.memory, before);
  EXPECT_EQ(rig.driver.Transcript().size(), 2u);
  // Section writes are not full loads.
  EXPECT_TRUE(rig.channel.WriteParameterB(std::span<const std::uint8_t, 8>(Bytes(8, 0xEE))));

  rig.driver.failFullLoad = false;
  EXPECT_TRUE(rig.channel.LoadDefaultDriverParameters(Bytes(102400, 0xEE)));
  EXPECT_EQ(rig.driver.memory, Bytes(102400, 0xEE));
}

TEST(DriverChannel, ALoadLongerThanTheDriversMemoryIsRefusedUnsent) {
  DriverRig rig;
  ASSERT_TRUE(rig.opened);
  EXPECT_FALSE(rig.channel.LoadDriverProfile(Bytes(102401, 1)));
  EXPECT_FALSE(rig.channel.LoadDefaultDriverParameters(Bytes(102401, 1)));
  EXPECT_TRUE(rig.driver.Transcript().empty());
}

// Before a driver is open nothing reaches any driver, and reads give zeros.
// After the driver has gone, calls reach it, fail, and reads give zeros too.
TEST(DriverChannel, FailedExchangesYieldZerosAndNoDump) {
  for (const bool openFirst : {false, true}) {
    SCOPED_TRACE(openFirst ? "driver gone" : "never opened");
    sim::SimulatedFilterDriver driver;
    std::fill(driver.memory.begin(), driver.memory.end(), 0x77);
    DriverChannel channel(driver);
    if (openFirst) {
      ASSERT_TRUE(channel.OpenDriverById(driver.id));
      driver.present = false;
    }
    Bytes a(48, 0xAA);
    EXPECT_FALSE(channel.ReadParameterA(std::span<std::uint8_t, 48>(a)));
    EXPECT_EQ(a, Bytes(48, 0));
    Bytes fireKey(11, 0xAA);
    EXPECT_FALSE(channel.ReadFireKeySection(std::span<std::uint8_t, 11>(fireKey)));
    EXPECT_EQ(fireKey, Bytes(11, 0));
    const auto records = channel.ReadDriverMacros(2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1], macros::DriverMacroRecord{});
    EXPECT_EQ(channel.ReadProfileDump(LiveState{1, 2, 3, 4}), std::nullopt);
    LiveState state{9, 9, 9, 9};
    EXPECT_FALSE(channel.ReadLiveState(state));
    EXPECT_EQ(state, (LiveState{9, 9, 9, 9}));
    EXPECT_FALSE(channel.WriteParameterB(std::span<const std::uint8_t, 8>(Bytes(8, 1))));
    EXPECT_EQ(driver.memory, Bytes(102400, 0x77));
    EXPECT_EQ(driver.Transcript().size(), openFirst ? 6u : 0u);
  }
}

TEST(DriverChannel, NoMacroRecordsMeansNoRead) {
  DriverRig rig;
  ASSERT_TRUE(rig.opened);
  EXPECT_TRUE(rig.channel.ReadDriverMacros(0).empty());
  EXPECT_TRUE(rig.driver.Transcript().empty());
}

struct CountCase {
  const char* name;
  std::vector<std::string> codes;
  std::size_t records;
};

TEST(DriverMacroRecordCount, CountsThroughTheHighestReferencedRecord) {
  const std::vector<CountCase> cases = {
      {"NoCodes", {}, 0},
      {"NoMacroCodes", {"010100", "020004", "070000", "0B0501", "0C0102"}, 0},
      {"FirstRecord", {"060120"}, 1},
      {"SecondRecordWhileHeld", {"0E0920"}, 2},
      {"HighestOfSeveral", {"060120", "020004", "0E1120", "060920"}, 3},
      {"FireKeyIsNoMacro", {"0600F0", "0E00F0"}, 0},
      {"FireKeyBesideAMacro", {"0600F0", "060920"}, 2},
      {"LowerCaseCodes", {"0e0920"}, 2},
      {"DamagedStringsSkipped", {"06", "0609200", "06G920", "060120"}, 1},
      {"LargestValue", {"06FFFF"}, 32},
      {"BelowTheFirstContent", {"06001F", "060020"}, 1},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(device::DriverMacroRecordCount(c.codes), c.records);
  }
}

TEST(LiveStateInLoad, TakesBytes160To163) {
  Bytes load = Pattern(40960, 0);
  EXPECT_EQ(device::LiveStateInLoad(load), (LiveState{160, 161, 162, 163}));
  load.resize(162);
  EXPECT_EQ(device::LiveStateInLoad(load), (LiveState{160, 161, 0, 0}));
  EXPECT_EQ(device::LiveStateInLoad({}), (LiveState{0, 0, 0, 0}));
}

}  // namespace
}  // namespace orbic::test
