// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MessagePath.h"

#include <filesystem>
#include <system_error>

#include "core/Utf8.h"

namespace tav {

std::string PathForMessage(const std::string& path) { return Utf8ToCp1252(path).value_or(path); }

std::string FullPathForMessage(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) return PathForMessage(path);
  return PathForMessage(absolute.lexically_normal().string());
}

}  // namespace tav
