#include "platform/WinHidBackend.h"

#include <algorithm>
#include <array>
#include <limits>

#include "platform/WinInterfaceList.h"
#include "platform/WinSystem.h"

namespace orbic::platform {
namespace {

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

// What a report call on an unplugged device fails with.
constexpr std::array<DWORD, 3> kGoneErrors{ERROR_DEVICE_NOT_CONNECTED, ERROR_FILE_NOT_FOUND,
                                           ERROR_DEV_NOT_EXIST};

bool FitsReport(const std::uint8_t* report, std::size_t length) {
  return report != nullptr && length != 0 && length <= std::numeric_limits<ULONG>::max();
}

}  // namespace

WinHidBackend::WinHidBackend() : WinHidBackend(RealWinSystem()) {}

WinHidBackend::WinHidBackend(WinSystem& system) : system_(system) {}

WinHidBackend::~WinHidBackend() {
  for (const auto& [handle, open] : open_) {
    system_.CloseHandle(open.system);
  }
}

// Identity and feature report length of one interface, read through a handle with no access
// rights; false, with nothing filled in, when the interface cannot be opened or does not answer.
bool WinHidBackend::Describe(device::HidInterfaceInfo& info) {
  const HANDLE handle = system_.CreateFileA(info.path.c_str(), 0, kShareReadWrite, OPEN_EXISTING);
  if (handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  HIDD_ATTRIBUTES attributes{};
  attributes.Size = sizeof attributes;
  const bool described = system_.HidD_GetAttributes(handle, attributes) != FALSE;
  if (described) {
    info.vendorId = attributes.VendorID;
    info.productId = attributes.ProductID;
    info.version = attributes.VersionNumber;
    HIDP_CAPS caps{};
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (system_.HidD_GetPreparsedData(handle, preparsed)) {
      if (system_.HidP_GetCaps(preparsed, caps) != HIDP_STATUS_SUCCESS) {
        caps = HIDP_CAPS{};
      }
      system_.HidD_FreePreparsedData(preparsed);
    }
    // The interface is one top-level collection; without capabilities it has no feature report.
    info.featureLengths = {caps.FeatureReportByteLength};
  }
  system_.CloseHandle(handle);
  return described;
}

std::vector<device::HidInterfaceInfo> WinHidBackend::Enumerate() {
  GUID hidClass{};
  system_.HidD_GetHidGuid(hidClass);
  std::vector<device::HidInterfaceInfo> interfaces;
  for (std::string& path : InterfacePaths(system_, hidClass)) {
    // Listed even when it cannot be described: it still counts as an interface that opens, and
    // with no identity it never matches the mouse.
    device::HidInterfaceInfo info;
    info.path = std::move(path);
    Describe(info);
    interfaces.push_back(std::move(info));
  }
  return interfaces;
}

bool WinHidBackend::CanOpen(const std::string& path) {
  // No access rights: this succeeds whenever the interface exists, whoever holds it.
  const HANDLE handle = system_.CreateFileA(path.c_str(), 0, kShareReadWrite, OPEN_EXISTING);
  if (handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  system_.CloseHandle(handle);
  return true;
}

device::HidHandle WinHidBackend::Open(const std::string& path) {
  const HANDLE system = system_.CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                            kShareReadWrite, OPEN_EXISTING);
  if (system == INVALID_HANDLE_VALUE) {
    if (system_.GetLastError() == ERROR_ACCESS_DENIED) {
      refusedPath_ = path;
    }
    return device::kInvalidHandle;
  }
  const device::HidHandle handle = nextHandle_++;
  open_.emplace(handle, OpenInterface{system, ERROR_SUCCESS});
  return handle;
}

bool WinHidBackend::PermissionDenied(const std::string& path) {
  return !path.empty() && path == refusedPath_;
}

void WinHidBackend::Close(device::HidHandle handle) {
  const auto it = open_.find(handle);
  if (it == open_.end()) {
    return;
  }
  system_.CloseHandle(it->second.system);
  open_.erase(it);
}

bool WinHidBackend::SetFeature(device::HidHandle handle, const std::uint8_t* report,
                               std::size_t length) {
  OpenInterface* open = Find(handle);
  if (open == nullptr || !FitsReport(report, length)) {
    return false;
  }
  // The call takes a writable buffer but does not change it.
  std::vector<std::uint8_t> copy(report, report + length);
  if (!system_.HidD_SetFeature(open->system, copy.data(), static_cast<ULONG>(length))) {
    open->lastError = system_.GetLastError();
    return false;
  }
  return true;
}

bool WinHidBackend::GetFeature(device::HidHandle handle, std::uint8_t* report, std::size_t length) {
  OpenInterface* open = Find(handle);
  if (open == nullptr || !FitsReport(report, length)) {
    return false;
  }
  // Byte 0 already holds the report id the caller asks for.
  if (!system_.HidD_GetFeature(open->system, report, static_cast<ULONG>(length))) {
    open->lastError = system_.GetLastError();
    return false;
  }
  return true;
}

bool WinHidBackend::Gone(device::HidHandle handle) {
  const OpenInterface* open = Find(handle);
  if (open == nullptr) {
    return false;
  }
  return std::find(kGoneErrors.begin(), kGoneErrors.end(), open->lastError) != kGoneErrors.end();
}

WinHidBackend::OpenInterface* WinHidBackend::Find(device::HidHandle handle) {
  const auto it = open_.find(handle);
  return it == open_.end() ? nullptr : &it->second;
}

}  // namespace orbic::platform
