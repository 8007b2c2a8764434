// The engineer page: both key modes show their labels and open the shared
// function menu on this page; the CPI group and the DPI page stay in step;
// captions follow the fixed-text language; the page's own number fields
// correct themselves; the unlock opens the factory controls; the notes line
// explains the control under the pointer.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include "PageRig.h"
#include "engineer/ButtonTest.h"
#include "engineer/EngineerHints.h"
#include "gui/pages/ButtonTestView.h"
#include "gui/pages/ClickLabel.h"
#include "gui/pages/PictureLabel.h"
#include "params/ImageFields.h"
#include "support/SteppedWorker.h"
#include "ui/TermTable.h"

namespace orbic::gui::test {

namespace {

constexpr int kEngineer = 6;

QString Term(int id, ui::TermLanguage language) {
  const std::string_view text = ui::LookupTerm(id, language).value_or("");
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// What a control shows as its caption: a group's title, a tab's text, else its text.
QString CaptionOf(const PageRig& rig, const char* name) {
  QWidget* widget = rig.Find<QWidget>(kEngineer, name);
  if (widget == nullptr) {
    return "<missing>";
  }
  if (auto* box = qobject_cast<QGroupBox*>(widget)) {
    return box->title();
  }
  auto* tabs = rig.Find<QTabWidget>(kEngineer, "Pg_Parameter");
  if (const int index = tabs->indexOf(widget); index >= 0) {
    return tabs->tabText(index);
  }
  return widget->property("text").toString();
}

}  // namespace

class EngineerPageViewTest : public QObject {
  Q_OBJECT

 private slots:
  void KeyButtonsShowBothKeyModesAndOpenTheMenuHere() {
    PageRig rig;
    const orbic::app::SettingsModel& settings = rig.Session().Settings();
    QCOMPARE(rig.Find<QPushButton>(6, "btn_Key101")->text(), QString("Left Click"));
    QCOMPARE(rig.Find<QPushButton>(6, "btn_Key205")->text().toStdString(),
             settings.keys.Label(2, 5));

    QTest::mouseClick(rig.Find<QPushButton>(6, "btn_Key203"), Qt::LeftButton);
    const keys::EditingTarget& target = settings.assignment.Target();
    QCOMPARE(target.keyMode, 2);
    QCOMPARE(target.button, 3);
    auto* menu = rig.Find<QWidget>(6, "Pnl_Main");
    QVERIFY(menu != nullptr && !menu->isHidden());
    QVERIFY(rig.Find<QWidget>(6, "Key_TLFireMacro")->isVisibleTo(menu));
    QVERIFY(!rig.Find<QWidget>(6, "Key_FireMacro")->isVisibleTo(menu));
    QTest::mouseClick(rig.Find<ClickLabel>(6, "Key_Middle"), Qt::LeftButton);
    QCOMPARE(rig.Find<QPushButton>(6, "btn_Key203")->text(), QString("Middle Click"));
    QVERIFY(menu->isHidden());
  }

