// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "core/NumberConversion.h"

namespace tav {

// The extended values nearest to 10^k for k = 0..31, to 10^(32 k) for
// k = 0..15 and to 10^(512 k) for k = 0..9.
extern const std::array<Number, 32> kPowersOfTen;
extern const std::array<Number, 16> kPowersOfTen32;
extern const std::array<Number, 10> kPowersOfTen512;

// Multiplies (positive `scale`) or divides (negative `scale`) `value` by ten to
// the power |scale| in up to three steps, each rounded to nearest: by
// 10^(n mod 32), then 10^(32 ((n div 32) mod 16)), then 10^(512 (n div 512)).
// A magnitude of 5120 or more gives zero for a division (infinity for a
// multiplication of a value other than zero).
Number ScaleByPowerOfTen(Number value, int scale) noexcept;

}  // namespace tav
