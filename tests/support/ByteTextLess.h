// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tav::test {

// Byte-wise comparison for sorting in tests, which have no locale collation.
// std::string compares through char_traits<char>::lt, which orders bytes as
// unsigned char, so bytes above 127 sort after ASCII on every platform.
inline bool ByteTextLess(const std::string& a, const std::string& b) { return a < b; }

}  // namespace tav::test