  void CpiGroupAndDpiPageStayInStep() {
    PageRig rig;
    auto* steps = rig.Find<QComboBox>(6, "cb_CPIStep");
    steps->setCurrentIndex(3);
    emit steps->activated(3);
    QCOMPARE(rig.Find<QComboBox>(2, "cbb_DPICount")->currentText(), QString("5"));
    QCOMPARE(rig.Find<QComboBox>(6, "cb_CurrentCPI")->count(), 5);
    QCOMPARE(rig.Find<QComboBox>(6, "cb_CurrentCPI")->currentText(), QString("5"));
    QVERIFY(rig.Find<QComboBox>(6, "cb_CPI6")->isHidden());

    // A colour edit is clamped by the DPI model and shown back.
    auto* red = rig.Find<QLineEdit>(6, "edt_CPI1R");
    red->setText("300");
    emit red->textEdited("300");
    QCOMPARE(red->text(), QString("255"));
  }
  void CaptionsComeFromTheTermTableInEitherLanguage() {
    PageRig rig;
    struct Case {
      const char* control;
      int term;
    };
    const std::vector<Case> cases = {
        {"ts_Operator", 13},
        {"ts_Engineer", 14},
        {"lbl_VendorID", 35},
        {"lbl_ProductID_Rd", 36},
        {"gbGunParam", 90},
        {"rb_LCPIOff", 22},
        {"lbl_FireMacroColor10B", 126},
        {"lbl_YOffset3", 130},
        {"cb_Mode7", 56},
        {"btn_Write", 10},
        {"Btn_Main_6", 0},
        {"lbl_Notes", 138},
    };
    for (const ui::TermLanguage language :
         {ui::TermLanguage::kSimplifiedChinese, ui::TermLanguage::kEnglish}) {
      rig.views->SetFixedLanguage(language);
      for (const Case& c : cases) {
        QCOMPARE(CaptionOf(rig, c.control), Term(c.term, language));
      }
      auto* ledModes = rig.Find<QComboBox>(kEngineer, "cb_RBLEDCurrentMode");
      QCOMPARE(ledModes->count(), 7);
      QCOMPARE(ledModes->itemText(6), Term(56, language));
      QCOMPARE(rig.Find<QComboBox>(kEngineer, "cb_SensorOri")->itemText(7), Term(72, language));
      QCOMPARE(rig.Find<QComboBox>(kEngineer, "cb_KeyMode")->itemText(1), Term(89, language));
    }
    QCOMPARE(CaptionOf(rig, "ts_Operator"), QString("Operation"));
    // Captions without a term keep their fixed texts.
    QCOMPARE(CaptionOf(rig, "lbl_FireTimeUnit"), QString("(*8ms)"));
    QCOMPARE(CaptionOf(rig, "lbl_MCULEDNumRange"), QString("(4~13)"));
    QCOMPARE(CaptionOf(rig, "cb_Smooth"), QString::fromUtf8("平滑打开"));
  }

  void ControlsShowTheReadImage() {
    PageRig rig([](params::Image& image) {
      namespace a = params::parameter_a;
      image[a::kSwitches] |= a::kLedSwitchBit;  // LED on/off by M+CPI
      // Sensor "90°" (stored 2).
      image[a::kSwitches] = static_cast<std::uint8_t>(
          (image[a::kSwitches] & ~a::kSensorOrientationMask) | (2 << a::kSensorOrientationShift));
      image[a::kChecksum] = params::SectionChecksum(std::span(image.data(), a::kChecksum));
      // Fire macro 3's Y offset -56 with its complement.
      image[params::layout::kFireYOffsetTable.offset + 4] = 0xC8;
      image[params::layout::kFireYOffsetTable.offset + 5] = 0x37;
      image[params::layout::kFireColourTable.offset + 7] = 0x12;  // fire macro 3 green
    });
    QCOMPARE(rig.Session().LastOutcome(), app::ConnectionOutcome::kRead);
    QVERIFY(rig.Find<QRadioButton>(kEngineer, "rb_B4CPIOn")->isChecked());
    QVERIFY(!rig.Find<QRadioButton>(kEngineer, "rb_B4CPIOff")->isChecked());
    QCOMPARE(rig.Find<QComboBox>(kEngineer, "cb_SensorOri")->currentText(),
             QString::fromUtf8("90°"));
    QCOMPARE(rig.Find<QLineEdit>(kEngineer, "edt_YOffset3")->text(), QString("-56"));
    QCOMPARE(rig.Find<QLineEdit>(kEngineer, "edt_YOffset4")->text(), QString("0"));
    QCOMPARE(rig.Find<QLineEdit>(kEngineer, "edt_FireMacroColor3G")->text(), QString("18"));
    QCOMPARE(rig.Find<QComboBox>(kEngineer, "cb_FireCount")->currentText(), QString("3"));
    QCOMPARE(rig.Find<QLineEdit>(kEngineer, "edt_VendorID_Rd")->text(), QString("255"));
    QVERIFY(rig.Find<QCheckBox>(kEngineer, "cb_Smooth")->isChecked());
    QVERIFY(rig.Find<QCheckBox>(kEngineer, "cb_Mode7")->isChecked());
    // The stored offset goes back unchanged with the next write-back.
    params::DataBuf written = rig.Session().Image().data;
    rig.Session().Settings().UIToDataBuf(written);
    QCOMPARE(int(written.fireYOffsetTable[4]), 0xC8);
    QCOMPARE(int(written.fireYOffsetTable[5]), 0x37);
  }

