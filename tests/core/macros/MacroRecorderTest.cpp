#include "macros/MacroRecorder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "keys/VirtualKeys.h"
#include "sim/VirtualClock.h"

namespace orbic::macros {
namespace {

using enum KeyHookKind;

constexpr std::uint16_t kA = 0x41;
constexpr std::uint16_t kB = 0x42;
constexpr std::uint16_t kC = 0x43;

class FakeTarget : public RecordingTarget {
 public:
  bool HasSelectedMacro() const override { return selected; }
  const MacroLines& Lines() const override { return lines; }
  bool RecordingStarted() override {
    lines.clear();
    ++starts;
    return true;
  }
  void AddLine(std::size_t index, std::string line) override {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
  }
  bool Commit() override {
    ++commits;
    committed = lines;
    return saveSucceeds;
  }
  bool InsertRecordingStarted() override { return true; }
  void InsertRecordingStopped() override {}

  bool selected = true;
  bool saveSucceeds = true;
  MacroLines lines;
  MacroLines committed;
  int starts = 0;
  int commits = 0;
};

// The bytes the encoder writes for `lines`, worked out from the text alone:
// a delay line gives one pair per whole 2040 ms plus one for a remainder or
// for 0 ms; any other line its last four hex digits, a leading "00" dropped.
int EncodedBytes(const MacroLines& lines) {
  int bytes = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line[0] == '0') {
      const int ms = std::stoi(line.substr(2));
      bytes += 2 * (ms / 2040 + (ms % 2040 > 0 || ms == 0 ? 1 : 0));
    } else {
      bytes += line.compare(line.size() - 4, 2, "00") == 0 ? 1 : 2;
    }
  }
  return bytes;
}

class MacroRecorderTest : public ::testing::Test {
 protected:
  void Wait(std::uint32_t ms) { clock.SleepMs(ms); }
  EventOutcome Key(std::uint16_t virtualKey, KeyHookKind kind) {
    return recorder.KeyboardHook1Receive(virtualKey, kind).outcome;
  }
  void Tap(std::uint16_t virtualKey) {
    Key(virtualKey, kFirstDown);
    Key(virtualKey, kUp);
  }
  // Left-button clicks in one tick cost one byte per edge under Record Delay
  // and No Delay alike, which makes any fill level reachable.
  void FillWithClicks(int edges) {
    for (int i = 0; i < edges; ++i) {
      recorder.MouseButtonEdge(i % 2 == 0 ? ButtonEdge::kLeftDown : ButtonEdge::kLeftUp);
    }
  }
  MacroLines Events() const { return {target.lines.begin() + 1, target.lines.end()}; }
  void ExpectBytesMatchLines() {
    EXPECT_EQ(recorder.UsedBytes(), EncodedBytes(target.lines));
    EXPECT_LE(recorder.UsedBytes(), recorder.ByteLimit());
  }

  sim::VirtualClock clock;
  FakeTarget target;
  MacroRecorder recorder{clock, target, RecorderOptions::ForMacroPage(true)};
};

TEST_F(MacroRecorderTest, StartAndStopSetThePageAndCommit) {
  target.lines = {"00", "1 Z CODE:821D"};
  const RecordingChange start = recorder.Btn_StartClick();
  ASSERT_TRUE(start.Happened());
  EXPECT_EQ(start.captionControl, "Btn_Start");
  EXPECT_EQ(start.caption, RecordCaption::kStop);
  EXPECT_EQ(start.enables, (std::vector<ControlEnable>{{"Gb_Delay", false},
                                                       {"LB_PCMacroName", false},
                                                       {"LB_MacroName", false},
                                                       {"LB_macro", false},
                                                       {"Btn_New", false}}));
  EXPECT_EQ(start.image, (ControlImage{"Img_Start", "MacroS_04"}));
  EXPECT_EQ(start.focus, "LB_macro");
  EXPECT_TRUE(recorder.Recording());
  EXPECT_TRUE(recorder.RecordDelayOptions().Locked());
  EXPECT_EQ(target.starts, 1);
  EXPECT_EQ(target.lines, (MacroLines{"10"}));  // old lines gone, header of Record Delay
  EXPECT_EQ(recorder.UsedBytes(), 0);
  EXPECT_EQ(recorder.ByteLimit(), kEepromByteLimit);
  EXPECT_EQ(recorder.LastKey(), -1);
  EXPECT_FALSE(recorder.LastEventTick());

  Tap(kA);
  const RecordingChange stop = recorder.Btn_StartClick();
  EXPECT_EQ(stop.caption, RecordCaption::kRecord);
  EXPECT_EQ(stop.enables, (std::vector<ControlEnable>{{"Gb_Delay", true},
                                                      {"LB_PCMacroName", true},
                                                      {"LB_MacroName", true},
                                                      {"LB_macro", true},
                                                      {"Btn_New", true}}));
  EXPECT_EQ(stop.image, (ControlImage{"Img_Start", "MacroS_03"}));
  EXPECT_TRUE(stop.saved);
  EXPECT_FALSE(recorder.Recording());
  EXPECT_FALSE(recorder.RecordDelayOptions().Locked());
  EXPECT_EQ(target.commits, 1);
  EXPECT_EQ(target.committed, (MacroLines{"10", "1 A CODE:8204", "0 0", "2 A CODE:0204"}));

  // Events after the stop go nowhere.
  EXPECT_EQ(Key(kB, kFirstDown), EventOutcome::kIgnored);
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kRightDown), EventOutcome::kIgnored);
  EXPECT_EQ(target.lines.size(), 4u);
}

