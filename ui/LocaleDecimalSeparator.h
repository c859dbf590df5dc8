// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

namespace tav::ui {

// The decimal separator a locale gives the number conversions: its decimal
// point when that is exactly one Windows-1252 character, else ".".
char DecimalSeparatorOf(const QLocale& locale);

}  // namespace tav::ui
