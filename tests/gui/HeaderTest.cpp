// The window's skin and header: the layout of skin 1 on the named controls,
// the header buttons and what they do, the overlay, hover looks, the rolling
// caption, the language buttons, the web button and the unlock gestures.
#include <QApplication>
#include <QListWidget>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "WindowRig.h"
#include "app/Backups.h"
#include "gui/MessageDialog.h"
#include "gui/SkinResources.h"
#include "params/DefaultImages.h"

namespace orbic::gui::test {

namespace {

QPoint CentreIn(const QWidget* widget, const QWidget* ancestor) {
  return widget->mapTo(ancestor, widget->rect().center());
}

std::vector<std::uint8_t> ReadBytes(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

class HeaderTest : public QObject {
  Q_OBJECT

 private slots:
  void SkinOneLaysOutTheHeaderByControlName() {
    WindowRig rig(false);
    struct Expected {
      const char* name;
      QRect geometry;
    };
    // Family A labels cover their pictures; family B labels are inset by 8 on both sides.
    for (const Expected& row : std::vector<Expected>{
             {"Img_Apply_1", {820, 600, 110, 32}},
             {"Btn_Apply_1", {820, 600, 110, 32}},
             {"Img_Confirm1_2", {310, 600, 110, 32}},
             {"Img_Main_3", {106, 65, 124, 34}},
             {"Btn_Main_3", {114, 65, 108, 34}},
             {"Btn_Macro_4", {634, 65, 108, 34}},
             {"Btn_Save_1", {58, 600, 94, 32}},
             {"Img_Mini_1", {950, 10, 24, 24}},
             {"Btn_Exit_2", {980, 10, 24, 24}},
             {"Img_Web_1", {420, 5, 150, 26}},
             {"Btn_Web_1", {420, 5, 150, 26}},
         }) {
      const QLabel* label = rig.Find(row.name);
      QVERIFY2(label != nullptr, row.name);
      QCOMPARE(label->geometry(), row.geometry);
      QVERIFY2(!label->isHidden(), row.name);
    }
    for (const char* hidden : {"Btn_Confirm_1", "Img_Confirm_1", "Btn_Read_2", "Btn_Confirm2_1",
                               "Btn_Lang1_1", "Img_Lang3_4", "Btn_Engineer_1"}) {
      QVERIFY2(rig.Find(hidden)->isHidden(), hidden);
    }

    const QLabel* apply = rig.Find("Btn_Apply_1");
    QCOMPARE(apply->text(), QString("Apply"));
    QCOMPARE(apply->font().family(), QString("Arial"));
    QCOMPARE(apply->font().pixelSize(), 15);  // Size_A = 11 points
    QCOMPARE(rig.Find("Btn_Main_1")->font().pixelSize(), 16);
    QCOMPARE(apply->palette().color(QPalette::WindowText), QColor(235, 238, 242));
    QCOMPARE(rig.Find("Btn_Main_2")->text(), QString("Office Mode"));
    QCOMPARE(rig.Find("Btn_Confirm1_1")->text(), QString("Restore"));
    QCOMPARE(rig.window->ApplicationTitle(), QString("Quorvex"));

    // Start-up pictures: the Main page and language 1 selected, the rest idle.
    QCOMPARE(rig.PictureOf("Img_Base_1"), QString("L1_BackGround"));
    QCOMPARE(rig.PictureOf("Img_P2"), QString("L1_Back2"));
    QCOMPARE(rig.PictureOf("Img_Main_4"), QString("SetS_03"));
    QCOMPARE(rig.PictureOf("Img_Adv_1"), QString("SetS_01"));
    QCOMPARE(rig.PictureOf("Img_Lang1_1"), QString("SetS_03"));
    QCOMPARE(rig.PictureOf("Img_Apply_3"), QString("BtnS_01"));
    QCOMPARE(rig.PictureOf("Img_Web_2"), QString("WebS_01"));
  }

  // A layout key whose control name matches no widget moves nothing, so a
  // misspelt or renamed control would silently keep its default place.
  void EveryLaidOutControlOfTheWindowExists() {
    WindowRig rig(false);
    QStringList missing;
    for (const auto& [name, control] : rig.window->Skin().Layout().Controls()) {
      const QString objectName = QString::fromStdString(name);
      if (rig.window->findChild<QWidget*>(objectName) == nullptr) {
        missing << objectName;
      }
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(' ')));
  }

  void ListBoxesTakeTheLayoutItemHeight() {
    WindowRig rig(false);
    auto* list = new QListWidget(rig.window->PageGroup(4));
    list->setObjectName("LB_macro");
    rig.window->LanguageButton(1);
    QCOMPARE(list->property("itemHeight").toInt(), 20);
  }

  void MissingPicturesAndLayoutProblemsAreReportedOnceAndNeverCrash() {
    std::ostringstream problems;
    SkinEngine skin([](const QString&) { return QImage(); }, &problems);
    QWidget root;
    auto* picture = new QLabel(&root);
    picture->setObjectName("Img_Apply_1");
    auto* label = new QLabel(&root);
    label->setObjectName("Btn_Apply_1");
    skin.SetPicture(picture, "BtnS_01");
    QVERIFY(picture->pixmap().isNull());
    skin.ApplyLayout(root, 1, "Arial");
    const std::string first = problems.str();
    QVERIFY(first.find("BtnS_01") != std::string::npos);
    skin.ApplyLayout(root, 1, "Arial");
    QCOMPARE(problems.str(), first);
    skin.ApplyLayout(root, 2, "Arial");  // another skin's own lines are new
    const std::string after = problems.str().substr(first.size());
    QVERIFY2(after.find("[org1]") == std::string::npos, after.c_str());
    QVERIFY(after.find("[org2]") != std::string::npos);
    // Placed all the same, without picture sizes.
    QCOMPARE(picture->pos(), QPoint(820, 600));
    QVERIFY(!picture->isHidden());
  }

  // Pages nobody has opened keep their large pictures undecoded; opening the
  // page brings its picture.
  void PagePicturesArriveWithTheirPage() {
    WindowRig rig(true);
    rig.window->show();
    QVERIFY(!rig.Find("Img_P1")->pixmap().isNull());
    QLabel* advanced = rig.Find("Img_P2");
    QCOMPARE(rig.PictureOf("Img_P2"), QString("L1_Back2"));
    QVERIFY(advanced->pixmap().isNull());
    rig.TickUntilRead();
    QTest::mouseClick(rig.Find("Btn_Adv_1"), Qt::LeftButton);
    QVERIFY(advanced->isVisible());
    QCOMPARE(advanced->pixmap().size(), QSize(970, 480));
    QCOMPARE(advanced->size(), QSize(970, 480));
  }

  void TheOverlayTakesTheClicksUntilTheMouseIsRead() {
    WindowRig rig(true);
    QWidget* group = rig.window->PageGroup(1);
    const QPoint advanced = CentreIn(rig.Find("Btn_Adv_1"), group);
    const QPoint exit = CentreIn(rig.Find("Btn_Exit_1"), group);
    const QPoint minimise = CentreIn(rig.Find("Btn_Mini_1"), group);
    QCOMPARE(group->childAt(advanced)->objectName(), QString("Disable_All_1"));
    QCOMPARE(group->childAt(exit)->objectName(), QString("Btn_Exit_1"));
    QCOMPARE(group->childAt(minimise)->objectName(), QString("Btn_Mini_1"));

    rig.TickUntilRead();
    QCOMPARE(group->childAt(advanced)->objectName(), QString("Btn_Adv_1"));
    rig.window->DisablePages();
    QCOMPARE(group->childAt(advanced)->objectName(), QString("Disable_All_1"));
    QCOMPARE(group->childAt(exit)->objectName(), QString("Btn_Exit_1"));
  }

  void PageButtonsSwitchPagesAndMarkTheCurrentOne() {
    WindowRig rig(true);
    rig.TickUntilRead();
    MainWindow& window = *rig.window;
    QTest::mouseClick(rig.Find("Btn_Adv_1"), Qt::LeftButton);
    QVERIFY(!window.PageGroup(2)->isHidden());
    QVERIFY(window.PageGroup(1)->isHidden());
    QCOMPARE(window.Navigation().State().checkedRadio, std::string("rb_4"));
    for (int copy = 1; copy <= 4; ++copy) {
      QCOMPARE(rig.PictureOf(QString("Img_Adv_%1").arg(copy)), QString("SetS_03"));
      QCOMPARE(rig.PictureOf(QString("Img_Main_%1").arg(copy)), QString("SetS_01"));
    }
    QCOMPARE(rig.PictureOf("Img_P2"), QString("L1_Back2"));

    QTest::mouseClick(rig.Find("Btn_Second_2"), Qt::LeftButton);
    QVERIFY(!window.PageGroup(1)->isHidden());
    QCOMPARE(rig.PictureOf("Img_Second_4"), QString("SetS_03"));

    // Pressing and sliding off before the release is no click.
    QLabel* macro = rig.Find("Btn_Macro_1");
    QTest::mousePress(macro, Qt::LeftButton);
    QTest::mouseRelease(macro, Qt::LeftButton, {}, QPoint(-20, -20));
    QVERIFY(window.PageGroup(4)->isHidden());
    QVERIFY(rig.messages.empty());
  }

  void PageButtonsWithoutAMouseOnlySayItIsBeingLookedFor() {
    WindowRig rig(false);
    QTest::mouseClick(rig.Find("Btn_Macro_1"), Qt::LeftButton);
    QTest::mouseClick(rig.Find("Btn_Apply_1"), Qt::LeftButton);
    QCOMPARE(rig.messages, (std::vector<std::string>{"Finding the specified device",
                                                     "Finding the specified device"}));
    QVERIFY(rig.window->PageGroup(4)->isHidden());
    QCOMPARE(rig.PictureOf("Img_Apply_1"), QString("BtnS_01"));
  }

  // While Apply writes the mouse, the pages are covered (the pointer leaves
  // the button) and the loading window is shown again before every chunk.
  void ApplyKeepsItsPressedLookAndTheAnimationMovesOn() {
    WindowRig rig(true);
    rig.TickUntilRead();
    MainWindow& window = *rig.window;
    QStringList pictures;
    QSet<int> frames;
    QTimer during;
    during.setInterval(0);
    QObject::connect(&during, &QTimer::timeout, [&] {
      if (!window.PagesCovered() || !window.Loading().isVisible()) {
        return;
      }
      SendHover(rig.Find("Btn_Apply_1"), QEvent::Enter);
      SendHover(rig.Find("Btn_Apply_1"), QEvent::Leave);
      pictures << rig.PictureOf("Img_Apply_1") << rig.PictureOf("Img_Apply_3");
      frames << window.Loading().CurrentFrame();
    });
    during.start();
    window.HeaderClicked("Apply");
    during.stop();
    QVERIFY(!pictures.isEmpty());
    QCOMPARE(pictures.count(QString("BtnS_03")), pictures.size());
    QVERIFY2(frames.size() > 1, qPrintable(QString::number(frames.size())));
    QCOMPARE(rig.PictureOf("Img_Apply_1"), QString("BtnS_01"));
    QVERIFY(window.RunningAction().isEmpty());
  }

  void HoverFamiliesShowTheirPictures() {
    WindowRig rig(true);
    rig.TickUntilRead();
    // A: every copy of the hovered action button.
    SendHover(rig.Find("Btn_Apply_2"), QEvent::Enter);
    for (int copy = 1; copy <= 4; ++copy) {
      QCOMPARE(rig.PictureOf(QString("Img_Apply_%1").arg(copy)), QString("BtnS_02"));
    }
    SendHover(rig.Find("Btn_Apply_2"), QEvent::Leave);
    QCOMPARE(rig.PictureOf("Img_Apply_4"), QString("BtnS_01"));

    // B: only the hovered copy; leaving marks the current page again.
    SendHover(rig.Find("Btn_Main_1"), QEvent::Enter);
    QCOMPARE(rig.PictureOf("Img_Main_1"), QString("SetS_02"));
    QCOMPARE(rig.PictureOf("Img_Main_2"), QString("SetS_03"));
    SendHover(rig.Find("Btn_Main_1"), QEvent::Leave);
    QCOMPARE(rig.PictureOf("Img_Main_1"), QString("SetS_03"));
    SendHover(rig.Find("Btn_Breath_1"), QEvent::Enter);
    SendHover(rig.Find("Btn_Breath_1"), QEvent::Leave);
    QCOMPARE(rig.PictureOf("Img_Breath_1"), QString("SetS_01"));

    // D: the current language stays marked.
    SendHover(rig.Find("Btn_Lang1_1"), QEvent::Enter);
    QCOMPARE(rig.PictureOf("Img_Lang1_1"), QString("SetS_02"));
    SendHover(rig.Find("Btn_Lang1_1"), QEvent::Leave);
    QCOMPARE(rig.PictureOf("Img_Lang1_1"), QString("SetS_03"));

    // I, J and web: all four copies.
    struct Row {
      const char* label;
      const char* picture;
      const char* hovered;
      const char* idle;
    };
    for (const Row& row : std::vector<Row>{{"Btn_Exit_3", "Img_Exit_", "ExitS_02", "ExitS_01"},
                                           {"Btn_Mini_1", "Img_Mini_", "MiniS_02", "MiniS_01"},
                                           {"Btn_Web_4", "Img_Web_", "WebS_03", "WebS_01"}}) {
      SendHover(rig.Find(row.label), QEvent::Enter);
      for (int copy = 1; copy <= 4; ++copy) {
        QCOMPARE(rig.PictureOf(row.picture + QString::number(copy)), QString(row.hovered));
      }
      SendHover(rig.Find(row.label), QEvent::Leave);
      QCOMPARE(rig.PictureOf(row.picture + QString("2")), QString(row.idle));
    }
  }

  void LeavingAPageButtonWithoutAMouseLeavesEveryPageButtonIdle() {
    WindowRig rig(false);
    SendHover(rig.Find("Btn_Adv_1"), QEvent::Enter);
    SendHover(rig.Find("Btn_Adv_1"), QEvent::Leave);
    QCOMPARE(rig.PictureOf("Img_Adv_1"), QString("SetS_01"));
    QCOMPARE(rig.PictureOf("Img_Main_1"), QString("SetS_03"));  // as the no-device page left it
    SendHover(rig.Find("Btn_Main_1"), QEvent::Enter);
    SendHover(rig.Find("Btn_Main_1"), QEvent::Leave);
    QCOMPARE(rig.PictureOf("Img_Main_1"), QString("SetS_01"));
  }

  void HoveredCaptionsRollEveryTick() {
    ui::BehaviourConfig rolling;
    rolling.trEnable = true;
    WindowRig rig(true, rolling);
    rig.TickUntilRead();
    HoverPictures& hover = rig.window->Hover();
    QLabel* macro = rig.Find("Btn_Macro_1");
    SendHover(macro, QEvent::Enter);
    QVERIFY(hover.RollingTimer().isActive());
    QCOMPARE(hover.RollingTimer().interval(), 200);
    hover.LabelRunTimer();
    QCOMPARE(macro->text(), QString("acro    M"));
    hover.LabelRunTimer();
    QCOMPARE(macro->text(), QString("cro    Ma"));
    SendHover(macro, QEvent::Leave);
    QCOMPARE(macro->text(), QString("Macro"));
    QVERIFY(!hover.RollingTimer().isActive());

    // A disabled label changes its picture but does not roll.
    QLabel* advanced = rig.Find("Btn_Adv_1");
    advanced->setEnabled(false);
    SendHover(advanced, QEvent::Enter);
    QCOMPARE(rig.PictureOf("Img_Adv_1"), QString("SetS_02"));
    QVERIFY(!hover.RollingTimer().isActive());
    SendHover(advanced, QEvent::Leave);
  }

  void WithRollingSwitchedOffTheTimerRunsButTheCaptionStays() {
    WindowRig rig(true);
    rig.TickUntilRead();
    QLabel* macro = rig.Find("Btn_Macro_1");
    SendHover(macro, QEvent::Enter);
    QVERIFY(rig.window->Hover().RollingTimer().isActive());
    rig.window->Hover().LabelRunTimer();
    QCOMPARE(macro->text(), QString("Macro"));
    SendHover(macro, QEvent::Leave);
  }

  void LanguageButtonsChangeCaptionsTitleMessagesAndSkin() {
    WindowRig rig(false);
    MainWindow& window = *rig.window;
    // The button page's own marker of button 1, a left click in the default image.
    auto* leftMarker = window.PageGroup(1)->findChild<QLabel*>("Key1");
    QVERIFY(leftMarker != nullptr);
    QCOMPARE(leftMarker->text(), QString("Left Click"));

    window.LanguageButton(2);
    QCOMPARE(window.SkinNumber(), 2);
    QCOMPARE(window.CurrentLanguage(), 2);
    QCOMPARE(rig.Find("Btn_Confirm1_3")->text(), QString("RESET"));
    QCOMPARE(rig.Find("Btn_Main_1")->text(), QString("Profile1"));
    QCOMPARE(window.ApplicationTitle(), QString("K510 USB Gaming Mouse"));
    QCOMPARE(rig.PictureOf("Img_Lang2_1"), QString("SetS_03"));
    QCOMPARE(rig.PictureOf("Img_Lang1_1"), QString("SetS_01"));
    QCOMPARE(rig.PictureOf("Img_Base_3"), QString("L2_BackGround"));

    window.LanguageButton(3);
    QCOMPARE(window.Session().Messages().str100, std::string("No Device Found"));
    QCOMPARE(rig.Find("Btn_Apply_1")->font().family(), QString("Arial Narrow"));
    QCOMPARE(leftMarker->text(), QString("Left Key"));
    QCOMPARE(rig.Find("Img_Apply_1")->pos(), QPoint(820, 600));  // skin 3's layout

    window.LanguageButton(1);
    QCOMPARE(window.ApplicationTitle(), QString("Quorvex"));
    // The task bar shows the application title alone: the native title is
    // the display name itself, so Qt adds nothing; the caption stays.
    window.show();
    QVERIFY(window.windowHandle() != nullptr);
    QCOMPARE(window.windowHandle()->title(), QString("Quorvex"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QString("Quorvex"));
    QCOMPARE(window.windowTitle(), QString("ORBIC40 Gaming Mouse v1.0"));
    QCOMPARE(rig.Find("Btn_Main_4")->text(), QString("Office Mode"));
    QCOMPARE(window.Session().Messages().str100, std::string("Please Connect the USB Device"));
    QVERIFY(window.Session().NoDeviceState());
    QVERIFY(!window.PageGroup(1)->isHidden());
  }

  void TheWebButtonOpensOnlyAWebAddress() {
    struct Case {
      bool enabled;
      const char* address;
      bool opened;
    };
    for (const Case& row : std::vector<Case>{{true, "https://orbic40.example.org/", true},
                                             {false, "https://orbic40.example.org/", false},
                                             {true, "file:///etc/passwd", false},
                                             {true, "calc.exe; rm -rf ~", false},
                                             {true, "", false}}) {
      ui::BehaviourConfig config;
      config.webEnable = row.enabled;
      config.web = row.address;
      WindowRig rig(false, config);
      std::vector<QUrl> opened;
      rig.window->SetUrlOpener([&opened](const QUrl& url) {
        opened.push_back(url);
        return true;
      });
      QTest::mouseClick(rig.Find("Btn_Web_1"), Qt::LeftButton);
      QCOMPARE(opened.size(), row.opened ? std::size_t{1} : std::size_t{0});
      if (row.opened) {
        QCOMPARE(opened.front(), QUrl(row.address));
      }
      QCOMPARE(rig.PictureOf("Img_Web_3"), QString("WebS_02"));
    }
  }

  void ProfilesAreSavedAndLoadedThroughTheFileDialog() {
    WindowRig rig(true);
    rig.TickUntilRead();
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QString chosen;
    int asked = 0;
    rig.window->SetFileChooser([&](bool) {
      ++asked;
      return chosen;
    });

    chosen = folder.filePath("profile");
    QTest::mouseClick(rig.Find("Btn_Save_1"), Qt::LeftButton);
    const std::vector<std::uint8_t> saved = ReadBytes(folder.filePath("profile.bin"));
    QCOMPARE(saved.size(), std::size_t{2048});
    QVERIFY(std::equal(saved.begin(), saved.end(), rig.mouse->firmware.memory.begin()));
    QVERIFY(rig.messages.empty());

    {
      std::ofstream shortFile(folder.filePath("short.bin").toStdString(), std::ios::binary);
      shortFile << "0123456789";
    }
    chosen = folder.filePath("short.bin");
    QTest::mouseClick(rig.Find("Btn_Load_2"), Qt::LeftButton);
    QCOMPARE(rig.messages, (std::vector<std::string>{"BIN file type error"}));

    rig.messages.clear();
    chosen.clear();  // cancelled
    QTest::mouseClick(rig.Find("Btn_Load_1"), Qt::LeftButton);
    chosen = folder.filePath("profile.bin");
    QTest::mouseClick(rig.Find("Btn_Load_1"), Qt::LeftButton);
    QVERIFY(rig.messages.empty());
    QCOMPARE(asked, 4);
    QVERIFY(!rig.window->PagesCovered());
    QCOMPARE(rig.PictureOf("Img_Load_1"), QString("BtnS_01"));
  }

  // Saving re-reads the mouse: edits not applied yet are not dropped unasked.
  void SaveProfileWithUnappliedEditsAsksFirst() {
    struct Case {
      MainWindow::Answer answer;
      bool saved;
      std::uint8_t fireTimeOnMouse;  // the edit is 0x33
    };
    for (const Case& row : std::vector<Case>{{MainWindow::Answer::kFirst, true, 0x33},
                                             {MainWindow::Answer::kSecond, true, 0x00},
                                             {MainWindow::Answer::kCancel, false, 0x00}}) {
      WindowRig rig(true);
      rig.TickUntilRead();
      rig.mouse->firmware.memory[0xF8] = 0x00;
      rig.window->Session().ReadDevInfo();
      QTemporaryDir folder;
      QVERIFY(folder.isValid());
      rig.window->SetFileChooser([&](bool) { return folder.filePath("profile.bin"); });
      std::vector<std::string> questions;
      rig.window->SetQuestionSink([&](const std::string& question) {
        questions.push_back(question);
        return row.answer;
      });

      QTest::mouseClick(rig.Find("Btn_Save_1"), Qt::LeftButton);
      QVERIFY(questions.empty());  // nothing to apply: no question
      QVERIFY(QFile::remove(folder.filePath("profile.bin")));

      rig.window->Session().Settings().options.fireTime = 0x33;
      QTest::mouseClick(rig.Find("Btn_Save_1"), Qt::LeftButton);
      QCOMPARE(questions.size(), std::size_t{1});
      QCOMPARE(QFile::exists(folder.filePath("profile.bin")), row.saved);
      QCOMPARE(rig.mouse->firmware.memory[0xF8], row.fireTimeOnMouse);
      if (row.saved) {
        const std::vector<std::uint8_t> saved = ReadBytes(folder.filePath("profile.bin"));
        QVERIFY(std::equal(saved.begin(), saved.end(), rig.mouse->firmware.memory.begin()));
      }
      QVERIFY(rig.messages.empty());
    }
  }

  // A right click on "Load Profile" offers "Restore backup…"; the chosen
  // backup is written back, after the mouse's own settings were backed up.
  void RestoreBackupWritesTheChosenBackupBack() {
    WindowRig rig(true);
    rig.TickUntilRead();
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::string backups = folder.filePath("backups").toStdString();
    rig.window->Session().SetBackupFolder(app::BackupFolder(backups));
    const params::Image before = rig.mouse->firmware.memory;
    const params::Image wanted = params::LoadDefaultImages()[1];
    {
      std::ofstream file(folder.filePath("old.bin").toStdString(), std::ios::binary);
      file.write(reinterpret_cast<const char*>(wanted.data()), 2048);
    }
    rig.window->SetFileChooser(
        [&](bool save) { return save ? QString() : folder.filePath("old.bin"); });
    QCOMPARE(rig.Find("Btn_Load_1")->contextMenuPolicy(), Qt::CustomContextMenu);

    rig.window->RestoreBackup();
    QVERIFY(rig.messages.empty());
    QVERIFY(rig.mouse->firmware.memory == wanted);
    const std::vector<std::string> saved = app::BackupFolder(backups).List();
    QCOMPARE(saved.size(), std::size_t{1});
    const std::vector<std::uint8_t> kept = ReadBytes(QString::fromStdString(saved.front()));
    QVERIFY(std::equal(kept.begin(), kept.end(), before.begin(), before.end()));
  }

  void ProfileButtonsWithoutAMouseOpenNoDialog() {
    WindowRig rig(false);
    int asked = 0;
    rig.window->SetFileChooser([&asked](bool) {
      ++asked;
      return QString("/tmp/never");
    });
    QTest::mouseClick(rig.Find("Btn_Save_1"), Qt::LeftButton);
    QTest::mouseClick(rig.Find("Btn_Load_1"), Qt::LeftButton);
    QCOMPARE(asked, 0);
    QCOMPARE(rig.messages.size(), std::size_t{2});
    QCOMPARE(rig.messages.front(), std::string("Finding the specified device"));
  }

  void ConfirmWritesAndClosesTheWindow() {
    WindowRig rig(true);
    rig.window->show();
    rig.window->HeaderClicked("Confirm");  // without a mouse open: only the message
    QVERIFY(rig.window->isVisible());
    QCOMPARE(rig.messages.size(), std::size_t{1});

    rig.TickUntilRead();
    rig.mouse->ClearTranscript();
    rig.window->HeaderClicked("Confirm");
    QVERIFY(!rig.window->isVisible());
    const std::vector<std::uint8_t> sent = rig.mouse->SentCommands();
    QVERIFY(std::find(sent.begin(), sent.end(), 6) != sent.end());  // the memory write
    QCOMPARE(rig.messages.size(), std::size_t{1});
  }

  void EngineerKeysAndUnlockGestures() {
    WindowRig rig(true);
    rig.TickUntilRead();
    MainWindow& window = *rig.window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(rig.Find("Btn_Engineer_1")->isHidden());
    QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
    QVERIFY(window.EngineerButtonsShown());
    const QLabel* engineer = rig.Find("Btn_Engineer_1");
    QVERIFY(!engineer->isHidden());
    QCOMPARE(engineer->pos(), rig.Find("Btn_Macro_1")->pos() + QPoint(130, 0));
    const std::string_view term = *ui::LookupTerm(5, window.FixedLanguage());  // "Engineer Mode"
    QCOMPARE(engineer->text(), QString::fromUtf8(term.data(), qsizetype(term.size())));

    window.LanguageButton(1);  // a new layout keeps them out
    QVERIFY(!rig.Find("Btn_Engineer_3")->isHidden());
    QTest::mouseClick(rig.Find("Btn_Engineer_1"), Qt::LeftButton);
    QVERIFY(!window.PageGroup(6)->isHidden());
    QCOMPARE(window.size(), QSize(1000, 600));

    QTest::mouseDClick(window.findChild<QLabel*>("Img_Base_5"), Qt::LeftButton);
    QVERIFY(window.Navigation().State().fireRecordingShown);
  }

  void TheMessageDialogIsSkinnedWithOneOkButton() {
    MessageDialog dialog("Please Connect the USB Device\r\rPlease check your device",
                         "Arial Narrow", QPixmap::fromImage(LoadSkinPicture("Msg")));
    QCOMPARE(dialog.Text().text(),
             QString("Please Connect the USB Device\n\nPlease check your device"));
    QCOMPARE(dialog.font().family(), QString("Arial Narrow"));
    QCOMPARE(dialog.findChildren<QPushButton*>().size(), 1);
    QCOMPARE(dialog.size(), QSize(320, 180));
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.OkButton().click(); });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));

