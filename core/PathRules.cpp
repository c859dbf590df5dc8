// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PathRules.h"

namespace tav {

std::string_view FileNamePart(std::string_view path) noexcept {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view ExtensionOf(std::string_view path) noexcept {
  const std::string_view name = FileNamePart(path);
  const auto dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

std::string WithDefaultExtension(std::string_view path, std::string_view extension) {
  std::string result(path);
  if (ExtensionOf(path).empty()) result.append(extension);
  return result;
}

}  // namespace tav
