// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tav::cli {

// Makes a message readable on a UTF-8 terminal. Messages are Windows-1252, but
// the paths and names they quote come from the command line or from files and
// are often UTF-8 already: a well-formed UTF-8 sequence is kept as it is, every
// other byte is converted from Windows-1252.
std::string ToTerminal(std::string_view text);

}  // namespace tav::cli
