// The Windows pointer settings in the user's registry and the running system, as Wine keeps
// them. Every value a test changes is put back as it was when the test ends.
#include "platform/WinPointerSystem.h"

#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <array>
#include <optional>
#include <random>
#include <string>

#include "perf/PointerSettingsPage.h"

namespace orbic::platform {
namespace {

struct SavedValue {
  std::string_view key;
  std::string_view name;
  std::optional<std::string> text;
};

std::string ScratchKey() {
  std::random_device random;
  return "Software\\orbic40-test-" + std::to_string(random());
}

bool KeyPresent(const std::string& key) {
  HKEY open = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &open) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(open);
  return true;
}

DWORD ValueType(const std::string& key, const char* name) {
  DWORD type = REG_NONE;
  RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY, &type, nullptr, nullptr);
  return type;
}

TEST(WinPointerSystemTest, AMissingKeyIsNeitherReadNorWrittenNorCreated) {
  WinPointerSystem system;
  const std::string key = ScratchKey();
  EXPECT_FALSE(system.KeyExists(key));
  EXPECT_FALSE(system.ReadValue(key, "MouseSensitivity").has_value());
  EXPECT_FALSE(system.WriteValue(key, "MouseSensitivity", "10"));
  EXPECT_FALSE(KeyPresent(key));
}

TEST(WinPointerSystemTest, ValuesAreStringsOfTheirDigits) {
  const std::string key = ScratchKey();
  HKEY created = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &created, nullptr),
            ERROR_SUCCESS);
  const DWORD seven = 7;
  RegSetValueExA(created, "Dword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&seven),
                 sizeof seven);
  // Written by another program without its terminator.
  RegSetValueExA(created, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("12"), 2);
  RegCloseKey(created);
  WinPointerSystem system;

  EXPECT_TRUE(system.KeyExists(key));
  EXPECT_TRUE(system.WriteValue(key, "WheelScrollLines", "-1"));
  EXPECT_EQ(system.ReadValue(key, "WheelScrollLines"), "-1");
  EXPECT_EQ(ValueType(key, "WheelScrollLines"), static_cast<DWORD>(REG_SZ));
  EXPECT_TRUE(system.WriteValue(key, "WheelScrollLines", ""));
  EXPECT_EQ(system.ReadValue(key, "WheelScrollLines"), "");
  EXPECT_EQ(system.ReadValue(key, "Dword"), "7");
  EXPECT_EQ(system.ReadValue(key, "Bare"), "12");
  EXPECT_FALSE(system.ReadValue(key, "Absent").has_value());

  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str()), ERROR_SUCCESS);
}

// The page's own settings through the real registry and SystemParametersInfoA.
class WinPointerPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::string_view key : {perf::kMouseKey, perf::kDesktopKey}) {
      const std::string name(key);
      HKEY open = nullptr;
      if (RegOpenKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, KEY_READ, &open) == ERROR_SUCCESS) {
        RegCloseKey(open);
        continue;
      }
      ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &open, nullptr),
                ERROR_SUCCESS);
      RegCloseKey(open);
      createdKeys_.push_back(name);
    }
    for (SavedValue& value : saved_) {
      value.text = system_.ReadValue(value.key, value.name);
    }
    SystemParametersInfoA(SPI_GETMOUSESPEED, 0, &speed_, 0);
    SystemParametersInfoA(SPI_GETMOUSE, 0, mouse_.data(), 0);
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &wheel_, 0);
    doubleClick_ = GetDoubleClickTime();
  }

  void TearDown() override {
    SystemParametersInfoA(SPI_SETMOUSESPEED, 0,
                          reinterpret_cast<void*>(static_cast<std::intptr_t>(speed_)), 0);
    SystemParametersInfoA(SPI_SETMOUSE, 0, mouse_.data(), 0);
    SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, doubleClick_, nullptr, 0);
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, wheel_, nullptr, 0);
    // After the live calls, one of which writes its value to the registry itself.
    for (const SavedValue& value : saved_) {
      if (value.text) {
        system_.WriteValue(value.key, value.name, *value.text);
        continue;
      }
      HKEY open = nullptr;
      const std::string key(value.key);
      if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &open) == ERROR_SUCCESS) {
        RegDeleteValueA(open, std::string(value.name).c_str());
        RegCloseKey(open);
      }
    }
    for (const std::string& key : createdKeys_) {
      RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    }
  }

  std::string Value(std::string_view key, std::string_view name) {
    return system_.ReadValue(key, name).value_or("(absent)");
  }

  WinPointerSystem system_;
  std::array<SavedValue, 6> saved_{{{perf::kMouseKey, perf::kMouseSensitivityValue, {}},
                                    {perf::kMouseKey, perf::kMouseSpeedValue, {}},
                                    {perf::kMouseKey, perf::kMouseThreshold1Value, {}},
                                    {perf::kMouseKey, perf::kMouseThreshold2Value, {}},
                                    {perf::kMouseKey, perf::kDoubleClickSpeedValue, {}},
                                    {perf::kDesktopKey, perf::kWheelScrollLinesValue, {}}}};
  std::vector<std::string> createdKeys_;
  int speed_ = 0;
  std::array<int, 3> mouse_{};
  UINT wheel_ = 0;
  UINT doubleClick_ = 0;
};

