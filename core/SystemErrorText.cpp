#include "core/SystemErrorText.h"

#include <cerrno>
#include <system_error>

#include "core/Utf8.h"

namespace tav {
namespace {

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

}  // namespace tav
