#include "sim/SimulatedFilterDriver.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace orbic::sim {

namespace {

// Shaped like a Windows device interface path; the id follows the prefix so
// that it lands at positions 55..58.
constexpr std::string_view kPathPrefix =
    R"(\\?\ROOT#ORBIC40FILTER#0000#SIMULATED-FILTER-DRIVER-ID)";
constexpr std::string_view kPathSuffix = "#{902e3649-bb28-43e0-83e2-858cecfbee7b}";
static_assert(kPathPrefix.size() == device::driver::kIdPosition - 1);

constexpr std::size_t kAddressOffset = 0;
constexpr std::size_t kLengthOffset = 4;

std::uint32_t GetU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
  }
  return value;
}

bool SameGuid(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

}  // namespace

SimulatedFilterDriver::SimulatedFilterDriver() : memory(kDriverMemorySize, 0) {}

std::string SimulatedFilterDriver::InterfacePath(std::uint16_t id) {
  char digits[5];
  std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(id));
  return std::string(kPathPrefix) + digits + std::string(kPathSuffix);
}

void SimulatedFilterDriver::AddInterface(const std::string& path, bool openable) {
  extras_.push_back({path, openable});
}

void SimulatedFilterDriver::LoadStateFrom(const SimulatedFilterDriver& other) {
  memory = other.memory;
  id = other.id;
  present = other.present;
  failFullLoad = other.failFullLoad;
  extras_ = other.extras_;
}

std::vector<std::string> SimulatedFilterDriver::EnumerateInterfaces(std::string_view classGuid) {
  ++enumerations_;
  std::vector<std::string> paths;
  if (!SameGuid(classGuid, device::driver::kInterfaceClassGuid)) {
    return paths;
  }
  if (present) {
    paths.push_back(Path());
  }
  for (const ExtraInterface& extra : extras_) {
    paths.push_back(extra.path);
  }
  return paths;
}

bool SimulatedFilterDriver::Openable(const std::string& path) const {
  bool openable = present && path == Path();
  for (const ExtraInterface& extra : extras_) {
    openable = openable || (extra.openable && extra.path == path);
  }
  return openable;
}

device::DriverHandle SimulatedFilterDriver::Open(const std::string& path) {
  openRequests_.push_back(path);
  if (!Openable(path)) {
    return device::kInvalidDriverHandle;
  }
  const device::DriverHandle handle = nextHandle_++;
  handles_[handle] = path;
  return handle;
}

void SimulatedFilterDriver::Close(device::DriverHandle handle) {
  handles_.erase(handle);
}

bool SimulatedFilterDriver::InRange(std::uint32_t address, std::uint32_t length) const {
  return address <= memory.size() && length <= memory.size() - address;
}

bool SimulatedFilterDriver::DeviceIoControl(device::DriverHandle handle, std::uint32_t code,
                                            std::span<const std::uint8_t> input,
                                            std::span<std::uint8_t> output) {
  DriverCall call;
  call.code = code;
  call.inputSize = input.size();
  call.outputSize = output.size();
  call.input.assign(input.begin(), input.end());
  if (input.size() >= device::driver::kFrameHeaderSize) {
    call.address = GetU32(input, kAddressOffset);
    call.length = GetU32(input, kLengthOffset);
  }
  const auto open = handles_.find(handle);
  if (open != handles_.end()) {
    call.path = open->second;
  }
  // A handle whose interface has gone since it was opened answers nothing.
  if (open != handles_.end() && Openable(open->second)) {
    call.result = Execute(code, input, output, call);
    if (call.result && garbleReply && !output.empty()) {
      garbleReply(output);
    }
  }
  transcript_.push_back(std::move(call));
  return transcript_.back().result;
}

bool SimulatedFilterDriver::Execute(std::uint32_t code, std::span<const std::uint8_t> input,
                                    std::span<std::uint8_t> output, DriverCall& call) {
  using namespace device::driver;
  if (memory.size() != kDriverMemorySize) {
    return false;
  }
  switch (code) {
    case kIoctlLiveState:
      if (output.size() < kLiveStateLength) {
        return false;
      }
      std::copy_n(memory.begin() + kLiveStateAddress, kLiveStateLength, output.begin());
      return true;
    case kIoctlRead: {
      if (input.size() < kFrameHeaderSize || !InRange(call.address, call.length) ||
          input.size() - kFrameHeaderSize < call.length ||
          output.size() < kFrameHeaderSize + call.length) {
        return false;
      }
      // Buffered transfer: what comes back is the request buffer with the
      // data part filled in, so the header is handed back as it came.
      if (output.data() != input.data()) {
        std::memmove(output.data(), input.data(), kFrameHeaderSize);
      }
      std::copy_n(memory.begin() + call.address, call.length, output.begin() + kFrameHeaderSize);
      return true;
    }
    case kIoctlWrite:
      if (input.size() < kFrameHeaderSize || !InRange(call.address, call.length) ||
          input.size() - kFrameHeaderSize < call.length) {
        return false;
      }
      if (failFullLoad && call.address == 0 && call.length == kFullLoadLength) {
        return false;
      }
      std::copy_n(input.begin() + kFrameHeaderSize, call.length, memory.begin() + call.address);
      return true;
    default:
      return false;
  }
}

}  // namespace orbic::sim
