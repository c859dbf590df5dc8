#include "core/SystemErrorText.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/Windows1252.h"

namespace tav {
namespace {

// Decodes UTF-8 into Windows-1252 ("?" for characters it lacks); nullopt when
// `text` is not UTF-8.
std::optional<std::string> Utf8ToCp1252(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    char32_t c = lead;
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      c = lead & 0x07;
    } else if (lead >= 0xE0) {
      length = 3;
      c = lead & 0x0F;
    } else if (lead >= 0xC2 && lead < 0xE0) {
      length = 2;
      c = lead & 0x1F;
    } else if (lead >= 0x80) {
      return std::nullopt;
    }
    if (lead >= 0xF5 || i + length > text.size()) {
      return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) {
        return std::nullopt;
      }
      c = (c << 6) | (next & 0x3F);
    }
    const int byte = CodePointToCp1252(c);
    out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    i += length;
  }
  return out;
}

const char* FixedText(int errorCode) {
  switch (errorCode) {
    case ENOENT:
      return "Das System kann die angegebene Datei nicht finden";
    case EACCES:
    case EPERM:
      return "Zugriff verweigert";
    case EISDIR:
      return "Der Pfad ist ein Verzeichnis";
    case ENOTDIR:
      return "Ein Teil des Pfades ist kein Verzeichnis";
    case ENOSPC:
      return "Nicht gen\xFCgend Speicherplatz auf dem Datentr\xE4ger";
    case EDQUOT:
      return "Das Speicherkontingent auf dem Datentr\xE4ger ist ersch\xF6pft";
    case EFBIG:
      return "Die Datei ist zu gro\xDF";
    case EROFS:
      return "Der Datentr\xE4ger ist schreibgesch\xFCtzt";
    case ENAMETOOLONG:
      return "Der Dateiname ist zu lang";
    case ELOOP:
      return "Zu viele Ebenen symbolischer Verkn\xFCpfungen";
    case EMFILE:
    case ENFILE:
      return "Zu viele ge\xF6"
             "ffnete Dateien";
    case ENOMEM:
      return "Nicht gen\xFCgend Arbeitsspeicher";
    case EIO:
      return "Ein- oder Ausgabefehler auf dem Datentr\xE4ger";
    case EBUSY:
    case ETXTBSY:
      return "Die Datei wird von einem anderen Prozess verwendet";
    case EEXIST:
      return "Die Datei ist bereits vorhanden";
    case EINVAL:
      return "Falscher Parameter";
    case EXDEV:
      return "Die Datei kann nicht auf ein anderes Laufwerk verschoben werden";
    case ENXIO:
    case ENODEV:
      return "Das angegebene Ger\xE4t ist nicht vorhanden";
    default:
      return nullptr;
  }
}

}  // namespace

std::string SystemErrorText(int errorCode) {
  if (const char* text = FixedText(errorCode)) return text;
  // The C library's text follows LC_MESSAGES and may be UTF-8; messages are Windows-1252.
  const std::string system = std::generic_category().message(errorCode);
  return Utf8ToCp1252(system).value_or(system);
}

std::string FullPathForMessage(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) return PathForMessage(path);
  return PathForMessage(absolute.lexically_normal().string());
}

std::string PathForMessage(const std::string& path) { return Utf8ToCp1252(path).value_or(path); }

}  // namespace tav
