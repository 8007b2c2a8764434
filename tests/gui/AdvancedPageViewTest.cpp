// The Advanced page: the DPI controls show the read image and change the DPI
// model; the pointer settings follow the page they are given.
#include <QComboBox>
#include <QtTest>

#include "PageRig.h"
#include "WindowRig.h"
#include "gui/pages/ClickLabel.h"
#include "gui/pages/PictureLabel.h"
#include "gui/pages/RulerSlider.h"
#include "perf/PointerSettingsPage.h"

namespace orbic::gui::test {

namespace {

// Pointer values kept in memory.
class MemoryPointerSystem : public perf::PointerSystem {
 public:
  bool KeyExists(std::string_view) override { return true; }
  std::optional<std::string> ReadValue(std::string_view, std::string_view name) override {
    const auto found = values.find(std::string(name));
    return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
  }
  bool WriteValue(std::string_view, std::string_view name, std::string_view value) override {
    values[std::string(name)] = std::string(value);
    return true;
  }
  void SetMouseSpeed(int) override {}
  void SetMouseAcceleration(int, int, int) override {}
  void SetDoubleClickTime(int) override {}
  void SetWheelScrollLines(int) override {}
  std::string_view ScopeNotice() const override { return notice; }
  std::map<std::string, std::string> values;
  std::string notice;
};

}  // namespace

class AdvancedPageViewTest : public QObject {
  Q_OBJECT

 private slots:
  void CountControlShowsTheImageAndChangesTheModel() {
    PageRig rig([](params::Image& image) { image[2] = 6; });
    auto* count = rig.Find<QComboBox>(2, "cbb_DPICount");
    QVERIFY(count != nullptr);
    QCOMPARE(count->currentText(), QString("6"));
    QVERIFY(rig.Find<RulerSlider>(2, "slider_DPI6")->isEnabled());
    QVERIFY(!rig.Find<RulerSlider>(2, "slider_DPI7")->isEnabled());

    count->setCurrentIndex(3);
    emit count->activated(3);
    const perf::DpiControls& dpi = rig.Session().Settings().dpi.Controls();
    QCOMPARE(dpi.levelCount, 5);
    QVERIFY(!rig.Find<RulerSlider>(2, "slider_DPI6")->isEnabled());
    // Changing the count makes the highest level current.
    QCOMPARE(rig.Find<PictureLabel>(2, "Img_DPI5")->Picture(), QString("CbS_E"));
    QCOMPARE(rig.Find<PictureLabel>(2, "Img_DPI1")->Picture(), QString("CbS_D"));
  }

  void MarkersLabelsAndSlidersGoThroughTheDpiModel() {
    PageRig rig([](params::Image& image) { image[2] = 4; });
    QTest::mouseClick(rig.Find<ClickLabel>(2, "Img_DPI2"), Qt::LeftButton);
    QCOMPARE(rig.Session().Settings().dpi.Controls().cb_CurrentCPI, 1);
    QCOMPARE(rig.Find<PictureLabel>(2, "Img_DPI2")->Picture(), QString("CbS_E"));
    // A disabled level's marker does nothing.
    QTest::mouseClick(rig.Find<ClickLabel>(2, "Img_DPI6"), Qt::LeftButton);
    QCOMPARE(rig.Session().Settings().dpi.Controls().cb_CurrentCPI, 1);

    // Clicking the first disabled level's label adds it.
    QTest::mouseClick(rig.Find<ClickLabel>(2, "lbl_DPI5"), Qt::LeftButton);
    QCOMPARE(rig.Find<QComboBox>(2, "cbb_DPICount")->currentText(), QString("5"));

    // A release at x = 16 snaps level 1 to step 1.
    auto* slider = rig.Find<RulerSlider>(2, "slider_DPI1");
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(16, 5));
    QCOMPARE(slider->value(), 100);
    QCOMPARE(rig.Find<QLabel>(2, "lbl_DPI1Value")->text(), QString("800"));
    QCOMPARE(rig.Session().Settings().dpi.Controls().levels[0].cb_CPI, std::optional<int>(1));
  }

