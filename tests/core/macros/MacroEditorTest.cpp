#include "macros/MacroEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macros/MacroCodec.h"
#include "macros/MacroLibrary.h"
#include "support/RecordingUiHost.h"
#include "ui/MessageStrings.h"

namespace orbic::macros {
namespace {

// The lines after the header.
MacroLines Events(const MacroLines& lines) {
  return lines.empty() ? MacroLines{} : MacroLines(lines.begin() + 1, lines.end());
}

std::vector<std::string> Texts(const MacroPageControls& controls) {
  std::vector<std::string> texts;
  for (const MacroLineText& item : controls.LB_macro) {
    texts.push_back(item.text);
  }
  return texts;
}

// A library, its save counter and a page over it. `saveWorks` decides what
// the file store answers.
template <typename Lib>
struct Page {
  Page()
      : editor(
            library, [this] { return Saved(); }, messages, ui) {}

  bool Saved() {
    ++saves;
    return saveWorks;
  }
  // Adds a macro holding `events` (lines after a "00" header).
  std::size_t AddMacro(const std::string& name, const MacroLines& events,
                       StopMode stop = StopMode::kAfterMacroIsOver) {
    const auto index = library.Add(*EncodeName(name));
    MacroLines lines = {"00"};
    lines.insert(lines.end(), events.begin(), events.end());
    EXPECT_TRUE(EncodeMacroLines(lines, stop, library.Record(index).content).ok);
    return index;
  }
  // The events the record now stores, decoded.
  MacroLines Stored(std::size_t index) const {
    return Events(DecodeMacroContent(library.Record(index).content).lines);
  }
  void Select(std::size_t macro, std::optional<std::size_t> event = std::nullopt) {
    editor.LB_PCMacroNameClick(macro);
    editor.LB_macroClick(event);
  }

