// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tav {

// The file name part of a path: the text after the last "/", or the whole text.
std::string_view FileNamePart(std::string_view path) noexcept;

// The extension: from the last "." of the file name part to the end, "." included;
// empty when the file name part has no ".". A name ending in "." has the extension ".".
std::string_view ExtensionOf(std::string_view path) noexcept;

// `path` with `extension` (".nc", ".tav") appended when it has no extension.
std::string WithDefaultExtension(std::string_view path, std::string_view extension);

}  // namespace tav
