// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The user-visible messages of the system, Windows-1252 encoded. "%s" and "%d"
// are filled in with FormatMessage().
namespace tav::msg {

inline constexpr const char* kNotAFloat = "'%s' ist kein g\xFCltiger Gleitkommawert";
inline constexpr const char* kNotAnInteger = "'%s' ist kein g\xFCltiger Integerwert";
inline constexpr const char* kCannotOpen =
    "Datei %s kann nicht ge\xF6"
    "ffnet werden. %s";
inline constexpr const char* kCannotCreate = "Datei \"%s\" kann nicht erstellt werden. %s";
inline constexpr const char* kInvalidIndex = "Ung\xFCltiger Index";
inline constexpr const char* kListIndex =
    "Listenindex \xFC"
    "berschreitet das Maximum (%d)";
inline constexpr const char* kInvalidLevel = "Ung\xFCltige Ebene (%d) f\xFCr Eintrag \"%s\"";
inline constexpr const char* kCannotWrite = "In %s kann nicht geschrieben werden";
// Stands for the file in kCannotWrite when `tav` writes to its standard output.
inline constexpr const char* kStandardOutput = "die Standardausgabe";
// Failures that are not the system's own: the last resort of both programs.
inline constexpr const char* kOutOfMemory = "Zu wenig Arbeitsspeicher";
inline constexpr const char* kUnknownError = "Unbekannter Fehler";

// The system's descriptions of why a file operation failed (second %s of the
// file messages), by cause.
inline constexpr const char* kFileNotFound = "Das System kann die angegebene Datei nicht finden";
inline constexpr const char* kPathNotFound = "Das System kann den angegebenen Pfad nicht finden";
inline constexpr const char* kAccessDenied = "Zugriff verweigert";
inline constexpr const char* kIsAFolder = "Der Pfad ist ein Verzeichnis";
inline constexpr const char* kNotAFolder = "Ein Teil des Pfades ist kein Verzeichnis";
inline constexpr const char* kDiskFull = "Nicht gen\xFCgend Speicherplatz auf dem Datentr\xE4ger";
inline constexpr const char* kQuotaExceeded =
    "Das Speicherkontingent auf dem Datentr\xE4ger ist ersch\xF6pft";
inline constexpr const char* kFileTooLarge = "Die Datei ist zu gro\xDF";
inline constexpr const char* kReadOnlyDisk = "Der Datentr\xE4ger ist schreibgesch\xFCtzt";
inline constexpr const char* kNameTooLong = "Der Dateiname ist zu lang";
inline constexpr const char* kTooManyLinks = "Zu viele Ebenen symbolischer Verkn\xFCpfungen";
inline constexpr const char* kTooManyOpenFiles =
    "Zu viele ge\xF6"
    "ffnete Dateien";
inline constexpr const char* kNoMemory = "Nicht gen\xFCgend Arbeitsspeicher";
inline constexpr const char* kDiskIoError = "Ein- oder Ausgabefehler auf dem Datentr\xE4ger";
inline constexpr const char* kFileInUse = "Die Datei wird von einem anderen Prozess verwendet";
inline constexpr const char* kFileExists = "Die Datei ist bereits vorhanden";
inline constexpr const char* kInvalidParameter = "Falscher Parameter";
inline constexpr const char* kOtherDrive =
    "Die Datei kann nicht auf ein anderes Laufwerk verschoben werden";
inline constexpr const char* kNoSuchDevice = "Das angegebene Ger\xE4t ist nicht vorhanden";

// The command line of `tav` that cannot be run.
inline constexpr const char* kNoCommand = "Kein Befehl angegeben";
inline constexpr const char* kUnknownCommand = "Unbekannter Befehl \"%s\"";
inline constexpr const char* kUnknownOption = "Unbekannte Option \"%s\"";
inline constexpr const char* kMissingOptionValue = "Zur Option %s fehlt der Wert";
inline constexpr const char* kOptionTwice = "Option %s ist mehrfach angegeben";
inline constexpr const char* kBadDecimalSeparator =
    "Das Dezimaltrennzeichen muss ein einzelnes Zeichen sein "
    "(keine Ziffer, kein Vorzeichen, kein E), nicht \"%s\"";
inline constexpr const char* kUnexpectedArgument = "Unerwartetes Argument \"%s\"";
inline constexpr const char* kMissingPickPlaceFile = "Die Pick-and-Place-Datei fehlt";
inline constexpr const char* kMissingProjectFile = "Die Projektdatei fehlt (-o P.tav)";
// The generator refuses a feeder or direction it cannot resolve instead of guessing one.
inline constexpr const char* kUnknownFeeder = "Bauteil \"%s\": unbekannte Feeder-Angabe \"%s\"";
inline constexpr const char* kUnknownDirection = "Feeder %d: unbekannte Richtung \"%s\"";
// A component's nodes do not have the 13-node layout the readers rely on.
inline constexpr const char* kNotAComponentBlock =
    "Der Eintrag \"%s\" hat nicht den Aufbau eines Bauteils";
// The import refuses a file it cannot read completely instead of importing part of it.
inline constexpr const char* kTooFewFields =
    "Zeile %d hat %d Felder, erwartet werden mindestens 11";
inline constexpr const char* kTooFewFieldsOne =
    "Zeile %d hat 1 Feld, erwartet werden mindestens 11";
// Where in a board file a value failed; the last %s is the conversion message.
inline constexpr const char* kAtColumn = "Zeile %d, Spalte \"%s\": %s";
inline constexpr const char* kAtField = "Zeile %d, Spalte %d (%s): %s";
inline constexpr const char* kNoDesignator = "Zeile %d, Spalte \"%s\": der Bauteilname fehlt";
inline constexpr const char* kEmptyBoardFile = "Die Datei %s ist leer";
inline constexpr const char* kNoBoardHeader =
    "Die Datei %s hat keine Kopfzeile mit den Spalten f\xFCr Bauteilname, X und Y. "
    "Erwartet werden eine Spalte Bauteilname (%s), eine Spalte X (%s) und eine Spalte Y (%s)";

// G-code program options that cannot give a program a machine runs safely.
inline constexpr const char* kValveOnMissing =
    "Ventil schalten ist eingeschaltet, aber \"Ventil Ausgang\" ist leer";
inline constexpr const char* kValveOffMissing =
    "Ventil schalten ist eingeschaltet, aber \"Ventil aus\" ist leer";
inline constexpr const char* kValveCodeStops =
    "Der Ventil-Befehl \"%s\" enth\xE4lt %s und w\xFCrde das Programm anhalten; bitte die "
    "Befehle der Steuerung eintragen, die das Vakuumventil schalten";
inline constexpr const char* kBadDelay =
    "Die Verz\xF6gerung \"%s\" ist keine Zeit in Sekunden (eine Zahl ab 0)";
inline constexpr const char* kBadSwitch = "Ung\xFCltiger Wert \"%s\" f\xFCr %s (erlaubt: 0 oder 1)";
inline constexpr const char* kUnknownController =
    "Unbekannte Steuerung \"%s\" (erlaubt: Standard, LinuxCNC, GRBL)";
// The job estimate after a generation.
inline constexpr const char* kSummaryParts = "Bauteile platziert: %s";
inline constexpr const char* kSummaryTravel = "Verfahrweg: %s";
inline constexpr const char* kSummaryTime = "Gesch\xE4tzte Dauer: %s";
inline constexpr const char* kSummaryUnknown = "unbekannt";

}  // namespace tav::msg
