#pragma once

#include <string>

namespace tav {

// The German description of a system error code (errno value), in the
// Windows-1252 code page, for the second placeholder of the file messages.
// Common causes have fixed texts; any other code falls back to the C library's
// text (converted from UTF-8 when the C library gives it so). Never throws
// anything but std::bad_alloc.
std::string SystemErrorText(int errorCode);

// The full path named in file messages: `path` made absolute against the
// current folder and normalised lexically (".", ".." and doubled "/" removed);
// symbolic links are not resolved, and converted as PathForMessage does.
std::string FullPathForMessage(const std::string& path);

// A file system path as text of a message. Paths are UTF-8 on this platform
// while messages are Windows-1252, so a path that is valid UTF-8 is converted
// ("?" for characters Windows-1252 lacks); any other path keeps its bytes.
std::string PathForMessage(const std::string& path);

}  // namespace tav
