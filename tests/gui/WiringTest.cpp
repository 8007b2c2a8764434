// The window joined to the models it owns: macros from the function menu, the
// macro list's file entries, the system's pointer settings, the fire page and
// the engineer's gun keys.
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "PageRig.h"
#include "WindowRig.h"
#include "fire/FireMacroRecord.h"
#include "fire/FirePage.h"
#include "fire/GunKeyList.h"
#include "gui/dialogs/DelayDialogView.h"
#include "gui/dialogs/MacroNameDialogView.h"
#include "gui/pages/ClickLabel.h"
#include "gui/pages/PictureLabel.h"
#include "gui/pages/RulerSlider.h"
#include "macros/MacroCodec.h"
#include "macros/MacroEditor.h"
#include "perf/PointerSettings.h"
#include "perf/PointerSystem.h"
#include "sim/MemoryPointerSystem.h"

namespace orbic::gui::test {

namespace {

constexpr int kMacroGroup = 4;
constexpr int kFireGroup = 5;

// Adds a named macro holding one key press and release to the window's
// library and shows the library afresh.
void AddLibraryMacro(MainWindow& window, const std::string& name) {
  macros::MacroLibrary& library = window.MacroStore().Library();
  const std::optional<std::size_t> index = library.Add(*macros::EncodeName(name));
  QVERIFY(index.has_value());
  macros::MacroEditor& editor = window.MacroPage().Editor();
  editor.LibraryReplaced();
  editor.LB_PCMacroNameClick(*index);
  QVERIFY(editor.BeginRecording());
  editor.AppendRecordedLine("00");  // the header
  editor.AppendRecordedLine("1 A CODE:8204");
  editor.AppendRecordedLine("2 A CODE:0204");
  editor.EndRecording();
  window.Pages().Refresh();
}

// The fire macro that gun 1 shows in its first column.
int FirstColumnFireMacro() {
  for (int n = 1; n <= fire::kFireMacroCount; ++n) {
    const fire::FireMacroPlace place = fire::PlaceOfFireMacro(n);
    if (place.gun == 1 && place.column == 1) {
      return n;
    }
  }
  return 0;
}

}  // namespace

class WiringTest : public QObject {
  Q_OBJECT

 private slots:
  void MenuMacroGivesTheButtonItsLabelAndAMacroCode() {
    PageRig rig;
    AddLibraryMacro(*rig.window, "Reload");
    const auto index = static_cast<int>(rig.window->MacroStore().Library().Count()) - 1;
    QTest::mouseClick(rig.Find<ClickLabel>(1, "Key3"), Qt::LeftButton);
    auto* list = rig.Find<QListWidget>(1, "LB_Name");
    QVERIFY(list != nullptr);
    QVERIFY(list->count() > index);
    QCOMPARE(list->item(index)->text(), QString("Reload"));
    emit list->itemClicked(list->item(index));

    const orbic::app::SettingsModel& settings = rig.Session().Settings();
    const int keyMode = settings.ShownKeyMode();
    QCOMPARE(settings.keys.Label(keyMode, 3), std::string("Reload"));
    QCOMPARE(settings.keys.Code(keyMode, 3).substr(0, 2), std::string("06"));
    QCOMPARE(rig.Find<ClickLabel>(1, "Key3")->text(), QString("Reload"));
    QVERIFY(rig.messages.empty());
  }

  void NewMacroAndEditAskThroughTheSkinnedDialogs() {
    PageRig rig;
    QStringList shown;
    rig.window->SetDialogRunner([&](SkinnedDialog& dialog) {
      if (auto* name = qobject_cast<MacroNameDialogView*>(&dialog)) {
        shown << "name";
        QTest::keyClicks(&name->Field(), "Jump");
        return true;
      }
      if (auto* delay = qobject_cast<DelayDialogView*>(&dialog)) {
        shown << "delay";
        QTest::keyClicks(delay->findChild<QLineEdit*>(), "3000");  // clamped to 2040
        return true;
      }
      shown << "other";
      return false;
    });
    macros::MacroEditor& editor = rig.window->MacroPage().Editor();
    emit rig.Find<ClickLabel>(kMacroGroup, "Btn_New")->clicked({});
    QCOMPARE(shown, QStringList{"name"});
    const std::vector<std::string> names = rig.window->MacroStore().Library().Names();
    QVERIFY(!names.empty());
    QCOMPARE(names.back(), std::string("Jump"));

    QVERIFY(editor.BeginRecording());
    editor.AppendRecordedLine("10");  // the header
    editor.AppendRecordedLine("1 A CODE:8204");
    editor.AppendRecordedLine("0 50");
    editor.AppendRecordedLine("2 A CODE:0204");
    editor.EndRecording();
    editor.LB_macroRightClick(1);  // the delay line; opens the event menu
    rig.window->Pages().Refresh();
    emit rig.Find<ClickLabel>(kMacroGroup, "Btn_Edit")->clicked({});
    QCOMPARE(shown, (QStringList{"name", "delay"}));
    QCOMPARE(editor.Lines()[2], std::string("0 2040"));
    QVERIFY(editor.DelayDialog() == nullptr);
  }

