#pragma once

#include <QFileDialog>
#include <QString>
#include <QWidget>
#include <memory>

namespace orbic::gui {

// The save dialog of profiles and macro files. Every file the program saves
// ends in ".bin"; the dialog adds it itself, so the name it asks about before
// overwriting is the name that is written.
std::unique_ptr<QFileDialog> MakeSaveFileDialog(QWidget* parent, const QString& caption,
                                                const QString& folder, const QString& filter);

// Runs the save dialog; empty when cancelled.
QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& folder,
                       const QString& filter);

}  // namespace orbic::gui
