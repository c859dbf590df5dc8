// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tav::ui {

// The one conversion between the core's Windows-1252 bytes and Qt's Unicode
// text. Every byte 0..255 survives ToQString followed by FromQString.
QString ToQString(std::string_view text);

// Characters that Windows-1252 cannot represent become "?" (one per character,
// also for characters outside the Basic Multilingual Plane).
std::string FromQString(const QString& text);

}  // namespace tav::ui
