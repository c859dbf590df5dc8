// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tav {

using LineList = std::vector<std::string>;

// Cuts a text into lines at CR LF, a lone CR or a lone LF. A NUL byte ends the
// text; a line break at the very end adds no empty last line.
LineList SplitLines(std::string_view text);

// Every line followed by CR LF, the last one included.
std::string JoinLines(const LineList& lines);

// Reads a whole file (binary) and splits it into lines; an empty file gives no
// lines, a byte-order mark is ordinary text. Throws Error "Datei %s kann nicht
// geöffnet werden. %s" (full path, German cause) when the file cannot be read.
LineList LoadLines(const std::string& path);

// Writes `text` unchanged to `path`, replacing the file. The file is replaced
// as a whole or not at all (WriteFileAtomically). Throws Error "Datei "%s" kann
// nicht erstellt werden. %s" (full path, German cause) on failure, leaving an
// existing file as it was.
void SaveText(std::string_view text, const std::string& path);

}  // namespace tav
