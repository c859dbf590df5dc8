// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace tav::ui {

// What a file dialog of the main window is set up with.
struct FileDialogSettings {
  enum class Mode { Open, Save };
  QString name;  // OpenDialog1, SaveDialog1, OpenDialog2, SaveDialog2
  Mode mode = Mode::Open;
  QString filter;  // Qt form, "G-Code File (*.nc)"; empty for none
};

// Shows file dialogs. The desktop program shows Qt's modal dialogs; tests
// script the answers.
class FileDialogRunner {
 public:
  virtual ~FileDialogRunner() = default;
  // Runs the dialog offering `initialName`; the chosen path, or nullopt when
  // the user cancelled.
  virtual std::optional<QString> Run(const FileDialogSettings& dialog, const QString& initialName,
                                     QWidget* parent) = 0;
};

// Qt's modal file dialogs: no default extension, no question before
// overwriting, and a typed name need not exist.
class QtFileDialogRunner final : public FileDialogRunner {
 public:
  // Sets up `box` as Run shows it (also for a look at the dialog in tests).
  static void SetUp(QFileDialog& box, const FileDialogSettings& dialog, const QString& initialName);

  std::optional<QString> Run(const FileDialogSettings& dialog, const QString& initialName,
                             QWidget* parent) override;
};

}  // namespace tav::ui
