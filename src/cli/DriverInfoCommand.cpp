// driver-info: the first steps of a driver-mode connection, for checking a
// machine's filter driver (or a simulated one) from a script.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/CliUiHost.h"
#include "cli/Commands.h"
#include "device/CommandChannel.h"
#include "device/DeviceMonitor.h"
#include "device/DriverChannel.h"
#include "device/HidDiscovery.h"

namespace orbic::cli {

namespace {

std::string Hex(std::span<const std::uint8_t> bytes) {
  std::string text;
  char digits[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(digits, sizeof digits, i == 0 ? "%02X" : " %02X", bytes[i]);
    text += digits;
  }
  return text;
}

std::string IdText(std::uint16_t id) {
  char digits[5];
  std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(id));
  return digits;
}

// Saves the simulated devices and ends with `status`, or with bad input when
// a state file cannot be written.
int Finish(DeviceAccess& access, int status) {
  std::string error;
  if (!access.SaveSimulatedState(error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  return status;
}

}  // namespace

int RunDriverInfo(const GlobalOptions& options, bool json) {
  std::string error;
  auto access = DeviceAccess::Open(options, error);
  if (!access) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  device::DriverPort* port = access->Driver();
  if (port == nullptr) {
    std::cerr << "There is no filter driver on this system; use --simulated-driver.\n";
    return kExitBadInput;
  }

  CliUiHost host;
  device::CommandChannel mouse(access->Backend(), access->Clock(), host);
  std::uint32_t version = device::kExpectedVersion;
  if (!device::OpenMouse(access->Backend(), mouse.Device(), device::kMouseIds.vendorId,
                         device::kMouseIds.productId, version)) {
    std::cerr << "No ORBIC40 mouse found.\n";
    return Finish(*access, kExitDeviceFailure);
  }
  // The steps of OpenDriverChannel, taken one by one to say which failed.
  if (!mouse.SendCommand(device::command::kDriverId)) {
    std::cerr << "The mouse did not report its driver id.\n";
    return Finish(*access, kExitDeviceFailure);
  }
  const auto id = static_cast<std::uint16_t>((mouse.Reply(1) << 8) | mouse.Reply(2));
  device::DriverChannel driver(*port);
  if (!driver.OpenDriverById(id)) {
    std::cerr << "No filter driver with id " << IdText(id) << " was found.\n";
    return Finish(*access, kExitDeviceFailure);
  }

  device::LiveState live{};
  const bool liveRead = driver.ReadLiveState(live);
  std::array<std::uint8_t, device::driver::kParameterALength> a{};
  std::array<std::uint8_t, device::driver::kParameterBLength> b{};
  std::array<std::uint8_t, device::driver::kProfileLength> profile{};
  std::array<std::uint8_t, device::kFireKeySectionSize> fireKey{};
  // Every read is made, as the connection start makes them, whatever the others gave.
  bool sectionsRead = driver.ReadParameterA(a);
  sectionsRead = driver.ReadParameterB(b) && sectionsRead;
  sectionsRead = driver.ReadProfile(profile) && sectionsRead;
  sectionsRead = driver.ReadFireKeySection(fireKey) && sectionsRead;
  if (!liveRead || !sectionsRead) {
    std::cerr << "The filter driver with id " << IdText(id) << " did not answer every read.\n";
    return Finish(*access, kExitDeviceFailure);
  }

  if (json) {
    const nlohmann::json doc = {{"id", IdText(id)},        {"liveState", Hex(live)},
                                {"parameterA", Hex(a)},    {"parameterB", Hex(b)},
                                {"profile", Hex(profile)}, {"fireKey", Hex(fireKey)}};
    std::cout << doc.dump(2) << '\n';
  } else {
    std::cout << "Filter driver id " << IdText(id) << '\n'
              << "Live state:  " << Hex(live) << '\n'
              << "Parameter A: " << Hex(a) << '\n'
              << "Parameter B: " << Hex(b) << '\n'
              << "Profile:     " << Hex(profile) << '\n'
              << "Fire Key:    " << Hex(fireKey) << '\n';
  }
  return Finish(*access, kExitOk);
}

}  // namespace orbic::cli
