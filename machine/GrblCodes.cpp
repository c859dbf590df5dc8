// SPDX-License-Identifier: GPL-3.0-or-later
#include "machine/GrblCodes.h"

#include <array>
#include <string_view>

namespace tav::machine {
namespace {

// GRBL 1.1's error codes 1 to 38; 18 and 19 are unused.
constexpr std::array<std::string_view, 39> kErrors{
    "",
    "G-Code-W\xF6rter bestehen aus einem Buchstaben und einem Wert; der Buchstabe fehlt",
    "Zahlenwert fehlt oder hat ein ung\xFCltiges Format",
    "Unbekannter oder ung\xFCltiger $-Systembefehl",
    "Negativer Wert f\xFCr einen Parameter, der positiv sein muss",
    "Referenzfahrt ist nicht eingeschaltet ($22)",
    "Schrittimpuls k\xFCrzer als 3 Mikrosekunden",
    "EEPROM-Lesefehler; die Einstellungen wurden auf die Vorgaben zur\xFC"
    "ckgesetzt",
    "$-Befehl nur im Zustand Idle erlaubt",
    "G-Code gesperrt: Alarm oder Tippbetrieb aktiv",
    "Software-Endschalter brauchen eine eingeschaltete Referenzfahrt",
    "Zeile zu lang; sie wurde nicht ausgef\xFChrt",
    "Schrittrate \xFC"
    "ber 30 kHz",
    "Sicherheitst\xFCr offen",
    "Zeile f\xFCr Build-Info oder Startblock zu lang",
    "Tippziel au\xDF"
    "erhalb des Verfahrbereichs",
    "Ung\xFCltiger Tippbefehl ($J=)",
    "Lasermodus braucht einen PWM-Ausgang",
    "",
    "",
    "Nicht unterst\xFCtzter G-Code-Befehl",
    "Mehrere Befehle derselben modalen Gruppe in einer Zeile",
    "Kein Vorschub (F) festgelegt",
    "Befehlswert muss eine ganze Zahl sein",
    "Mehrere Befehle in der Zeile brauchen Achsw\xF6rter",
    "G-Code-Wort in der Zeile wiederholt",
    "Befehl ohne die n\xF6tigen Achsw\xF6rter",
    "Ung\xFCltige Zeilennummer (N)",
    "Befehl ohne den n\xF6tigen Wert (P oder L)",
    "Koordinatensysteme G59.1 bis G59.3 werden nicht unterst\xFCtzt",
    "G53 nur mit G0 oder G1",
    "Achsw\xF6rter ohne Befehl, der sie verwendet",
    "Kreisbogen ohne Achsw\xF6rter in der gew\xE4hlten Ebene",
    "Ung\xFCltiges Ziel der Bewegung",
    "Kreisbogen: Radius passt nicht zu Start und Ziel",
    "Kreisbogen ohne Mittelpunktsversatz in der gew\xE4hlten Ebene",
    "Unbenutzte G-Code-W\xF6rter in der Zeile",
    "G43.1 nicht auf die Werkzeugachse bezogen",
    "Werkzeugnummer gr\xF6\xDF"
    "er als erlaubt"};

// GRBL 1.1's alarm codes 1 to 9.
constexpr std::array<std::string_view, 10> kAlarms{
    "",
    "Hardware-Endschalter ausgel\xF6st; die Position ist verloren, neue Referenzfahrt empfohlen",
    "Software-Endschalter: Ziel au\xDF"
    "erhalb des Verfahrbereichs; die Position bleibt erhalten",
    "Zur\xFC"
    "ckgesetzt w\xE4hrend einer Bewegung; die Position ist verloren, neue Referenzfahrt "
    "empfohlen",
    "Antastfehler: Taster nicht im erwarteten Ausgangszustand",
    "Antastfehler: Taster hat innerhalb des Wegs nicht ausgel\xF6st",
    "Referenzfahrt abgebrochen: zur\xFC"
    "ckgesetzt",
    "Referenzfahrt abgebrochen: Sicherheitst\xFCr ge\xF6"
    "ffnet",
    "Referenzfahrt fehlgeschlagen: Endschalter nach dem Freifahren noch bet\xE4tigt",
    "Referenzfahrt fehlgeschlagen: Endschalter nicht gefunden"};

template <std::size_t N>
std::string TextOf(const std::array<std::string_view, N>& texts, int code, std::string_view what) {
  if (code > 0 && static_cast<std::size_t>(code) < N && !texts[code].empty())
    return std::string(texts[code]);
  return std::string(what) + " " + std::to_string(code);
}

}  // namespace

std::string GrblErrorText(int code) { return TextOf(kErrors, code, "Unbekannter Fehler"); }

std::string GrblAlarmText(int code) { return TextOf(kAlarms, code, "Unbekannter Alarm"); }

}  // namespace tav::machine