TEST_F(WinPointerPageTest, ChangesReachTheRegistryAndTheRunningSystem) {
  ASSERT_TRUE(system_.WriteValue(perf::kMouseKey, perf::kMouseSensitivityValue, "11"));
  ASSERT_TRUE(system_.WriteValue(perf::kMouseKey, perf::kMouseSpeedValue, "0"));
  ASSERT_TRUE(system_.WriteValue(perf::kMouseKey, perf::kMouseThreshold1Value, "0"));
  ASSERT_TRUE(system_.WriteValue(perf::kMouseKey, perf::kMouseThreshold2Value, "10"));
  ASSERT_TRUE(system_.WriteValue(perf::kMouseKey, perf::kDoubleClickSpeedValue, "500"));
  ASSERT_TRUE(system_.WriteValue(perf::kDesktopKey, perf::kWheelScrollLinesValue, "0"));
  perf::PointerSettingsPage page(system_);
  page.RefreshMouseSystemParameterA();
  page.RefreshMouseSystemParameterB();
  ASSERT_TRUE(page.Controls().isControlChecked);

  // Precision off: the acceleration values change and are applied; the values the page merely
  // read are not rounded to its steps and written back.
  page.lbl_IsControlClick();

  EXPECT_EQ(Value(perf::kMouseKey, perf::kMouseSensitivityValue), "11");
  EXPECT_EQ(Value(perf::kMouseKey, perf::kMouseSpeedValue), "0");
  EXPECT_EQ(Value(perf::kMouseKey, perf::kMouseThreshold1Value), "0");
  EXPECT_EQ(Value(perf::kMouseKey, perf::kMouseThreshold2Value), "0");
  EXPECT_EQ(Value(perf::kMouseKey, perf::kDoubleClickSpeedValue), "500");
  EXPECT_EQ(Value(perf::kDesktopKey, perf::kWheelScrollLinesValue), "0");
  // The live speed is not read back: Wine 8 answers SPI_GETMOUSESPEED with 0 after it.
  std::array<int, 3> mouse{-1, -1, -1};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETMOUSE, 0, mouse.data(), 0));
  EXPECT_EQ(mouse, (std::array<int, 3>{0, 0, 0}));

  // A double-click time chosen on the page reaches the registry and the running system.
  page.slider_DbSpdMouseUp(400);  // step 11: 200 ms
  EXPECT_EQ(Value(perf::kMouseKey, perf::kDoubleClickSpeedValue), "200");
  EXPECT_EQ(GetDoubleClickTime(), 200u);

  // Precision on again, then one screen at a time.
  page.lbl_IsControlClick();
  page.lbl_IsScreenClick();

  EXPECT_EQ(Value(perf::kMouseKey, perf::kMouseSpeedValue), "1");
  EXPECT_EQ(Value(perf::kMouseKey, perf::kMouseThreshold1Value), "6");
  EXPECT_EQ(Value(perf::kMouseKey, perf::kMouseThreshold2Value), "10");
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETMOUSE, 0, mouse.data(), 0));
  EXPECT_EQ(mouse, (std::array<int, 3>{6, 10, 1}));  // thresholds first, then the level
  UINT lines = 0;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  EXPECT_EQ(lines, static_cast<UINT>(WHEEL_PAGESCROLL));
  // The live call may store the all-ones value in the registry itself (Wine does); either way a
  // page opened afterwards shows "one screen at a time".
  const std::string stored = Value(perf::kDesktopKey, perf::kWheelScrollLinesValue);
  EXPECT_TRUE(stored == "-1" || stored == "4294967295") << stored;
  perf::PointerSettingsPage reopened(system_);
  reopened.RefreshMouseSystemParameterB();
  EXPECT_TRUE(reopened.Controls().isScreenChecked);
  EXPECT_EQ(reopened.Settings().wheelStep, perf::kWheelOneScreen);
}

}  // namespace
}  // namespace orbic::platform