  void ExportOneWritesTheRecordAndImportingItAgainIsADuplicate() {
    PageRig rig;
    AddLibraryMacro(*rig.window, "Spray");
    const std::size_t index = rig.window->MacroStore().Library().Count() - 1;
    QTemporaryDir out;
    QStringList asked;
    QString answer = out.filePath("spray");
    rig.window->SetFileChooser([&](bool save) {
      asked << (save ? "save" : "open");
      return answer;
    });
    auto* exportOne = rig.Find<ClickLabel>(kMacroGroup, "Btn_ExportOne");
    QVERIFY(exportOne->isEnabled());
    emit exportOne->clicked({});
    QCOMPARE(asked, QStringList{"save"});
    QFile written(out.filePath("spray.bin"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QCOMPARE(bytes.size(), 256);
    const auto record = rig.window->MacroStore().Library().Record(index).Bytes();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(record.data()),
                        static_cast<qsizetype>(record.size())),
             bytes);
    QVERIFY(rig.messages.empty());

    // The same file imported into the library that holds it is refused.
    answer = out.filePath("spray.bin");
    emit rig.Find<ClickLabel>(kMacroGroup, "Btn_ImportOne")->clicked({});
    QCOMPARE(asked.last(), QString("open"));
    QCOMPARE(rig.messages, std::vector<std::string>{"This macro already exists"});
    QCOMPARE(rig.window->MacroStore().Library().Count(), index + 1);

    // A cancelled dialog does nothing.
    answer.clear();
    rig.messages.clear();
    emit rig.Find<ClickLabel>(kMacroGroup, "Btn_Export")->clicked({});
    QVERIFY(rig.messages.empty());
    QCOMPARE(QDir(out.path()).entryList(QDir::Files).size(), 1);
  }

  void AdvancedPageShowsTheSystemsPointerSettings() {
    sim::MemoryPointerSystem system;
    for (const auto& [name, value] :
         std::initializer_list<std::pair<const char*, const char*>>{{"MouseSensitivity", "15"},
                                                                    {"MouseSpeed", "1"},
                                                                    {"MouseThreshold1", "6"},
                                                                    {"MouseThreshold2", "10"},
                                                                    {"DoubleClickSpeed", "500"}}) {
      system.SetValue(perf::kMouseKey, name, value);
    }
    system.SetValue(perf::kDesktopKey, "WheelScrollLines", "3");

    sim::VirtualClock clock;
    sim::SimulatedHidBackend backend;
    QTemporaryDir folder;
    WindowResources resources;
    resources.programFolder = folder.path().toStdString() + "/";
    resources.pointerSystem = &system;
    MainWindow window(backend, clock, std::move(resources));
    QVERIFY(window.CreationSteps().contains("pointer settings"));

    perf::PointerSettingsPage* page = window.PointerSettings();
    QVERIFY(page != nullptr);
    QCOMPARE(page->Settings().speedValue, 15);
    auto* speed = window.PageGroup(2)->findChild<RulerSlider*>("slider_Spd");
    QVERIFY(speed->isEnabled());
    QCOMPARE(speed->value(), page->Controls().spdPosition);
    QVERIFY(speed->value() != 0);
    QCOMPARE(window.PageGroup(2)->findChild<PictureLabel*>("Img_IsControl")->Picture(),
             QString("CbS_E"));

    // Written back with the settings: a value only read stays as the system
    // has it (15 lies between two steps), a change the user made goes along.
    system.ClearCalls();
    window.Session().Hooks().applyPointerSettings();
    QVERIFY(system.Calls().empty());
    QCOMPARE(system.Value(perf::kMouseKey, "MouseSensitivity"), std::optional<std::string>("15"));
    page->slider_SpdMouseUp(140);
    system.ClearCalls();
    window.Session().Hooks().applyPointerSettings();
    QVERIFY(!system.Calls().empty());
    QCOMPARE(system.Value(perf::kMouseKey, "MouseSensitivity"),
             std::optional<std::string>(std::to_string(page->Settings().speedValue)));
  }

