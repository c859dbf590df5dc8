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

QString WithDefaultExtensionOf(const QString& path, std::string_view extension) {
  return FromCorePath(tav::WithDefaultExtension(ToCorePath(path), extension));
}

}  // namespace tav::ui
