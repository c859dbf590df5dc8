// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

#include "ui/FileDialogRunner.h"

class QMenu;
class QSettings;

namespace tav::ui {

// What the desktop program remembers between runs, in the user's
// configuration folder (QSettings, "Tavoline"): the last eight projects
// opened or saved, newest first, and the folder each file dialog last used.
// Nothing else is stored outside project files.
class RecentFiles final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kMaximum = 8;

  explicit RecentFiles(QObject* parent = nullptr);
  ~RecentFiles() override;

  // A project just opened or saved goes to the top of the list.
  void AddProject(const QString& path);
  QStringList Projects() const;

  // The folder a dialog last used; empty when none is known.
  QString Folder(const QString& dialog) const;
  void SetFolder(const QString& dialog, const QString& folder);

  // Fills `menu` with the projects, each with its number key; a project that
  // no longer exists is shown greyed. Choosing one calls `open` with its path.
  void FillMenu(QMenu& menu, const std::function<void(const QString&)>& open) const;

 private:
  std::unique_ptr<QSettings> settings_;
};

// Shows the dialogs of another runner and starts each in the folder it last
// used, when it has no file name of its own to offer.
class RememberingDialogRunner final : public FileDialogRunner {
 public:
  RememberingDialogRunner(std::unique_ptr<FileDialogRunner> inner, RecentFiles& recent);
  std::optional<QString> Run(const FileDialogSettings& dialog, const QString& initialName,
                             QWidget* parent) override;

 private:
  std::unique_ptr<FileDialogRunner> inner_;
  RecentFiles& recent_;
};

}  // namespace tav::ui