TEST_F(MacroRecorderTest, StartNeedsASelectedMacroAndStopReportsAFailedSave) {
  target.selected = false;
  target.lines = {"00", "1 Z CODE:821D"};
  EXPECT_FALSE(recorder.Btn_StartClick().Happened());
  EXPECT_FALSE(recorder.Recording());
  EXPECT_EQ(recorder.Caption(), RecordCaption::kRecord);
  EXPECT_EQ(target.lines.size(), 2u);
  EXPECT_EQ(target.starts, 0);

  target.selected = true;
  target.saveSucceeds = false;
  recorder.Btn_StartClick();
  EXPECT_FALSE(recorder.Btn_StartClick().saved);
}

TEST_F(MacroRecorderTest, HeaderNamesTheDelayMode) {
  struct Case {
    DelayMode mode;
    const char* field;
    const char* header;
  };
  const Case cases[] = {
      {DelayMode::kRecord, "80", "10"},
      {DelayMode::kDefault, "80", "0180"},
      {DelayMode::kDefault, "", "010"},
      {DelayMode::kNone, "80", "00"},
  };
  for (const Case& c : cases) {
    target.lines.clear();
    recorder.RecordDelayOptions().Choose(c.mode);
    recorder.RecordDelayOptions().FieldChange(c.field);
    recorder.Btn_StartClick();
    EXPECT_EQ(target.lines, (MacroLines{c.header})) << c.header;
    recorder.Btn_StartClick();
  }
}

TEST_F(MacroRecorderTest, FirstEventHasNoDelayLine) {
  for (DelayMode mode : {DelayMode::kRecord, DelayMode::kDefault, DelayMode::kNone}) {
    recorder.RecordDelayOptions().Choose(mode);
    recorder.RecordDelayOptions().FieldChange("300");
    for (bool button : {false, true}) {
      recorder.Btn_StartClick();
      Wait(700);
      if (button) {
        recorder.MouseButtonEdge(ButtonEdge::kMiddleDown);
      } else {
        Key(kA, kFirstDown);
      }
      EXPECT_EQ(Events(), (MacroLines{button ? "1 MiddleKey CODE:00A4" : "1 A CODE:8204"}));
      ExpectBytesMatchLines();
      recorder.Btn_StartClick();
    }
  }
}

// The clock starts at 0 ms: an event at tick 0 must still count as a previous event.
TEST_F(MacroRecorderTest, HeldKeyGivesOneKeyDown) {
  recorder.Btn_StartClick();
  EXPECT_EQ(Key(kA, kFirstDown), EventOutcome::kRecorded);
  for (int i = 0; i < 5; ++i) {
    Wait(33);
    EXPECT_EQ(Key(kA, kFurtherDown), EventOutcome::kIgnored);
  }
  Wait(835);
  EXPECT_EQ(Key(kA, kUp), EventOutcome::kRecorded);
  EXPECT_EQ(Events(), (MacroLines{"1 A CODE:8204", "0 1000", "2 A CODE:0204"}));
  EXPECT_EQ(recorder.LastKey(), kA);
  ExpectBytesMatchLines();
}

TEST_F(MacroRecorderTest, SecondKeyWhileFirstHeldIsAKeyDown) {
  recorder.RecordDelayOptions().Choose(DelayMode::kNone);
  recorder.Btn_StartClick();
  Key(kA, kFirstDown);
  Key(kA, kFurtherDown);
  EXPECT_EQ(Key(kB, kFurtherDown), EventOutcome::kRecorded);
  Key(kB, kFurtherDown);  // now B repeats
  Key(kB, kUp);
  Key(kA, kUp);
  EXPECT_EQ(Events(),
            (MacroLines{"1 A CODE:8204", "1 B CODE:8205", "2 B CODE:0205", "2 A CODE:0204"}));
  EXPECT_EQ(recorder.UsedBytes(), 8);
  EXPECT_EQ(recorder.SelectedItem(), 3);
}

TEST_F(MacroRecorderTest, TwoKeysInOneTickGiveAZeroDelayOfTwoBytes) {
  recorder.Btn_StartClick();
  Wait(50);
  Key(kA, kFirstDown);
  Key(kB, kFurtherDown);
  EXPECT_EQ(Events(), (MacroLines{"1 A CODE:8204", "0 0", "1 B CODE:8205"}));
  EXPECT_EQ(recorder.UsedBytes(), 6);
  ExpectBytesMatchLines();
}

