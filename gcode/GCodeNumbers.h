// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/NumberConversion.h"

namespace tav {

// G-code controllers read numbers with "." only, while settings and node texts
// hold numbers with the user's decimal separator. These helpers bridge the two
// without touching the stored texts.

// The text as it goes into the program: a text that is a number under the
// user's decimal separator has that separator written as "."; any other text
// (a parameter, an expression, a text already with ".") is copied verbatim.
// Under a "." separator every text is copied verbatim.
std::string GCodeNumberText(std::string_view text);

// Rewrites `text` in place as GCodeNumberText does; no allocation.
void ToGCodeNumberText(std::string& text);

// A number the program computes with, read with the user's separator or, when
// that fails, with "." (so the defaults "0.00" work under ","). Throws the
// conversion error for the user's separator, naming `text`, when neither reads.
Number ReadSettingNumber(std::string_view text);

// The same without the error.
std::optional<Number> TryReadSettingNumber(std::string_view text);

// A number written into the program: the general 15-digit format with ".".
std::string GCodeNumber(Number value);

}  // namespace tav