  void NumberFieldsCorrectThemselves() {
    PageRig rig;
    const params::DeviceOptions& options = rig.Session().Settings().options;
    auto* vendor = rig.Find<QLineEdit>(kEngineer, "edt_VendorID");
    struct Case {
      const char* field;
      const char* typed;
      const char* shown;
    };
    const std::vector<Case> cases = {
        {"edt_VendorID", "300", "255"},         {"edt_VendorID", "", "255"},
        {"edt_ProductID", "42", "42"},          {"edt_FireMacroColor2B", "", "0"},
        {"edt_FireMacroColor2B", "999", "255"}, {"edt_FireMacroColor9R", "17", "17"},
        {"edt_YOffset5", "200", "127"},         {"edt_YOffset5", "-", "-"},
        {"edt_YOffset5", "-300", "-128"},       {"edt_YOffset6", "", "0"},
    };
    for (const Case& c : cases) {
      auto* field = rig.Find<QLineEdit>(kEngineer, c.field);
      field->setText(c.typed);
      QCOMPARE(field->text(), QString(c.shown));
    }
    QCOMPARE(vendor->text(), QString("255"));
    QCOMPARE(options.productCode, 42);
    QCOMPARE(options.fireMacroColours[1][2], 255);
    QCOMPARE(options.fireMacroColours[8][0], 17);
    QCOMPARE(options.yOffsets[4], -128);
    // The Y offsets are the fire page's to edit.
    QVERIFY(rig.Find<QLineEdit>(kEngineer, "edt_YOffset1")->isReadOnly());
  }

  void TheUnlockOpensTheFactoryControls() {
    PageRig rig;
    auto* tabs = rig.Find<QTabWidget>(kEngineer, "Pg_Parameter");
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(!tabs->isTabVisible(1));
    QVERIFY(!rig.Find<QWidget>(kEngineer, "gbLEDType")->isEnabled());
    QVERIFY(!rig.Find<QWidget>(kEngineer, "cb_SensorOri")->isEnabled());
    for (const char* hidden : {"Btn_Default", "Btn_ImportBaseMacro", "Btn_ImportGunMacro",
                               "btn_TestKeys", "Btn_Engineer_6"}) {
      QVERIFY2(rig.Find<QWidget>(kEngineer, hidden)->isHidden(), hidden);
    }
    QVERIFY(rig.Find<QWidget>(kEngineer, "gbKeys")->isHidden());

    QTest::mouseDClick(rig.Find<QWidget>(kEngineer, "Img_Logo4"), Qt::LeftButton);
    QVERIFY(tabs->isTabVisible(1));
    QVERIFY(rig.Find<QWidget>(kEngineer, "gbLEDType")->isEnabled());
    QVERIFY(rig.Find<QRadioButton>(kEngineer, "rb_SyncLED")->isEnabled());
    QVERIFY(rig.Find<QWidget>(kEngineer, "cb_SensorOri")->isEnabled());
    for (const char* shown : {"Btn_Default", "Btn_ImportBaseMacro", "Btn_ImportGunMacro"}) {
      QVERIFY2(!rig.Find<QWidget>(kEngineer, shown)->isHidden(), shown);
    }
    // The button test is offered once the page is unlocked.
    QVERIFY(!rig.Find<QWidget>(kEngineer, "btn_TestKeys")->isHidden());
    QVERIFY(rig.Find<QWidget>(kEngineer, "btn_TestKeys")->isEnabled());

    // An LED type radio goes through the lighting model, which shows its groups.
    QTest::mouseClick(rig.Find<QRadioButton>(kEngineer, "rb_RBLED"), Qt::LeftButton);
    QCOMPARE(rig.Session().Settings().lighting.Controls().ledTypeRadio, perf::LedType::kRb);
    QVERIFY(!rig.Find<QWidget>(kEngineer, "gbRBLEDMode")->isHidden());
    QVERIFY(rig.Find<QWidget>(kEngineer, "gbMCULEDCurrent")->isHidden());
  }

