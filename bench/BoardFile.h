// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tav::bench {

// Path of a generated pick-and-place file with `components` rows, written once
// per process into a temporary folder and reused by every benchmark.
const std::string& GeneratedBoardFile(int components);

}  // namespace tav::bench
