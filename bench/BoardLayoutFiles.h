// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tav::bench {

// Layouts of generated board files.
enum class BoardLayoutKind { kLegacy, kQuotedCsv, kUtf16TabMil, kKiCadPos };

// Path of a generated board file in `layout` with `components` rows, written
// once per process into a temporary folder and reused by every benchmark.
const std::string& GeneratedLayoutFile(BoardLayoutKind layout, int components);

// Short name of the layout for benchmark labels.
std::string_view LayoutLabel(BoardLayoutKind layout);

}  // namespace tav::bench