  // The button test on the page: the caption counts down, a pressed button
  // blinks, no other device operation starts meanwhile, and it all ends by
  // itself with the mouse's exchange closed.
  void TheButtonTestCountsDownAndBlinksThePressedButton() {
    PageRig rig;
    QTest::mouseDClick(rig.Find<QWidget>(kEngineer, "Img_Logo4"), Qt::LeftButton);
    auto* start = rig.Find<QPushButton>(kEngineer, "btn_TestKeys");
    auto* left = rig.Find<QWidget>(kEngineer, "btn_Key101");
    QVERIFY(start != nullptr && left != nullptr);
    const QString idle = start->text();
    QCOMPARE(idle, QString("Test Keys Position"));
    orbic::test::SteppedWorker worker;
    ButtonTestView& view = rig.views->ButtonTest();
    view.SetWorkerThread(worker);
    const std::uint64_t clicked = rig.clock.NowMs();
    rig.mouse->presses = {{clicked + 1500, clicked + 1600, 0x0001}};
    rig.mouse->ClearTranscript();

    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY(!start->isEnabled());
    QVERIFY(view.TestTimer().isActive());
    QVERIFY(rig.Session().Operation().Running());
    // Apply is refused while the test holds the mouse.
    QTest::mouseClick(rig.Find<QPushButton>(kEngineer, "btn_Write"), Qt::LeftButton);
    QCOMPARE(rig.mouse->SentCommands(), (std::vector<std::uint8_t>{0x01}));

    QStringList captions;
    bool leftHidden = false;
    std::uint64_t nextTick = clicked + engineer::kTestTimerMs;
    while (worker.Running() && rig.clock.NowMs() - clicked < 30'000) {
      worker.StepOnce();
      QCoreApplication::processEvents();  // the worker's hide and show
      leftHidden = leftHidden || left->isHidden();
      while (view.TestTimer().isActive() && rig.clock.NowMs() >= nextTick) {
        view.Test().TestTimerTimer();  // what the timer's tick runs
        nextTick += engineer::kTestTimerMs;
        captions << start->text();
      }
    }
    QCoreApplication::processEvents();
    QVERIFY(leftHidden);
    QVERIFY(!left->isHidden());
    QVERIFY(captions.contains("5..."));
    QCOMPARE(captions.last(), idle);
    QVERIFY(start->isEnabled());
    QVERIFY(!view.TestTimer().isActive());
    QVERIFY(!rig.Session().Operation().Running());
    const std::vector<std::uint8_t> commands = rig.mouse->SentCommands();
    QCOMPARE(std::vector<std::uint8_t>(commands.end() - 2, commands.end()),
             (std::vector<std::uint8_t>{0x08, 0x02}));
    QVERIFY(rig.messages.empty());
  }

  void PageButtonsTakeTheHeaderPaths() {
    PageRig rig;
    rig.Session().Pages().visibleGroup = kEngineer;
    rig.window->ModelsChanged();
    QTest::mouseClick(rig.Find<QPushButton>(kEngineer, "Btn_Adv_6"), Qt::LeftButton);
    QVERIFY(!rig.window->PageGroup(2)->isHidden());
    QVERIFY(rig.window->PageGroup(kEngineer)->isHidden());

    // "Save" opens the profile dialog the header's button opens.
    int chosen = 0;
    rig.window->SetFileChooser([&chosen](bool save) {
      chosen += save ? 1 : 100;
      return QString();
    });
    QTest::mouseClick(rig.Find<QPushButton>(kEngineer, "Btn_Save_6"), Qt::LeftButton);
    QTest::mouseClick(rig.Find<QPushButton>(kEngineer, "Btn_Load_6"), Qt::LeftButton);
    QCOMPARE(chosen, 101);
  }

  void BurstFireFieldsKeepTheAdvancedPageInStep() {
    PageRig rig;
    auto* time = rig.Find<QLineEdit>(kEngineer, "edt_FireTime");
    time->setText("300");
    QCOMPARE(time->text(), QString("255"));
    QCOMPARE(rig.Find<QLineEdit>(2, "Edt_DelayTime1")->text(), QString("255"));
    time->setText("");
    QCOMPARE(time->text(), QString("100"));
    QCOMPARE(rig.Find<QLineEdit>(2, "Edt_DelayTime1")->text(), QString("100"));

    auto* count = rig.Find<QComboBox>(kEngineer, "cb_FireCount");
    // "1".."255": no item stands for a count the mouse would read as continuous.
    QCOMPARE(count->count(), 255);
    QCOMPARE(count->itemText(254), QString("255"));
    count->setCurrentIndex(9);
    emit count->activated(9);
    QCOMPARE(rig.Find<QLineEdit>(2, "Edt_Repeat1")->text(), QString("10"));
    QVERIFY(!rig.Session().Settings().options.continuousFire);

    // The Advanced page's fields edit the same settings.
    auto* repeat = rig.Find<QLineEdit>(2, "Edt_Repeat1");
    auto* delay = rig.Find<QLineEdit>(2, "Edt_DelayTime1");
    QVERIFY(!repeat->isReadOnly() && !delay->isReadOnly());
    QTest::keyClicks(delay, "7");  // "100" + "7" is clamped
    QCOMPARE(delay->text(), QString("255"));
    QCOMPARE(time->text(), QString("255"));
    repeat->selectAll();
    QTest::keyClicks(repeat, "42");
    QCOMPARE(count->currentIndex(), 41);
    QCOMPARE(rig.Session().Settings().options.fireCountIndex, 41);

    // "Continusely" switches continuous fire on and off.
    QTest::mouseClick(rig.Find<ClickLabel>(2, "lbl_FireContinue"), Qt::LeftButton);
    QVERIFY(rig.Session().Settings().options.continuousFire);
    QCOMPARE(rig.Find<PictureLabel>(2, "Img_FireContinue")->Picture(), QString("CbS_E"));
    QVERIFY(!repeat->isEnabled());
    QCOMPARE(repeat->text(), QString("3"));
    QCOMPARE(count->currentIndex(), -1);
    params::DataBuf data;
    rig.Session().Settings().options.WriteFireKeyToImage(data);
    QCOMPARE(int{data.fireKey[params::fire_key::kRepeatOperand]}, 0xFF);
    QTest::mouseClick(rig.Find<ClickLabel>(2, "Img_FireContinue"), Qt::LeftButton);
    QVERIFY(!rig.Session().Settings().options.continuousFire);
    // Off again: the count is the one the re-enabled edit shows.
    QVERIFY(repeat->isEnabled());
    QCOMPARE(repeat->text(), QString("3"));
    QCOMPARE(count->currentIndex(), 2);
  }

