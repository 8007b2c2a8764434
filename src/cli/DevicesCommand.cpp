#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "device/DeviceMonitor.h"

namespace orbic::cli {

namespace {

bool IsMouse(const device::HidInterfaceInfo& info) {
  return info.vendorId == device::kMouseIds.vendorId &&
         info.productId == device::kMouseIds.productId &&
         info.version == device::kExpectedVersion && info.featureLength == 8;
}

}  // namespace

int RunDevices(const GlobalOptions& options, bool json) {
  std::string error;
  auto access = DeviceAccess::Open(options, error);
  if (!access) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  const auto interfaces = access->Backend().Enumerate();
  if (json) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& info : interfaces) {
      list.push_back({{"path", info.path},
                      {"vendorId", info.vendorId},
                      {"productId", info.productId},
                      {"version", info.version},
                      {"featureLength", info.featureLength},
                      {"mouse", IsMouse(info)}});
    }
    std::cout << list.dump(2) << '\n';
  } else if (interfaces.empty()) {
    std::cout << "No HID interfaces found.\n";
  } else {
    for (const auto& info : interfaces) {
      char line[160];
      std::snprintf(line, sizeof line, "%c vendor %04X product %04X version %04X feature %zu  ",
                    IsMouse(info) ? '*' : ' ', info.vendorId, info.productId, info.version,
                    info.featureLength);
      std::cout << line << info.path << (IsMouse(info) ? "  (ORBIC40 mouse)" : "") << '\n';
    }
  }
  if (!access->SaveSimulatedState(error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace orbic::cli
