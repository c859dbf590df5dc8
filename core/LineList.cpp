// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LineList.h"

#include "core/Error.h"
#include "core/FileAccess.h"
#include "core/LineBreaks.h"
#include "core/MessagePath.h"
#include "core/Messages.h"

namespace tav {

LineList SplitLines(std::string_view text) {
  const std::vector<std::string_view> views = LineViews(text);
  return LineList(views.begin(), views.end());
}

std::string JoinLines(const LineList& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text.append(line);
    text.append("\r\n");
  }
  return text;
}

LineList LoadLines(const std::string& path) {
  std::string bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const FileAccessError& error) {
    throw Error(FormatMessage(msg::kCannotOpen, {FullPathForMessage(path), error.reason()}));
  }
  return SplitLines(bytes);
}

void SaveText(std::string_view text, const std::string& path) {
  try {
    WriteFileAtomically(path, text);
  } catch (const FileAccessError& error) {
    throw Error(FormatMessage(msg::kCannotCreate, {FullPathForMessage(path), error.reason()}));
  }
}

}  // namespace tav