  Lib library;
  ui::MessageStrings messages;
  test::RecordingUiHost ui;
  int saves = 0;
  bool saveWorks = true;
  MacroEditor editor;
};

// A memory-mode library record: std::optional index from Add.
struct MemoryPage : Page<MacroLibrary> {
  std::size_t AddMacro(const std::string& name, const MacroLines& events,
                       StopMode stop = StopMode::kAfterMacroIsOver) {
    const auto index = library.Add(*EncodeName(name));
    EXPECT_TRUE(index.has_value());
    MacroLines lines = {"00"};
    lines.insert(lines.end(), events.begin(), events.end());
    EXPECT_TRUE(EncodeMacroLines(lines, stop, library.Record(*index).content).ok);
    return *index;
  }
};
using DriverPage = Page<DriverMacroLibrary>;

const MacroLines kKeyA = {"1 A CODE:8204", "0 48", "2 A CODE:0204"};

// What a memory-mode record holds for `events`.
Content Encoded(const MacroLines& events, StopMode stop = StopMode::kAfterMacroIsOver) {
  MacroLines lines = {"00"};
  lines.insert(lines.end(), events.begin(), events.end());
  Content content{};
  EXPECT_TRUE(EncodeMacroLines(lines, stop, content).ok);
  return content;
}

TEST(MacroEditor, SelectingShowsTheEventsAndTheStoredBytes) {
  MemoryPage page;
  page.AddMacro("tap", kKeyA, StopMode::kUntilKeyRelease);
  page.editor.LB_PCMacroNameClick(0);
  const MacroPageControls controls = page.editor.Controls();
  EXPECT_EQ(controls.LB_PCMacroName, std::vector<std::string>{"tap"});
  EXPECT_EQ(controls.LB_PCMacroNameIndex, 0u);
  EXPECT_EQ(Texts(controls), (std::vector<std::string>{"A", "48 ms", "A"}));
  EXPECT_EQ(controls.LB_macro[2].icon, 2);
  // One delay of 48 ms among the first four: recorded delays.
  EXPECT_EQ(controls.mmo_macro, (MacroLines{"10", "1 A CODE:8204", "0 48", "2 A CODE:0204"}));
  // stop mode, L = 7, six event bytes, checksum
  EXPECT_EQ(controls.mmo_wrscript, "01078204FE060204CD");
  EXPECT_EQ(controls.stopMode, StopMode::kUntilKeyRelease);
  EXPECT_EQ(controls.IB_ReleaseStopImage, kOptionChosen);
  EXPECT_EQ(controls.IB_ReleaseContiueImage, kOptionNotChosen);
  EXPECT_FALSE(controls.LB_macroIndex.has_value());
}

TEST(MacroEditor, AMacroWithEventsItCannotReadIsShownReadOnly) {
  MemoryPage page;
  page.AddMacro("odd", kKeyA);
  page.AddMacro("plain", kKeyA);
  // A key press, an event this program does not know, then a release.
  Content& odd = page.library.Record(0).content;
  const std::vector<std::uint8_t> events = {0x82, 0x04, 0x77, 0x02, 0x04};
  odd.fill(0);
  odd[1] = static_cast<std::uint8_t>(events.size() + 1);
  std::copy(events.begin(), events.end(), odd.begin() + 2);
  std::uint8_t sum = odd[1];
  for (std::uint8_t byte : events) {
    sum = static_cast<std::uint8_t>(sum + byte);
  }
  odd[2 + events.size()] = static_cast<std::uint8_t>(sum ^ 0x5A);
  const Content stored = odd;

  page.Select(0, 0);
  EXPECT_TRUE(page.editor.ReadOnly());
  EXPECT_EQ(page.editor.Controls().macroNotice, kUnreadableEventsNotice);
  EXPECT_EQ(Texts(page.editor.Controls()), std::vector<std::string>{"A"});
  page.editor.Btn_DelClick();
  page.editor.Btn_EditClick();
  EXPECT_EQ(page.editor.EditDialog(), EditDialogKind::kNone);
  page.editor.Btn_InsertClick();
  EXPECT_EQ(page.editor.State(), MacroPageState::kBrowsing);
  page.editor.LB_macroRightClick(0);
  EXPECT_FALSE(page.editor.Controls().Pnl_DevContentShown);
  EXPECT_EQ(page.library.Record(0).content, stored);
  EXPECT_EQ(page.saves, 0);

  page.Select(1, 0);
  EXPECT_FALSE(page.editor.ReadOnly());
  EXPECT_TRUE(page.editor.Controls().macroNotice.empty());
  page.editor.Btn_DelClick();
  EXPECT_EQ(page.saves, 1);
}

TEST(MacroEditor, RecordsWithoutEventsShowNothing) {
  MemoryPage page;
  page.AddMacro("full", kKeyA, StopMode::kUntilKeyRelease);
  page.AddMacro("empty", {});
  page.AddMacro("erased", {});
  page.library.Record(2).content.fill(0xFF);  // length 255, stop byte 255
  for (std::size_t index : {1u, 2u}) {
    page.editor.LB_PCMacroNameClick(0);
    page.editor.LB_PCMacroNameClick(index);
    const MacroPageControls controls = page.editor.Controls();
    EXPECT_TRUE(controls.mmo_macro.empty()) << index;
    EXPECT_TRUE(controls.mmo_wrscript.empty()) << index;
    EXPECT_EQ(controls.LB_PCMacroNameIndex, index);
    // the option stays as the last shown macro left it
    EXPECT_EQ(controls.stopMode, StopMode::kUntilKeyRelease);
  }

  DriverPage driver;
  driver.AddMacro("zero", kKeyA);
  driver.AddMacro("erased", kKeyA);
  driver.AddMacro("long", kKeyA);
  driver.library.Record(0).content[1] = driver.library.Record(0).content[2] = 0;
  driver.library.Record(1).content[1] = driver.library.Record(1).content[2] = 0xFF;
  driver.library.Record(2).content[1] = 0;  // low byte alone still holds the length
  const std::pair<std::size_t, std::size_t> expected[] = {{0, 0}, {1, 0}, {2, 4}};
  for (const auto& [index, lines] : expected) {
    driver.editor.LB_PCMacroNameClick(index);
    EXPECT_EQ(driver.editor.Lines().size(), lines) << index;
  }
}

TEST(MacroEditor, DeletingAKeyLineTakesItsPartner) {
  struct Case {
    const char* what;
    MacroLines events;
    std::size_t selected;
    MacroLines left;
    std::optional<std::size_t> selection;
  };
  const Case cases[] = {
      {"key-down with its key-up", kKeyA, 0, {"0 48"}, 0},
      {"key-down without a later key-up",
       {"2 A CODE:0204", "1 A CODE:8204", "0 48", "1 B CODE:8205"},
       1,
       {"2 A CODE:0204", "0 48", "1 B CODE:8205"},
       0},
      {"key-up takes the nearest key-down before it",
       {"0 16", "1 A CODE:8204", "1 B CODE:8205", "2 A CODE:0204", "0 32"},
       3,
       {"0 16", "1 B CODE:8205", "0 32"},
       1},
      {"nearest first",
       {"1 A CODE:8204", "2 A CODE:0204", "1 A CODE:8204", "2 A CODE:0204"},
       2,
       {"1 A CODE:8204", "2 A CODE:0204"},
       1},
      {"a nameless key does not take a delay along",
       {"1  CODE:8200", "0 48", "2  CODE:0200"},
       0,
       {"0 48"},
       0},
      {"first event: the new first is selected",
       {"3 FB01", "3 FB02", "3 FB03"},
       0,
       {"3 FB02", "3 FB03"},
       0},
      {"a middle event: the one before is selected",
       {"3 FB01", "0 16", "5 FA01"},
       1,
       {"3 FB01", "5 FA01"},
       0},
      {"the last pair leaves nothing", {"1 A CODE:8204", "2 A CODE:0204"}, 1, {}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryPage page;
    page.AddMacro("m", c.events);
    page.Select(0, c.selected);
    page.editor.Btn_DelClick();
    EXPECT_EQ(Events(page.editor.Lines()), c.left);
    EXPECT_EQ(page.editor.SelectedEvent(), c.selection);
    EXPECT_EQ(page.Stored(0), c.left);
    EXPECT_EQ(page.saves, 1);
  }
}

TEST(MacroEditor, EditingReplacesTheLineInPlace) {
  struct Case {
    MacroLines events;
    std::size_t edited;
    EditDialogKind dialog;
    const char* typed;  // into the value field; a virtual key for the key dialog
    const char* line;
    const char* shown;
    std::vector<std::uint8_t> stored;  // the event bytes of the edited line
  };
  const Case cases[] = {
      {{"0 16", "3 FB05"}, 1, EditDialogKind::kValue, "0", "3 FB00", "X-Axis  0", {0xFB, 0x00}},
      {{"0 16", "3 FB05"}, 1, EditDialogKind::kValue, "-1", "4 FBFF", "X-Axis  -1", {0xFB, 0xFF}},
      {{"6 FAF0"}, 0, EditDialogKind::kValue, "99", "5 FA63", "Y-Axis  99", {0xFA, 0x63}},
      {{"7 FD00", "8 00FC"},
       0,
       EditDialogKind::kValue,
       "10",
       "7 FD09",
       "Rep-Start  10",
       {0xFD, 0x09}},
      {{"7 FD04", "8 00FC"},
       0,
       EditDialogKind::kValue,
       "0",
       "7 FD00",
       "Rep-Start  1",
       {0xFD, 0x00}},
      {{"0 16"}, 0, EditDialogKind::kDelay, "50", "0 50", "50 ms", {0xFE, 0x06}},
      {{"0 16"}, 0, EditDialogKind::kDelay, "9999", "0 2040", "2040 ms", {0xFE, 0xFF}},
      {{"1 LeftKey CODE:00A1"}, 0, EditDialogKind::kKey, "B", "1 B CODE:8205", "B", {0x82, 0x05}},
      {{"2 A CODE:0204"}, 0, EditDialogKind::kKey, "C", "2 C CODE:0206", "C", {0x02, 0x06}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    MemoryPage page;
    page.AddMacro("m", c.events);
    page.Select(0, c.edited);
    page.editor.Btn_EditClick();
    ASSERT_EQ(page.editor.EditDialog(), c.dialog);
    if (c.dialog == EditDialogKind::kKey) {
      page.editor.KeyDialog()->KeyDown(static_cast<std::uint16_t>(c.typed[0]));
    } else if (c.dialog == EditDialogKind::kDelay) {
      page.editor.DelayDialog()->Field().SetText(c.typed);
    } else {
      page.editor.ValueDialog()->Field().SetText(c.typed);
    }
    page.editor.EditDialogConfirm();
    EXPECT_EQ(page.editor.EditDialog(), EditDialogKind::kNone);
    MacroLines expected = c.events;
    expected[c.edited] = c.line;
    EXPECT_EQ(Events(page.editor.Lines()), expected);
    EXPECT_EQ(page.editor.SelectedEvent(), c.edited);
    EXPECT_EQ(page.editor.Controls().LB_macro[c.edited].text, c.shown);
    EXPECT_EQ(*MacroEventBytes({"00", std::string(c.line)}), c.stored);
    EXPECT_EQ(page.library.Record(0).content, Encoded(expected));
    EXPECT_EQ(page.editor.Controls().mmo_wrscript.empty(), false);
    EXPECT_EQ(page.saves, 1);
  }
}

TEST(MacroEditor, EditingEitherEdgeOfAKeyRewritesItsPartner) {
  struct Case {
    MacroLines events;
    std::size_t edited;
    MacroLines after;
  };
  const Case cases[] = {
      {kKeyA, 0, {"1 B CODE:8205", "0 48", "2 B CODE:0205"}},
      {kKeyA, 2, {"1 B CODE:8205", "0 48", "2 B CODE:0205"}},
      // The nearest partner only, by the rule the delete uses.
      {{"1 A CODE:8204", "2 A CODE:0204", "1 A CODE:8204", "2 A CODE:0204"},
       2,
       {"1 A CODE:8204", "2 A CODE:0204", "1 B CODE:8205", "2 B CODE:0205"}},
      {{"1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"}, 1, {"1 B CODE:8205", "2 B CODE:0205"}},
      // A press without a release, and a release of another key, stay alone.
      {{"1 A CODE:8204", "2 C CODE:0206"}, 0, {"1 B CODE:8205", "2 C CODE:0206"}},
  };
  for (const Case& c : cases) {
    MemoryPage page;
    page.AddMacro("m", c.events);
    page.Select(0, c.edited);
    page.editor.Btn_EditClick();
    ASSERT_NE(page.editor.KeyDialog(), nullptr);
    page.editor.KeyDialog()->KeyDown('B');
    page.editor.EditDialogConfirm();
    EXPECT_EQ(Events(page.editor.Lines()), c.after) << c.edited;
    EXPECT_EQ(page.Stored(0), c.after) << c.edited;
  }
}

TEST(MacroEditor, EditsThatChangeNothingAreNotSaved) {
  MemoryPage page;
  page.AddMacro("m", {"0 10200", "8 00FC", "1 A CODE:8204"});
  const MacroLines before = page.editor.Lines();
  page.Select(0, 0);
  page.editor.Btn_EditClick();  // opened and confirmed empty: the long delay stays
  page.editor.EditDialogConfirm();
  page.editor.LB_macroClick(1);
  page.editor.Btn_EditClick();  // a repeat stop has no dialog
  EXPECT_EQ(page.editor.EditDialog(), EditDialogKind::kNone);
  page.editor.LB_macroClick(2);
  page.editor.Btn_EditClick();
  page.editor.KeyDialog()->KeyDown('B');
  page.editor.KeyDialog()->Clear();
  page.editor.EditDialogConfirm();
  EXPECT_EQ(Events(page.editor.Lines()), (MacroLines{"0 10200", "8 00FC", "1 A CODE:8204"}));
  EXPECT_EQ(page.saves, 0);

  // A dialog left open does not act on another macro shown meanwhile.
  page.AddMacro("other", {"0 16"});
  page.Select(0, 0);
  page.editor.Btn_EditClick();
  page.editor.DelayDialog()->Field().SetText("40");
  page.editor.LB_PCMacroNameClick(1);
  EXPECT_EQ(page.editor.EditDialog(), EditDialogKind::kNone);
  page.editor.EditDialogConfirm();
  EXPECT_EQ(page.Stored(1), MacroLines{"0 16"});
  EXPECT_EQ(page.saves, 0);
}

// 221 event bytes: one button edge and 110 two-byte events, the most a
// memory-mode record holds.
MacroLines FullMacro() {
  MacroLines events = {"1 LeftKey CODE:00A1"};
  for (int i = 0; i < 110; ++i) {
    events.push_back("3 FB01");
  }
  return events;
}

TEST(MacroEditor, AnEditThatWouldNotFitIsUndone) {
  MemoryPage page;
  page.AddMacro("full", FullMacro());
  const Content stored = page.library.Record(0).content;
  page.Select(0, 0);
  const MacroLines before = page.editor.Lines();
  page.editor.Btn_EditClick();
  page.editor.KeyDialog()->KeyDown('A');  // two bytes in place of one
  page.editor.EditDialogConfirm();
  EXPECT_EQ(page.editor.Lines(), before);
  EXPECT_EQ(page.editor.SelectedEvent(), 0u);
  EXPECT_EQ(page.library.Record(0).content, stored);
  EXPECT_EQ(page.ui.messages, std::vector<std::string>{"storage space shortage"});
  EXPECT_EQ(page.saves, 0);

  // The same through the insert panel: refused, and the panel stays open.
  page.editor.Btn_InsertClick();
  page.editor.Btn_OKClick();  // a 50 ms delay in front
  EXPECT_EQ(page.editor.Lines(), before);
  EXPECT_EQ(page.editor.State(), MacroPageState::kInserting);
  EXPECT_EQ(page.library.Record(0).content, stored);
  EXPECT_EQ(page.ui.messages.size(), 2u);

  // Deleting still works on a full macro.
  page.editor.Btn_CancelClick();
  page.editor.LB_macroClick(5);
  page.editor.Btn_DelClick();
  EXPECT_EQ(page.editor.Lines().size(), before.size() - 1);
  EXPECT_EQ(page.saves, 1);
}

TEST(MacroEditor, NewRenameAndDeleteMacros) {
  MemoryPage page;
  page.AddMacro("first", kKeyA, StopMode::kUntilKeyRelease);
  page.Select(0);
  page.editor.Btn_NewClick();
  ASSERT_NE(page.editor.NameDialog(), nullptr);
  page.editor.NameDialog()->SetText("second");
  page.editor.NameDialogConfirm();
  EXPECT_EQ(page.editor.NameDialog(), nullptr);
  EXPECT_EQ(page.editor.Controls().LB_PCMacroName, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(page.editor.SelectedMacro(), 1u);
  EXPECT_TRUE(page.editor.Lines().empty());
  EXPECT_EQ(page.saves, 1);
  // Btn_New kept the option of the macro shown before
  EXPECT_EQ(page.editor.Controls().stopMode, StopMode::kUntilKeyRelease);

  // Refusals: an existing name, the macro's own name, an empty name.
  struct Refusal {
    bool rename;
    const char* name;
    bool message;
  };
  const Refusal refusals[] = {
      {false, "first", true}, {true, "second", true}, {true, "first", true}, {false, "", false}};
  for (const Refusal& r : refusals) {
    page.ui.Clear();
    r.rename ? page.editor.Btn_NewNameClick() : page.editor.Btn_NewMacroClick();
    page.editor.NameDialog()->SetText(r.name);
    page.editor.NameDialogConfirm();
    EXPECT_EQ(page.editor.NameDialog(), nullptr);
    EXPECT_EQ(page.ui.messages, r.message ? std::vector<std::string>{"This macro already exists"}
                                          : std::vector<std::string>{})
        << r.name;
  }
  EXPECT_EQ(page.library.Count(), 2u);
  EXPECT_EQ(page.saves, 1);

  // Rename keeps place and content.
  page.Select(0);
  const Content content = page.library.Record(0).content;
  page.editor.Btn_NewNameClick();
  page.editor.NameDialog()->SetText("\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80");
  page.editor.NameDialogConfirm();
  EXPECT_EQ(page.library.Names(),
            (std::vector<std::string>{"\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80", "second"}));
  EXPECT_EQ(page.library.Record(0).content, content);
  EXPECT_EQ(page.editor.SelectedMacro(), 0u);
  EXPECT_EQ(page.saves, 2);

  // Delete: the one before (or the first) is selected and shown.
  page.Select(1);
  page.editor.Btn_DelPCMacroClick();
  EXPECT_EQ(page.library.Count(), 1u);
  EXPECT_EQ(page.editor.SelectedMacro(), 0u);
  EXPECT_EQ(Events(page.editor.Lines()), kKeyA);
  page.editor.Btn_DelPCMacroClick();
  EXPECT_EQ(page.library.Count(), 0u);
  EXPECT_FALSE(page.editor.SelectedMacro().has_value());
  EXPECT_TRUE(page.editor.Lines().empty());
  EXPECT_EQ(page.saves, 4);
}

TEST(MacroEditor, NewMacroMenuChoosesStopAfterTheMacroWithoutTouchingTheSelected) {
  MemoryPage page;
  page.AddMacro("held", kKeyA, StopMode::kUntilKeyRelease);
  page.Select(0);
  page.editor.Btn_NewMacroClick();
  EXPECT_EQ(page.editor.Controls().stopMode, StopMode::kAfterMacroIsOver);
  page.editor.NameDialogClose();
  EXPECT_EQ(page.library.Record(0).content[0], 1);
  EXPECT_EQ(page.saves, 0);
}

TEST(MacroEditor, TheHundredthMacroDisablesNewMacro) {
  MemoryPage page;
  for (int i = 0; i < 99; ++i) {
    page.AddMacro("m" + std::to_string(i), {});
  }
  EXPECT_TRUE(page.editor.Controls().Btn_NewEnabled);
  page.editor.Btn_NewClick();
  page.editor.NameDialog()->SetText("m99");
  page.editor.NameDialogConfirm();
  EXPECT_EQ(page.library.Count(), 100u);
  EXPECT_FALSE(page.editor.Controls().Btn_NewEnabled);
  // A 101st cannot be created, by either command.
  page.editor.Btn_NewClick();
  page.editor.Btn_NewMacroClick();
  EXPECT_EQ(page.editor.NameDialog(), nullptr);
  EXPECT_EQ(page.library.Count(), 100u);
  page.Select(3);
  page.editor.Btn_DelPCMacroClick();
  EXPECT_TRUE(page.editor.Controls().Btn_NewEnabled);

  // Driver mode keeps the command enabled but creates no more than 100.
  DriverPage driver;
  for (int i = 0; i < 100; ++i) {
    driver.AddMacro("d" + std::to_string(i), {});
  }
  EXPECT_TRUE(driver.editor.Controls().Btn_NewEnabled);
  driver.editor.Btn_NewClick();
  EXPECT_EQ(driver.editor.NameDialog(), nullptr);
}

TEST(MacroEditor, InsertPanelShowsTheFieldsOfEachItem) {
  struct Case {
    const char* image;
    bool delayTime, recording, repeat, repeatEnabled, x, y;
  };
  const Case cases[kInsertItemCount] = {
      {"InsertDelayBase", true, false, false, false, false, false},
      {"InsertDelayBase", true, false, false, false, false, false},
      {"InsertKeyBase", false, true, false, false, false, false},
      {"InsertKeyBase", false, true, false, false, false, false},
      {"InsertDelayBase", false, false, true, true, false, false},
      {"InsertDelayBase", false, false, true, false, false, false},
      {"InsertDelayBase", false, false, false, false, true, false},
      {"InsertDelayBase", false, false, false, false, true, false},
      {"InsertDelayBase", false, false, false, false, false, true},
      {"InsertDelayBase", false, false, false, false, false, true},
  };
  MemoryPage page;
  page.AddMacro("m", kKeyA);
  page.Select(0, 1);
  page.editor.Btn_InsertClick();
  EXPECT_EQ(page.editor.InsertPanel().Item(), InsertItem::kDelayFront);
  for (int item = kInsertItemCount - 1; item >= 0; --item) {
    SCOPED_TRACE(item);
    page.editor.InsertPanel().IB_InsertDelayTimeClick();
    page.editor.CB_InsertChange(item);
    const Case& c = cases[item];
    const InsertItemLayout& layout = page.editor.InsertPanel().Layout();
    EXPECT_EQ(layout.image, c.image);
    EXPECT_EQ(layout.delayTimeShown, c.delayTime);
    EXPECT_EQ(layout.recordingShown, c.recording);
    EXPECT_EQ(layout.repeatShown, c.repeat);
    EXPECT_EQ(layout.repeatEnabled, c.repeatEnabled);
    EXPECT_EQ(layout.xShown, c.x);
    EXPECT_EQ(layout.yShown, c.y);
    EXPECT_EQ(page.editor.InsertPanel().InsertDelayMode(), DelayMode::kRecord);
    EXPECT_EQ(page.editor.InsertPanel().DelayFieldEditable(), c.delayTime);
  }
  page.editor.InsertPanel().IB_InsertDelayTimeClick();  // item 0 now; key items follow
  page.editor.CB_InsertChange(2);
  page.editor.InsertPanel().IB_InsertDelayTimeClick();
  EXPECT_TRUE(page.editor.InsertPanel().DelayFieldEditable());
  page.editor.InsertPanel().IB_InsertNoDelayClick();
  EXPECT_FALSE(page.editor.InsertPanel().DelayFieldEditable());
  const MacroInsertPanel& panel = page.editor.InsertPanel();
  EXPECT_EQ(panel.Delay().Text(), "50");
  EXPECT_EQ(panel.X().Text(), "12");
  EXPECT_EQ(panel.Y().Text(), "12");
  EXPECT_EQ(panel.Repeat().Text(), "10");
}

TEST(MacroEditor, InsertOkPlacesTheLineAndSelectsIt) {
  struct Case {
    int item;
    const char* field;  // typed into the item's field, if any
    MacroLines events;
    std::size_t selected;
  };
  const MacroLines base = {"1 A CODE:8204", "2 A CODE:0204"};
  const Case cases[] = {
      {0, nullptr, {"0 50", "1 A CODE:8204", "2 A CODE:0204"}, 0},
      {0, "", {"0 0", "1 A CODE:8204", "2 A CODE:0204"}, 0},
      {1, "96", {"1 A CODE:8204", "0 96", "2 A CODE:0204"}, 1},
      {4, nullptr, {"7 FD09", "1 A CODE:8204", "2 A CODE:0204"}, 0},
      {4, "0", {"7 FD00", "1 A CODE:8204", "2 A CODE:0204"}, 0},
      {5, nullptr, {"1 A CODE:8204", "8 00FC", "2 A CODE:0204"}, 1},
      {6, nullptr, {"3 FB0C", "1 A CODE:8204", "2 A CODE:0204"}, 0},
      {7, "-1", {"1 A CODE:8204", "4 FBFF", "2 A CODE:0204"}, 1},
      {8, "-128", {"6 FA80", "1 A CODE:8204", "2 A CODE:0204"}, 0},
      {9, "127", {"1 A CODE:8204", "5 FA7F", "2 A CODE:0204"}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    MemoryPage page;
    page.AddMacro("m", base);
    page.Select(0, 0);
    page.editor.Btn_InsertClick();
    page.editor.CB_InsertChange(c.item);
    MacroInsertPanel& panel = page.editor.InsertPanel();
    if (c.field) {
      MacroNumberField& field = c.item < 2   ? panel.Delay()
                                : c.item < 6 ? panel.Repeat()
                                : c.item < 8 ? panel.X()
                                             : panel.Y();
      field.SetText(c.field);
    }
    page.editor.Btn_OKClick();
    EXPECT_EQ(page.editor.State(), MacroPageState::kBrowsing);
    EXPECT_EQ(Events(page.editor.Lines()), c.events);
    EXPECT_EQ(page.editor.SelectedEvent(), c.selected);
    EXPECT_EQ(page.library.Record(0).content, Encoded(c.events));
    EXPECT_EQ(page.saves, 1);
  }
}

TEST(MacroEditor, InsertOkWithoutASelectedEventKeepsThePanel) {
  MemoryPage page;
  page.AddMacro("m", {"0 16"});
  page.Select(0, 0);
  page.editor.Btn_InsertClick();
  page.editor.LB_macroClick(std::nullopt);  // a press below the last item
  for (int item : {0, 1, 4, 5, 6, 7, 8, 9}) {
    page.editor.CB_InsertChange(item);
    page.editor.Btn_OKClick();
    EXPECT_EQ(page.editor.State(), MacroPageState::kInserting) << item;
  }
  EXPECT_EQ(Events(page.editor.Lines()), MacroLines{"0 16"});
  EXPECT_EQ(page.saves, 0);
}

TEST(MacroEditor, PageStatesLockTheirControls) {
  struct Expected {
    bool start, newMacro, names, slots, events, delayShown, delayEnabled, insertShown, insertUsable;
  };
  const auto check = [](const MacroPageControls& c, const Expected& e) {
    EXPECT_EQ(c.Btn_StartEnabled, e.start);
    EXPECT_EQ(c.Btn_NewEnabled, e.newMacro);
    EXPECT_EQ(c.LB_PCMacroNameEnabled, e.names);
    EXPECT_EQ(c.LB_MacroNameEnabled, e.slots);
    EXPECT_EQ(c.LB_macroEnabled, e.events);
    EXPECT_EQ(c.Gb_DelayShown, e.delayShown);
    EXPECT_EQ(c.delayLabelsShown, e.delayShown);
    EXPECT_EQ(c.Gb_DelayEnabled, e.delayEnabled);
    EXPECT_EQ(c.Gb_InsertShown, e.insertShown);
    EXPECT_EQ(c.CB_InsertEnabled, e.insertUsable);
    EXPECT_EQ(c.Btn_OKEnabled, e.insertUsable);
    EXPECT_EQ(c.Btn_CancelEnabled, e.insertUsable);
  };
  MemoryPage page;
  page.AddMacro("m", kKeyA);
  page.Select(0, 1);
  {
    SCOPED_TRACE("browsing");
    check(page.editor.Controls(), {true, true, true, true, true, true, true, false, false});
  }
  page.editor.Btn_InsertClick();
  {
    SCOPED_TRACE("inserting");
    check(page.editor.Controls(), {false, false, true, false, true, false, false, true, true});
  }
  page.editor.CB_InsertChange(3);
  ASSERT_TRUE(page.editor.BeginInsertRecording());
  {
    SCOPED_TRACE("insert-recording");
    check(page.editor.Controls(), {false, false, false, false, true, false, false, true, false});
  }
  page.editor.Btn_OKClick();  // locked
  page.editor.LB_PCMacroNameClick(std::nullopt);
  EXPECT_EQ(page.editor.State(), MacroPageState::kInserting);
  EXPECT_EQ(page.editor.SelectedMacro(), 0u);
  page.editor.EndInsertRecording();
  page.editor.Btn_CancelClick();
  ASSERT_TRUE(page.editor.BeginRecording());
  {
    SCOPED_TRACE("recording");
    check(page.editor.Controls(), {true, false, false, false, false, true, false, false, false});
  }
  // Locked commands do nothing while recording.
  page.editor.IB_ReleaseStopClick();
  page.editor.Btn_NewClick();
  page.editor.LB_PCMacroNameClick(std::nullopt);
  EXPECT_EQ(page.editor.NameDialog(), nullptr);
  EXPECT_EQ(page.editor.SelectedMacro(), 0u);
  EXPECT_EQ(page.editor.Controls().stopMode, StopMode::kAfterMacroIsOver);
  page.editor.EndRecording();
  SCOPED_TRACE("browsing again");
  check(page.editor.Controls(), {true, true, true, true, true, true, true, false, false});
}

TEST(MacroEditor, InsertRecordingPlacesLinesAndCommitsAtOk) {
  MemoryPage page;
  page.AddMacro("m", kKeyA);
  page.Select(0, 1);  // the delay
  page.editor.SetEventListTopIndex(0);
  page.editor.Btn_InsertClick();
  page.editor.CB_InsertChange(static_cast<int>(InsertItem::kKeyBack));
  EXPECT_EQ(page.editor.SelectedMacroLength(), 7);
  ASSERT_TRUE(page.editor.BeginInsertRecording());
  EXPECT_FALSE(page.editor.BeginInsertRecording());  // already running
  // "Insert Key Back": after the selected event, at line index position + 2.
  std::size_t position = *page.editor.SelectedEvent();
  for (const char* line : {"1 B CODE:8205", "0 32", "2 B CODE:0205"}) {
    ASSERT_TRUE(page.editor.InsertRecordedLine(position + 2, line));
    ++position;
  }
  page.editor.EndInsertRecording();
  const MacroLines expected = {"1 A CODE:8204", "0 48",          "1 B CODE:8205",
                               "0 32",          "2 B CODE:0205", "2 A CODE:0204"};
  EXPECT_EQ(Events(page.editor.Lines()), expected);
  EXPECT_EQ(page.editor.SelectedEvent(), 4u);
  EXPECT_EQ(page.editor.PendingLength(), 13);
  EXPECT_EQ(page.Stored(0), kKeyA);  // nothing committed yet
  page.editor.Btn_OKClick();
  EXPECT_EQ(page.editor.State(), MacroPageState::kBrowsing);
  EXPECT_EQ(page.Stored(0), expected);
  EXPECT_EQ(page.saves, 1);
}

TEST(MacroEditor, CancelDropsRecordedLinesAndRestoresTheSelection) {
  MemoryPage page;
  page.AddMacro("m", kKeyA);
  page.Select(0, 2);
  page.editor.SetEventListTopIndex(1);
  page.editor.Btn_InsertClick();
  page.editor.CB_InsertChange(static_cast<int>(InsertItem::kKeyFront));
  ASSERT_TRUE(page.editor.BeginInsertRecording());
  page.editor.InsertRecordedLine(3, "1 B CODE:8205");
  page.editor.EndInsertRecording();
  page.editor.SetEventListTopIndex(3);
  page.editor.LB_macroClick(0);
  page.editor.Btn_CancelClick();
  EXPECT_EQ(page.editor.State(), MacroPageState::kBrowsing);
  EXPECT_EQ(Events(page.editor.Lines()), kKeyA);
  EXPECT_EQ(page.editor.SelectedEvent(), 2u);
  EXPECT_EQ(page.editor.Controls().LB_macroTopIndex, 1);
  EXPECT_EQ(page.saves, 0);
}

TEST(MacroEditor, InsertRecordingNeedsRoomAndAnEvent) {
  MemoryPage page;
  MacroLines long110 = {};
  for (int i = 0; i < 110; ++i) {
    long110.push_back("3 FB01");
  }
  page.AddMacro("long", long110);  // L = 221
  page.AddMacro("short", kKeyA);
  page.Select(0, 0);
  page.editor.Btn_InsertClick();
  page.editor.CB_InsertChange(2);
  EXPECT_FALSE(page.editor.BeginInsertRecording());
  page.editor.LB_PCMacroNameClick(1);  // no event selected now
  EXPECT_FALSE(page.editor.BeginInsertRecording());
  page.editor.LB_macroClick(0);
  page.editor.CB_InsertChange(0);  // not a recording item
  EXPECT_FALSE(page.editor.BeginInsertRecording());
  page.editor.CB_InsertChange(2);
  EXPECT_TRUE(page.editor.BeginInsertRecording());
}

TEST(MacroEditor, StopModeIsSavedAtOnce) {
  MemoryPage page;
  page.AddMacro("m", kKeyA);
  page.editor.IB_ReleaseStopClick();  // no macro selected: the option only
  EXPECT_EQ(page.saves, 0);
  page.Select(0);
  EXPECT_EQ(page.editor.Controls().stopMode, StopMode::kAfterMacroIsOver);
  page.editor.IB_ReleaseStopClick();
  EXPECT_EQ(page.library.Record(0).content[0], 1);
  EXPECT_EQ(page.saves, 1);
  page.editor.IB_ReleaseStopClick();  // unchanged: no second write
  EXPECT_EQ(page.saves, 1);
  page.editor.IB_ReleaseContiueClick();
  EXPECT_EQ(page.library.Record(0).content[0], 0);
  EXPECT_EQ(page.saves, 2);
  // The next edit encodes the chosen mode.
  page.editor.IB_ReleaseStopClick();
  page.editor.LB_macroClick(1);
  page.editor.Btn_DelClick();
  EXPECT_EQ(page.library.Record(0).content[0], 1);
}

TEST(MacroEditor, AFailedSaveIsReportedAndTheChangeStays) {
  MemoryPage page;
  page.AddMacro("m", kKeyA);
  page.saveWorks = false;
  page.Select(0);
  page.editor.IB_ReleaseStopClick();
  EXPECT_EQ(page.ui.messages, std::vector<std::string>{std::string(kLibrarySaveFailedMessage)});
  EXPECT_EQ(page.library.Record(0).content[0], 1);
  page.editor.LB_macroClick(1);
  page.editor.Btn_DelClick();
  EXPECT_EQ(page.ui.messages.size(), 2u);
  EXPECT_EQ(page.Stored(0), (MacroLines{"1 A CODE:8204", "2 A CODE:0204"}));
}

TEST(MacroEditor, RecordingHooksFillTheSelectedMacro) {
  MemoryPage page;
  page.AddMacro("m", kKeyA);
  EXPECT_FALSE(page.editor.BeginRecording());  // nothing selected
  page.Select(0);
  ASSERT_TRUE(page.editor.BeginRecording());
  EXPECT_TRUE(page.editor.Lines().empty());
  EXPECT_EQ(page.editor.SelectedMacroLength(), 0);  // memory mode starts from an empty record
  for (const char* line : {"10", "1 B CODE:8205", "0 120", "2 B CODE:0205"}) {
    page.editor.AppendRecordedLine(line);
  }
  EXPECT_EQ(page.editor.SelectedEvent(), 2u);
  page.editor.EndRecording();
  EXPECT_EQ(page.Stored(0), (MacroLines{"1 B CODE:8205", "0 120", "2 B CODE:0205"}));
  EXPECT_EQ(page.editor.Controls().mmo_wrscript, "8205FE0F0205");
  EXPECT_EQ(page.saves, 1);
}

TEST(MacroEditor, ARecordingTooLongKeepsWhatFits) {
  MemoryPage page;
  page.AddMacro("m", {});
  page.Select(0);
  ASSERT_TRUE(page.editor.BeginRecording());
  page.editor.AppendRecordedLine("00");
  for (int i = 0; i < 112; ++i) {
    page.editor.AppendRecordedLine("3 FB01");  // 224 event bytes
  }
  page.editor.EndRecording();
  EXPECT_EQ(page.ui.messages, std::vector<std::string>{"storage space shortage"});
  EXPECT_EQ(page.editor.Lines().size(), 111u);  // 110 movements: 220 bytes
  EXPECT_EQ(page.Stored(0).size(), 110u);
  EXPECT_EQ(page.saves, 1);
}

TEST(MacroEditor, DriverModeEditsTheLongForm) {
  DriverPage page;
  MacroLines events;
  for (int i = 0; i < 149; ++i) {
    events.push_back("3 FB01");
  }
  events.push_back("0 16");
  page.AddMacro("long", events);
  page.Select(0, 149);
  EXPECT_EQ(page.editor.SelectedMacroLength(), 301);
  EXPECT_EQ(page.editor.Controls().mmo_wrscript.size(), (301u + 3u) * 2u);
  page.editor.Btn_EditClick();
  ASSERT_NE(page.editor.DelayDialog(), nullptr);
  page.editor.DelayDialog()->Field().SetText("800");
  page.editor.EditDialogConfirm();
  events.back() = "0 800";
  EXPECT_EQ(page.Stored(0), events);
  EXPECT_EQ(page.library.Record(0).content[1], 0x01);
  EXPECT_EQ(page.library.Record(0).content[2], 0x2D);
  page.editor.Btn_NewClick();
  page.editor.NameDialog()->SetText("new");
  page.editor.NameDialogConfirm();
  EXPECT_EQ(page.library.Count(), 2u);
  EXPECT_EQ(page.editor.SelectedMacro(), 1u);
  EXPECT_EQ(page.saves, 2);
}

TEST(MacroEditor, MenusOpenOnlyWithSomethingToActOn) {
  MemoryPage page;
  page.AddMacro("m", kKeyA);
  page.editor.LB_PCMacroNameRightClick(0);
  EXPECT_TRUE(page.editor.Controls().Pnl_PCMacroShown);
  page.editor.LB_macroRightClick(std::nullopt);
  EXPECT_FALSE(page.editor.Controls().Pnl_PCMacroShown);
  EXPECT_FALSE(page.editor.Controls().Pnl_DevContentShown);
  page.editor.LB_macroRightClick(2);
  EXPECT_TRUE(page.editor.Controls().Pnl_DevContentShown);
  EXPECT_EQ(page.editor.SelectedEvent(), 2u);
  page.editor.ClearMacro();
  EXPECT_FALSE(page.editor.Controls().Pnl_DevContentShown);
  page.editor.LB_macroClick(7);  // past the end: nothing selected
  EXPECT_FALSE(page.editor.SelectedEvent().has_value());
}

}  // namespace
}  // namespace orbic::macros
