// The fire page's hidden content editor in the window: shown by the double
// click, hidden by Confirm and Cancel; the lines of the chosen fire macro;
// recording left-button edges through the window's input; deleting,
// inserting and editing through the line menu, the insert panel and the
// window's dialogs; changes that do not fit are refused with the reason.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>
#include <functional>

#include "PageRig.h"
#include "fire/FireMacroRecord.h"
#include "fire/FirePage.h"
#include "gui/dialogs/DelayDialogView.h"
#include "gui/dialogs/KeyCaptureDialogView.h"
#include "gui/pages/ClickLabel.h"
#include "gui/pages/PictureLabel.h"
#include "macros/MacroLineText.h"
#include "params/ParameterImage.h"

namespace orbic::gui::test {

namespace {

constexpr int kFireGroup = 5;

// The controls the double click brings out and Confirm / Cancel hide again.
const char* const kEditorControls[] = {
    "LB_FireMacroName", "LB_FireMacro",  "Btn_FireStart",      "Img_FireStart",
    "GB_FireDelay",     "Img_FireDelay", "IB_FireRecDelay",    "IB_FireDelayTime",
    "IB_FireNoDelay",   "Edt_FireDelay", "IB_FireReleaseStop", "IB_FireReleaseContiue",
};

fire::FireMacroRecord Record(bool stopOnRelease, std::vector<std::uint8_t> events) {
  fire::FireMacroRecord record{};
  if (!events.empty()) {
    record[fire::record::kStopMode] =
        stopOnRelease ? fire::record::kStopOnRelease : fire::record::kRunToEnd;
    record[fire::record::kLength] = static_cast<std::uint8_t>(events.size() + 1);
    std::copy(events.begin(), events.end(), record.begin() + fire::record::kEvents);
    fire::FireMacroChecksum(record);
  }
  return record;
}

// Fire macro 1 is full: 21 event bytes.
const fire::FireMacroRecord kFullRecord =
    Record(true, {0xFD, 0x05, 0xA1, 0xFE, 0x0C, 0x21, 0xFB, 0x03, 0xFA, 0xFE, 0xFC,
                  0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF});
const char* const kFullLines[] = {
    "7 FD05", "1 LeftKey CODE:00A1",
    "0 96",   "2 LeftKey CODE:0021",
    "3 FB03", "6 FAFE",
    "8 00FC", "0 2040",
    "0 2040", "0 2040",
    "0 2040", "0 2040",
};
// Fire macro 2: one shot, 96 ms held.
const fire::FireMacroRecord kShotRecord = Record(false, {0xA1, 0xFE, 0x0C, 0x21});

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int row = 0; row < list->count(); ++row) {
    items << list->item(row)->text();
  }
  return items;
}

QStringList ItemsOf(std::initializer_list<const char*> lines) {
  QStringList items;
  for (const char* line : lines) {
    items << QString::fromStdString(macros::EventListText(line).text);
  }
  return items;
}

void ClickRow(QListWidget* list, int row, Qt::MouseButton button = Qt::LeftButton) {
  QVERIFY(row < list->count());
  QTest::mouseClick(list->viewport(), button, {}, list->visualItemRect(list->item(row)).center());
}

// The window on the fire page, with fire macros 1 and 2 prepared in the
// mouse's memory before the read.
struct FireRig : PageRig {
  FireRig()
      : PageRig([](params::Image& memory) {
          const std::size_t area = params::layout::kFireMacroTable.offset;
          std::copy(kFullRecord.begin(), kFullRecord.end(),
                    memory.begin() + static_cast<std::ptrdiff_t>(area));
          std::copy(kShotRecord.begin(), kShotRecord.end(),
                    memory.begin() + static_cast<std::ptrdiff_t>(area + fire::kRecordSize));
        }) {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    Session().FirePage().Key_FireMacroClick(1, 7);
    Session().Pages().visibleGroup = kFireGroup;
    window->ModelsChanged();
  }

