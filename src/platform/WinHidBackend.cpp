#include "platform/WinHidBackend.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h first: the SetupApi and HID headers rely on its types.
// hidsdi.h brings hidpi.h after the usage types it needs.
// MinGW's HID headers declare C functions without a C++ guard.
extern "C" {
#include <hidsdi.h>
}
#include <setupapi.h>

#include <cstddef>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace orbic::platform {
namespace {

HANDLE OpenInterface(const std::string& path, DWORD access) {
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, 0, nullptr);
}

// The device path of one enumerated interface; empty when the system gives none.
std::string InterfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& interfaceData) {
  DWORD required = 0;
  SetupDiGetDeviceInterfaceDetailA(set, &interfaceData, nullptr, 0, &required, nullptr);
  if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) ||
      GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return {};
  }
  std::vector<std::uint8_t> storage(required);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
  // The size of the fixed part, which the call checks.
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
  if (!SetupDiGetDeviceInterfaceDetailA(set, &interfaceData, detail, required, nullptr, nullptr)) {
    return {};
  }
  const std::size_t pathSpace = required - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
  return std::string(detail->DevicePath, strnlen(detail->DevicePath, pathSpace));
}

// Identity and feature report length of one interface, read through a handle with no access
// rights; false when the interface cannot be opened or does not answer.
bool DescribeInterface(device::HidInterfaceInfo& info) {
  const HANDLE handle = OpenInterface(info.path, 0);
  if (handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  HIDD_ATTRIBUTES attributes{};
  attributes.Size = sizeof attributes;
  bool described = HidD_GetAttributes(handle, &attributes) != FALSE;
  if (described) {
    info.vendorId = attributes.VendorID;
    info.productId = attributes.ProductID;
    info.version = attributes.VersionNumber;
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (HidD_GetPreparsedData(handle, &preparsed)) {
      HIDP_CAPS caps{};
      if (HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS) {
        info.featureLength = caps.FeatureReportByteLength;
      }
      HidD_FreePreparsedData(preparsed);
    }
  }
  CloseHandle(handle);
  return described;
}

}  // namespace

WinHidBackend::WinHidBackend() = default;

WinHidBackend::~WinHidBackend() {
  for (const auto& [handle, system] : open_) {
    CloseHandle(system);
  }
}

std::vector<device::HidInterfaceInfo> WinHidBackend::Enumerate() {
  std::vector<device::HidInterfaceInfo> interfaces;
  GUID hidClass{};
  HidD_GetHidGuid(&hidClass);
  const HDEVINFO set =
      SetupDiGetClassDevsA(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) {
    return interfaces;
  }
  SP_DEVICE_INTERFACE_DATA interfaceData{};
  interfaceData.cbSize = sizeof interfaceData;
  for (DWORD index = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &hidClass, index, &interfaceData);
       ++index) {
    device::HidInterfaceInfo info;
    info.path = InterfacePath(set, interfaceData);
    if (!info.path.empty() && DescribeInterface(info)) {
      interfaces.push_back(std::move(info));
    }
  }
  SetupDiDestroyDeviceInfoList(set);
  return interfaces;
}

bool WinHidBackend::CanOpen(const std::string& path) {
  // No access rights: this succeeds whenever the interface exists, whoever holds it.
  const HANDLE handle = OpenInterface(path, 0);
  if (handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  CloseHandle(handle);
  return true;
}

device::HidHandle WinHidBackend::Open(const std::string& path) {
  const HANDLE system = OpenInterface(path, GENERIC_READ | GENERIC_WRITE);
  if (system == INVALID_HANDLE_VALUE) {
    return device::kInvalidHandle;
  }
  const device::HidHandle handle = nextHandle_++;
  open_.emplace(handle, system);
  return handle;
}

void WinHidBackend::Close(device::HidHandle handle) {
  const auto it = open_.find(handle);
  if (it == open_.end()) {
    return;
  }
  CloseHandle(it->second);
  open_.erase(it);
}

bool WinHidBackend::SetFeature(device::HidHandle handle, const std::uint8_t* report,
                               std::size_t length) {
  void* system = Find(handle);
  if (system == nullptr || report == nullptr || length == 0 ||
      length > std::numeric_limits<ULONG>::max()) {
    return false;
  }
  // The call takes a writable buffer but does not change it.
  std::vector<std::uint8_t> copy(report, report + length);
  return HidD_SetFeature(system, copy.data(), static_cast<ULONG>(length)) != FALSE;
}

bool WinHidBackend::GetFeature(device::HidHandle handle, std::uint8_t* report, std::size_t length) {
  void* system = Find(handle);
  if (system == nullptr || report == nullptr || length == 0 ||
      length > std::numeric_limits<ULONG>::max()) {
    return false;
  }
  // Byte 0 already holds the report id the caller asks for.
  return HidD_GetFeature(system, report, static_cast<ULONG>(length)) != FALSE;
}

void* WinHidBackend::Find(device::HidHandle handle) const {
  const auto it = open_.find(handle);
  return it == open_.end() ? nullptr : it->second;
}

}  // namespace orbic::platform
