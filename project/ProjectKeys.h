// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace tav {

// Fixed section and key names of the project file.
inline constexpr std::string_view kComponentsSection = "components";
inline constexpr std::string_view kIconsSection = "Icons";
inline constexpr std::string_view kLibrarySection = "Bibliothek";
inline constexpr std::string_view kElementsKey = "Elemente";

}  // namespace tav
