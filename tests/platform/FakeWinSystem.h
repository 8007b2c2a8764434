#pragma once

// A machine of HID and filter driver interfaces behind the Win32 seam: what SetupApi lists, what
// opens, what each interface answers, and a record of every call that tests look at.
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/WinSystem.h"

namespace orbic::platform::test {

struct FakeInterface {
  std::string path;
  bool opens = true;           // CreateFileA succeeds
  bool refusesRights = false;  // an open asking for read/write access is refused
  bool hasDetail = true;       // SetupDiGetDeviceInterfaceDetailA gives its path
  bool answers = true;         // HidD_GetAttributes succeeds
  USHORT vendorId = 0;
  USHORT productId = 0;
  USHORT version = 0;
  USHORT featureLength = 0;
};

struct CreateCall {
  std::string path;
  DWORD access;
  DWORD share;
  DWORD disposition;
};

struct IoctlCall {
  DWORD code;
  std::vector<std::uint8_t> input;
  DWORD outputSize;
};

inline bool SameGuid(const GUID& a, const GUID& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

class FakeWinSystem final : public WinSystem {
 public:
  // {4D1E55B2-F16F-11CF-88CB-001111000030}
  static constexpr GUID kHidClass = {
      0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

  // Interfaces listed under each class.
  std::vector<std::pair<GUID, FakeInterface>> interfaces;
  bool listFails = false;  // SetupDiGetClassDevsA fails
  DWORD lastListFlags = 0;
  int destroyed = 0;  // SetupDiDestroyDeviceInfoList calls
  std::vector<CreateCall> creates;
  std::set<std::intptr_t> openHandles;
  // The driver's answer to a control call: fills `output`, returns the call's result.
  std::function<BOOL(DWORD code, const std::uint8_t* input, DWORD inputSize, std::uint8_t* output,
                     DWORD outputSize)>
      driver;
  std::vector<IoctlCall> ioctls;
  std::vector<std::vector<std::uint8_t>> featuresSet;
  DWORD featureError = ERROR_SUCCESS;  // a report call fails with this when set

  void Add(const GUID& cls, FakeInterface each) { interfaces.emplace_back(cls, std::move(each)); }

  HDEVINFO SetupDiGetClassDevsA(const GUID& classGuid, DWORD flags) override {
    lastListFlags = flags;
    if (listFails) {
      last_ = ERROR_INVALID_PARAMETER;
      return INVALID_HANDLE_VALUE;
    }
    listed_.clear();
    for (const auto& [cls, each] : interfaces) {
      if (SameGuid(cls, classGuid)) {
        listed_.push_back(&each);
      }
    }
    ++liveLists_;
    return reinterpret_cast<HDEVINFO>(static_cast<std::intptr_t>(0x5E7));
  }
  BOOL SetupDiEnumDeviceInterfaces(HDEVINFO, const GUID&, DWORD index,
                                   SP_DEVICE_INTERFACE_DATA& data) override {
    if (data.cbSize != sizeof(SP_DEVICE_INTERFACE_DATA) || index >= listed_.size()) {
      last_ = ERROR_NO_MORE_ITEMS;
      return FALSE;
    }
    data.Reserved = index;
    return TRUE;
  }
  BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO, SP_DEVICE_INTERFACE_DATA& data,
                                        SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD detailSize,
                                        DWORD* requiredSize) override {
    const FakeInterface& each = *listed_.at(data.Reserved);
    if (!each.hasDetail) {
      last_ = ERROR_INVALID_USER_BUFFER;
      return FALSE;
    }
    const DWORD needed = static_cast<DWORD>(
        offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + each.path.size() + 1);
    if (requiredSize != nullptr) {
      *requiredSize = needed;
    }
    if (detail == nullptr || detailSize < needed) {
      last_ = ERROR_INSUFFICIENT_BUFFER;
      return FALSE;
    }
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
      last_ = ERROR_INVALID_USER_BUFFER;
      return FALSE;
    }
    std::memcpy(detail->DevicePath, each.path.c_str(), each.path.size() + 1);
    return TRUE;
  }
  BOOL SetupDiDestroyDeviceInfoList(HDEVINFO) override {
    ++destroyed;
    --liveLists_;
    return TRUE;
  }

  void HidD_GetHidGuid(GUID& hidClass) override { hidClass = kHidClass; }
  BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES& attributes) override {
    const FakeInterface* each = Behind(device);
    if (each == nullptr || !each->answers || attributes.Size != sizeof(HIDD_ATTRIBUTES)) {
      return FALSE;
    }
    attributes.VendorID = each->vendorId;
    attributes.ProductID = each->productId;
    attributes.VersionNumber = each->version;
    return TRUE;
  }
  BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA& preparsed) override {
    const FakeInterface* each = Behind(device);
    if (each == nullptr) {
      return FALSE;
    }
    preparsed = reinterpret_cast<PHIDP_PREPARSED_DATA>(const_cast<FakeInterface*>(each));
    ++livePreparsed_;
    return TRUE;
  }
  BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA) override {
    --livePreparsed_;
    return TRUE;
  }
  NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA preparsed, HIDP_CAPS& caps) override {
    caps.FeatureReportByteLength = reinterpret_cast<FakeInterface*>(preparsed)->featureLength;
    return HIDP_STATUS_SUCCESS;
  }
  BOOLEAN HidD_SetFeature(HANDLE device, void* report, ULONG length) override {
    if (Behind(device) == nullptr || featureError != ERROR_SUCCESS) {
      last_ = featureError;
      return FALSE;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(report);
    featuresSet.emplace_back(bytes, bytes + length);
    return TRUE;
  }
  BOOLEAN HidD_GetFeature(HANDLE device, void* report, ULONG length) override {
    if (Behind(device) == nullptr || featureError != ERROR_SUCCESS) {
      last_ = featureError;
      return FALSE;
    }
    std::memset(static_cast<std::uint8_t*>(report) + 1, 0xCC, length - 1);
    return TRUE;
  }

  HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition) override {
    creates.push_back({path, access, share, disposition});
    for (const auto& [cls, each] : interfaces) {
      if (each.path != path) {
        continue;
      }
      if (!each.opens) {
        last_ = ERROR_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
      }
      if (each.refusesRights && access != 0) {
        last_ = ERROR_ACCESS_DENIED;
        return INVALID_HANDLE_VALUE;
      }
      const std::intptr_t handle = nextHandle_++;
      openHandles.insert(handle);
      behind_[handle] = &each;
      return reinterpret_cast<HANDLE>(handle);
    }
    last_ = ERROR_FILE_NOT_FOUND;
    return INVALID_HANDLE_VALUE;
  }
  BOOL CloseHandle(HANDLE handle) override {
    return openHandles.erase(reinterpret_cast<std::intptr_t>(handle)) == 1;
  }
  BOOL DeviceIoControl(HANDLE device, DWORD code, void* input, DWORD inputSize, void* output,
                       DWORD outputSize, DWORD* returned) override {
    if (Behind(device) == nullptr) {
      last_ = ERROR_INVALID_HANDLE;
      return FALSE;
    }
    const auto* in = static_cast<const std::uint8_t*>(input);
    ioctls.push_back({code, std::vector<std::uint8_t>(in, in + inputSize), outputSize});
    *returned = outputSize;
    return driver ? driver(code, in, inputSize, static_cast<std::uint8_t*>(output), outputSize)
                  : TRUE;
  }
  DWORD GetLastError() override { return last_; }

  // Nothing left open: every list destroyed, every handle closed, all preparsed data freed.
  bool AllReleased() const { return liveLists_ == 0 && openHandles.empty() && livePreparsed_ == 0; }
  // The path an open handle reaches; empty when it is not open.
  std::string PathOf(HANDLE handle) const {
    const FakeInterface* each = Behind(handle);
    return each == nullptr ? std::string() : each->path;
  }

 private:
  const FakeInterface* Behind(HANDLE handle) const {
    const auto key = reinterpret_cast<std::intptr_t>(handle);
    if (openHandles.count(key) == 0) {
      return nullptr;
    }
    return behind_.at(key);
  }

  std::vector<const FakeInterface*> listed_;
  std::map<std::intptr_t, const FakeInterface*> behind_;
  std::intptr_t nextHandle_ = 0x100;
  int liveLists_ = 0;
  int livePreparsed_ = 0;
  DWORD last_ = ERROR_SUCCESS;
};

}  // namespace orbic::platform::test
