// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "project/StoredSettings.h"

namespace tav {

// The stored setting whose project key is `key` ("F1X", "SpeedFahren",
// "BauteilMaxZ", "Ventil_On", "Delay", ...), ASCII letters in any case as the
// project file matches them; nullptr when no stored setting has that key.
const StoredSetting* FindStoredSetting(std::string_view key) noexcept;

}  // namespace tav
