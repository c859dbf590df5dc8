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

}  // namespace tav::msg
