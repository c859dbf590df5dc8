// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileDialogRunner.h"

#include <QFileDialog>

namespace tav::ui {

void QtFileDialogRunner::SetUp(QFileDialog& box, const FileDialogSettings& dialog,
                               const QString& initialName) {
  box.setObjectName(dialog.name);
  const bool save = dialog.mode == FileDialogSettings::Mode::Save;
  box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  box.setFileMode(QFileDialog::AnyFile);
  box.setOption(QFileDialog::DontConfirmOverwrite);
  if (!dialog.filter.isEmpty()) box.setNameFilter(dialog.filter);
  // A name ending in "/" offers a folder only.
  if (initialName.endsWith(QLatin1Char('/')))
    box.setDirectory(initialName);
  else if (!initialName.isEmpty())
    box.selectFile(initialName);
}

std::optional<QString> QtFileDialogRunner::Run(const FileDialogSettings& dialog,
                                               const QString& initialName, QWidget* parent) {
  QFileDialog box(parent);
  SetUp(box, dialog, initialName);
  if (box.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = box.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.first();
}

}  // namespace tav::ui
