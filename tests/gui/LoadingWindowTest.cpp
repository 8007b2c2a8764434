// The waiting animation over the main window.
#include <QtTest>

#include "GifWriter.h"
#include "gui/LoadingWindow.h"

namespace orbic::gui::test {

class LoadingWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void SitsCentredAndFortyPixelsLowAndAnimates() {
    // Two frames: a red square on black, then a blue one.
    std::vector<std::uint8_t> red(16, 0), blue(16, 0);
    red[5] = red[6] = red[9] = red[10] = 1;
    blue[5] = blue[6] = blue[9] = blue[10] = 3;
    const auto gif = WriteGif(4, 4, {{0, 0, 4, 4, red, 5}, {0, 0, 4, 4, blue, 5}});

    QWidget main;
    main.setGeometry(100, 50, 1000, 600);
    main.show();
    LoadingWindow loading(gif);
    QCOMPARE(loading.FrameCount(), 2);
    loading.ShowOver(main);
    QVERIFY(loading.isVisible());
    QCOMPARE(loading.size(), QSize(206, 196));
    const QRect area = main.frameGeometry();
    QCOMPARE(loading.pos(), QPoint(area.left() + (area.width() - 206) / 2,
                                   area.top() + (area.height() - 196) / 2 + 40));
    QTRY_COMPARE_WITH_TIMEOUT(loading.CurrentFrame(), 1, 1000);

    // Black is see-through; the square shows.
    const QImage shot = loading.grab().toImage();
    QCOMPARE(qAlpha(shot.pixel(5, 5)), 0);
    const QColor centre = shot.pixelColor(103, 98);
    QVERIFY(centre.blue() > 200 && centre.red() < 50);
  }

  // A transfer shows the window again before every chunk: each showing
  // moves the animation on by the time that passed and keeps its place.
  void ShowingAgainDuringATransferMovesTheFramesOn() {
    std::vector<std::uint8_t> pixels(16, 1);
    const auto gif = WriteGif(
        4, 4, {{0, 0, 4, 4, pixels, 5}, {0, 0, 4, 4, pixels, 5}, {0, 0, 4, 4, pixels, 10}});
    QWidget main;
    main.setGeometry(100, 50, 1000, 600);
    main.show();
    LoadingWindow loading(gif);
    std::uint64_t now = 1000;
    loading.SetTimeSource([&now] { return now; });
    loading.ShowOver(main);
    const QPoint place = loading.pos();
    // Chunk by chunk, 20 ms apart: 50 ms, 50 ms and 100 ms frames.
    QList<int> frames;
    for (int chunk = 0; chunk < 12; ++chunk) {
      now += 20;
      loading.ShowOver(main);
      frames << loading.CurrentFrame();
    }
    QCOMPARE(frames, (QList<int>{0, 0, 1, 1, 2, 2, 2, 2, 2, 0, 0, 0}));
    QCOMPARE(loading.pos(), place);
    // Hidden and shown again, it starts from the first frame.
    loading.hide();
    loading.ShowOver(main);
    QCOMPARE(loading.CurrentFrame(), 0);
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::LoadingWindowTest)
#include "LoadingWindowTest.moc"
