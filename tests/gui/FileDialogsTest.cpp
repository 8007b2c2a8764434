// The save dialog asks about the file that is then written.
#include <QtTest>

#include "gui/dialogs/FileDialogs.h"

namespace orbic::gui::test {

class FileDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void SaveDialogNamesTheBinFileItAsksAbout() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile existing(dir.filePath("X.bin"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    const auto dialog = MakeSaveFileDialog(nullptr, "Save", dir.path(), "SaveFile (*.bin)");
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    // A typed name without the extension is the existing "X.bin", so the
    // dialog's overwrite question covers it.
    const struct {
      const char* typed;
      const char* chosen;
    } cases[] = {{"X", "X.bin"}, {"X.bin", "X.bin"}, {"new", "new.bin"}};
    for (const auto& c : cases) {
      dialog->selectFile(c.typed);
      QCOMPARE(dialog->selectedFiles(), QStringList{dir.filePath(c.chosen)});
    }
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::FileDialogsTest)
#include "FileDialogsTest.moc"
