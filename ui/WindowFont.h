// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace tav::ui {

// The windows' font: Tahoma with a character height of 11 pixels (8 point at
// 96 dots per inch). Where the system lacks Tahoma, the copy that Debian's
// fonts-wine carries is loaded; failing that, the default sans serif font of
// the same pixel height is used.
QFont WindowFont();

}  // namespace tav::ui