TEST_F(MacroRecorderTest, LongPauseIsCappedAndSplitForButtons) {
  recorder.Btn_StartClick();
  Key(kA, kFirstDown);
  Wait(30000);
  Key(kA, kUp);
  EXPECT_EQ(Events(), (MacroLines{"1 A CODE:8204", "0 10200", "2 A CODE:0204"}));
  EXPECT_EQ(recorder.UsedBytes(), 2 + 10 + 2);

  Wait(30000);
  recorder.MouseButtonEdge(ButtonEdge::kRightDown);
  EXPECT_EQ(Events(), (MacroLines{"1 A CODE:8204", "0 10200", "2 A CODE:0204", "0 2040", "0 2040",
                                  "0 2040", "0 2040", "0 2040", "1 RightKey CODE:00A2"}));
  EXPECT_EQ(recorder.UsedBytes(), 14 + 10 + 1);
  ExpectBytesMatchLines();
}

TEST_F(MacroRecorderTest, KeyDelayCountsTheEncodedPairs) {
  struct Case {
    std::uint32_t pauseMs;
    int delayBytes;
  };
  const Case cases[] = {{0, 2},    {1, 2},    {2039, 2},   {2040, 2},  {2041, 4},
                        {4080, 4}, {4081, 6}, {10200, 10}, {10201, 10}};
  for (const Case& c : cases) {
    target.lines.clear();
    recorder.Btn_StartClick();
    Key(kA, kFirstDown);
    Wait(c.pauseMs);
    Key(kA, kUp);
    EXPECT_EQ(recorder.UsedBytes(), 4 + c.delayBytes) << c.pauseMs;
    ExpectBytesMatchLines();
    recorder.Btn_StartClick();
  }
}

TEST_F(MacroRecorderTest, ButtonDelayGoesInLinesOf2040) {
  struct Case {
    std::uint32_t pauseMs;
    MacroLines delayLines;
  };
  const Case cases[] = {
      {0, {}},
      {5, {"0 5"}},
      {2040, {"0 2040"}},
      {2041, {"0 2040", "0 1"}},
      {5000, {"0 2040", "0 2040", "0 920"}},
  };
  for (const Case& c : cases) {
    recorder.Btn_StartClick();
    recorder.MouseButtonEdge(ButtonEdge::kForwardDown);
    Wait(c.pauseMs);
    recorder.MouseButtonEdge(ButtonEdge::kForwardUp);
    MacroLines expected{"1 Forward CODE:00A8"};
    expected.insert(expected.end(), c.delayLines.begin(), c.delayLines.end());
    expected.push_back("2 Forward CODE:0028");
    EXPECT_EQ(Events(), expected) << c.pauseMs;
    ExpectBytesMatchLines();
    recorder.Btn_StartClick();
  }
}

TEST_F(MacroRecorderTest, DefaultDelayUsesTheField) {
  recorder.RecordDelayOptions().Choose(DelayMode::kDefault);
  recorder.RecordDelayOptions().FieldChange("100");
  recorder.Btn_StartClick();
  Key(kA, kFirstDown);
  Wait(5000);
  Key(kA, kUp);
  recorder.MouseButtonEdge(ButtonEdge::kBackwardDown);
  EXPECT_EQ(Events(), (MacroLines{"1 A CODE:8204", "0 100", "2 A CODE:0204", "0 100",
                                  "1 Backward CODE:00B0"}));
  ExpectBytesMatchLines();
  recorder.Btn_StartClick();

  // A fixed 0 ms is a line of its own for keys; for buttons it adds nothing.
  recorder.RecordDelayOptions().FieldChange("0");
  recorder.Btn_StartClick();
  Key(kA, kFirstDown);
  Key(kA, kUp);
  recorder.MouseButtonEdge(ButtonEdge::kBackwardUp);
  EXPECT_EQ(Events(),
            (MacroLines{"1 A CODE:8204", "0 0", "2 A CODE:0204", "2 Backward CODE:0030"}));
  ExpectBytesMatchLines();
}

TEST_F(MacroRecorderTest, NoDelayLeavesTheClockAlone) {
  recorder.RecordDelayOptions().Choose(DelayMode::kNone);
  recorder.Btn_StartClick();
  Key(kA, kFirstDown);
  Wait(3000);
  recorder.MouseButtonEdge(ButtonEdge::kLeftDown);
  Key(kA, kUp);
  EXPECT_EQ(Events(), (MacroLines{"1 A CODE:8204", "1 LeftKey CODE:00A1", "2 A CODE:0204"}));
  EXPECT_FALSE(recorder.LastEventTick());
  EXPECT_EQ(recorder.UsedBytes(), 5);
}

TEST_F(MacroRecorderTest, KeysAndButtonsInterleaveInArrivalOrder) {
  recorder.Btn_StartClick();
  Key(kA, kFirstDown);
  Wait(100);
  recorder.MouseButtonEdge(ButtonEdge::kLeftDown);
  Wait(150);
  Key(kA, kUp);
  Wait(2050);
  recorder.MouseButtonEdge(ButtonEdge::kLeftUp);
  EXPECT_EQ(Events(), (MacroLines{"1 A CODE:8204", "0 100", "1 LeftKey CODE:00A1", "0 150",
                                  "2 A CODE:0204", "0 2040", "0 10", "2 LeftKey CODE:0021"}));
  EXPECT_EQ(recorder.UsedBytes(), 14);
  EXPECT_EQ(recorder.LastEventTick(), 2300u);
  ExpectBytesMatchLines();
}