  template <class Widget = QWidget>
  Widget* Get(const char* name) const {
    auto* widget = Find<Widget>(kFireGroup, name);
    if (widget == nullptr) {
      qWarning("no control %s", name);
    }
    return widget;
  }
  bool Shown(const char* name) const {
    QWidget* widget = Get(name);
    return widget != nullptr && widget->isVisibleTo(window->PageGroup(kFireGroup));
  }
  void Unlock() { QTest::mouseDClick(Get("Img_Base_5"), Qt::LeftButton); }
  void Click(const char* name) { QTest::mouseClick(Get(name), Qt::LeftButton); }
  // A menu entry of the line under the right button.
  void LineMenu(int row, const char* entry) {
    ClickRow(Events(), row, Qt::RightButton);
    QVERIFY(Shown("Pnl_DevFireContent"));
    Click(entry);
  }
  QListWidget* Names() const { return Get<QListWidget>("LB_FireMacroName"); }
  QListWidget* Events() const { return Get<QListWidget>("LB_FireMacro"); }
  fire::FireContentEditor& Editor() { return Session().FirePage().Editor(); }
  const fire::FireMacroRecord& Working(int n) { return Session().Settings().fireMacros.Record(n); }
  // A left press or release through the window, where the application's
  // input arrives, over a control that takes no clicks while recording.
  void LeftEdge(bool down) {
    const QPoint at = Names()->mapTo(window.get(), Names()->rect().center());
    if (down) {
      QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, at);
    } else {
      QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, at);
    }
  }
};

}  // namespace

class FireContentViewTest : public QObject {
  Q_OBJECT

 private slots:
  void DoubleClickShowsTheEditorAndConfirmOrCancelHidesIt() {
    for (const char* closer : {"Btn_FireExit", "Btn_FireConfirm"}) {
      FireRig rig;
      for (const char* name : kEditorControls) {
        QVERIFY2(!rig.Shown(name), name);
      }
      rig.Unlock();
      QVERIFY(rig.Editor().Visible());
      for (const char* name : kEditorControls) {
        QVERIFY2(rig.Shown(name), name);
      }
      QCOMPARE(Items(rig.Names()).front(), QString("Fire Macro1"));
      QCOMPARE(Items(rig.Names()).back(), QString("Fire Macro10"));
      QVERIFY(!rig.Shown("Gb_InsertFire"));
      QVERIFY(!rig.Shown("Pnl_DevFireContent"));

      rig.Click(closer);
      QVERIFY2(!rig.Editor().Visible(), closer);
      for (const char* name : kEditorControls) {
        QVERIFY2(!rig.Shown(name), name);
      }
    }
  }

  void ChoosingAFireMacroListsItsLines() {
    FireRig rig;
    rig.Unlock();
    ClickRow(rig.Names(), 0);
    QCOMPARE(rig.Editor().SelectedFireMacro(), std::optional<int>(1));
    QStringList expected;
    for (const char* line : kFullLines) {
      expected << QString::fromStdString(macros::EventListText(line).text);
    }
    QCOMPARE(Items(rig.Events()), expected);
    for (int row = 0; row < rig.Events()->count(); ++row) {
      QCOMPARE(rig.Events()->item(row)->data(Qt::UserRole).toInt(), int(kFullLines[row][0] - '0'));
    }
    QCOMPARE(rig.Events()->currentRow(), rig.Events()->count() - 1);
    QCOMPARE(rig.Get<PictureLabel>("Img_FireReleaseStop")->Picture(), QString("RdS_E"));

    ClickRow(rig.Names(), 1);
    QCOMPARE(Items(rig.Events()), ItemsOf({"1 LeftKey CODE:00A1", "0 96", "2 LeftKey CODE:0021"}));
    QCOMPARE(rig.Get<PictureLabel>("Img_FireReleaseStop")->Picture(), QString("RdS_D"));
  }

  void LeftButtonEdgesAreRecordedIntoTheListAndTheRecord() {
    FireRig rig;
    rig.Unlock();
    ClickRow(rig.Names(), 1);
    rig.Click("Btn_FireStart");
    QVERIFY(rig.Editor().Recording());
    QCOMPARE(rig.Get<QLabel>("Btn_FireStart")->text(), QString("Stop"));
    QVERIFY(!rig.Names()->isEnabled());
    QVERIFY(!rig.Get("IB_FireNoDelay")->isEnabled());
    QCOMPARE(rig.Events()->count(), 0);

    // "Record Delay": 3000 ms between the edges.
    rig.LeftEdge(true);
    rig.clock.SleepMs(3000);
    rig.LeftEdge(false);
    const QStringList recorded =
        ItemsOf({"1 LeftKey CODE:00A1", "0 2040", "0 960", "2 LeftKey CODE:0021"});
    QCOMPARE(Items(rig.Events()), recorded);

    // The click on "Stop" stays out of the macro.
    QTest::mouseMove(rig.Get("Btn_FireStart"));
    QTest::mouseClick(rig.window->windowHandle(), Qt::LeftButton, {},
                      rig.Get("Btn_FireStart")->mapTo(rig.window.get(), QPoint(10, 10)));
    QVERIFY(!rig.Editor().Recording());
    QCOMPARE(rig.Get<QLabel>("Btn_FireStart")->text(), QString("Record"));
    QVERIFY(rig.Names()->isEnabled());
    QCOMPARE(Items(rig.Events()), recorded);
    QCOMPARE(rig.Working(2), Record(false, {0xA1, 0xFE, 0xFF, 0xFE, 0x78, 0x21}));
  }

