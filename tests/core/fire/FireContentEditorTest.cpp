#include "fire/FireContentEditor.h"

#include <gtest/gtest.h>

#include "sim/VirtualClock.h"

namespace orbic::fire {
namespace {

using Lines = macros::MacroLines;

struct EditorRig {
  void Put(int n, std::initializer_list<std::uint8_t> bytes) {
    FireMacroRecord& record = table.Record(n);
    record.fill(0);
    std::copy(bytes.begin(), bytes.end(), record.begin());
    FireMacroChecksum(record);
  }
  FireMacroTable table;
  sim::VirtualClock clock;
  FireContentEditor editor{table, clock};
};

FireMacroRecord Bytes(std::initializer_list<std::uint8_t> bytes) {
  FireMacroRecord record{};
  std::copy(bytes.begin(), bytes.end(), record.begin());
  FireMacroChecksum(record);
  return record;
}

TEST(FireContentEditorTest, DecodeGivesOneLinePerEvent) {
  EditorRig rig;
  rig.Put(4, {1, 12, 0xFD, 0x09, 0xFB, 0xFF, 0xFA, 0x05, 0xFE, 0xFF, 0xFE, 0x00, 0xFC});
  rig.editor.LB_FireMacroNameClick(4);
  EXPECT_EQ(rig.editor.Lines(),
            (Lines{"00", "7 FD09", "4 FBFF", "5 FA05", "0 2040", "0 0", "8 00FC"}));
  EXPECT_TRUE(rig.editor.StopOnRelease());
  EXPECT_EQ(rig.editor.SelectedItem(), 5);
  EXPECT_EQ(rig.editor.ScriptText().substr(0, 8), "010CFD09");
  EXPECT_EQ(rig.editor.ScriptText().size(), 2u * 14);
}

TEST(FireContentEditorTest, DecodeStopsAtAnUnknownByteAndSkipsEmptyRecords) {
  EditorRig rig;
  rig.Put(1, {0, 6, 0xA1, 0x82, 0x04, 0x21, 0xFC});
  rig.editor.LB_FireMacroNameClick(1);
  EXPECT_EQ(rig.editor.Lines(), (Lines{"00", "1 LeftKey CODE:00A1"}));

  for (const std::uint8_t length : {std::uint8_t{0}, std::uint8_t{0xFF}}) {
    rig.table.Record(2).fill(0);
    rig.table.Record(2)[1] = length;
    rig.editor.LB_FireMacroNameClick(2);
    EXPECT_TRUE(rig.editor.Lines().empty());
    EXPECT_EQ(rig.editor.ItemCount(), 0);
  }
}

TEST(FireContentEditorTest, RecordedDelaysAreSplitAndEncoded) {
  EditorRig rig;
  rig.editor.LB_FireMacroNameClick(3);
  rig.editor.Btn_FireStartClick();
  ASSERT_TRUE(rig.editor.Recording());
  rig.editor.LeftButtonEdge(true);  // first edge: no delay
  rig.clock.SleepMs(100);
  rig.editor.LeftButtonEdge(false);
  rig.clock.SleepMs(3000);
  rig.editor.LeftButtonEdge(true);
  rig.editor.Btn_FireStartClick();
  EXPECT_FALSE(rig.editor.Recording());
  EXPECT_EQ(rig.editor.Lines(), (Lines{"10", "1 LeftKey CODE:00A1", "0 100", "2 LeftKey CODE:0021",
                                       "0 2040", "0 960", "1 LeftKey CODE:00A1"}));
  EXPECT_EQ(rig.table.Record(3),
            Bytes({0, 10, 0xA1, 0xFE, 0x0C, 0x21, 0xFE, 0xFF, 0xFE, 0x78, 0xA1}));
}

TEST(FireContentEditorTest, DelayOptionsDecideTheDelayLines) {
  struct Case {
    const char* what;
    FireDelayOption option;
    std::uint32_t pauseMs;
    Lines lines;
  };
  const Case cases[] = {
      {"record, capped",
       FireDelayOption::kRecord,
       30000,
       {"10", "1 LeftKey CODE:00A1", "0 2040", "0 2040", "0 2040", "0 2040", "0 2040",
        "2 LeftKey CODE:0021"}},
      {"record, same tick",
       FireDelayOption::kRecord,
       0,
       {"10", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"}},
      {"fixed",
       FireDelayOption::kDelayTime,
       5,
       {"01300", "1 LeftKey CODE:00A1", "0 300", "2 LeftKey CODE:0021"}},
      {"none", FireDelayOption::kNone, 500, {"00", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"}},
  };
  for (const Case& c : cases) {
    EditorRig rig;
    rig.editor.Edt_FireDelayChange("300");
    if (c.option == FireDelayOption::kDelayTime) {
      rig.editor.IB_FireDelayTimeClick();
    } else if (c.option == FireDelayOption::kNone) {
      rig.editor.IB_FireNoDelayClick();
    }
    rig.editor.LB_FireMacroNameClick(1);
    rig.editor.Btn_FireStartClick();
    rig.editor.LeftButtonEdge(true);
    rig.clock.SleepMs(c.pauseMs);
    rig.editor.LeftButtonEdge(false);
    EXPECT_EQ(rig.editor.Lines(), c.lines) << c.what;
  }
}

TEST(FireContentEditorTest, RecordingStopsWhenTheRecordIsFull) {
  EditorRig rig;
  rig.table.Record(6).fill(0x33);  // the next fire macro must survive
  const FireMacroRecord next = rig.table.Record(6);
  rig.editor.IB_FireNoDelayClick();
  rig.editor.LB_FireMacroNameClick(5);
  rig.editor.Btn_FireStartClick();
  for (int edge = 0; edge < 30; ++edge) {
    rig.editor.LeftButtonEdge(edge % 2 == 0);
  }
  EXPECT_FALSE(rig.editor.Recording());
  EXPECT_EQ(rig.editor.ItemCount(), 21);
  EXPECT_EQ(rig.table.Record(5)[1], 22);
  EXPECT_EQ(rig.table.Record(6), next);
  rig.editor.LeftButtonEdge(true);  // after the stop: ignored
  EXPECT_EQ(rig.editor.ItemCount(), 21);
}

TEST(FireContentEditorTest, EmptyRecordingClearsTheRecord) {
  EditorRig rig;
  rig.Put(2, {1, 3, 0xFA, 0x05});
  rig.editor.LB_FireMacroNameClick(2);
  rig.editor.Btn_FireStartClick();
  rig.editor.Btn_FireStartClick();
  EXPECT_EQ(rig.table.Record(2), FireMacroRecord{});
}

TEST(FireContentEditorTest, TheStopClickIsNotRecorded) {
  EditorRig rig;
  rig.editor.IB_FireNoDelayClick();
  rig.editor.LB_FireMacroNameClick(1);
  rig.editor.Btn_FireStartClick();
  rig.editor.LeftButtonEdge(true);
  rig.editor.SetPointerOverRecordButton(true);
  rig.editor.LeftButtonEdge(false);
  rig.editor.Btn_FireStartClick();
  EXPECT_EQ(rig.editor.Lines(), (Lines{"00", "1 LeftKey CODE:00A1"}));
}

TEST(FireContentEditorTest, NothingHappensWithoutAChosenFireMacro) {
  EditorRig rig;
  rig.editor.Btn_FireStartClick();
  EXPECT_FALSE(rig.editor.Recording());
  rig.editor.Btn_FireInsertClick();
  EXPECT_FALSE(rig.editor.InsertPanelOpen());
  EXPECT_EQ(rig.editor.Btn_FireEditClick(), FireEditDialog::kNone);
}

TEST(FireContentEditorTest, InsertItemsPlaceTheirLines) {
  struct Case {
    int item;
    Lines lines;
  };
  // Start: header, Y step, delay; the Y step (item 0) is selected.
  const Case cases[] = {
      {0, {"00", "0 56", "5 FA05", "0 96"}},   {1, {"00", "5 FA05", "0 56", "0 96"}},
      {2, {"00", "7 FD0A", "5 FA05", "0 96"}}, {3, {"00", "5 FA05", "8 00FC", "0 96"}},
      {4, {"00", "4 FBF9", "5 FA05", "0 96"}}, {5, {"00", "5 FA05", "4 FBF9", "0 96"}},
      {6, {"00", "5 FA7F", "5 FA05", "0 96"}}, {7, {"00", "5 FA05", "5 FA7F", "0 96"}},
  };
  for (const Case& c : cases) {
    EditorRig rig;
    rig.Put(1, {0, 5, 0xFA, 0x05, 0xFE, 0x0C});
    rig.editor.LB_FireMacroNameClick(1);
    rig.editor.LB_FireMacroClick(0);
    rig.editor.Btn_FireInsertClick();
    ASSERT_TRUE(rig.editor.InsertPanelOpen());
    EXPECT_FALSE(rig.editor.ListEnabled());
    rig.editor.CB_InsertFireChange(c.item);
    rig.editor.Edt_InsertFireDelayChange("56");
    rig.editor.edt_FireXAxisValueChange("-7");
    rig.editor.edt_FireYAxisValueChange("300");
    ASSERT_TRUE(rig.editor.Btn_FireOKClick()) << c.item;
    EXPECT_EQ(rig.editor.Lines(), c.lines) << c.item;
    EXPECT_FALSE(rig.editor.InsertPanelOpen());
    // The record holds what the lines say.
    rig.editor.LB_FireMacroNameClick(1);
    EXPECT_EQ(rig.editor.Lines(), c.lines) << c.item;
  }
}

TEST(FireContentEditorTest, ChangesThatDoNotFitAreRefused) {
  EditorRig rig;
  // 20 event bytes: ten delays.
  FireMacroRecord& record = rig.table.Record(1);
  record.fill(0);
  record[1] = 21;
  for (std::size_t i = 2; i < 22; i += 2) {
    record[i] = 0xFE;
    record[i + 1] = 0x01;
  }
  FireMacroChecksum(record);
  const FireMacroRecord before = record;
  rig.table.Record(2).fill(0x44);
  rig.editor.LB_FireMacroNameClick(1);
  rig.editor.LB_FireMacroClick(0);
  rig.editor.Btn_FireInsertClick();
  rig.editor.CB_InsertFireChange(static_cast<int>(FireInsertItem::kDelayBack));
  EXPECT_FALSE(rig.editor.Btn_FireOKClick());
  EXPECT_TRUE(rig.editor.InsertPanelOpen());
  EXPECT_FALSE(rig.editor.LastError().empty());
  EXPECT_EQ(rig.table.Record(1), before);
  EXPECT_EQ(rig.table.Record(2)[0], 0x44);
  // One byte still fits.
  rig.editor.CB_InsertFireChange(static_cast<int>(FireInsertItem::kRepeatStop));
  EXPECT_TRUE(rig.editor.Btn_FireOKClick());
  EXPECT_EQ(rig.table.Record(1)[1], 22);
  EXPECT_EQ(rig.table.Record(2)[0], 0x44);
}

TEST(FireContentEditorTest, CancelDropsTheOpenInsert) {
  EditorRig rig;
  rig.Put(1, {0, 3, 0xFA, 0x05});
  rig.editor.LB_FireMacroNameClick(1);
  rig.editor.Btn_FireInsertClick();
  rig.editor.Btn_FireCancelClick();
  EXPECT_FALSE(rig.editor.InsertPanelOpen());
  EXPECT_EQ(rig.editor.Lines(), (Lines{"00", "5 FA05"}));
}

TEST(FireContentEditorTest, DeleteRemovesPairsAndEncodes) {
  struct Case {
    const char* what;
    int item;
    Lines lines;
    std::optional<int> selected;
  };
  // A1, delay 8, 21, Y 5.
  const Case cases[] = {
      {"press with its release", 0, {"00", "0 8", "5 FA05"}, 0},
      {"release with its press", 2, {"00", "0 8", "5 FA05"}, 0},
      {"a delay alone", 1, {"00", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021", "5 FA05"}, 0},
      {"the last line", 3, {"00", "1 LeftKey CODE:00A1", "0 8", "2 LeftKey CODE:0021"}, 2},
  };
  for (const Case& c : cases) {
    EditorRig rig;
    rig.Put(1, {0, 7, 0xA1, 0xFE, 0x01, 0x21, 0xFA, 0x05});
    rig.editor.LB_FireMacroNameClick(1);
    rig.editor.LB_FireMacroClick(c.item);
    EXPECT_TRUE(rig.editor.Btn_FireDelClick()) << c.what;
    EXPECT_EQ(rig.editor.Lines(), c.lines) << c.what;
    EXPECT_EQ(rig.editor.SelectedItem(), c.selected) << c.what;
    rig.editor.LB_FireMacroNameClick(1);
    EXPECT_EQ(rig.editor.Lines(), c.lines) << c.what;
  }
}

TEST(FireContentEditorTest, EditReplacesDelayAndButtonLines) {
  EditorRig rig;
  rig.Put(1, {0, 6, 0xA1, 0xFE, 0x01, 0xFA, 0x05});
  rig.editor.LB_FireMacroNameClick(1);
  rig.editor.LB_FireMacroClick(1);
  ASSERT_EQ(rig.editor.Btn_FireEditClick(), FireEditDialog::kDelay);
  EXPECT_TRUE(rig.editor.ConfirmDelay(0));
  EXPECT_EQ(rig.table.Record(1)[4], 0x00);
  EXPECT_EQ(rig.editor.Lines()[2], "0 0");

  rig.editor.LB_FireMacroClick(0);
  ASSERT_EQ(rig.editor.Btn_FireEditClick(), FireEditDialog::kKey);
  EXPECT_FALSE(rig.editor.ConfirmKeyLine("1 A CODE:8204"));
  EXPECT_TRUE(rig.editor.ConfirmKeyLine(kFireLeftUpLine));
  EXPECT_EQ(rig.table.Record(1)[2], 0x21);

  rig.editor.LB_FireMacroClick(2);
  EXPECT_EQ(rig.editor.Btn_FireEditClick(), FireEditDialog::kNone);
}

TEST(FireContentEditorTest, EncodingUsesTheChosenStopMode) {
  EditorRig rig;
  rig.Put(1, {1, 3, 0xFA, 0x05});
  rig.editor.LB_FireMacroNameClick(1);
  EXPECT_EQ(rig.editor.ReleaseStopPicture(), "RdS_E");
  rig.editor.IB_FireReleaseContiueClick();
  rig.editor.LB_FireMacroClick(0);
  rig.editor.Btn_FireEditClick();
  EXPECT_TRUE(rig.editor.Btn_FireDelClick());
  rig.editor.Btn_FireInsertClick();
  EXPECT_EQ(rig.table.Record(1), FireMacroRecord{});
}

}  // namespace
}  // namespace orbic::fire
