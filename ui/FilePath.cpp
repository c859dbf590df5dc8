// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FilePath.h"

#include <QFile>

#include "core/PathRules.h"

namespace tav::ui {

std::string ToCorePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString FromCorePath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

QString FileNamePartOf(const QString& path) {
  return FromCorePath(std::string(tav::FileNamePart(ToCorePath(path))));
}

}  // namespace tav::ui