  void DeleteAndInsertThroughTheMenuAndThePanel() {
    FireRig rig;
    rig.Unlock();
    ClickRow(rig.Names(), 1);
    rig.LineMenu(1, "Btn_FireDel");
    QVERIFY(!rig.Shown("Pnl_DevFireContent"));
    QCOMPARE(Items(rig.Events()), ItemsOf({"1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"}));
    QCOMPARE(rig.Working(2), Record(false, {0xA1, 0x21}));

    rig.LineMenu(0, "Btn_FireInsert");
    QVERIFY(rig.Shown("Gb_InsertFire"));
    QVERIFY(!rig.Shown("GB_FireDelay"));
    QVERIFY(!rig.Names()->isEnabled());
    QVERIFY(!rig.Get("Btn_FireStart")->isEnabled());
    auto* kind = rig.Get<QComboBox>("CB_InsertFire");
    QCOMPARE(kind->count(), 8);
    QCOMPARE(kind->currentText(), QString("Insert Delay Front"));
    QVERIFY(rig.Shown("Edt_InsertFireDelay"));
    QVERIFY(!rig.Shown("edt_FireYAxisValue"));

    kind->setCurrentIndex(7);  // "Insert Y axis Back"
    emit kind->activated(7);
    QVERIFY(!rig.Shown("Edt_InsertFireDelay"));
    QVERIFY(rig.Shown("edt_FireYAxisValue"));
    auto* y = rig.Get<QLineEdit>("edt_FireYAxisValue");
    y->selectAll();
    QTest::keyClicks(y, "-5");
    rig.Click("Btn_FireOK");
    QVERIFY(!rig.Shown("Gb_InsertFire"));
    QVERIFY(rig.Shown("GB_FireDelay"));
    QCOMPARE(Items(rig.Events()),
             ItemsOf({"1 LeftKey CODE:00A1", "6 FAFB", "2 LeftKey CODE:0021"}));
    QCOMPARE(rig.Working(2), Record(false, {0xA1, 0xFA, 0xFB, 0x21}));
    QVERIFY(rig.messages.empty());
  }

  void EditsGoThroughTheWindowsDialogs() {
    FireRig rig;
    rig.Unlock();
    QStringList shown;
    rig.window->SetDialogRunner([&](SkinnedDialog& dialog) {
      if (auto* delay = qobject_cast<DelayDialogView*>(&dialog)) {
        shown << "delay";
        QTest::keyClicks(&delay->Field(), "500");
        return true;
      }
      shown << "other";
      return false;
    });
    ClickRow(rig.Names(), 1);
    rig.LineMenu(1, "Btn_FireEdit");
    QCOMPARE(shown, QStringList{"delay"});
    QCOMPARE(Items(rig.Events()), ItemsOf({"1 LeftKey CODE:00A1", "0 500", "2 LeftKey CODE:0021"}));
    QCOMPARE(rig.Working(2), Record(false, {0xA1, 0xFE, 500 / 8, 0x21}));
    QVERIFY(rig.messages.empty());
  }

  // Each change is refused: the list and the record stay as they were and
  // the window says why.
  void ChangesTheRecordCannotTakeAreRefusedWithTheReason() {
    const struct {
      const char* name;
      std::function<void(FireRig&)> change;
    } cases[] = {
        {"a delay inserted into a full fire macro",
         [](FireRig& rig) {
           rig.LineMenu(0, "Btn_FireInsert");
           rig.Click("Btn_FireOK");
           QVERIFY(rig.Shown("Gb_InsertFire"));  // still open for another choice
         }},
        {"a key for a button line",
         [](FireRig& rig) {
           rig.window->SetDialogRunner([](SkinnedDialog& dialog) {
             auto* key = qobject_cast<KeyCaptureDialogView*>(&dialog);
             if (key == nullptr) {
               return false;
             }
             QTest::keyClick(&key->Field(), Qt::Key_A);
             return true;
           });
           rig.LineMenu(1, "Btn_FireEdit");
         }},
    };
    for (const auto& c : cases) {
      FireRig rig;
      rig.Unlock();
      ClickRow(rig.Names(), 0);
      const QStringList before = Items(rig.Events());
      c.change(rig);
      QVERIFY2(rig.messages.size() == 1, c.name);
      QCOMPARE(QString::fromStdString(rig.messages.front()),
               QString::fromStdString(rig.Editor().LastError()));
      QCOMPARE(Items(rig.Events()), before);
      QVERIFY2(rig.Working(1) == kFullRecord, c.name);
    }
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::FireContentViewTest)
#include "FireContentViewTest.moc"