TEST_F(MacroRecorderTest, AllTenButtonEdgesHaveTheirLines) {
  recorder.RecordDelayOptions().Choose(DelayMode::kNone);
  recorder.Btn_StartClick();
  for (std::size_t i = 0; i < kButtonEdgeCount; ++i) {
    EXPECT_EQ(recorder.MouseButtonEdge(static_cast<ButtonEdge>(i)), EventOutcome::kRecorded);
  }
  EXPECT_EQ(Events(),
            (MacroLines{"1 LeftKey CODE:00A1", "2 LeftKey CODE:0021", "1 RightKey CODE:00A2",
                        "2 RightKey CODE:0022", "1 MiddleKey CODE:00A4", "2 MiddleKey CODE:0024",
                        "1 Forward CODE:00A8", "2 Forward CODE:0028", "1 Backward CODE:00B0",
                        "2 Backward CODE:0030"}));
  EXPECT_EQ(recorder.UsedBytes(), 10);
}

TEST_F(MacroRecorderTest, KeyLinesNameTheKeyAndModifiersUseTheirBit) {
  struct Case {
    std::uint16_t virtualKey;
    const char* down;
    const char* up;
  };
  const Case cases[] = {
      {0x10, "1 Shift CODE:8102", "2 Shift CODE:0102"},
      {0xA0, "1 Left Shift CODE:8102", "2 Left Shift CODE:0102"},
      {0xA1, "1 Right Shift CODE:8102", "2 Right Shift CODE:0102"},
      {0x11, "1 Ctrl CODE:8101", "2 Ctrl CODE:0101"},
      {0xA3, "1 Right Ctrl CODE:8101", "2 Right Ctrl CODE:0101"},
      {0x12, "1 Alt CODE:8104", "2 Alt CODE:0104"},
      {0xA4, "1 Left Alt CODE:8104", "2 Left Alt CODE:0104"},
      {0x5B, "1 Left Windows CODE:8108", "2 Left Windows CODE:0108"},
      {0x5C, "1 Right Windows CODE:8180", "2 Right Windows CODE:0180"},
      {0x0D, "1 Enter CODE:8228", "2 Enter CODE:0228"},
      {0x6C, "1 Separator (numeric pad) CODE:8258", "2 Separator (numeric pad) CODE:0258"},
      {0xAF, "1 Volume_Up CODE:82C5", "2 Volume_Up CODE:02C5"},
      {0xB6, "1 Launch_App1 CODE:8200", "2 Launch_App1 CODE:0200"},
      {0xE5, "1 None CODE:8200", "2 None CODE:0200"},
  };
  recorder.RecordDelayOptions().Choose(DelayMode::kNone);
  for (const Case& c : cases) {
    recorder.Btn_StartClick();
    Tap(c.virtualKey);
    EXPECT_EQ(Events(), (MacroLines{c.down, c.up}));
    recorder.Btn_StartClick();
  }
}

TEST_F(MacroRecorderTest, KeyWithoutACodeIsIgnored) {
  recorder.Btn_StartClick();
  EXPECT_EQ(Key(keys::virtual_key::kNoCode, kFirstDown), EventOutcome::kIgnored);
  EXPECT_EQ(Key(keys::virtual_key::kNoCode, kUp), EventOutcome::kIgnored);
  EXPECT_EQ(Key(kA, kFurtherDown), EventOutcome::kRecorded);  // not an auto-repeat of 255
  EXPECT_EQ(Events(), (MacroLines{"1 A CODE:8204"}));
  EXPECT_EQ(recorder.LastKey(), kA);
}

// The press and release on "Stop" happen with the pointer over the button.
TEST_F(MacroRecorderTest, ClickOnStopIsNotRecorded) {
  recorder.Btn_StartClick();
  recorder.MouseButtonEdge(ButtonEdge::kLeftDown);
  recorder.MouseButtonEdge(ButtonEdge::kLeftUp);
  recorder.SetPointerOverButton(true);
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kRightDown), EventOutcome::kRecorded);
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kLeftDown), EventOutcome::kIgnored);
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kLeftUp), EventOutcome::kIgnored);
  recorder.Btn_StartClick();
  EXPECT_EQ(target.committed, (MacroLines{"10", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021",
                                          "1 RightKey CODE:00A2"}));
}

