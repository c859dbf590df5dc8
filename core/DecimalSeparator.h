// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tav {

// The decimal separator used by every number conversion. It is the only
// process-wide state of the core; the platform layer sets it from the user's
// regional settings (the command-line tool from the C locale, the desktop
// program from Qt) and again whenever those settings change.
char DecimalSeparator() noexcept;
void SetDecimalSeparator(char separator);

// The separator of the current C locale (LC_NUMERIC): the first character of
// its decimal point, or "." when that is empty or longer than one character.
char DecimalSeparatorFromCLocale();

}  // namespace tav
