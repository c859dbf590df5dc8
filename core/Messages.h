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

}  // namespace tav::msg
