#include "fire/FirePage.h"

#include <gtest/gtest.h>

#include "keys/CodeLabels.h"
#include "params/DefaultImages.h"
#include "params/ImageFields.h"
#include "sim/VirtualClock.h"
#include "support/MouseRig.h"
#include "support/RecordingUiHost.h"
#include "ui/BehaviourConfig.h"
#include "ui/MessageStrings.h"

namespace orbic::fire {
namespace {

constexpr std::array<std::uint8_t, 10> kTypical = {0x00, 0x08, 0xFD, 0x09, 0xFA,
                                                   0x05, 0xFE, 0x0C, 0xFC, 0x49};

// The fire page over default image 1, split as the window splits it.
struct PageRig {
  explicit PageRig(ui::BehaviourConfig configuration = {}) : config(std::move(configuration)) {
    image.raw = params::LoadDefaultImages()[0];
    table.BindTo(image);
    image.SplitImage();
    keys.DataBufToCodes(image.data);
    options.RefreshFireTablesFromImage(image.data);
  }

  void PutRecord(int n, std::span<const std::uint8_t> bytes) {
    FireMacroRecord& record = table.Record(n);
    record.fill(0);
    std::copy(bytes.begin(), bytes.end(), record.begin());
  }

  ui::BehaviourConfig config;
  params::ParameterImage image;
  FireMacroTable table;
  params::DeviceOptions options;
  keys::KeyAssignments keys{[](std::string_view code) { return keys::LabelForCode(code); }};
  ui::MessageStrings messages;
  test::RecordingUiHost ui;
  sim::VirtualClock clock;
  FirePage page{table, image.data, options, keys, config, messages, ui, clock};
};

TEST(FirePageTest, TypicalRecordIsShownAndItsCountEditedInPlace) {
  PageRig rig;
  rig.PutRecord(1, kTypical);
  rig.page.Key_FireMacroClick(2, 4);
  const FireColumn& column = rig.page.Column(1);
  EXPECT_EQ(column.count, "10");
  EXPECT_EQ(column.y, "5");
  EXPECT_EQ(column.interval, "96");
  EXPECT_EQ(column.x, "0");
  EXPECT_FALSE(column.stopChecked);
  EXPECT_EQ(column.StopPicture(), "CbS_D");
  // Showing it made the key table follow the record: run to end.
  EXPECT_EQ(KeyTableType(rig.image.data, 1), 0x0B);

  rig.page.Edt_FireCntChange(1, "3");
  const FireMacroRecord& record = rig.table.Record(1);
  EXPECT_EQ(record[3], 0x02);
  EXPECT_EQ(record[9], 0x56);
}

TEST(FirePageTest, EditsAreCorrectedAndStored) {
  struct Case {
    const char* field;
    const char* typed;
    const char* shown;
    std::size_t offset;  // record offset of the operand; 0: not written
    std::uint8_t stored;
  };
  // Record: repeat start, X, Y, delay: operands at 3, 5, 7, 9.
  const std::array<std::uint8_t, 12> record = {0x01, 0x0A, 0xFD, 0x04, 0xFB, 0x00,
                                               0xFA, 0x06, 0xFE, 0x05, 0xFC, 0x00};
  const Case cases[] = {
      {"count", "", "1", 3, 0x00},
      {"count", "-7", "1", 3, 0x00},
      {"count", "300", "256", 3, 0xFF},
      {"count", "256", "256", 3, 0xFF},
      {"x", "-", "-", 0, 0},
      {"x", "", "0", 5, 0x00},
      {"x", "128", "127", 5, 0x7F},
      {"x", "-129", "-128", 5, 0x80},
      {"x", "-5", "-5", 5, 0xFB},
      {"y", "-3", "0", 7, 0x00},
      {"y", "200", "127", 7, 0x7F},
      {"y", "", "0", 7, 0x00},
      {"interval", "2041", "2040", 9, 0xFF},
      {"interval", "100", "100", 9, 0x0C},
      {"interval", "", "0", 9, 0x00},
  };
  FireMacroRecord start{};
  std::copy(record.begin(), record.end(), start.begin());
  FireMacroChecksum(start);
  for (const Case& c : cases) {
    PageRig rig;
    rig.PutRecord(3, start);
    rig.page.Key_FireMacroClick(2, 4);
    rig.page.Btn_FireClick(3);
    const std::string field = c.field;
    if (field == "count") {
      rig.page.Edt_FireCntChange(1, c.typed);
      EXPECT_EQ(rig.page.Column(1).count, c.shown) << c.typed;
    } else if (field == "x") {
      rig.page.Edt_FireXChange(1, c.typed);
      EXPECT_EQ(rig.page.Column(1).x, c.shown) << c.typed;
    } else if (field == "y") {
      rig.page.Edt_FireYChange(1, c.typed);
      EXPECT_EQ(rig.page.Column(1).y, c.shown) << c.typed;
    } else {
      rig.page.Edt_FireTimeChange(1, c.typed);
      EXPECT_EQ(rig.page.Column(1).interval, c.shown) << c.typed;
    }
    FireMacroRecord expected = start;
    if (c.offset != 0) {
      expected[c.offset] = c.stored;
      FireMacroChecksum(expected);
    }
    EXPECT_EQ(rig.table.Record(3), expected) << c.field << " '" << c.typed << "'";
  }
}

TEST(FirePageTest, MissingEventIsNotWrittenAndOtherRecordsStayUntouched) {
  PageRig rig;
  rig.PutRecord(1, kTypical);  // no X step
  const FireMacroRecord second = rig.table.Record(2);
  rig.page.Key_FireMacroClick(2, 4);
  rig.page.Edt_FireXChange(1, "40");
  EXPECT_EQ(rig.page.Column(1).x, "40");
  FireMacroRecord expected{};
  std::copy(kTypical.begin(), kTypical.end(), expected.begin());
  EXPECT_EQ(rig.table.Record(1), expected);
  EXPECT_EQ(rig.table.Record(2), second);
}

TEST(FirePageTest, YOffsetIsLimitedByTheYStepAndKeptInBothViews) {
  struct Case {
    const char* y;
    const char* offset;
    const char* shown;
    std::uint8_t value;
  };
  const Case cases[] = {
      {"100", "50", "27", 27},     {"0", "-5", "-5", 0xFB}, {"0", "200", "127", 127},
      {"0", "-200", "-128", 0x80}, {"127", "1", "0", 0},    {"5", "", "0", 0},
  };
  for (const Case& c : cases) {
    PageRig rig;
    rig.PutRecord(1, kTypical);
    rig.page.Key_FireMacroClick(2, 4);
    rig.page.Edt_FireYChange(1, c.y);
    rig.page.Edt_FireYOffsetChange(1, c.offset);
    EXPECT_EQ(rig.page.Column(1).yOffset, c.shown) << c.y << " + " << c.offset;
    EXPECT_EQ(rig.image.data.fireYOffsetTable[0], c.value) << c.offset;
    EXPECT_EQ(rig.image.data.fireYOffsetTable[1], static_cast<std::uint8_t>(~c.value));
    EXPECT_EQ(rig.options.yOffsets[0], static_cast<std::int8_t>(c.value));
  }
}

TEST(FirePageTest, NegativeOffsetIsStoredWithItsComplementAndShownAgain) {
  PageRig rig;
  rig.PutRecord(1, kTypical);
  rig.page.Key_FireMacroClick(2, 4);
  rig.page.Edt_FireYOffsetChange(1, "-5");
  EXPECT_EQ(rig.image.data.fireYOffsetTable[0], 0xFB);
  EXPECT_EQ(rig.image.data.fireYOffsetTable[1], 0x04);
  rig.page.Btn_FireClick(2);
  rig.page.Btn_FireClick(1);
  EXPECT_EQ(rig.page.Column(1).yOffset, "-5");
  EXPECT_EQ(rig.options.yOffsets[0], -5);
}

TEST(FirePageTest, NewYStepResetsTheOffset) {
  PageRig rig;
  rig.PutRecord(1, kTypical);
  rig.page.Key_FireMacroClick(2, 4);
  rig.page.Edt_FireYOffsetChange(1, "9");
  rig.page.Edt_FireYChange(1, "20");
  EXPECT_EQ(rig.page.Column(1).yOffset, "0");
  EXPECT_EQ(rig.image.data.fireYOffsetTable[0], 0x00);
  EXPECT_EQ(rig.image.data.fireYOffsetTable[1], 0xFF);
  EXPECT_EQ(rig.options.yOffsets[0], 0);
}

TEST(FirePageTest, GunsShowTheirColumnsImagesAndFireMacros) {
  struct Case {
    int gun;
    std::array<int, 3> fireMacros;  // 0: column hidden
    std::array<bool, 5> headerImages;
  };
  const Case cases[] = {
      {1, {1, 0, 0}, {false, false, false, false, false}},
      {5, {5, 0, 0}, {false, false, false, false, false}},
      {6, {6, 7, 0}, {true, true, false, false, false}},
      {7, {8, 9, 10}, {false, false, true, true, true}},
  };
  for (const Case& c : cases) {
    PageRig rig;
    rig.page.Key_FireMacroClick(2, 4);
    rig.page.Btn_FireClick(c.gun);
    for (int column = 1; column <= 3; ++column) {
      const int fireMacro = c.fireMacros[static_cast<std::size_t>(column - 1)];
      EXPECT_EQ(rig.page.Column(column).visible, fireMacro != 0) << c.gun << "/" << column;
      if (fireMacro != 0) {
        EXPECT_EQ(rig.page.Column(column).fireMacro, fireMacro);
      }
    }
    for (int image = 1; image <= 5; ++image) {
      EXPECT_EQ(rig.page.GunModeImageVisible(image),
                c.headerImages[static_cast<std::size_t>(image - 1)])
          << c.gun << " GunMode" << image;
    }
    for (int gun = 1; gun <= 7; ++gun) {
      EXPECT_EQ(rig.page.GunPicture(gun),
                "Gun" + std::to_string(gun) + (gun == c.gun ? "_02" : "_01"));
    }
    EXPECT_FALSE(rig.page.Loading());
  }
}

TEST(FirePageTest, HoverShowsTheChosenImageUntilLeft) {
  PageRig rig;
  rig.page.Key_FireMacroClick(2, 4);
  rig.page.Btn_FireMouseEnter(3);
  EXPECT_EQ(rig.page.GunPicture(3), "Gun3_02");
  rig.page.Btn_FireMouseLeave(3);
  EXPECT_EQ(rig.page.GunPicture(3), "Gun3_01");
  rig.page.Btn_FireMouseEnter(1);
  rig.page.Btn_FireMouseLeave(1);
  EXPECT_EQ(rig.page.GunPicture(1), "Gun1_02");  // still the chosen gun
}

TEST(FirePageTest, DefaultImageShowsColoursAndOffsets) {
  PageRig rig;
  rig.page.Key_FireMacroClick(2, 4);
  rig.page.Btn_FireClick(7);
  EXPECT_EQ(rig.page.Column(1).colour, (FireColour{0xFF, 0x00, 0x80}));
  EXPECT_EQ(rig.page.Column(2).colour, (FireColour{0x00, 0xFF, 0x80}));
  EXPECT_EQ(rig.page.Column(3).colour, (FireColour{0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(rig.page.Column(3).colour.Swatch(), 0xFFFFFF);
  EXPECT_EQ(rig.page.Column(1).yOffset, "0");
}

TEST(FirePageTest, StopToggleChangesRecordAndKeyTableTogether) {
  PageRig rig;
  rig.PutRecord(6, kTypical);
  rig.PutRecord(7, kTypical);
  rig.page.Key_FireMacroClick(2, 4);
  rig.page.Btn_FireClick(6);
  rig.page.lbl_FireRKFSClick(2);
  EXPECT_EQ(rig.table.Record(7)[0], 1);
  EXPECT_EQ(KeyTableType(rig.image.data, 7), 0x0E);
  EXPECT_EQ(rig.table.Record(6)[0], 0);
  EXPECT_EQ(KeyTableType(rig.image.data, 6), 0x0B);
  EXPECT_EQ(rig.page.Column(2).StopPicture(), "CbS_E");
  // The key table's address bytes are carried.
  EXPECT_EQ(rig.image.data.fireKeyTable[19], 0x05);
  EXPECT_EQ(rig.image.data.fireKeyTable[20], 0x91);
  rig.page.lbl_FireRKFSClick(2);
  EXPECT_EQ(rig.table.Record(7)[0], 0);
  EXPECT_EQ(KeyTableType(rig.image.data, 7), 0x0B);
}

// With the content editor open on the shown fire macro, each side sees what
// the other changed: a parameter edit after an insert lands on the moved
// event, and an editor change after a parameter edit keeps that edit.
TEST(FirePageTest, ContentEditorAndColumnsFollowEachOther) {
  const int delayFront = static_cast<int>(FireInsertItem::kDelayFront);
  PageRig rig;
  rig.PutRecord(1, kTypical);
  rig.page.Key_FireMacroClick(2, 4);
  FireContentEditor& editor = rig.page.Editor();
  editor.Show();
  editor.LB_FireMacroNameClick(1);
  editor.LB_FireMacroClick(0);
  editor.Btn_FireInsertClick();
  editor.CB_InsertFireChange(delayFront);
  editor.Edt_InsertFireDelayChange("16");
  ASSERT_TRUE(editor.Btn_FireOKClick());
  EXPECT_EQ(rig.page.Column(1).count, "10");

  rig.page.Edt_FireCntChange(1, "3");
  rig.page.Edt_FireTimeChange(1, "40");
  FireMacroParameters shown = ParseFireMacro(rig.table.Record(1));
  EXPECT_EQ(shown.count, 3);
  EXPECT_EQ(shown.y, 5);
  EXPECT_EQ(shown.intervalMs, 40);
  EXPECT_EQ(editor.Lines(),
            (macros::MacroLines{"00", "0 16", "7 FD02", "5 FA05", "0 40", "8 00FC"}));

  // Deleting the inserted delay moves the events back; the next edit follows.
  editor.LB_FireMacroClick(0);
  ASSERT_TRUE(editor.Btn_FireDelClick());
  rig.page.Edt_FireYChange(1, "7");
  shown = ParseFireMacro(rig.table.Record(1));
  EXPECT_EQ(shown.count, 3);
  EXPECT_EQ(shown.y, 7);
  EXPECT_EQ(shown.intervalMs, 40);
  EXPECT_EQ(rig.page.Column(1).y, "7");

  // The stop toggle reaches the editor's lines too, and the record stays sound.
  rig.page.lbl_FireRKFSClick(1);
  EXPECT_TRUE(editor.StopOnRelease());
  editor.LB_FireMacroNameClick(1);
  EXPECT_TRUE(ParseFireMacro(rig.table.Record(1)).stopOnRelease);
  const FireMacroRecord before = rig.table.Record(1);
  FireMacroChecksum(rig.table.Record(1));
  EXPECT_EQ(rig.table.Record(1), before);
}

TEST(FirePageTest, UnshowableRecordTakesNoEdits) {
  PageRig rig;
  std::array<std::uint8_t, 10> odd = kTypical;
  odd[0] = 0x07;
  rig.PutRecord(2, odd);
  rig.page.Key_FireMacroClick(2, 4);
  rig.page.Btn_FireClick(2);
  EXPECT_FALSE(rig.page.Column(1).parsed);
  EXPECT_EQ(rig.page.Column(1).count, "0");
  const FireMacroRecord before = rig.table.Record(2);
  const auto keyTable = rig.image.data.fireKeyTable;
  rig.page.Edt_FireCntChange(1, "3");
  rig.page.lbl_FireRKFSClick(1);
  EXPECT_EQ(rig.table.Record(2), before);
  EXPECT_EQ(rig.image.data.fireKeyTable, keyTable);
}

TEST(FirePageTest, ColourChoiceReachesTableAndEngineerFields) {
  PageRig rig;
  rig.page.Key_FireMacroClick(2, 4);
  rig.page.Btn_FireClick(6);
  rig.page.ColourChosen(2, {0x12, 0x34, 0x56});
  EXPECT_EQ(Colour(rig.image.data, 7), (FireColour{0x12, 0x34, 0x56}));
  EXPECT_EQ(rig.options.fireMacroColours[6], (std::array<int, 3>{0x12, 0x34, 0x56}));
  EXPECT_EQ(rig.page.Column(2).colour.Swatch(), 0x12 + 0x34 * 256 + 0x56 * 65536);
  EXPECT_EQ(Colour(rig.image.data, 6), (FireColour{0x00, 0xFF, 0xFF}));
}

TEST(FirePageTest, ConfirmAssignsThePresetGunKeyInKeyMode2) {
  struct Case {
    int gun;
    int gun6Num;
    int gun7Num;
    const char* code;
    const char* label;
  };
  const Case cases[] = {
      {1, 2, 3, "0C0101", "AKM"},         {5, 2, 3, "0C0505", "SCAR-L"},
      {6, 1, 3, "0C0606", "5.56mm Fire"}, {6, 2, 3, "0C0607", "5.56mm Fire"},
      {7, 2, 2, "0C0809", "7.62mm Fire"}, {7, 2, 0, "0C0808", "7.62mm Fire"},
      {7, 2, 3, "0C080A", "7.62mm Fire"},
  };
  for (const Case& c : cases) {
    ui::BehaviourConfig config;
    config.gun6Num = c.gun6Num;
    config.gun7Num = c.gun7Num;
    PageRig rig(config);
    rig.page.Key_FireMacroClick(2, 4);
    rig.page.Btn_FireClick(c.gun);
    EXPECT_EQ(rig.page.ConfirmAssignment(), FireConfirmResult::kAssigned);
    EXPECT_EQ(rig.keys.Code(2, 4), c.code);
    EXPECT_EQ(rig.keys.Label(2, 4), c.label);
    const std::size_t at = params::profile::ButtonOffset(2, 4);
    EXPECT_EQ(rig.image.data.profile[at], 0x0C);
    EXPECT_EQ(rig.keys.Code(1, 4), "010800");  // key mode 1 untouched
    EXPECT_FALSE(rig.page.Open());
  }
}

TEST(FirePageTest, ConfirmFromKeyMode1GivesThatButtonTheGunKeyToo) {
  PageRig rig;
  rig.page.Key_FireMacroClick(1, 5);
  rig.page.Btn_FireClick(3);
  EXPECT_EQ(rig.page.ConfirmAssignment(), FireConfirmResult::kAssigned);
  EXPECT_EQ(rig.keys.Code(1, 5), "0C0303");
  EXPECT_EQ(rig.keys.Label(1, 5), "M4");
  EXPECT_EQ(rig.keys.Code(2, 5), "011000");
}

TEST(FirePageTest, ConfirmKeepsTheOnlyLeftClick) {
  PageRig rig;
  rig.page.Key_FireMacroClick(2, 1);
  rig.page.Btn_FireClick(2);
  const auto profile = rig.image.data.profile;
  EXPECT_EQ(rig.page.ConfirmAssignment(), FireConfirmResult::kLeftClickKept);
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"Please keep a Left Key"});
  EXPECT_EQ(rig.keys.Code(2, 1), "010100");
  EXPECT_EQ(rig.image.data.profile, profile);

  // With a second left click the first may become a gun key.
  ASSERT_TRUE(rig.keys.Assign(2, 5, "010100", rig.image.data));
  rig.page.Key_FireMacroClick(2, 1);
  EXPECT_EQ(rig.page.ConfirmAssignment(), FireConfirmResult::kAssigned);
  EXPECT_EQ(rig.keys.Code(2, 1), "0C0101");
}

TEST(FirePageTest, ConfirmCopiesTheWorkingRecordsButNotTheCarriedTail) {
  PageRig rig;
  rig.image.data.fireMacroTable[250] = 0x5C;
  rig.PutRecord(10, kTypical);
  EXPECT_NE(rig.image.data.fireMacroTable[9 * 24 + 1], 0x08);
  rig.page.Key_FireMacroClick(2, 4);
  rig.page.ConfirmAssignment();
  EXPECT_EQ(rig.image.data.fireMacroTable[9 * 24 + 1], 0x08);
  EXPECT_EQ(rig.image.data.fireMacroTable[9 * 24 + 9], 0x49);
  EXPECT_EQ(rig.image.data.fireMacroTable[250], 0x5C);
}

TEST(FirePageTest, CancelAssignsNothingAndKeepsEdits) {
  PageRig rig;
  rig.PutRecord(1, kTypical);
  rig.page.Key_FireMacroClick(2, 4);
  rig.page.Editor().Show();
  rig.page.Edt_FireCntChange(1, "3");
  rig.page.Btn_FireExitClick();
  EXPECT_FALSE(rig.page.Open());
  EXPECT_FALSE(rig.page.Editor().Visible());
  EXPECT_EQ(rig.keys.Code(2, 4), "010800");
  EXPECT_EQ(rig.table.Record(1)[3], 0x02);
}

// The transfer, against the simulated mouse.
struct TransferRig : test::ChannelRig {
  PageRig page;
};

TEST(FirePageTest, ConfirmWritesTheFourTablesInOneExchange) {
  TransferRig rig;
  ASSERT_TRUE(rig.opened);
  rig.page.PutRecord(1, kTypical);
  rig.page.page.Key_FireMacroClick(2, 4);
  rig.page.page.Edt_FireCntChange(1, "3");
  rig.page.page.Edt_FireYOffsetChange(1, "-5");
  rig.page.page.ColourChosen(1, {1, 2, 3});
  rig.mouse->ClearTranscript();
  const auto outcome = rig.page.page.Btn_FireConfirmClick(rig.channel);
  ASSERT_EQ(outcome, FireTransferOutcome::kWritten);

  const auto& memory = rig.mouse->firmware.memory;
  EXPECT_EQ(memory[0x500 + 3], 0x02);
  EXPECT_EQ(memory[0x500 + 9], 0x56);
  EXPECT_EQ(memory[0x080], 0x0B);
  EXPECT_EQ(memory[0x0B0], 0xFB);
  EXPECT_EQ(memory[0x0B1], 0x04);
  EXPECT_EQ(memory[0x0D0], 1);
  EXPECT_EQ(memory[0x0D2], 3);

  // Commands 1 and 3 open; each table is written (6) and read back (4); 8 and 2 close.
  std::vector<std::uint8_t> framing;
  for (const std::uint8_t command : rig.Commands()) {
    if (command != 0x05 && command != 0x07) {
      framing.push_back(command);
    }
  }
  EXPECT_EQ(framing, (std::vector<std::uint8_t>{0x01, 0x03, 0x06, 0x04, 0x06, 0x04, 0x06, 0x04,
                                                0x06, 0x04, 0x08, 0x02}));
  EXPECT_TRUE(rig.page.ui.timerEnabled);
  EXPECT_FALSE(rig.page.ui.loadingVisible);
  EXPECT_TRUE(rig.page.ui.messages.empty());
}

TEST(FirePageTest, TransferNeedsReadyMemoryAndFullAccess) {
  struct Case {
    bool memoryReady;
    std::uint8_t chipByte;
  };
  for (const Case c : {Case{false, 0xFD}, Case{true, 0x35}, Case{true, 0x75}}) {
    TransferRig rig;
    rig.mouse->firmware.memoryReady = c.memoryReady;
    rig.mouse->firmware.chipByte = c.chipByte;
    const auto before = rig.mouse->firmware.memory;
    rig.page.PutRecord(1, kTypical);
    rig.page.page.Key_FireMacroClick(2, 4);
    rig.mouse->ClearTranscript();
    EXPECT_EQ(rig.page.page.Btn_FireConfirmClick(rig.channel), FireTransferOutcome::kNotAllowed);
    EXPECT_EQ(rig.mouse->firmware.memory, before);
    EXPECT_EQ(rig.Commands(), (std::vector<std::uint8_t>{0x01, 0x03, 0x08, 0x02}));
    EXPECT_TRUE(rig.ui.messages.empty());
  }
}

TEST(FirePageTest, ExchangeThatDoesNotOpenWritesNothing) {
  struct Case {
    const char* what;
    std::uint8_t neverAck;  // 0: none
    std::uint8_t readyByte;
    FireTransferOutcome outcome;
    std::vector<std::uint8_t> commands;
  };
  const Case cases[] = {
      {"command 1 unanswered", 0x01, 0xAA, FireTransferOutcome::kNoAnswer, {0x01}},
      // An answered command 1 is always closed.
      {"command 3 unanswered",
       0x03,
       0xAA,
       FireTransferOutcome::kNoAnswer,
       {0x01, 0x03, 0x08, 0x02}},
      {"mouse not ready", 0, 0x00, FireTransferOutcome::kNoAnswer, {0x01, 0x03, 0x08, 0x02}},
  };
  for (const Case& c : cases) {
    TransferRig rig;
    if (c.neverAck != 0) {
      rig.mouse->faults.neverAck.insert(c.neverAck);
    }
    rig.mouse->firmware.readyByte = c.readyByte;
    const auto before = rig.mouse->firmware.memory;
    rig.page.PutRecord(1, kTypical);
    rig.page.page.Key_FireMacroClick(2, 4);
    rig.mouse->ClearTranscript();
    EXPECT_EQ(rig.page.page.Btn_FireConfirmClick(rig.channel), c.outcome) << c.what;
    EXPECT_EQ(rig.mouse->firmware.memory, before) << c.what;
    const std::vector<std::uint8_t> sent = rig.Commands();
    std::vector<std::uint8_t> distinct;
    for (const std::uint8_t command : sent) {
      if (distinct.empty() || distinct.back() != command) {
        distinct.push_back(command);
      }
    }
    EXPECT_EQ(distinct, c.commands) << c.what;
    const auto& calls = rig.page.ui.calls;
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "hide-loading") << c.what;
    EXPECT_EQ(calls.back(), "timer-on") << c.what;
    EXPECT_TRUE(rig.page.ui.messages.empty()) << c.what;
  }
}

TEST(FirePageTest, TransferReportsALostWrite) {
  TransferRig rig;
  rig.page.PutRecord(1, kTypical);
  rig.mouse->faults.stuck[0x500 + 3] = 0x09;
  rig.page.page.Key_FireMacroClick(2, 4);
  rig.page.page.Edt_FireCntChange(1, "3");
  EXPECT_EQ(rig.page.page.Btn_FireConfirmClick(rig.channel), FireTransferOutcome::kWriteFailed);
}

TEST(FirePageTest, NoTransferWithoutAMouseOrWhenTheGuardStops) {
  TransferRig rig;
  rig.page.page.Key_FireMacroClick(2, 1);
  rig.mouse->ClearTranscript();
  EXPECT_EQ(rig.page.page.Btn_FireConfirmClick(rig.channel), std::nullopt);
  EXPECT_TRUE(rig.Commands().empty());

  test::MouseRig unplugged;
  device::CommandChannel closed{unplugged.backend, unplugged.clock, unplugged.ui};
  PageRig page;
  page.page.Key_FireMacroClick(2, 4);
  EXPECT_EQ(page.page.Btn_FireConfirmClick(closed), FireTransferOutcome::kNoMouse);
}

}  // namespace
}  // namespace orbic::fire