  void FirePageShowsTheGunsColumnsAfterARead() {
    const int fireMacro = FirstColumnFireMacro();
    QVERIFY(fireMacro > 0);
    // Seven shots, 96 ms apart.
    fire::FireMacroRecord record{};
    const std::uint8_t events[] = {fire::event::kRepeatStart, 6,  fire::event::kLeftDown,
                                   fire::event::kDelay,       12, fire::event::kLeftUp,
                                   fire::event::kRepeatStop};
    record[fire::record::kStopMode] = fire::record::kStopOnRelease;
    record[fire::record::kLength] = static_cast<std::uint8_t>(sizeof(events) + 1);
    std::copy(std::begin(events), std::end(events), record.begin() + fire::record::kEvents);
    fire::FireMacroChecksum(record);
    const fire::FireMacroParameters expected = fire::ParseFireMacro(record);
    QVERIFY(expected.shown);
    QCOMPARE(expected.count, 7);

    PageRig rig([&](params::Image& memory) {
      const std::size_t at = params::layout::kFireMacroTable.offset +
                             static_cast<std::size_t>(fireMacro - 1) * fire::kRecordSize;
      std::copy(record.begin(), record.end(), memory.begin() + static_cast<std::ptrdiff_t>(at));
    });
    QTest::mouseClick(rig.Find<ClickLabel>(1, "Key3"), Qt::LeftButton);
    emit rig.Find<ClickLabel>(1, "Key_FireMacro")->clicked({});
    QCOMPARE(rig.Session().Pages().visibleGroup, kFireGroup);
    QVERIFY(rig.Session().FirePage().Open());

    auto* count = rig.Find<QLineEdit>(kFireGroup, "Edt_FireCnt1");
    QVERIFY(!count->isHidden());
    QVERIFY(count->isEnabled());
    QCOMPARE(count->text(), QString("7"));
    QCOMPARE(rig.Find<PictureLabel>(kFireGroup, "Img_FireRKFS1")->Picture(), QString("CbS_E"));
    QCOMPARE(rig.Find<PictureLabel>(kFireGroup, "Img_Fire1")->Picture(), QString("Gun1_02"));

    // An edit reaches the working copy and comes back corrected.
    count->setText("300");
    emit count->textEdited("300");
    QCOMPARE(count->text(), QString::fromStdString(rig.Session().FirePage().Column(1).count));
    QVERIFY(count->text() != "300");

    // Each of the six row captions toggles the first column's stop mode.
    for (const char* caption :
         {"lbl_Fire_Marco_Count", "lbl_Fire_Marco_Delay", "lbl_Fire_Marco_Y",
          "lbl_Fire_Marco_Y_Offset", "lbl_Fire_Marco_Color", "lbl_Fire_Marco_Stop_Release"}) {
      auto* label = rig.Find<ClickLabel>(kFireGroup, caption);
      QVERIFY2(label != nullptr, caption);
      const bool before = rig.Session().FirePage().Column(1).stopChecked;
      QTest::mouseClick(label, Qt::LeftButton);
      QVERIFY2(rig.Session().FirePage().Column(1).stopChecked != before, caption);
      QCOMPARE(rig.Find<PictureLabel>(kFireGroup, "Img_FireRKFS1")->Picture(),
               QString(before ? "CbS_D" : "CbS_E"));
    }

    // Cancel: back on the first page, nothing assigned.
    const std::string code = rig.Session().Settings().keys.Code(1, 3);
    emit rig.Find<ClickLabel>(kFireGroup, "Btn_FireExit")->clicked({});
    QCOMPARE(rig.Session().Pages().visibleGroup, 1);
    QVERIFY(!rig.Session().FirePage().Open());
    QCOMPARE(rig.Session().Settings().keys.Code(1, 3), code);
  }

  void LabelsNameTheGunKeysOfTheListFile() {
    WindowRig rig(true);
    // The list is read once, at start-up: a fresh window over a folder with a list.
    rig.window.reset();
    {
      std::ofstream list(fire::GunKeyListPath(rig.programFolder.path().toStdString() + "/"),
                         std::ios::binary);
      const char bytes[30] = {0x0C, 0x01, 0x03, 0x0C, 0x04, 0x06};
      list.write(bytes, sizeof bytes);
    }
    WindowResources resources = EmbeddedWindowResources();
    resources.programFolder = rig.programFolder.path().toStdString() + "/";
    rig.window = std::make_unique<MainWindow>(rig.backend, rig.clock, std::move(resources));
    rig.window->SetMessageSink(
        [&rig](const std::string& text, orbic::MessageStyle) { rig.messages.push_back(text); });
    rig.TickUntilRead();

    orbic::app::SettingsModel& settings = rig.window->Session().Settings();
    QCOMPARE(settings.gunKeys.Count(), 2);
    QVERIFY(settings.keys.Assign(1, 3, "0C0406", rig.window->Session().Image().data));
    settings.keys.RefreshLabels();
    QCOMPARE(settings.keys.Label(1, 3), std::string("Fire Macro2"));
    QVERIFY(rig.messages.empty());
  }

  void AnUnreadableGunKeyListIsReportedOnceAndNeverOverwritten() {
    QTemporaryDir folder;
    const std::string prefix = folder.path().toStdString() + "/";
    // A folder where the list file should be cannot be read as a file.
    QVERIFY(QDir().mkpath(QString::fromStdString(fire::GunKeyListPath(prefix))));
    sim::VirtualClock clock;
    sim::SimulatedHidBackend backend;
    WindowResources resources = EmbeddedWindowResources();
    resources.programFolder = prefix;
    MainWindow window(backend, clock, std::move(resources));
    std::vector<std::string> messages;
    window.SetMessageSink(
        [&messages](const std::string& text, orbic::MessageStyle) { messages.push_back(text); });
    QCoreApplication::processEvents();
    QCOMPARE(messages.size(), std::size_t{1});
    std::string error;
    QVERIFY(!window.Session().AddGunKey(1, 3, error));
    QVERIFY(!error.empty());
    QCoreApplication::processEvents();
    QCOMPARE(messages.size(), std::size_t{1});
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::WiringTest)
#include "WiringTest.moc"
