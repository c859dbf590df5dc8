// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardLayoutFiles.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <utility>

#include "boards/NamedValues.h"

namespace tav::bench {
namespace {

// Removes the generated files when the benchmark program ends.
struct TempFolder {
  std::filesystem::path path;
  TempFolder()
      : path(std::filesystem::temp_directory_path() /
             ("tav-bench-layouts-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

std::string Text(BoardLayoutKind layout, int components) {
  std::string text;
  text.reserve(static_cast<std::size_t>(components) * 120);
  switch (layout) {
    case BoardLayoutKind::kLegacy:
      text += "\"Pick Place for generated board\"\r\n\"\"\r\n";
      break;
    case BoardLayoutKind::kQuotedCsv:
      text += "\"Designator\",\"Val\",\"Package\",\"Mid X\",\"Mid Y\",\"Rotation\",\"Layer\"\r\n";
      break;
    case BoardLayoutKind::kUtf16TabMil:
      text +=
          "Designator\tFootprint\tMid X\tMid Y\tRef X\tRef Y\tPad X\tPad Y\tLayer\tRotation\t"
          "Comment\n";
      break;
    case BoardLayoutKind::kKiCadPos:
      text +=
          "### Footprint positions\n## Unit = mm, Angle = deg.\n## Side : top\n"
          "# Ref     Val       Package        PosX       PosY       Rot  Side\n";
      break;
  }
  char row[256];
  for (int i = 0; i < components; ++i) {
    const double x = (i % 400) * 1.27;
    const double y = (i / 400) * 1.27;
    const int rotation = (i % 4) * 90;
    switch (layout) {
      case BoardLayoutKind::kLegacy:
        std::snprintf(row, sizeof row,
                      "\"R%d\",\"R0603\",\"%.2fmm\",\"%.2fmm\",\"%.2fmm\",\"%.2fmm\",\"%.2fmm\","
                      "\"%.2fmm\",\"TopLayer\",\"%d\",\"10k\"\r\n",
                      i + 1, x, y, x, y, x - 0.8, y, rotation);
        break;
      case BoardLayoutKind::kQuotedCsv:
        std::snprintf(row, sizeof row,
                      "\"R%d\",\"10k\",\"R0603\",\"%.2fmm\",\"%.2fmm\",\"%d\",\"Top\"\r\n", i + 1,
                      x, y, rotation);
        break;
      case BoardLayoutKind::kUtf16TabMil:
        std::snprintf(row, sizeof row,
                      "\"R%d\"\t\"R0402\"\t\"%.2fmil\"\t\"%.2fmil\"\t\"%.2fmil\"\t\"%.2fmil\"\t"
                      "\"%.2fmil\"\t\"%.2fmil\"\t\"T\"\t\"%d\"\t\"10K\"\n",
                      i + 1, x * 40, y * 40, x * 40, y * 40, x * 40, y * 40, rotation);
        break;
      case BoardLayoutKind::kKiCadPos:
        std::snprintf(row, sizeof row, "R%-8d 10k       R_0603_1608    %9.4f  %9.4f  %7.4f  top\n",
                      i + 1, x, -y, static_cast<double>(rotation));
        break;
    }
    text += row;
  }
  if (layout == BoardLayoutKind::kKiCadPos) text += "## End\n";
  return text;
}

std::string Encoded(BoardLayoutKind layout, const std::string& text) {
  if (layout != BoardLayoutKind::kUtf16TabMil) return text;
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + text.size() * 2);
  for (const char c : text) {
    bytes.push_back(c);
    bytes.push_back('\0');
  }
  return bytes;
}

}  // namespace

const std::string& GeneratedLayoutFile(BoardLayoutKind layout, int components) {
  static TempFolder folder;
  static std::map<std::pair<BoardLayoutKind, int>, std::string> files;
  const auto key = std::make_pair(layout, components);
  auto found = files.find(key);
  if (found == files.end()) {
    const auto path = folder.path / (std::string(LayoutLabel(layout)) + "-" +
                                     std::to_string(components) + ".txt");
    std::ofstream out(path, std::ios::binary);
    out << Encoded(layout, Text(layout, components));
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
    found = files.emplace(key, path.string()).first;
  }
  return found->second;
}

std::string_view LayoutLabel(BoardLayoutKind layout) {
  static constexpr NamedValue<BoardLayoutKind> kNames[] = {
      {BoardLayoutKind::kLegacy, "legacy"},
      {BoardLayoutKind::kQuotedCsv, "quoted-csv"},
      {BoardLayoutKind::kUtf16TabMil, "utf16-tab-mil"},
      {BoardLayoutKind::kKiCadPos, "kicad-pos"}};
  return NameIn(kNames, layout);
}

}  // namespace tav::bench
