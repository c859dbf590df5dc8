// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ApplicationTitle.h"

#include <QCoreApplication>

namespace tav::ui {

QString ApplicationTitleOf(const QString& programPath) {
  QString name = programPath.mid(programPath.lastIndexOf(u'/') + 1);
  const qsizetype dot = name.indexOf(u'.');
  if (dot >= 0) name.truncate(dot);
  if (name.isEmpty()) return name;
  return name.left(1).toUpper() + name.mid(1).toLower();
}

QString ApplicationTitle() { return ApplicationTitleOf(QCoreApplication::applicationFilePath()); }

}  // namespace tav::ui