    MessageDialog tall(QString("A long line of text that wraps. ").repeated(20), "Arial",
                       QPixmap::fromImage(LoadSkinPicture("Msg")));
    QVERIFY(tall.height() > 180);
    QVERIFY(tall.OkButton().geometry().bottom() < tall.height());
  }

  // Connection messages come in the skin's message dialog too, never in a
  // plain light message box on the dark window.
  void ConnectionMessagesUseTheSkinnedDialog() {
    WindowRig rig(false);
    rig.window->SetMessageSink({});
    for (const orbic::MessageStyle style :
         {orbic::MessageStyle::kMessageBox, orbic::MessageStyle::kDialog}) {
      QString shownBy;
      QString shownText;
      QTimer::singleShot(0, rig.window.get(), [&shownBy, &shownText] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
          return;
        }
        shownBy = QString::fromLatin1(modal->metaObject()->className());
        if (auto* dialog = qobject_cast<MessageDialog*>(modal); dialog != nullptr) {
          shownText = dialog->Text().text();
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog != nullptr) {
          dialog->reject();
        }
      });
      rig.window->ShowMessage("Please Connect the USB Device", style);
      QCOMPARE(shownBy, QString("orbic::gui::MessageDialog"));
      QCOMPARE(shownText, QString("Please Connect the USB Device"));
    }
  }

  void TheTrayIconFollowsTheDesktop() {
    WindowRig rig(false);
    QVERIFY(!TrayIcon::ApplicationIcon().isNull());
    QCOMPARE(rig.window->Tray().Shown(), QSystemTrayIcon::isSystemTrayAvailable());
    QVERIFY(!rig.window->windowIcon().isNull());
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::HeaderTest)
#include "HeaderTest.moc"