  void TheNotesLineExplainsTheControlUnderThePointer() {
    PageRig rig;
    auto* content = rig.Find<QLabel>(kEngineer, "lbl_Content");
    QVERIFY(content->wordWrap());
    struct Case {
      const char* control;
      const char* group;
    };
    for (const Case& c : std::vector<Case>{{"edt_FireMacroColor1R", "gbFireMacroColor"},
                                           {"btn_Key105", "gbKeyMode1"},
                                           {"cb_SensorOri", ""},
                                           {"rb_LEDOn", "gbLEDStatus"},
                                           {"btn_Write", ""}}) {
      QWidget* control = rig.Find<QWidget>(kEngineer, c.control);
      QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
      QCoreApplication::sendEvent(control, &enter);
      QCOMPARE(content->text(), Utf8(engineer::EngineerHint(c.control, c.group)));
      QVERIFY(!content->text().isEmpty());
      QEvent leave(QEvent::Leave);
      QCoreApplication::sendEvent(control, &leave);
      QCOMPARE(content->text(), QString());
    }
  }

  void AGunKeyFromTheMenuListGoesToTheButton() {
    PageRig rig;
    rig.Find<QComboBox>(kEngineer, "cb_SOSStartIndex")->setCurrentIndex(1);
    rig.Find<QComboBox>(kEngineer, "cb_SOSNumber")->setCurrentIndex(3);
    QTest::mouseClick(rig.Find<QPushButton>(kEngineer, "btn_AddScript"), Qt::LeftButton);
    auto* names = rig.Find<QListWidget>(kEngineer, "LB_ScriptName");
    QCOMPARE(names->count(), 1);
    QCOMPARE(names->item(0)->text(), QString("Fire Macro1"));
    QVERIFY(rig.messages.empty());

    QTest::mouseClick(rig.Find<QPushButton>(kEngineer, "btn_Key203"), Qt::LeftButton);
    QTest::mouseClick(rig.Find<ClickLabel>(kEngineer, "Key_TLFireMacro"), Qt::LeftButton);
    auto* menu = rig.Find<QListWidget>(kEngineer, "LB_Script");
    QVERIFY(!menu->isHidden());
    QCOMPARE(menu->count(), 1);
    QTest::mouseClick(menu->viewport(), Qt::LeftButton, {},
                      menu->visualItemRect(menu->item(0)).center());
    QVERIFY(menu->isHidden());
    QVERIFY(rig.Find<QWidget>(kEngineer, "Pnl_Main")->isHidden());
    QCOMPARE(rig.Find<QPushButton>(kEngineer, "btn_Key203")->text(), QString("Fire Macro1"));
    const params::DataBuf& data = rig.Session().Image().data;
    QCOMPARE(int(data.profile[33]), 0x0C);
    QCOMPARE(int(data.profile[34]), 2);
    QCOMPARE(int(data.profile[35]), 4);
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::EngineerPageViewTest)
#include "EngineerPageViewTest.moc"
