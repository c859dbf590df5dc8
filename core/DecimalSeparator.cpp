// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DecimalSeparator.h"

#include <clocale>
#include <cstring>

namespace tav {
namespace {

char gSeparator = '.';

}  // namespace

char DecimalSeparator() noexcept { return gSeparator; }

void SetDecimalSeparator(char separator) { gSeparator = separator; }

char DecimalSeparatorFromCLocale() {
  const std::lconv* conv = std::localeconv();
  if (conv == nullptr || conv->decimal_point == nullptr) return '.';
  if (std::strlen(conv->decimal_point) != 1) return '.';
  return conv->decimal_point[0];
}

}  // namespace tav
