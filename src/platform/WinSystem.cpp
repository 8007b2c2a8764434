#include "platform/WinSystem.h"

namespace orbic::platform {
namespace {

class RealSystem final : public WinSystem {
 public:
  HDEVINFO SetupDiGetClassDevsA(const GUID& classGuid, DWORD flags) override {
    return ::SetupDiGetClassDevsA(&classGuid, nullptr, nullptr, flags);
  }
  BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, const GUID& classGuid, DWORD index,
                                   SP_DEVICE_INTERFACE_DATA& interfaceData) override {
    return ::SetupDiEnumDeviceInterfaces(set, nullptr, &classGuid, index, &interfaceData);
  }
  BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& interfaceData,
                                        SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD detailSize,
                                        DWORD* requiredSize) override {
    return ::SetupDiGetDeviceInterfaceDetailA(set, &interfaceData, detail, detailSize, requiredSize,
                                              nullptr);
  }
  BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override {
    return ::SetupDiDestroyDeviceInfoList(set);
  }

  void HidD_GetHidGuid(GUID& hidClass) override { ::HidD_GetHidGuid(&hidClass); }
  BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES& attributes) override {
    return ::HidD_GetAttributes(device, &attributes);
  }
  BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA& preparsed) override {
    return ::HidD_GetPreparsedData(device, &preparsed);
  }
  BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA preparsed) override {
    return ::HidD_FreePreparsedData(preparsed);
  }
  NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA preparsed, HIDP_CAPS& caps) override {
    return ::HidP_GetCaps(preparsed, &caps);
  }
  BOOLEAN HidD_SetFeature(HANDLE device, void* report, ULONG length) override {
    return ::HidD_SetFeature(device, report, length);
  }
  BOOLEAN HidD_GetFeature(HANDLE device, void* report, ULONG length) override {
    return ::HidD_GetFeature(device, report, length);
  }

  HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition) override {
    return ::CreateFileA(path, access, share, nullptr, disposition, 0, nullptr);
  }
  BOOL CloseHandle(HANDLE handle) override { return ::CloseHandle(handle); }
  BOOL DeviceIoControl(HANDLE device, DWORD code, void* input, DWORD inputSize, void* output,
                       DWORD outputSize, DWORD* returned) override {
    return ::DeviceIoControl(device, code, input, inputSize, output, outputSize, returned, nullptr);
  }
  DWORD GetLastError() override { return ::GetLastError(); }
};

}  // namespace

WinSystem& RealWinSystem() {
  static RealSystem system;
  return system;
}

}  // namespace orbic::platform
