// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tav::ui {

// The application's title, the caption of error and About boxes: the program
// file's name without its folder and without everything from the first "." on,
// every character after the first in lower case. The first character is put in
// upper case, since Linux program files are named in lower case ("tavoline"
// gives "Tavoline").
QString ApplicationTitleOf(const QString& programPath);

// The title of the running program.
QString ApplicationTitle();

}  // namespace tav::ui
