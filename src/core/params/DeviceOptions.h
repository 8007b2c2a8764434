#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "params/ParameterImage.h"

namespace orbic::params {

// "Sensor Ori:" entries of cb_SensorOri, in list order, with their stored 3-bit value.
struct SensorOrientation {
  std::string_view text;
  std::uint8_t stored;
};
inline constexpr std::array<SensorOrientation, 8> kSensorOrientations{{
    {"0°", 7},
    {"90°", 2},
    {"180°", 4},
    {"270°", 1},
    {"X Reverse", 6},
    {"Y Reverse", 5},
    {"XY Swap XY Reverse", 0},
    {"XY Swap XY NoReverse", 3},
}};

inline constexpr int kFireMacroCount = 10;
// The repeat field shows this count while continuous fire is on.
inline constexpr int kContinuousFireShownCount = 3;

// The settings that no other page model owns: the engineer page's factory
// fields and the rapid-fire key of the fire page. Initial values are the form's.
struct DeviceOptions {
  bool fireFnLeftKey = true;   // rb_FireFnOff ("Left Key") checked; false: rb_FireFnOn
  int sensorOrientation = 7;   // cb_SensorOri item index: "XY Swap XY NoReverse"
  bool midPress = false;       // cb_MidPress
  bool cpiPress = false;       // cb_CPIPress
  bool gunPress = false;       // cb_GunPress
  bool smooth = true;          // cb_Smooth
  int vendorCode = 255;        // edt_VendorID
  int productCode = 255;       // edt_ProductID
  int fireCountIndex = 1;      // cb_FireCount item index: count - 1
  bool continuousFire = true;  // cb_IsFireContinue
  int fireTime = 100;          // edt_FireTime
  std::array<int, kFireMacroCount> yOffsets{};  // edt_YOffset1..10, -128..127
  std::array<std::array<int, 3>, kFireMacroCount> fireMacroColours{};  // R, G, B

  // Their part of the image -> controls and controls -> image conversions.
  // Read-modify-write: only the bits these settings own change.
  void RefreshSwitchesFromImage(const DataBuf& data);    // A0 bit 1, bits 4-6; A1 bits 0-2, 5
  void RefreshCodesFromImage(const DataBuf& data);       // B6, B7
  void RefreshFireTablesFromImage(const DataBuf& data);  // Y and colour tables
  void RefreshFireKeyFromImage(const DataBuf& data);     // F2, F8
  void WriteSwitchesToImage(DataBuf& data) const;
  void WriteCodesToImage(DataBuf& data) const;
  void WriteFireTablesToImage(DataBuf& data) const;
  void WriteFireKeyToImage(DataBuf& data) const;
};

// Index into kSensorOrientations of a stored 3-bit value.
int SensorOrientationIndex(std::uint8_t stored);

}  // namespace orbic::params
