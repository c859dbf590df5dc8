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
inline constexpr const char* kNoComponentRows =
    "Die Datei %s enth\xE4lt keine Bauteilzeilen (weniger als vier Zeilen)";
inline constexpr const char* kTooFewFields =
    "Zeile %d hat %d Felder, erwartet werden mindestens 11";

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
