// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tav {

// Every file path that appears in a message goes through one of these two.
// Paths are UTF-8 on this platform while messages are Windows-1252, so a path
// that is well-formed UTF-8 is converted ("?" for characters Windows-1252
// lacks); any other path keeps its bytes as they are, never a mix of both.

// A file system path as text of a message.
std::string PathForMessage(const std::string& path);

// The full path named in file messages: `path` made absolute against the
// current folder and normalised lexically (".", ".." and doubled "/" removed);
// symbolic links are not resolved, and converted as PathForMessage does.
std::string FullPathForMessage(const std::string& path);

}  // namespace tav
