// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace tav::fuzz {

// The committed seeds and crash inputs of one fuzz target.
inline std::vector<std::filesystem::path> InputsOf(std::string_view target) {
  std::vector<std::filesystem::path> files;
  for (const char* kind : {"corpus", "crashes"}) {
    const std::filesystem::path folder =
        std::filesystem::path(TAV_SOURCE_DIR) / "fuzz" / kind / target;
    if (!std::filesystem::is_directory(folder)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.is_regular_file()) files.push_back(entry.path());
  }
  return files;
}

}  // namespace tav::fuzz
