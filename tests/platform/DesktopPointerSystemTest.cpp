#include "platform/DesktopPointerSystem.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include "support/FileFaults.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "perf/PointerSettingsPage.h"
#include "perf/PointerSystem.h"

namespace orbic::platform {
namespace {

namespace fs = std::filesystem;
using Argv = std::vector<std::string>;

constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";
constexpr auto kInline = DesktopPointerSystem::Execution::kInline;

// Stands in for gsettings: records every argument vector and answers `list-recursively` of the
// mouse schema from a table (with a line of another schema, which must be skipped); everything
// else fails, as on a machine without gsettings.
struct FakeGsettings {
  std::vector<Argv> calls;
  std::map<std::string, std::string> answers;  // setting key -> printed value

  DesktopPointerSystem::CommandRunner Runner() {
    return [this](const Argv& argv) -> std::optional<std::string> {
      calls.push_back(argv);
      if (argv == Argv{"gsettings", "list-recursively", kSchema} && !answers.empty()) {
        std::string listing = "org.gnome.desktop.peripherals.touchpad speed 0.9\n";
        for (const auto& [key, value] : answers) {
          listing += std::string(kSchema) + " " + key + " " + value;
          listing += value.ends_with('\n') ? "" : "\n";
        }
        return listing;
      }
      return std::nullopt;
    };
  }
};

// A machine without gsettings, for runs whose calls are not examined.
DesktopPointerSystem::CommandRunner NoDesktop() {
  return [](const Argv&) -> std::optional<std::string> { return std::nullopt; };
}

class DesktopPointerSystemTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(testing::TempDir()) /
              ("orbic40-pointer-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path File() const { return folder_ / "pointer.ini"; }
  void WriteFile(const std::string& text) const {
    fs::create_directories(folder_);
    std::ofstream(File(), std::ios::binary) << text;
  }

  fs::path folder_;
};

struct Expected {
  std::string_view key;
  std::string_view name;
  std::optional<std::string> text;
};

void ExpectValues(DesktopPointerSystem& system, const std::vector<Expected>& expected) {
  for (const Expected& e : expected) {
    EXPECT_EQ(system.ReadValue(e.key, e.name), e.text) << e.name;
  }
}

using namespace perf;

TEST_F(DesktopPointerSystemTest, FirstUseWithoutADesktopSeedsWindowsDefaultsAndKeepsThem) {
  const std::vector<Expected> defaults = {
      {kMouseKey, kMouseSensitivityValue, "10"},  {kMouseKey, kMouseSpeedValue, "1"},
      {kMouseKey, kMouseThreshold1Value, "6"},    {kMouseKey, kMouseThreshold2Value, "10"},
      {kMouseKey, kDoubleClickSpeedValue, "500"}, {kDesktopKey, kWheelScrollLinesValue, "3"},
  };
  FakeGsettings desktop;
  {
    DesktopPointerSystem system(folder_, DesktopKind::kGnome, desktop.Runner(), kInline);
    EXPECT_TRUE(system.KeyExists(kMouseKey));
    EXPECT_TRUE(system.KeyExists(kDesktopKey));
    EXPECT_FALSE(system.KeyExists("Control Panel\\Keyboard"));
    ExpectValues(system, defaults);
  }
  EXPECT_TRUE(fs::is_regular_file(File()));
  // The next run reads the file it left.
  DesktopPointerSystem again(folder_, DesktopKind::kGnome, NoDesktop(), kInline);
  ExpectValues(again, defaults);
}

TEST_F(DesktopPointerSystemTest, FirstUseTakesWhatTheDesktopHas) {
  const struct {
    const char* profile;
    const char* acceleration;
    const char* threshold1;
    const char* threshold2;
  } kCases[] = {
      {"'flat'\n", "0", "0", "0"},
      {"'default'\n", "1", "6", "10"},
      {"'adaptive'\n", "1", "6", "10"},
  };
  for (const auto& c : kCases) {
    fs::remove_all(folder_);
    FakeGsettings desktop;
    desktop.answers = {{"speed", "0.5\n"}, {"accel-profile", c.profile}, {"double-click", "400\n"}};
    DesktopPointerSystem system(folder_, DesktopKind::kGnome, desktop.Runner(), kInline);
    ExpectValues(system, {{kMouseKey, kMouseSensitivityValue, "15"},
                          {kMouseKey, kMouseSpeedValue, c.acceleration},
                          {kMouseKey, kMouseThreshold1Value, c.threshold1},
                          {kMouseKey, kMouseThreshold2Value, c.threshold2},
                          {kMouseKey, kDoubleClickSpeedValue, "400"},
                          {kDesktopKey, kWheelScrollLinesValue, "3"}});
    // One process start for all of them.
    EXPECT_EQ(desktop.calls.size(), 1u);
  }
}

// The desktop's own settings may have changed since the last run: its values win, while what it
// cannot hold (thresholds of an accelerated profile, wheel lines) comes from the file.
TEST_F(DesktopPointerSystemTest, DesktopValuesReplaceAStaleFile) {
  WriteFile(
      "[Control Panel\\Mouse]\nMouseSensitivity=4\nMouseSpeed=2\nMouseThreshold1=4\n"
      "MouseThreshold2=12\nDoubleClickSpeed=830\n[Control Panel\\Desktop]\nWheelScrollLines=-1\n");
  FakeGsettings desktop;
  desktop.answers = {
      {"speed", "-0.33333\n"}, {"accel-profile", "'default'\n"}, {"double-click", "250\n"}};
  {
    DesktopPointerSystem system(folder_, DesktopKind::kGnome, desktop.Runner(), kInline);
    ExpectValues(system, {{kMouseKey, kMouseSensitivityValue, "7"},
                          {kMouseKey, kMouseSpeedValue, "2"},
                          {kMouseKey, kMouseThreshold1Value, "4"},
                          {kMouseKey, kMouseThreshold2Value, "12"},
                          {kMouseKey, kDoubleClickSpeedValue, "250"},
                          {kDesktopKey, kWheelScrollLinesValue, "-1"}});
  }
  // The merged values were stored.
  DesktopPointerSystem offline(folder_, DesktopKind::kGnome, NoDesktop(), kInline);
  ExpectValues(offline, {{kMouseKey, kMouseSensitivityValue, "7"},
                         {kMouseKey, kDoubleClickSpeedValue, "250"}});
}

TEST_F(DesktopPointerSystemTest, WrittenValuesSurviveARestart) {
  {
    DesktopPointerSystem system(folder_, DesktopKind::kGnome, NoDesktop(), kInline);
    EXPECT_TRUE(system.WriteValue(kMouseKey, kMouseSensitivityValue, "18"));
    EXPECT_TRUE(system.WriteValue(kMouseKey, kMouseSpeedValue, "0"));
    EXPECT_TRUE(system.WriteValue(kMouseKey, kDoubleClickSpeedValue, "270"));
    EXPECT_TRUE(system.WriteValue(kDesktopKey, kWheelScrollLinesValue, "-1"));
  }
  EXPECT_FALSE(test::TemporaryFilesLeftIn(File().parent_path()));
  DesktopPointerSystem again(folder_, DesktopKind::kGnome, NoDesktop(), kInline);
  ExpectValues(again, {{kMouseKey, kMouseSensitivityValue, "18"},
                       {kMouseKey, kMouseSpeedValue, "0"},
                       {kMouseKey, kMouseThreshold1Value, "6"},
                       {kMouseKey, kDoubleClickSpeedValue, "270"},
                       {kDesktopKey, kWheelScrollLinesValue, "-1"}});
}

TEST_F(DesktopPointerSystemTest, DamagedFileValuesReadAsAbsent) {
  WriteFile(
      std::string("\x00\xff\xfe garbage\n[Control Panel\\Mouse]\nMouseSensitivity=fast\n"
                  "MouseSpeed=\nMouseThreshold1=6\nMouseThreshold2=99999999999\n"
                  "DoubleClickSpeed 500\n[Control Panel\\Desktop\nWheelScrollLines=3\n",
                  150));
  DesktopPointerSystem system(folder_, DesktopKind::kGnome, NoDesktop(), kInline);
  EXPECT_TRUE(system.KeyExists(kMouseKey));
  EXPECT_TRUE(system.KeyExists(kDesktopKey));
  ExpectValues(system, {{kMouseKey, kMouseSensitivityValue, std::nullopt},
                        {kMouseKey, kMouseSpeedValue, std::nullopt},
                        {kMouseKey, kMouseThreshold1Value, "6"},
                        {kMouseKey, kMouseThreshold2Value, std::nullopt},
                        {kMouseKey, kDoubleClickSpeedValue, std::nullopt},
                        {kDesktopKey, kWheelScrollLinesValue, std::nullopt}});
  // The next write replaces the damaged file with a sound one.
  EXPECT_TRUE(system.WriteValue(kDesktopKey, kWheelScrollLinesValue, "5"));
  DesktopPointerSystem again(folder_, DesktopKind::kGnome, NoDesktop(), kInline);
  ExpectValues(again, {{kMouseKey, kMouseThreshold1Value, "6"},
                       {kDesktopKey, kWheelScrollLinesValue, "5"},
                       {kMouseKey, kMouseSensitivityValue, std::nullopt}});
}

TEST_F(DesktopPointerSystemTest, RefusedWritesLeaveTheValueAlone) {
  DesktopPointerSystem system(folder_, DesktopKind::kGnome, NoDesktop(), kInline);
  const struct {
    std::string_view key;
    std::string_view name;
    std::string_view text;
  } kRefused[] = {
      {"Control Panel\\Keyboard", kMouseSpeedValue, "1"},
      {kMouseKey, "Beep", "1"},
      {kDesktopKey, kMouseSpeedValue, "1"},  // a value of the other key
      {kMouseKey, kMouseSpeedValue, "fast"},
      {kMouseKey, kMouseSpeedValue, "1\n[Control Panel\\Desktop]"},
      {kMouseKey, kMouseSpeedValue, ""},
  };
  for (const auto& r : kRefused) {
    EXPECT_FALSE(system.WriteValue(r.key, r.name, r.text)) << r.key << " " << r.name;
  }
  ExpectValues(system, {{kMouseKey, kMouseSpeedValue, "1"},
                        {kDesktopKey, kWheelScrollLinesValue, "3"},
                        {kMouseKey, "Beep", std::nullopt}});
}

TEST_F(DesktopPointerSystemTest, UnwritableFolderFailsTheWriteAndKeepsTheOldValue) {
  // A regular file where the folder should be: nothing can be created beneath it.
  fs::create_directories(folder_);
  std::ofstream(folder_ / "blocker") << "x";
  DesktopPointerSystem system(folder_ / "blocker" / "orbic40", DesktopKind::kGnome, NoDesktop(),
                              kInline);
  EXPECT_EQ(system.ReadValue(kMouseKey, kMouseSensitivityValue), "10");
  EXPECT_FALSE(system.WriteValue(kMouseKey, kMouseSensitivityValue, "2"));
  EXPECT_EQ(system.ReadValue(kMouseKey, kMouseSensitivityValue), "10");
}

TEST_F(DesktopPointerSystemTest, FileThatIsAFolderHoldsNoValues) {
  fs::create_directories(File());
  DesktopPointerSystem system(folder_, DesktopKind::kGnome, NoDesktop(), kInline);
  EXPECT_EQ(system.ReadValue(kMouseKey, kMouseSensitivityValue), std::nullopt);
  EXPECT_FALSE(system.WriteValue(kMouseKey, kMouseSensitivityValue, "2"));
}

TEST_F(DesktopPointerSystemTest, LiveCallsRunGsettingsWithTheseArguments) {
  const auto set = [](const char* key, const char* value) -> Argv {
    return {"gsettings", "set", kSchema, key, value};
  };
  const struct {
    const char* what;
    void (*call)(PointerSystem&);
    std::vector<Argv> expected;
  } kCases[] = {
      {"speed 1", [](PointerSystem& s) { s.SetMouseSpeed(1); }, {set("speed", "-1.000")}},
      {"speed 10", [](PointerSystem& s) { s.SetMouseSpeed(10); }, {set("speed", "0.000")}},
      {"speed 20", [](PointerSystem& s) { s.SetMouseSpeed(20); }, {set("speed", "1.000")}},
      {"speed 4", [](PointerSystem& s) { s.SetMouseSpeed(4); }, {set("speed", "-0.667")}},
      {"speed 15", [](PointerSystem& s) { s.SetMouseSpeed(15); }, {set("speed", "0.500")}},
      {"speed 0", [](PointerSystem& s) { s.SetMouseSpeed(0); }, {set("speed", "-1.000")}},
      {"speed 25", [](PointerSystem& s) { s.SetMouseSpeed(25); }, {set("speed", "1.000")}},
      {"acceleration on",
       [](PointerSystem& s) { s.SetMouseAcceleration(6, 10, 1); },
       {set("accel-profile", "'default'")}},
      {"acceleration off",
       [](PointerSystem& s) { s.SetMouseAcceleration(0, 0, 0); },
       {set("accel-profile", "'flat'")}},
      {"thresholds without acceleration",
       [](PointerSystem& s) { s.SetMouseAcceleration(6, 10, 0); },
       {set("accel-profile", "'flat'")}},
      {"double-click 550",
       [](PointerSystem& s) { s.SetDoubleClickTime(550); },
       {set("double-click", "550")}},
      {"double-click 0", [](PointerSystem& s) { s.SetDoubleClickTime(0); }, {}},
      {"wheel lines", [](PointerSystem& s) { s.SetWheelScrollLines(5); }, {}},
      {"one screen", [](PointerSystem& s) { s.SetWheelScrollLines(kWheelOneScreen); }, {}},
  };
  for (const auto& c : kCases) {
    FakeGsettings desktop;
    DesktopPointerSystem system(folder_, DesktopKind::kGnome, desktop.Runner(), kInline);
    c.call(system);
    EXPECT_EQ(desktop.calls, c.expected) << c.what;
  }
  EXPECT_FALSE(fs::exists(File())) << "live calls alone do not touch the file";
}

// Every speed the page can set comes back as itself when the desktop reports what was applied.
TEST_F(DesktopPointerSystemTest, AppliedSpeedReadsBackAsTheSameSpeed) {
  for (int speed = 1; speed <= 20; ++speed) {
    FakeGsettings desktop;
    DesktopPointerSystem(folder_, DesktopKind::kGnome, desktop.Runner(), kInline)
        .SetMouseSpeed(speed);
    ASSERT_EQ(desktop.calls.size(), 1u);
    fs::remove_all(folder_);
    FakeGsettings reporting;
    reporting.answers = {{"speed", desktop.calls[0].back() + "\n"}};
    DesktopPointerSystem system(folder_, DesktopKind::kGnome, reporting.Runner(), kInline);
    EXPECT_EQ(system.ReadValue(kMouseKey, kMouseSensitivityValue), std::to_string(speed));
  }
}

TEST_F(DesktopPointerSystemTest, FailingDesktopIsIgnored) {
  FakeGsettings desktop;  // answers nothing: every call fails
  DesktopPointerSystem system(folder_, DesktopKind::kGnome, desktop.Runner(), kInline);
  system.SetMouseSpeed(12);
  system.SetMouseAcceleration(6, 10, 1);
  system.SetDoubleClickTime(480);
  system.SetWheelScrollLines(3);
  EXPECT_EQ(desktop.calls.size(), 3u);
  EXPECT_TRUE(system.WriteValue(kMouseKey, kMouseSensitivityValue, "12"));
  EXPECT_EQ(system.ReadValue(kMouseKey, kMouseSensitivityValue), "12");
}

// The page on a machine it has never seen: it shows the defaults, and a change is stored and
// reaches the desktop.
TEST_F(DesktopPointerSystemTest, PageWorksOnAFreshMachine) {
  FakeGsettings desktop;
  DesktopPointerSystem system(folder_, DesktopKind::kGnome, desktop.Runner(), kInline);
  PointerSettingsPage page(system);
  page.RefreshMouseSystemParameterA();
  page.RefreshMouseSystemParameterB();
  EXPECT_EQ(page.Settings().speedStep, 6);
  EXPECT_EQ(page.Settings().wheelStep, 3);
  EXPECT_TRUE(page.Controls().isControlChecked);

  desktop.calls.clear();
  page.lbl_IsControlClick();
  const Argv flat = {"gsettings", "set", kSchema, "accel-profile", "'flat'"};
  EXPECT_NE(std::find(desktop.calls.begin(), desktop.calls.end(), flat), desktop.calls.end());
  DesktopPointerSystem again(folder_, DesktopKind::kGnome, NoDesktop(), kInline);
  ExpectValues(again, {{kMouseKey, kMouseSpeedValue, "0"},
                       {kMouseKey, kMouseThreshold1Value, "0"},
                       {kMouseKey, kMouseThreshold2Value, "0"}});
}

TEST(DesktopKindFor, NamesTheDesktopWhoseSettingsAreUsed) {
  const struct {
    const char* xdgCurrentDesktop;
    DesktopKind kind;
  } kCases[] = {
      {"GNOME", DesktopKind::kGnome},    {"ubuntu:GNOME", DesktopKind::kGnome},
      {"Unity", DesktopKind::kGnome},    {"Budgie:GNOME", DesktopKind::kGnome},
      {"Pantheon", DesktopKind::kGnome}, {"GNOME-Flashback:GNOME", DesktopKind::kGnome},
      {"KDE", DesktopKind::kPlasma},     {"kde", DesktopKind::kPlasma},
      {"XFCE", DesktopKind::kOther},     {"X-Cinnamon", DesktopKind::kOther},
      {"MATE", DesktopKind::kOther},     {"sway", DesktopKind::kOther},
      {"", DesktopKind::kOther},         {"GNOMEISH", DesktopKind::kOther},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(DesktopKindFor(c.xdgCurrentDesktop), c.kind) << c.xdgCurrentDesktop;
  }
}

// Elsewhere nothing outside the program's file is read or changed, and the page says so.
TEST_F(DesktopPointerSystemTest, OtherDesktopsRunNoSettingsToolAndSaySo) {
  FakeGsettings desktop;
  desktop.answers = {{"speed", "0.5\n"}};
  DesktopPointerSystem system(folder_, DesktopKind::kOther, desktop.Runner(), kInline);
  PointerSettingsPage page(system);
  page.RefreshMouseSystemParameterA();
  page.RefreshMouseSystemParameterB();
  page.slider_SpdMouseUp(400);
  page.lbl_IsControlClick();
  page.slider_DbSpdMouseUp(400);
  EXPECT_TRUE(desktop.calls.empty());
  EXPECT_EQ(system.ReadValue(kMouseKey, kMouseSensitivityValue), "20");
  EXPECT_EQ(page.ScopeNotice(), kProgramOnlyNotice);

  DesktopPointerSystem gnome(folder_, DesktopKind::kGnome, desktop.Runner(), kInline);
  EXPECT_TRUE(gnome.ScopeNotice().empty());
}

// Apply leaves the desktop's own values alone unless the user changed them, and every refresh
// reads them afresh.
TEST_F(DesktopPointerSystemTest, RefreshReadsTheDesktopAgainAndApplyKeepsWhatWasOnlyRead) {
  FakeGsettings desktop;
  desktop.answers = {
      {"speed", "0.3\n"}, {"accel-profile", "'adaptive'\n"}, {"double-click", "400\n"}};
  DesktopPointerSystem system(folder_, DesktopKind::kGnome, desktop.Runner(), kInline);
  PointerSettingsPage page(system);
  page.RefreshMouseSystemParameterA();
  page.RefreshMouseSystemParameterB();
  desktop.calls.clear();
  page.ApplyPointerSettings();
  EXPECT_TRUE(desktop.calls.empty());

  desktop.answers["speed"] = "-1.0\n";  // changed in the desktop's own settings meanwhile
  page.RefreshMouseSystemParameterA();
  EXPECT_EQ(page.Settings().speedValue, 1);
  EXPECT_EQ(page.Settings().speedStep, 1);
}

// Plasma keeps its values in kcminputrc and kdeglobals under the user's configuration folder.
TEST_F(DesktopPointerSystemTest, PlasmaValuesAreReadAndWrittenWhereItKeepsThem) {
  const fs::path config = folder_ / "config";
  fs::create_directories(config);
  std::ofstream(config / "kcminputrc")
      << "[Keyboard]\nNumLock=0\n\n[Mouse]\ncursorTheme=breeze_cursors\n"
         "XLbInptPointerAcceleration=0.5\nX11LibInputXAccelProfileFlat=true\n";
  std::ofstream(config / "kdeglobals") << "[General]\nColorScheme=BreezeDark\n";
  FakeGsettings desktop;
  DesktopPointerSystem system(folder_ / "orbic40", DesktopKind::kPlasma, desktop.Runner(), kInline,
                              config);
  PointerSettingsPage page(system);
  page.RefreshMouseSystemParameterA();
  page.RefreshMouseSystemParameterB();
  EXPECT_EQ(page.Settings().speedValue, 15);
  EXPECT_FALSE(page.Controls().isControlChecked);
  EXPECT_EQ(page.Settings().doubleClickTime, 500);  // kdeglobals has none: the file's default
  EXPECT_TRUE(desktop.calls.empty());

  page.slider_SpdMouseUp(-50);    // step 1: speed 1
  page.lbl_IsControlClick();      // on
  page.slider_DbSpdMouseUp(400);  // step 11: 200 ms
  const auto read = [](const fs::path& file) {
    std::ostringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
  };
  EXPECT_EQ(read(config / "kcminputrc"),
            "[Keyboard]\nNumLock=0\n\n[Mouse]\ncursorTheme=breeze_cursors\n"
            "XLbInptPointerAcceleration=-1.000\nX11LibInputXAccelProfileFlat=false\n");
  EXPECT_EQ(read(config / "kdeglobals"),
            "[General]\nColorScheme=BreezeDark\n\n[KDE]\nDoubleClickInterval=200\n");
  // Each change is followed by the calls that make Plasma read its settings again.
  ASSERT_FALSE(desktop.calls.empty());
  for (const Argv& call : desktop.calls) {
    EXPECT_EQ(call.front(), "dbus-send");
  }
  // The next refresh reads back what was written.
  page.RefreshMouseSystemParameterA();
  EXPECT_EQ(page.Settings().speedValue, 1);
  EXPECT_TRUE(page.Controls().isControlChecked);
  EXPECT_EQ(page.Settings().doubleClickTime, 200);
}

// Under Wayland KWin reads each pointer's own group, not the mouse group.
TEST_F(DesktopPointerSystemTest, PlasmaPerDeviceGroupsAreReadAndFollowEveryChange) {
  const fs::path config = folder_ / "config";
  fs::create_directories(config);
  const std::string mouseGroup = "[Libinput][1133][49271][Logitech USB Optical Mouse]\n";
  const std::string padGroup = "[Libinput][1267][12440][ELAN Touchpad]\n";
  std::ofstream(config / "kcminputrc")
      << mouseGroup << "PointerAcceleration=0.5\nPointerAccelerationProfile=1\n\n"
      << padGroup << "TapToClick=true\n";
  FakeGsettings desktop;
  DesktopPointerSystem system(folder_ / "orbic40", DesktopKind::kPlasma, desktop.Runner(), kInline,
                              config);
  PointerSettingsPage page(system);
  page.RefreshMouseSystemParameterA();
  EXPECT_EQ(page.Settings().speedValue, 15);
  EXPECT_FALSE(page.Controls().isControlChecked);  // profile 1: flat

  page.slider_SpdMouseUp(-50);  // speed 1
  page.lbl_IsControlClick();    // on: adaptive
  std::ostringstream text;
  text << std::ifstream(config / "kcminputrc").rdbuf();
  EXPECT_EQ(text.str(),
            mouseGroup + "PointerAcceleration=-1.000\nPointerAccelerationProfile=2\n\n" + padGroup +
                "TapToClick=true\nPointerAcceleration=-1.000\n"
                "PointerAccelerationProfile=2\n\n[Mouse]\n"
                "XLbInptPointerAcceleration=-1.000\nX11LibInputXAccelProfileFlat=false\n");
  page.RefreshMouseSystemParameterA();
  EXPECT_EQ(page.Settings().speedValue, 1);
  EXPECT_TRUE(page.Controls().isControlChecked);
}

TEST(WithIniValue, ReplacesAddsOrAppendsAndKeepsEverythingElse) {
  const struct {
    const char* text;
    const char* expected;
  } kCases[] = {
      {"", "[Mouse]\nKey=1\n"},
      {"[Mouse]\nKey=0\nOther=2\n", "[Mouse]\nKey=1\nOther=2\n"},
      {"[Mouse]\nOther=2\n\n[Next]\nKey=5\n", "[Mouse]\nOther=2\nKey=1\n\n[Next]\nKey=5\n"},
      {"[Next]\nKey=5", "[Next]\nKey=5\n\n[Mouse]\nKey=1\n"},
      {"[Mouse][$i]\nKey=0\n", "[Mouse][$i]\nKey=0\n\n[Mouse]\nKey=1\n"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(WithIniValue(c.text, "Mouse", "Key", "1"), c.expected) << c.text;
    EXPECT_EQ(IniValueOf(c.expected, "Mouse", "Key"), "1") << c.text;
  }
  EXPECT_EQ(IniValueOf("[Other]\nKey=3\n", "Mouse", "Key"), std::nullopt);
}

// With commands in the background, a settings tool that does not answer holds nothing up.
TEST_F(DesktopPointerSystemTest, BackgroundCommandsDoNotHoldUpTheCaller) {
  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  std::vector<Argv> calls;
  const DesktopPointerSystem::CommandRunner slow =
      [&calls, released](const Argv& argv) -> std::optional<std::string> {
    // Bounded, so a fault cannot hang the test run.
    released.wait_for(std::chrono::seconds(30));
    calls.push_back(argv);
    return std::nullopt;
  };
  DesktopPointerSystem system(folder_, DesktopKind::kGnome, slow,
                              DesktopPointerSystem::Execution::kBackground);
  system.SetMouseSpeed(20);
  system.Reload();
  // Both calls above returned while the tool still hangs.
  EXPECT_TRUE(calls.empty());
  release.set_value();
  system.WaitForCommands();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0], (Argv{"gsettings", "set", kSchema, "speed", "1.000"}));
  EXPECT_EQ(calls[1], (Argv{"gsettings", "list-recursively", kSchema}));
}

TEST(PointerFolderFor, PrefersAnAbsoluteXdgConfigHome) {
  const struct {
    const char* xdg;
    const char* home;
    const char* expected;
  } kCases[] = {
      {"/x/cfg", "/home/u", "/x/cfg/orbic40"},
      {"", "/home/u", "/home/u/.config/orbic40"},
      {"relative/cfg", "/home/u", "/home/u/.config/orbic40"},
      {"", "", ""},
      {"", "relative", ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(PointerFolderFor(c.xdg, c.home), fs::path(c.expected)) << c.xdg << " " << c.home;
  }
}

TEST(ParseSettingsListing, TakesTheSchemasWholeLinesOnly) {
  using Settings = std::map<std::string, std::string, std::less<>>;
  const struct {
    const char* listing;
    Settings expected;
  } kCases[] = {
      {"", {}},
      {"org.gnome.desktop.peripherals.mouse speed 0.5\n", {{"speed", "0.5"}}},
      // Values keep their inner blanks and lose the outer ones and a CR.
      {"org.gnome.desktop.peripherals.mouse accel-profile  'flat' x \r\n",
       {{"accel-profile", "'flat' x"}}},
      // Other schemas, a schema that only starts alike, lines without a value.
      {"org.gnome.desktop.peripherals.touchpad speed 0.9\n"
       "org.gnome.desktop.peripherals.mouse2 speed 0.1\n"
       "org.gnome.desktop.peripherals.mouse speed\n"
       "org.gnome.desktop.peripherals.mouse\n"
       "garbage",
       {}},
      // The last line needs no line end; the first of two lines for one key wins.
      {"org.gnome.desktop.peripherals.mouse double-click 400\n"
       "org.gnome.desktop.peripherals.mouse double-click 250",
       {{"double-click", "400"}}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ParseSettingsListing(c.listing, kSchema), c.expected) << c.listing;
  }
}

}  // namespace
}  // namespace orbic::platform
