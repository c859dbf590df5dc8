// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LocaleDecimalSeparator.h"

#include "core/Windows1252.h"

namespace tav::ui {

char DecimalSeparatorOf(const QLocale& locale) {
  const QString point = locale.decimalPoint();
  if (point.size() != 1) return '.';
  const int byte = CodePointToCp1252(point.front().unicode());
  return byte < 0 ? '.' : static_cast<char>(byte);
}

}  // namespace tav::ui
