// One window per user: a second start asks the first to come forward and ends.
#include <QSignalSpy>
#include <QtTest>

#include "gui/SingleInstance.h"

namespace orbic::gui::test {

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void ASecondStartRaisesTheFirstAndStepsBack() {
    const QString key = QString("orbic40-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(key);
    QVERIFY(first.Claim());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    SingleInstance second(key);
    QVERIFY(!second.Claim());
    QVERIFY(raised.wait(2000));
    QCOMPARE(raised.count(), 1);
  }

  void TheLockIsFreeAgainWhenTheFirstEnds() {
    const QString key = QString("orbic40-test-end-%1").arg(QCoreApplication::applicationPid());
    {
      SingleInstance first(key);
      QVERIFY(first.Claim());
    }
    SingleInstance next(key);
    QVERIFY(next.Claim());
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::SingleInstanceTest)
#include "SingleInstanceTest.moc"
