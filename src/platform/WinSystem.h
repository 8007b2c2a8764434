#pragma once

// The Win32 calls the HID backend and the driver port make, behind one interface so that
// tests can stand a fake machine in for the real one. Windows only.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h first: the SetupApi and HID headers rely on its types.
// MinGW's HID headers declare C functions without a C++ guard.
extern "C" {
#include <hidsdi.h>
}
#include <setupapi.h>

namespace orbic::platform {

class WinSystem {
 public:
  virtual ~WinSystem() = default;

  // SetupApi
  virtual HDEVINFO SetupDiGetClassDevsA(const GUID& classGuid, DWORD flags) = 0;
  virtual BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, const GUID& classGuid, DWORD index,
                                           SP_DEVICE_INTERFACE_DATA& interfaceData) = 0;
  virtual BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set,
                                                SP_DEVICE_INTERFACE_DATA& interfaceData,
                                                SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                                DWORD detailSize, DWORD* requiredSize) = 0;
  virtual BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) = 0;

  // hid.dll
  virtual void HidD_GetHidGuid(GUID& hidClass) = 0;
  virtual BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES& attributes) = 0;
  virtual BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA& preparsed) = 0;
  virtual BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA preparsed) = 0;
  virtual NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA preparsed, HIDP_CAPS& caps) = 0;
  virtual BOOLEAN HidD_SetFeature(HANDLE device, void* report, ULONG length) = 0;
  virtual BOOLEAN HidD_GetFeature(HANDLE device, void* report, ULONG length) = 0;

  // Kernel: shared opens of existing devices only, synchronous control.
  virtual HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition) = 0;
  virtual BOOL CloseHandle(HANDLE handle) = 0;
  virtual BOOL DeviceIoControl(HANDLE device, DWORD code, void* input, DWORD inputSize,
                               void* output, DWORD outputSize, DWORD* returned) = 0;
  virtual DWORD GetLastError() = 0;
};

// The machine's own calls.
WinSystem& RealWinSystem();

}  // namespace orbic::platform