TEST_F(MacroRecorderTest, PressesKeepRoomForTheReleasesOfEveryKeyHeld) {
  recorder.RecordDelayOptions().Choose(DelayMode::kNone);
  recorder.Btn_StartClick();
  for (int i = 0; i < 53; ++i) {
    Tap(kA);
  }
  ASSERT_EQ(recorder.UsedBytes(), 212);
  EXPECT_EQ(Key(kA, kFirstDown), EventOutcome::kRecorded);    // at 212
  EXPECT_EQ(Key(kB, kFurtherDown), EventOutcome::kRecorded);  // at 214
  EXPECT_EQ(recorder.UsedBytes(), 216);
  EXPECT_FALSE(recorder.RecordFull());

  // A third press would leave no room to release all three.
  EXPECT_EQ(Key(kC, kFurtherDown), EventOutcome::kRefused);
  EXPECT_TRUE(recorder.RecordFull());
  EXPECT_TRUE(recorder.KeyUpOverflow());
  EXPECT_EQ(Key(0x44, kFurtherDown), EventOutcome::kIgnored);
  EXPECT_EQ(Key(kC, kUp), EventOutcome::kIgnored);  // its press is not in the macro
  // The keys the macro holds are always released.
  EXPECT_EQ(Key(kB, kUp), EventOutcome::kRecorded);
  EXPECT_EQ(Key(kA, kUp), EventOutcome::kRecorded);
  EXPECT_TRUE(recorder.Recording());
  EXPECT_EQ(recorder.UsedBytes(), 220);
  ExpectBytesMatchLines();
  recorder.Btn_StartClick();
  EXPECT_EQ(MacroLines(target.committed.end() - 4, target.committed.end()),
            (MacroLines{"1 A CODE:8204", "1 B CODE:8205", "2 B CODE:0205", "2 A CODE:0204"}));
}

// Either Shift is one modifier in the macro: one release frees both.
TEST_F(MacroRecorderTest, KeysSharingACodeAreHeldOnce) {
  recorder.RecordDelayOptions().Choose(DelayMode::kNone);
  recorder.Btn_StartClick();
  FillWithClicks(212);
  EXPECT_EQ(Key(keys::virtual_key::kLeftShift, kFirstDown), EventOutcome::kRecorded);     // 214
  EXPECT_EQ(Key(keys::virtual_key::kRightShift, kFurtherDown), EventOutcome::kRecorded);  // 216
  EXPECT_EQ(Key(kA, kFurtherDown), EventOutcome::kRefused);
  EXPECT_EQ(Key(keys::virtual_key::kRightShift, kUp), EventOutcome::kRecorded);  // 218
  EXPECT_EQ(Key(keys::virtual_key::kLeftShift, kUp), EventOutcome::kIgnored);
  EXPECT_EQ(target.lines.back(), "2 Right Shift CODE:0102");
  ExpectBytesMatchLines();
}

// A release of a key the macro does not hold, with the macro at its limit
// and nothing held: the macro is complete and the recording ends.
TEST_F(MacroRecorderTest, AStrayReleaseAtTheLimitEndsTheRecording) {
  recorder.RecordDelayOptions().Choose(DelayMode::kNone);
  recorder.Btn_StartClick();
  FillWithClicks(216);
  Tap(kA);
  ASSERT_EQ(recorder.UsedBytes(), 220);
  const KeyEventResult result = recorder.KeyboardHook1Receive(kB, kUp);
  EXPECT_EQ(result.outcome, EventOutcome::kStopped);
  EXPECT_EQ(result.stop.captionControl, "Btn_Start");
  EXPECT_EQ(result.stop.caption, RecordCaption::kRecord);
  EXPECT_FALSE(recorder.Recording());
  EXPECT_EQ(target.commits, 1);
  EXPECT_EQ(target.committed.back(), "2 A CODE:0204");
  EXPECT_EQ(EncodedBytes(target.committed), 220);
}

// Buttons and keys share the reserve: a held button keeps its release too.
TEST_F(MacroRecorderTest, AHeldButtonKeepsItsReleaseAmongKeys) {
  recorder.RecordDelayOptions().Choose(DelayMode::kNone);
  recorder.Btn_StartClick();
  recorder.MouseButtonEdge(ButtonEdge::kRightDown);
  for (int i = 0; i < 53; ++i) {
    Tap(kA);
  }
  EXPECT_EQ(Key(kA, kFirstDown), EventOutcome::kRecorded);   // 213
  EXPECT_EQ(Key(kB, kFurtherDown), EventOutcome::kRefused);  // no room for three releases
  EXPECT_EQ(Key(kA, kUp), EventOutcome::kRecorded);          // 217
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kRightUp), EventOutcome::kRecorded);  // 218
  EXPECT_EQ(target.lines.back(), "2 RightKey CODE:0022");
  ExpectBytesMatchLines();
}

