#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "device/DriverPort.h"

namespace orbic::sim {

inline constexpr std::size_t kDriverMemorySize = 102400;

// One DeviceIoControl call as the driver saw it. Address and length come from
// the frame header (0 when the call carried none); `input` is every byte
// handed in, header included.
struct DriverCall {
  std::string path;  // interface the handle was opened on; empty for a bad handle
  std::uint32_t code = 0;
  std::uint32_t address = 0;
  std::uint32_t length = 0;
  std::size_t inputSize = 0;
  std::size_t outputSize = 0;
  std::vector<std::uint8_t> input;
  bool result = false;
};

// The filter driver beside the mouse: a device interface of the driver's
// class whose path carries the id at positions 55..58, the three control
// codes on a 102400-byte memory (the live state at 160..163), and a record of
// every call. A call outside the memory or with a short buffer fails and
// changes nothing, as does every call on a handle that is not open or whose
// interface has gone.
class SimulatedFilterDriver : public device::DriverPort {
 public:
  SimulatedFilterDriver();

  // The path of the driver's own interface for `id`.
  static std::string InterfacePath(std::uint16_t id);

  std::vector<std::uint8_t> memory;  // kDriverMemorySize bytes
  std::uint16_t id = 0x1234;         // as the mouse reports it on command 0x81
  bool present = true;               // the driver's interface is listed
  // A full 102400-byte load from address 0 (the default-parameter and profile
  // loads) reports failure and stores nothing.
  bool failFullLoad = false;
  // When set, sees the output of every call that succeeded just before the
  // caller gets it and may change its bytes, so the host's handling of damaged
  // replies can be exercised (the fuzzers feed it).
  std::function<void(std::span<std::uint8_t>)> garbleReply;

  // Further interfaces of the class (another driver, a damaged entry); they
  // open and answer like the driver itself.
  struct ExtraInterface {
    std::string path;
    bool openable = true;
  };
  void AddInterface(const std::string& path, bool openable = true);
  const std::vector<ExtraInterface>& Interfaces() const { return extras_; }
  // Takes memory, id, switches and further interfaces from `other`; open
  // handles and the transcript stay.
  void LoadStateFrom(const SimulatedFilterDriver& other);
  // Interface path of the driver itself, from `id`.
  std::string Path() const { return InterfacePath(id); }

  const std::vector<DriverCall>& Transcript() const { return transcript_; }
  void ClearTranscript() { transcript_.clear(); }
  // Paths Open was asked for, in order, whether or not they opened.
  const std::vector<std::string>& OpenRequests() const { return openRequests_; }
  int OpenHandles() const { return static_cast<int>(handles_.size()); }
  int Enumerations() const { return enumerations_; }

  std::vector<std::string> EnumerateInterfaces(std::string_view classGuid) override;
  device::DriverHandle Open(const std::string& path) override;
  void Close(device::DriverHandle handle) override;
  bool DeviceIoControl(device::DriverHandle handle, std::uint32_t code,
                       std::span<const std::uint8_t> input,
                       std::span<std::uint8_t> output) override;

 private:
  bool Execute(std::uint32_t code, std::span<const std::uint8_t> input,
               std::span<std::uint8_t> output, DriverCall& call);
  bool Openable(const std::string& path) const;
  bool InRange(std::uint32_t address, std::uint32_t length) const;

  std::vector<ExtraInterface> extras_;
  std::map<device::DriverHandle, std::string> handles_;
  device::DriverHandle nextHandle_ = 1;
  std::vector<DriverCall> transcript_;
  std::vector<std::string> openRequests_;
  int enumerations_ = 0;
};

}  // namespace orbic::sim
