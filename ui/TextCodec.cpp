// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TextCodec.h"

#include "core/Windows1252.h"

namespace tav::ui {

QString ToQString(std::string_view text) {
  QString result;
  result.reserve(static_cast<qsizetype>(text.size()));
  for (const char byte : text) {
    // Every Windows-1252 character lies in the Basic Multilingual Plane.
    result.append(
        QChar(static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(byte)))));
  }
  return result;
}

std::string FromQString(const QString& text) {
  std::string result;
  result.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      ++i;  // a surrogate pair is one character without a Windows-1252 byte
      result.push_back('?');
      continue;
    }
    const int byte = CodePointToCp1252(c.unicode());
    result.push_back(byte < 0 ? '?' : static_cast<char>(byte));
  }
  return result;
}

}  // namespace tav::ui
