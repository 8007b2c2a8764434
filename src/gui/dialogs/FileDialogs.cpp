#include "gui/dialogs/FileDialogs.h"

#include <QStringList>

namespace orbic::gui {

std::unique_ptr<QFileDialog> MakeSaveFileDialog(QWidget* parent, const QString& caption,
                                                const QString& folder, const QString& filter) {
  auto dialog = std::make_unique<QFileDialog>(parent, caption, folder, filter);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setDefaultSuffix(QStringLiteral("bin"));
  // Qt's own dialog: it adds the suffix before it asks about overwriting,
  // which a desktop's native dialog need not do.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  return dialog;
}

QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& folder,
                       const QString& filter) {
  const auto dialog = MakeSaveFileDialog(parent, caption, folder, filter);
  if (dialog->exec() != QDialog::Accepted) {
    return {};
  }
  const QStringList files = dialog->selectedFiles();
  return files.isEmpty() ? QString() : files.front();
}

}  // namespace orbic::gui
