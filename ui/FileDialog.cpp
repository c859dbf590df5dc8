// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileDialog.h"

namespace tav::ui {

bool FileDialog::Execute(FileDialogRunner& runner, QWidget* parent) {
  const std::optional<QString> chosen = runner.Run(settings_, fileName_, parent);
  if (!chosen) return false;
  fileName_ = *chosen;
  return true;
}

}  // namespace tav::ui