TEST_F(MacroRecorderTest, ButtonsFollowTheRoomRules) {
  recorder.RecordDelayOptions().Choose(DelayMode::kNone);
  recorder.Btn_StartClick();
  FillWithClicks(214);
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kRightDown), EventOutcome::kRecorded);   // 214
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kLeftDown), EventOutcome::kRecorded);    // 215
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kMiddleDown), EventOutcome::kRecorded);  // 216
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kForwardDown), EventOutcome::kRefused);  // 217
  EXPECT_TRUE(recorder.RecordFull());
  EXPECT_FALSE(recorder.KeyUpOverflow());
  EXPECT_TRUE(recorder.Recording());
  // Once full, the buttons the macro holds are still released; nothing else goes in.
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kForwardUp), EventOutcome::kRefused);
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kBackwardDown), EventOutcome::kRefused);
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kLeftUp), EventOutcome::kRecorded);
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kRightUp), EventOutcome::kRecorded);
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kMiddleUp), EventOutcome::kRecorded);
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kBackwardUp), EventOutcome::kRefused);
  EXPECT_EQ(recorder.UsedBytes(), 220);
  EXPECT_EQ(target.lines.back(), "2 MiddleKey CODE:0024");
  // The keyboard records nothing once full.
  EXPECT_EQ(Key(kA, kFirstDown), EventOutcome::kIgnored);
  ExpectBytesMatchLines();
}

// A press and its pause must fit together, however long the pause.
TEST_F(MacroRecorderTest, PressWhosePauseDoesNotFitIsRefused) {
  recorder.Btn_StartClick();
  FillWithClicks(210);
  Wait(30000);
  EXPECT_EQ(Key(kA, kFirstDown), EventOutcome::kRefused);
  EXPECT_TRUE(recorder.RecordFull());
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kRightDown), EventOutcome::kRefused);
  EXPECT_EQ(recorder.UsedBytes(), 210);
  ExpectBytesMatchLines();
}

// A release near the limit keeps as much of its pause as fits.
TEST_F(MacroRecorderTest, ReleaseNearTheLimitKeepsAShorterPause) {
  recorder.Btn_StartClick();
  FillWithClicks(200);
  Key(kA, kFirstDown);  // "0 0" and the key: 204
  FillWithClicks(8);
  ASSERT_EQ(recorder.UsedBytes(), 212);
  Wait(30000);
  EXPECT_EQ(Key(kA, kUp), EventOutcome::kRecorded);
  EXPECT_EQ(target.lines.back(), "2 A CODE:0204");
  EXPECT_EQ(target.lines[target.lines.size() - 2], "0 6120");
  EXPECT_EQ(recorder.UsedBytes(), 220);
  ExpectBytesMatchLines();

  target.lines.clear();
  recorder.Btn_StartClick();
  recorder.Btn_StartClick();
  recorder.MouseButtonEdge(ButtonEdge::kRightDown);
  FillWithClicks(210);
  ASSERT_EQ(recorder.UsedBytes(), 211);
  Wait(9000);  // four lines of 2040 and one of 840 would need 10 bytes; 8 are left
  EXPECT_EQ(recorder.MouseButtonEdge(ButtonEdge::kRightUp), EventOutcome::kRecorded);
  EXPECT_EQ(MacroLines(target.lines.end() - 5, target.lines.end()),
            (MacroLines{"0 2040", "0 2040", "0 2040", "0 2040", "2 RightKey CODE:0022"}));
  EXPECT_EQ(target.lines[target.lines.size() - 6], "2 LeftKey CODE:0021");
  EXPECT_EQ(recorder.UsedBytes(), 220);
  ExpectBytesMatchLines();
}

TEST_F(MacroRecorderTest, DriverModeStopsWhereTheDriverContentEnds) {
  MacroRecorder driver(clock, target, RecorderOptions::ForMacroPage(false));
  driver.RecordDelayOptions().Choose(DelayMode::kNone);
  driver.Btn_StartClick();
  EXPECT_EQ(driver.ByteLimit(), 2012);
  for (int i = 0; i < 2020; ++i) {
    driver.MouseButtonEdge(i % 2 == 0 ? ButtonEdge::kLeftDown : ButtonEdge::kLeftUp);
  }
  EXPECT_EQ(driver.UsedBytes(), 2010);
  EXPECT_TRUE(driver.RecordFull());
  EXPECT_EQ(EncodedBytes(target.lines), 2010);
}

// The fire-macro page's twin: left edges only and no room rules.
TEST_F(MacroRecorderTest, OptionsChooseTheEdgesAndTheRoomCheck) {
  RecorderOptions options;
  options.recordedEdges.set(static_cast<std::size_t>(ButtonEdge::kLeftDown));
  options.recordedEdges.set(static_cast<std::size_t>(ButtonEdge::kLeftUp));
  options.roomCheckForButtons = false;
  options.byteLimit = 4;
  MacroRecorder fire(clock, target, options);
  fire.RecordDelayOptions().Choose(DelayMode::kNone);
  fire.Btn_StartClick();
  EXPECT_EQ(fire.MouseButtonEdge(ButtonEdge::kRightDown), EventOutcome::kIgnored);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(fire.MouseButtonEdge(i % 2 == 0 ? ButtonEdge::kLeftDown : ButtonEdge::kLeftUp),
              EventOutcome::kRecorded);
  }
  EXPECT_EQ(fire.UsedBytes(), 6);
}

