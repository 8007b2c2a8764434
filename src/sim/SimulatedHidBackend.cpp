#include "sim/SimulatedHidBackend.h"

namespace orbic::sim {

void SimulatedHidBackend::AttachMouse(std::shared_ptr<SimulatedMouse> mouse, std::string path) {
  device::HidInterfaceInfo info;
  info.path = std::move(path);
  Interface entry{info, std::move(mouse), true, true};
  interfaces_.push_back(std::move(entry));
}

void SimulatedHidBackend::AddInterface(const device::HidInterfaceInfo& info, bool openable) {
  interfaces_.push_back({info, nullptr, true, openable});
}

SimulatedHidBackend::Interface* SimulatedHidBackend::Find(const std::string& path) {
  for (Interface& entry : interfaces_) {
    if (entry.info.path == path) {
      return &entry;
    }
  }
  return nullptr;
}

bool SimulatedHidBackend::Present(const Interface& entry) const {
  return entry.present && !(entry.mouse && entry.mouse->unplugged);
}

void SimulatedHidBackend::Plug(const std::string& path) {
  if (Interface* entry = Find(path)) {
    if (!Present(*entry)) {
      ++entry->generation;
    }
    entry->present = true;
    if (entry->mouse) {
      entry->mouse->unplugged = false;
    }
  }
}

void SimulatedHidBackend::Unplug(const std::string& path) {
  if (Interface* entry = Find(path)) {
    entry->present = false;
    if (entry->mouse) {
      entry->mouse->unplugged = true;
    }
  }
}

std::vector<device::HidInterfaceInfo> SimulatedHidBackend::Enumerate() {
  ++enumerations_;
  std::vector<device::HidInterfaceInfo> result;
  for (const Interface& entry : interfaces_) {
    if (!Present(entry)) {
      continue;
    }
    device::HidInterfaceInfo info = entry.info;
    if (entry.mouse) {
      info.vendorId = entry.mouse->identity.vendorId;
      info.productId = entry.mouse->identity.productId;
      info.version = entry.mouse->identity.version;
      info.featureLengths = {entry.mouse->identity.featureLength};
    }
    result.push_back(info);
  }
  return result;
}

bool SimulatedHidBackend::CanOpen(const std::string& path) {
  const Interface* entry = Find(path);
  return entry && Present(*entry) && entry->openable;
}

device::HidHandle SimulatedHidBackend::Open(const std::string& path) {
  if (!CanOpen(path) || Find(path)->permissionDenied) {
    return device::kInvalidHandle;
  }
  const device::HidHandle handle = nextHandle_++;
  handles_[handle] = {path, Find(path)->generation};
  return handle;
}

void SimulatedHidBackend::Close(device::HidHandle handle) {
  handles_.erase(handle);
}

bool SimulatedHidBackend::PermissionDenied(const std::string& path) {
  const Interface* entry = Find(path);
  return entry && Present(*entry) && entry->permissionDenied;
}

void SimulatedHidBackend::SetPermissionDenied(const std::string& path, bool denied) {
  if (Interface* entry = Find(path)) {
    entry->permissionDenied = denied;
  }
}

// A handle is gone once its interface was pulled out, even if it came back:
// the old handle never reaches the new device.
bool SimulatedHidBackend::Gone(device::HidHandle handle) {
  const auto it = handles_.find(handle);
  if (it == handles_.end()) {
    return false;
  }
  const Interface* entry = Find(it->second.path);
  return !entry || !Present(*entry) || entry->generation != it->second.generation;
}

SimulatedMouse* SimulatedHidBackend::MouseFor(device::HidHandle handle) {
  auto it = handles_.find(handle);
  if (it == handles_.end()) {
    return nullptr;
  }
  Interface* entry = Find(it->second.path);
  if (!entry || !Present(*entry) || entry->generation != it->second.generation) {
    return nullptr;
  }
  return entry->mouse.get();
}

bool SimulatedHidBackend::SetFeature(device::HidHandle handle, const std::uint8_t* report,
                                     std::size_t length) {
  SimulatedMouse* mouse = MouseFor(handle);
  return mouse && mouse->SetFeature(report, length);
}

bool SimulatedHidBackend::GetFeature(device::HidHandle handle, std::uint8_t* report,
                                     std::size_t length) {
  SimulatedMouse* mouse = MouseFor(handle);
  return mouse && mouse->GetFeature(report, length);
}

}  // namespace orbic::sim