  // The level labels take the skin layout's selected and not-selected
  // colours (skin 1: 64,196,255 and 96,100,108), and a value label follows
  // its slider while the thumb is dragged.
  void LevelLabelsAndValuesFollowTheSkinAndTheThumb() {
    WindowRig rig(true);
    rig.mouse->firmware.memory[2] = 4;
    rig.TickUntilRead();
    const QColor selected(64, 196, 255);
    const QColor notSelected(96, 100, 108);
    for (int n = 1; n <= 7; ++n) {
      const QLabel* label = rig.Find(QString("lbl_DPI%1").arg(n));
      QVERIFY(label != nullptr);
      const QString wanted = (n <= 4 ? selected : notSelected).name();
      QVERIFY2(label->styleSheet().contains(wanted), qPrintable(label->styleSheet()));
    }
    auto* slider = rig.Find<RulerSlider>("slider_DPI2");
    const QString before = rig.Find("lbl_DPI2Value")->text();
    slider->setSliderDown(true);
    slider->setSliderPosition(500);  // dragged to step 5, not yet released
    QCOMPARE(rig.Find("lbl_DPI2Value")->text(), QString("2000"));
    QVERIFY(before != "2000");
    auto* aim = rig.Find<RulerSlider>("slider_DPI8");
    aim->setSliderDown(true);
    aim->setSliderPosition(300);
    QCOMPARE(rig.Find("lbl_AIMKeyValue")->text(), QString("1200"));
  }

  void PointerControlsWaitForTheirPageAndThenApplyIt() {
    PageRig rig;
    auto* speed = rig.Find<RulerSlider>(2, "slider_Spd");
    QVERIFY(!speed->isEnabled());
    MemoryPointerSystem system;
    system.values = {{"MouseSensitivity", "10"},  {"MouseSpeed", "0"},
                     {"MouseThreshold1", "0"},    {"MouseThreshold2", "0"},
                     {"DoubleClickSpeed", "500"}, {"WheelScrollLines", "3"}};
    perf::PointerSettingsPage page(system);
    page.RefreshMouseSystemParameterA();
    page.RefreshMouseSystemParameterB();
    rig.views->SetPointerSettings(&page);
    QVERIFY(speed->isEnabled());
    QCOMPARE(speed->value(), 500);
    QCOMPARE(rig.Find<PictureLabel>(2, "Img_IsControl")->Picture(), QString("CbS_D"));

    // Step 1 is written as "1"; the precision check writes its triple.
    QTest::mouseRelease(speed, Qt::LeftButton, {}, QPoint(0, 5));
    QCOMPARE(speed->value(), 0);
    QCOMPARE(system.values["MouseSensitivity"], std::string("1"));
    QTest::mouseClick(rig.Find<ClickLabel>(2, "lbl_IsControl"), Qt::LeftButton);
    QCOMPARE(rig.Find<PictureLabel>(2, "Img_IsControl")->Picture(), QString("CbS_E"));
    QCOMPARE(system.values["MouseThreshold2"], std::string("10"));
    rig.views->SetPointerSettings(nullptr);
    QVERIFY(!speed->isEnabled());
  }

  void PageSaysWhereTheValuesAreKeptWhenNotTheDesktop() {
    PageRig rig;
    auto* notice = rig.Find<QLabel>(2, "lbl_PointerScope");
    QVERIFY(notice != nullptr);
    MemoryPointerSystem desktop;
    perf::PointerSettingsPage onDesktop(desktop);
    rig.views->SetPointerSettings(&onDesktop);
    QVERIFY(notice->isHidden());
    MemoryPointerSystem programOnly;
    programOnly.notice = "kept for this program only";
    perf::PointerSettingsPage own(programOnly);
    rig.views->SetPointerSettings(&own);
    QVERIFY(!notice->isHidden());
    QCOMPARE(notice->text(), QString("kept for this program only"));
    rig.views->SetPointerSettings(nullptr);
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::AdvancedPageViewTest)
#include "AdvancedPageViewTest.moc"
