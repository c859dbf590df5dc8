// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace tav::test {

// Items of the main window's drop-down lists, in list order, as the window's
// form defines them.
inline constexpr std::array<std::string_view, 4> kFeeder1DirectionItems{"Links", "Oben", "Rechts",
                                                                        "Unten"};
inline constexpr std::array<std::string_view, 4> kFeederDirectionItems{"Rechts", "Links", "Unten",
                                                                       "Oben"};
inline constexpr std::array<std::string_view, 4> kAngleItems{"0", "180", "270", "90"};

}  // namespace tav::test
