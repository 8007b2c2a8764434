#include <algorithm>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "device/DeviceMonitor.h"
#include "device/HidDiscovery.h"

namespace orbic::cli {

namespace {

bool IsMouse(const device::HidInterfaceInfo& info) {
  return device::MatchesMouse(info, device::kMouseIds.vendorId, device::kMouseIds.productId,
                              device::kExpectedVersion);
}

// The length that decides: the command collection's when there is one,
// else the longest of the interface's collections.
std::size_t FeatureLength(const device::HidInterfaceInfo& info) {
  if (info.HasFeatureLength(device::kMouseFeatureLength)) {
    return device::kMouseFeatureLength;
  }
  std::size_t longest = 0;
  for (const std::size_t length : info.featureLengths) {
    longest = std::max(longest, length);
  }
  return longest;
}

// "8" or, for an interface of several top-level collections, "0,8,65".
std::string CollectionLengths(const device::HidInterfaceInfo& info) {
  std::string text;
  for (const std::size_t length : info.featureLengths) {
    text += (text.empty() ? "" : ",") + std::to_string(length);
  }
  return text.empty() ? "0" : text;
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
                      {"featureLength", FeatureLength(info)},
                      {"collectionFeatureLengths", info.featureLengths},
                      {"mouse", IsMouse(info)}});
    }
    std::cout << list.dump(2) << '\n';
  } else if (interfaces.empty()) {
    std::cout << "No HID interfaces found.\n";
  } else {
    for (const auto& info : interfaces) {
      char line[160];
      std::snprintf(line, sizeof line, "%c vendor %04X product %04X version %04X feature %s  ",
                    IsMouse(info) ? '*' : ' ', info.vendorId, info.productId, info.version,
                    CollectionLengths(info).c_str());
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