TEST_F(MacroRecorderTest, DelayOptionsAreHeldDuringARecording) {
  recorder.Btn_StartClick();
  recorder.RecordDelayOptions().Choose(DelayMode::kNone);
  recorder.RecordDelayOptions().FieldChange("500");
  EXPECT_EQ(recorder.RecordDelayOptions().Mode(), DelayMode::kRecord);
  EXPECT_EQ(recorder.RecordDelayOptions().FieldText(), "0");
  recorder.Btn_StartClick();
  recorder.RecordDelayOptions().Choose(DelayMode::kNone);
  EXPECT_EQ(recorder.RecordDelayOptions().Mode(), DelayMode::kNone);
}

class InsertRecordingTest : public MacroRecorderTest {
 protected:
  void SetUp() override {
    target.lines = {"00", "1 A CODE:8204", "2 A CODE:0204", "1 C CODE:8206"};
    recorder.InsertDelayOptions().Choose(DelayMode::kNone);
  }
};

TEST_F(InsertRecordingTest, InsertsBeforeOrAfterTheSelectedEvent) {
  struct Case {
    int selected;
    InsertSide side;
    MacroLines lines;
    int lastSelected;
  };
  const Case cases[] = {
      {0,
       InsertSide::kFront,
       {"00", "1 B CODE:8205", "2 B CODE:0205", "1 A CODE:8204", "2 A CODE:0204", "1 C CODE:8206"},
       1},
      {0,
       InsertSide::kBack,
       {"00", "1 A CODE:8204", "1 B CODE:8205", "2 B CODE:0205", "2 A CODE:0204", "1 C CODE:8206"},
       2},
      {2,
       InsertSide::kFront,
       {"00", "1 A CODE:8204", "2 A CODE:0204", "1 B CODE:8205", "2 B CODE:0205", "1 C CODE:8206"},
       3},
      {2,
       InsertSide::kBack,
       {"00", "1 A CODE:8204", "2 A CODE:0204", "1 C CODE:8206", "1 B CODE:8205", "2 B CODE:0205"},
       4},
  };
  for (const Case& c : cases) {
    SetUp();
    const RecordingChange start = recorder.Btn_InsertStartClick(c.selected, 7, c.side);
    ASSERT_TRUE(start.Happened());
    EXPECT_EQ(recorder.UsedBytes(), 7);
    EXPECT_EQ(recorder.ByteLimit(), kInsertByteLimit);
    EXPECT_EQ(recorder.InsertPosition(), c.selected);
    Tap(kB);
    EXPECT_EQ(target.lines, c.lines) << c.selected;
    EXPECT_EQ(recorder.SelectedItem(), c.lastSelected);
    EXPECT_EQ(recorder.InsertPosition(), c.selected + 2);
    EXPECT_EQ(recorder.UsedBytes(), 11);
    recorder.Btn_InsertStartClick(std::nullopt, 0, c.side);
  }
  EXPECT_EQ(target.commits, 0);  // the panel's OK or Cancel decides
}

TEST_F(InsertRecordingTest, StartAndStopSetThePanel) {
  const RecordingChange start = recorder.Btn_InsertStartClick(1, 7, InsertSide::kBack);
  EXPECT_EQ(start.captionControl, "Btn_InsertStart");
  EXPECT_EQ(start.caption, RecordCaption::kStop);
  EXPECT_EQ(start.enables, (std::vector<ControlEnable>{
                               {"CB_Insert", false}, {"Btn_OK", false}, {"Btn_Cancel", false}}));
  EXPECT_EQ(start.image, (ControlImage{"Img_InsertStart", "MacroS_03"}));
  EXPECT_TRUE(recorder.InsertRecording());
  EXPECT_TRUE(recorder.InsertDelayOptions().Locked());
  EXPECT_FALSE(recorder.RecordDelayOptions().Locked());
  // The main record button and a second start do nothing meanwhile.
  EXPECT_FALSE(recorder.Btn_StartClick().Happened());
  EXPECT_EQ(target.starts, 0);

  Key(kB, kFirstDown);
  const RecordingChange stop = recorder.Btn_InsertStartClick(1, 7, InsertSide::kBack);
  EXPECT_EQ(stop.caption, RecordCaption::kRecord);
  EXPECT_EQ(stop.enables, (std::vector<ControlEnable>{
                              {"CB_Insert", true}, {"Btn_OK", true}, {"Btn_Cancel", true}}));
  EXPECT_EQ(stop.image, (ControlImage{"Img_InsertStart", "MacroS_01"}));
  EXPECT_FALSE(recorder.Recording());
  EXPECT_FALSE(recorder.InsertRecording());
  EXPECT_FALSE(recorder.InsertDelayOptions().Locked());
  EXPECT_EQ(target.commits, 0);
  EXPECT_EQ(target.lines.size(), 5u);
}

