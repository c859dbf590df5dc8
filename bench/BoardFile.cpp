// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardFile.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace tav::bench {
namespace {

// Removes the generated files when the benchmark program ends.
struct TempFolder {
  std::filesystem::path path;
  TempFolder()
      : path(std::filesystem::temp_directory_path() / ("tav-bench-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

std::string WriteBoard(const std::filesystem::path& path, int components) {
  std::ofstream out(path, std::ios::binary);
  out << "\"Pick Place for generated board\"\r\n"
         "\"Designator\",\"Footprint\",\"Mid X\",\"Mid Y\",\"Ref X\",\"Ref Y\",\"Pad X\","
         "\"Pad Y\",\"Layer\",\"Rotation\",\"Comment\"\r\n";
  char row[256];
  for (int i = 0; i < components; ++i) {
    const double x = (i % 400) * 1.27;
    const double y = (i / 400) * 1.27;
    std::snprintf(row, sizeof row,
                  "\"R%d\",\"R0603\",\"%.2fmm\",\"%.2fmm\",\"%.2fmm\",\"%.2fmm\",\"%.2fmm\","
                  "\"%.2fmm\",\"TopLayer\",\"%d\",\"10k\"\r\n",
                  i + 1, x, y, x, y, x - 0.8, y, (i % 4) * 90);
    out << row;
  }
  out << "\r\n";
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
  return path.string();
}

}  // namespace

const std::string& GeneratedBoardFile(int components) {
  static TempFolder folder;
  static std::map<int, std::string> files;
  auto found = files.find(components);
  if (found == files.end()) {
    const auto path = folder.path / ("board-" + std::to_string(components) + ".csv");
    found = files.emplace(components, WriteBoard(path, components)).first;
  }
  return found->second;
}

}  // namespace tav::bench
