// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The German messages of the machine link, in Windows-1252.
namespace tav::machine::msg {

inline constexpr const char* kRealTimeByteInProgram =
    "Zeile %s: Das Zeichen %s steht im Programm; die Steuerung f\xFChrt es sofort als "
    "Echtzeitbefehl aus. Das Programm wurde nicht gesendet";
inline constexpr const char* kLineTooLong =
    "Zeile %s: Die Zeile ist mit %s Zeichen zu lang f\xFC"
    "r den Empfangspuffer der Steuerung "
    "(%s Bytes). Das Programm wurde nicht gesendet";
inline constexpr const char* kEmptyProgram = "Das Programm enth\xE4lt keine Befehle";
inline constexpr const char* kNoController =
    "Keine GRBL-Steuerung gefunden: auch nach einem Zur\xFC"
    "cksetzen kam keine Meldung \"Grbl "
    "1.1\"";
inline constexpr const char* kLineFailed = "Zeile %s \"%s\": %s";
inline constexpr const char* kErrorResponse = "Fehler %s: %s";
inline constexpr const char* kAlarmResponse = "Alarm %s: %s";
inline constexpr const char* kControllerRestarted =
    "Die Steuerung hat sich w\xE4hrend des Programms neu gestartet";
inline constexpr const char* kCannotOpenPort =
    "Der Anschluss \"%s\" l\xE4sst sich nicht \xF6"
    "ffnen: %s";
inline constexpr const char* kCannotConfigurePort =
    "Der Anschluss \"%s\" l\xE4sst sich nicht einstellen: %s";
inline constexpr const char* kUnsupportedBaud = "Die Baudrate %s wird nicht unterst\xFCtzt";
inline constexpr const char* kPortLost =
    "Die Verbindung zur Maschine ist abgebrochen (Kabel gezogen?)";
inline constexpr const char* kBusy = "Die Maschine arbeitet gerade ein Programm ab";

}  // namespace tav::machine::msg
