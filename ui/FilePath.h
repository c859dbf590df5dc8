// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

namespace tav::ui {

// Paths reach the core in the file system's own encoding (UTF-8 on Linux), so
// any file the dialogs offer can be opened; the path rules of the core apply.
std::string ToCorePath(const QString& path);
QString FromCorePath(const std::string& path);

// The file name part of `path` (after the last "/").
QString FileNamePartOf(const QString& path);

}  // namespace tav::ui
