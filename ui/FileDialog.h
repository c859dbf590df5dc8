// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "ui/FileDialogRunner.h"

namespace tav::ui {

// One of the main window's file dialogs. It keeps the name it last returned
// and offers it again the next time; a cancelled dialog keeps its name.
class FileDialog final {
 public:
  explicit FileDialog(FileDialogSettings settings) : settings_(std::move(settings)) {}

  // true when the user confirmed a name, now in FileName().
  bool Execute(FileDialogRunner& runner, QWidget* parent);

  const QString& FileName() const noexcept { return fileName_; }
  void SetFileName(const QString& name) { fileName_ = name; }
  const FileDialogSettings& Settings() const noexcept { return settings_; }

 private:
  FileDialogSettings settings_;
  QString fileName_;
};

}  // namespace tav::ui
