// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/NumberConversion.h"

namespace tav {

// G-code controllers read numbers with "." only, while settings and node texts
// hold numbers with "." or "," as typed under any regional setting. These
// helpers bridge the two without touching the stored texts.

// The text as it goes into the program: a text that is a number written with
// "," has it written as "."; any other text (a parameter, an expression, a
// text already with ".") is copied verbatim.
std::string GCodeNumberText(std::string_view text);

// Rewrites `text` in place as GCodeNumberText does; no allocation.
void ToGCodeNumberText(std::string& text);

// A number the program computes with, read with "." or "," (ReadNumber).
// Throws the conversion error naming `text` when it is no number.
Number ReadSettingNumber(std::string_view text);

// The same without the error.
std::optional<Number> TryReadSettingNumber(std::string_view text);

// A number written into the program: the general 15-digit format with ".".
std::string GCodeNumber(Number value);

}  // namespace tav
