// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace tav::ui {
namespace {

const QString kProjects = QStringLiteral("Zuletzt/Projekte");
const QString kFolders = QStringLiteral("Ordner/");

}  // namespace

RecentFiles::RecentFiles(QObject* parent)
    : QObject(parent),
      settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Tavoline"),
                                            QStringLiteral("Tavoline"))) {}

RecentFiles::~RecentFiles() = default;

void RecentFiles::AddProject(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList projects = Projects();
  projects.removeAll(absolute);
  projects.prepend(absolute);
  while (projects.size() > kMaximum) projects.removeLast();
  settings_->setValue(kProjects, projects);
  settings_->sync();
}

QStringList RecentFiles::Projects() const { return settings_->value(kProjects).toStringList(); }

QString RecentFiles::Folder(const QString& dialog) const {
  return settings_->value(kFolders + dialog).toString();
}

void RecentFiles::SetFolder(const QString& dialog, const QString& folder) {
  settings_->setValue(kFolders + dialog, folder);
  settings_->sync();
}

void RecentFiles::FillMenu(QMenu& menu, const std::function<void(const QString&)>& open) const {
  menu.clear();
  const QStringList projects = Projects();
  int number = 0;
  for (const QString& path : projects) {
    ++number;
    // "&1 Platine.tav  (/home/…)": the name first, the folder for telling apart.
    QString name = QFileInfo(path).fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = menu.addAction(QStringLiteral("&%1 %2").arg(number).arg(name));
    item->setToolTip(QDir::toNativeSeparators(path));
    item->setStatusTip(QDir::toNativeSeparators(path));
    item->setEnabled(QFileInfo::exists(path));
    QObject::connect(item, &QAction::triggered, &menu, [open, path] { open(path); });
  }
  if (projects.isEmpty()) menu.addAction(QStringLiteral("(leer)"))->setEnabled(false);
  menu.setToolTipsVisible(true);
}

RememberingDialogRunner::RememberingDialogRunner(std::unique_ptr<FileDialogRunner> inner,
                                                 RecentFiles& recent)
    : inner_(std::move(inner)), recent_(recent) {}

std::optional<QString> RememberingDialogRunner::Run(const FileDialogSettings& dialog,
                                                    const QString& initialName, QWidget* parent) {
  QString offered = initialName;
  const QString folder = recent_.Folder(dialog.name);
  if (offered.isEmpty() && !folder.isEmpty() && QFileInfo(folder).isDir())
    offered = QDir(folder).absolutePath() + QLatin1Char('/');
  std::optional<QString> chosen = inner_->Run(dialog, offered, parent);
  if (chosen) recent_.SetFolder(dialog.name, QFileInfo(*chosen).absolutePath());
  return chosen;
}

}  // namespace tav::ui
