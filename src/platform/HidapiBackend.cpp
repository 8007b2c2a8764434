#include "platform/HidapiBackend.h"

#include <hidapi/hidapi.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
  for (const auto& [handle, open] : open_) {
    hid_close(open.device);
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
    info.featureLengths = FeatureReportLengths(ReadHidrawDescriptor(info.path));
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
  open_.emplace(handle, OpenDevice{opened, path, 0});
  return handle;
}

bool HidapiBackend::PermissionDenied(const std::string& path) {
  // access() answers for the real user, which is who opened the node.
  return ::access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES;
}

bool HidapiBackend::Gone(device::HidHandle handle) {
  const auto it = open_.find(handle);
  if (it == open_.end()) {
    return false;
  }
  // hidraw answers ENODEV once its device was removed; the USB core's own
  // codes for a vanished device may come first, while the node still exists.
  const int error = it->second.lastError;
  if (error == ENODEV || error == ENXIO || error == ESHUTDOWN) {
    return true;
  }
  struct stat status {};
  const bool nodeMissing = ::stat(it->second.path.c_str(), &status) != 0 && errno == ENOENT;
  return error != 0 && nodeMissing;
}

void HidapiBackend::Close(device::HidHandle handle) {
  const auto it = open_.find(handle);
  if (it == open_.end()) {
    return;
  }
  hid_close(it->second.device);
  open_.erase(it);
}

bool HidapiBackend::SetFeature(device::HidHandle handle, const std::uint8_t* report,
                               std::size_t length) {
  OpenDevice* open = Find(handle);
  if (open == nullptr || report == nullptr || length == 0) {
    return false;
  }
  // A short transfer is a failed one: the device got a truncated command.
  errno = 0;
  const int written = hid_send_feature_report(open->device, report, length);
  const bool ok = written >= 0 && static_cast<std::size_t>(written) == length;
  open->lastError = ok ? 0 : errno;
  return ok;
}

bool HidapiBackend::GetFeature(device::HidHandle handle, std::uint8_t* report, std::size_t length) {
  OpenDevice* open = Find(handle);
  if (open == nullptr || report == nullptr || length == 0) {
    return false;
  }
  // Byte 0 already holds the report id the caller asks for; hidraw reads the report into the
  // same buffer, id byte included. Fewer bytes than the report is no reply: the status byte
  // would be whatever the buffer held before.
  errno = 0;
  const int read = hid_get_feature_report(open->device, report, length);
  const bool ok = read >= 0 && static_cast<std::size_t>(read) == length;
  open->lastError = ok ? 0 : errno;
  return ok;
}

HidapiBackend::OpenDevice* HidapiBackend::Find(device::HidHandle handle) {
  const auto it = open_.find(handle);
  return it == open_.end() ? nullptr : &it->second;
}

}  // namespace orbic::platform
