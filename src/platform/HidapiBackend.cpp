#include "platform/HidapiBackend.h"

#include <hidapi/hidapi.h>
#include <sys/stat.h>

#include <memory>
#include <unordered_set>

#include "platform/HidrawDescriptor.h"
#include "platform/HidrawNode.h"
#include "platform/ReportDescriptor.h"

namespace orbic::platform {
namespace {

// hid_init/hid_exit act on the whole library, so only the last backend alive may call hid_exit.
int liveBackends = 0;

struct EnumerationDeleter {
  void operator()(hid_device_info* list) const { hid_free_enumeration(list); }
};

}  // namespace

HidapiBackend::HidapiBackend() {
  initialized_ = hid_init() == 0;
  if (initialized_) {
    ++liveBackends;
  }
}

HidapiBackend::~HidapiBackend() {
  for (const auto& [handle, device] : open_) {
    hid_close(device);
  }
  if (initialized_ && --liveBackends == 0) {
    hid_exit();
  }
}

std::vector<device::HidInterfaceInfo> HidapiBackend::Enumerate() {
  std::vector<device::HidInterfaceInfo> interfaces;
  if (!initialized_) {
    return interfaces;
  }
  const std::unique_ptr<hid_device_info, EnumerationDeleter> list(hid_enumerate(0, 0));
  // hidapi lists a node once per top-level usage; the interface is one node.
  std::unordered_set<std::string> seen;
  for (const hid_device_info* entry = list.get(); entry != nullptr; entry = entry->next) {
    if (entry->path == nullptr || !seen.insert(entry->path).second) {
      continue;
    }
    device::HidInterfaceInfo info;
    info.path = entry->path;
    info.vendorId = entry->vendor_id;
    info.productId = entry->product_id;
    info.version = entry->release_number;
    info.featureLength = FeatureReportLength(ReadHidrawDescriptor(info.path));
    interfaces.push_back(std::move(info));
  }
  return interfaces;
}

bool HidapiBackend::CanOpen(const std::string& path) {
  // Windows counts an interface as openable when a handle with no access rights can be created,
  // which works whenever the device exists, whatever its permissions. The equivalent here is a
  // present character device node; read or write permission on it is not required.
  struct stat status {};
  return !path.empty() && ::stat(path.c_str(), &status) == 0 && S_ISCHR(status.st_mode);
}

device::HidHandle HidapiBackend::Open(const std::string& path) {
  // hidapi 0.13 corrupts memory when asked to open any other kind of node.
  if (!initialized_ || !IsHidrawNode(path)) {
    return device::kInvalidHandle;
  }
  hid_device* opened = hid_open_path(path.c_str());
  if (opened == nullptr) {
    return device::kInvalidHandle;
  }
  const device::HidHandle handle = nextHandle_++;
  open_.emplace(handle, opened);
  return handle;
}

void HidapiBackend::Close(device::HidHandle handle) {
  const auto it = open_.find(handle);
  if (it == open_.end()) {
    return;
  }
  hid_close(it->second);
  open_.erase(it);
}

bool HidapiBackend::SetFeature(device::HidHandle handle, const std::uint8_t* report,
                               std::size_t length) {
  hid_device* device = Find(handle);
  if (device == nullptr || report == nullptr || length == 0) {
    return false;
  }
  // A short transfer is a failed one: the device got a truncated command.
  const int written = hid_send_feature_report(device, report, length);
  return written >= 0 && static_cast<std::size_t>(written) == length;
}

bool HidapiBackend::GetFeature(device::HidHandle handle, std::uint8_t* report, std::size_t length) {
  hid_device* device = Find(handle);
  if (device == nullptr || report == nullptr || length == 0) {
    return false;
  }
  // Byte 0 already holds the report id the caller asks for; hidraw reads the report into the
  // same buffer, id byte included.
  return hid_get_feature_report(device, report, length) > 0;
}

hid_device_* HidapiBackend::Find(device::HidHandle handle) const {
  const auto it = open_.find(handle);
  return it == open_.end() ? nullptr : it->second;
}

}  // namespace orbic::platform
