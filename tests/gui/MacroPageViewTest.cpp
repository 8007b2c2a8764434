// The macro page: without an editor the lists stay empty; with one, the name
// list, the event list (text and icon) and the commands follow the editor.
#include <QListWidget>
#include <QtTest>

#include "PageRig.h"
#include "gui/pages/ClickLabel.h"
#include "gui/pages/FunctionMenu.h"
#include "gui/pages/PictureLabel.h"
#include "macros/MacroEditor.h"
#include "macros/MacroLibrary.h"

namespace orbic::gui::test {

namespace {

// A library of two macros; the first holds a key press, a delay and the release.
struct EditorRig {
  EditorRig()
      : editor(
            library, [this] { return ++saves > 0; }, messages, ui) {
    library.Add(*macros::EncodeName("Reload"));
    library.Add(*macros::EncodeName("Jump"));
    editor.LibraryReplaced();
    editor.LB_PCMacroNameClick(0);
    editor.BeginRecording();
    for (const char* line : {"1 A CODE:8204", "0 50", "2 A CODE:0204"}) {
      editor.AppendRecordedLine(line);
    }
    editor.EndRecording();
    editor.LB_PCMacroNameClick(std::nullopt);
  }
  macros::MacroLibrary library;
  int saves = 0;
  ui::MessageStrings messages;
  orbic::NullUiHost ui;
  macros::MacroEditor editor;
};

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int row = 0; row < list->count(); ++row) {
    items << list->item(row)->text();
  }
  return items;
}

void ClickRow(QListWidget* list, int row, Qt::MouseButton button = Qt::LeftButton) {
  const QRect rect = list->visualItemRect(list->item(row));
  QTest::mouseClick(list->viewport(), button, {}, rect.center());
}

}  // namespace

class MacroPageViewTest : public QObject {
  Q_OBJECT

 private slots:
  void ListsStayEmptyWithoutAnEditor() {
    PageRig rig;
    rig.views->SetMacroEditor(nullptr, nullptr);  // the window's own editor taken away
    auto* names = rig.Find<QListWidget>(4, "LB_PCMacroName");
    QVERIFY(names != nullptr);
    QCOMPARE(names->count(), 0);
    QVERIFY(!names->isEnabled());
    QVERIFY(!rig.Find<ClickLabel>(4, "Btn_New")->isEnabled());
  }

  void NameListShowsTheEditorsLibraryAndTheMenuListsItToo() {
    PageRig rig;
    EditorRig macros;
    QVERIFY(macros.library.Count() > 0);
    rig.views->SetMacroEditor(&macros.editor, nullptr);
    auto* names = rig.Find<QListWidget>(4, "LB_PCMacroName");
    QStringList expected;
    for (const std::string& name : macros.library.Names()) {
      expected << QString::fromStdString(name);
    }
    QCOMPARE(Items(names), expected);
    // The function menu's "Base Macro" list offers the same names.
    QCOMPARE(Items(rig.Find<QListWidget>(1, "LB_Name")), expected);
  }

  void SelectingAMacroShowsItsEventsAndDeletingFollowsTheEditor() {
    PageRig rig;
    EditorRig macros;
    rig.views->SetMacroEditor(&macros.editor, nullptr);
    auto* names = rig.Find<QListWidget>(4, "LB_PCMacroName");
    auto* events = rig.Find<QListWidget>(4, "LB_macro");
    ClickRow(names, 0);
    QCOMPARE(macros.editor.SelectedMacro(), std::optional<std::size_t>(0));
    const macros::MacroPageControls controls = macros.editor.Controls();
    QVERIFY(!controls.LB_macro.empty());
    QCOMPARE(events->count(), static_cast<int>(controls.LB_macro.size()));
    for (int row = 0; row < events->count(); ++row) {
      const macros::MacroLineText& line = controls.LB_macro[static_cast<std::size_t>(row)];
      QCOMPARE(events->item(row)->text().toStdString(), line.text);
      QCOMPARE(events->item(row)->data(Qt::UserRole).toInt(), line.icon);
    }

    // Right button on an event opens its menu; "Delete" removes through the editor.
    const int before = events->count();
    ClickRow(events, before - 1, Qt::RightButton);
    auto* menu = rig.Find<QWidget>(4, "Pnl_DevContent");
    QVERIFY(!menu->isHidden());
    const int saves = macros.saves;
    QTest::mouseClick(rig.Find<ClickLabel>(4, "Btn_Del"), Qt::LeftButton);
    QVERIFY(menu->isHidden());
    QVERIFY(events->count() < before);
    QCOMPARE(events->count(), static_cast<int>(macros.editor.Controls().LB_macro.size()));
    QVERIFY(macros.saves > saves);
  }

  void StopModeAndInsertPanelFollowTheEditor() {
    PageRig rig;
    EditorRig macros;
    rig.views->SetMacroEditor(&macros.editor, nullptr);
    ClickRow(rig.Find<QListWidget>(4, "LB_PCMacroName"), 0);
    QTest::mouseClick(rig.Find<ClickLabel>(4, "IB_ReleaseStop"), Qt::LeftButton);
    QCOMPARE(rig.Find<PictureLabel>(4, "Img_ReleaseStop")->Picture(), QString("RdS_E"));
    QCOMPARE(rig.Find<PictureLabel>(4, "Img_ReleaseContiue")->Picture(), QString("RdS_D"));

    ClickRow(rig.Find<QListWidget>(4, "LB_macro"), 1, Qt::RightButton);
    QTest::mouseClick(rig.Find<ClickLabel>(4, "Btn_Insert"), Qt::LeftButton);
    QVERIFY(!rig.Find<QWidget>(4, "Gb_Insert")->isHidden());
    QVERIFY(rig.Find<QWidget>(4, "Gb_Delay")->isHidden());
    QVERIFY(!rig.Find<QWidget>(4, "Edt_InsertDelay")->isHidden());
    QVERIFY(rig.Find<QWidget>(4, "edt_XAxisValue")->isHidden());
    QTest::mouseClick(rig.Find<ClickLabel>(4, "Btn_Cancel"), Qt::LeftButton);
    QVERIFY(rig.Find<QWidget>(4, "Gb_Insert")->isHidden());
    QVERIFY(!rig.Find<QWidget>(4, "Gb_Delay")->isHidden());
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::MacroPageViewTest)
#include "MacroPageViewTest.moc"