TEST_F(InsertRecordingTest, StartNeedsASelectedEventAndRoom) {
  struct Case {
    std::optional<int> selected;
    int length;
    bool starts;
  };
  const Case cases[] = {
      {std::nullopt, 7, false}, {-1, 7, false},  {3, 7, false},   {2, 7, true},
      {0, 219, true},           {0, 220, false}, {0, 255, false}, {0, -1, false},
  };
  for (const Case& c : cases) {
    const RecordingChange change =
        recorder.Btn_InsertStartClick(c.selected, c.length, InsertSide::kFront);
    EXPECT_EQ(change.Happened(), c.starts) << c.selected.value_or(-9) << " " << c.length;
    EXPECT_EQ(recorder.Recording(), c.starts);
    if (c.starts) {
      recorder.Btn_InsertStartClick(c.selected, c.length, InsertSide::kFront);
    }
  }
  // Nor does it start while a recording of the whole macro runs.
  recorder.Btn_StartClick();
  EXPECT_FALSE(recorder.Btn_InsertStartClick(0, 7, InsertSide::kFront).Happened());
  EXPECT_FALSE(recorder.InsertRecording());
}

TEST_F(InsertRecordingTest, UsesTheInsertPanelsDelayOptions) {
  recorder.RecordDelayOptions().Choose(DelayMode::kNone);
  recorder.InsertDelayOptions().Choose(DelayMode::kDefault);
  EXPECT_EQ(recorder.InsertDelayOptions().FieldText(), "50");
  recorder.Btn_InsertStartClick(2, 7, InsertSide::kFront);
  Key(kB, kFirstDown);
  recorder.MouseButtonEdge(ButtonEdge::kRightDown);
  Key(kB, kUp);
  EXPECT_EQ(target.lines,
            (MacroLines{"00", "1 A CODE:8204", "2 A CODE:0204", "1 B CODE:8205", "0 50",
                        "1 RightKey CODE:00A2", "0 50", "2 B CODE:0205", "1 C CODE:8206"}));
  EXPECT_EQ(recorder.UsedBytes(), 7 + 2 + 3 + 4);
}

TEST_F(InsertRecordingTest, InsertRecordingKeepsRoomForTheReleasesOfItsKeys) {
  recorder.Btn_InsertStartClick(0, 210, InsertSide::kBack);
  EXPECT_EQ(Key(kB, kFirstDown), EventOutcome::kRecorded);     // 212
  EXPECT_EQ(Key(kC, kFurtherDown), EventOutcome::kRecorded);   // 214
  EXPECT_EQ(Key(0x44, kFurtherDown), EventOutcome::kRefused);  // three releases would not fit
  EXPECT_EQ(Key(kB, kUp), EventOutcome::kRecorded);            // 216
  EXPECT_EQ(Key(kC, kUp), EventOutcome::kRecorded);            // 218
  EXPECT_EQ(Key(0x44, kUp), EventOutcome::kIgnored);
  EXPECT_TRUE(recorder.InsertRecording());
  EXPECT_EQ(target.commits, 0);
  EXPECT_EQ(target.lines,
            (MacroLines{"00", "1 A CODE:8204", "1 B CODE:8205", "1 C CODE:8206", "2 B CODE:0205",
                        "2 C CODE:0206", "2 A CODE:0204", "1 C CODE:8206"}));
}

TEST(DelayOptionsTest, FieldKeepsDigitsWithinItsLengthAndRange) {
  struct Case {
    bool insertPanel;
    const char* typed;
    const char* text;
    int value;
  };
  const Case cases[] = {
      {false, "", "", 0},
      {false, "12a3", "123", 123},
      {false, "2040", "204", 204},
      {false, "-5", "5", 5},
      {true, "2040", "2040", 2040},
      {true, "2041", "2040", 2040},
      {true, "99999", "2040", 2040},
      {true, "0050", "0050", 50},
  };
  for (const Case& c : cases) {
    DelayOptions options(c.insertPanel ? InsertDelayFieldRules() : RecordDelayFieldRules());
    options.FieldChange(c.typed);
    EXPECT_EQ(options.FieldText(), c.text) << c.typed;
    EXPECT_EQ(options.FieldValue(), c.value) << c.typed;
  }
  DelayOptions options;
  options.SetFieldValue(5000);
  EXPECT_EQ(options.FieldValue(), 2040);
  options.SetFieldValue(-3);
  EXPECT_EQ(options.FieldText(), "0");
}

TEST(DelayOptionsTest, LampsFieldAndReserveFollowTheMode) {
  DelayOptions options;
  EXPECT_EQ(options.Mode(), DelayMode::kRecord);
  EXPECT_EQ(options.Lamp(DelayMode::kRecord), "RdS_E");
  EXPECT_EQ(options.Lamp(DelayMode::kNone), "RdS_D");
  EXPECT_FALSE(options.FieldEditable());
  EXPECT_EQ(options.Reserve(), 10);

  options.Choose(DelayMode::kDefault);
  EXPECT_TRUE(options.FieldEditable());
  EXPECT_EQ(options.Lamp(DelayMode::kDefault), "RdS_E");
  EXPECT_EQ(options.Lamp(DelayMode::kRecord), "RdS_D");
  EXPECT_EQ(options.Reserve(), 10);
  options.SetLocked(true);
  EXPECT_FALSE(options.FieldEditable());
  options.SetLocked(false);

  options.Choose(DelayMode::kNone);
  EXPECT_EQ(options.Reserve(), 4);
  EXPECT_EQ(options.HeaderLine(), "00");
}

}  // namespace
}  // namespace orbic::macros
