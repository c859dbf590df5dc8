// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace tav {

// Whether a part's value marks it as not to be fitted: "NC", "DNP", "DNF",
// "NF", "NP", "n.b.", "nicht bestückt", "do not place" or "no fit", in any
// letter case and without regard to blanks around it. Design tools and
// designers mark such parts in these ways.
bool IsNotFitted(std::string_view value) noexcept;

}  // namespace tav
