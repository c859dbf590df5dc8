// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Usage.h"

namespace tav::cli {
namespace {

constexpr std::string_view kGCodeSynopsis =
    "tav gcode [--project P.tav] [--pnp F.csv] [-o OUT] [--decimal-separator C]\n"
    "          [--summary] [--machine M.tavm] [--set SCHL\xDCSSEL=WERT]...\n"
    "          [--align BAUTEIL=X,Y --align BAUTEIL=X,Y]\n";
constexpr std::string_view kImportSynopsis =
    "tav import F.csv -o P.tav [--project BASE.tav] [--decimal-separator C]\n"
    "          [--machine M.tavm] [--set SCHL\xDCSSEL=WERT]...\n"
    "          [--align BAUTEIL=X,Y --align BAUTEIL=X,Y]\n";
constexpr std::string_view kPlanSynopsis =
    "tav plan (--pnp F.csv | --project P.tav) -o ORDNER [--decimal-separator C]\n"
    "          [--machine M.tavm] [--set SCHL\xDCSSEL=WERT]...\n"
    "          [--align BAUTEIL=X,Y --align BAUTEIL=X,Y]\n";

// The options that set machine settings, shared by gcode, import and plan.
constexpr std::string_view kSettingOptionsHelp =
    "  --machine M.tavm         Maschineneinstellungen aus dieser Datei laden\n"
    "                           (nach dem Projekt)\n"
    "  --set SCHL\xDCSSEL=WERT     eine Einstellung setzen, mit dem Schl\xFCssel der\n"
    "                           Projektdatei (F1X, SpeedFahren, BauteilMaxZ, Ventil_On,\n"
    "                           Delay, ...); mehrfach m\xF6glich, nach --machine\n"
    "  --align BAUTEIL=X,Y      zweimal: die an der Maschine gemessene Mitte eines\n"
    "                           Bauteils (Zahlen mit \".\"); setzt Nullpunkt und Drehung\n"
    "                           der Platine (nach --set), Ergebnis auf stderr\n";

constexpr std::string_view kPlanHelp =
    "Teilt die eingeschlossenen Bauteile in Durchg\xE4nge zu je vier Bauteilarten\n"
    "(gleicher Wert und Footprint) auf, die h\xE4ufigsten zuerst, auf Feeder 1 bis 4.\n"
    "\n"
    "  --pnp F.csv              Pick-and-Place-Datei importieren; ersetzt die Bauteile\n"
    "  --project P.tav          Projekt laden (Bauteile und Einstellungen)\n"
    "  -o ORDNER                Zielordner (wird angelegt, wenn er fehlt); er erh\xE4lt\n"
    "                           durchgang-1.nc, durchgang-2.nc, ... und einrichtung.txt\n"
    "  --decimal-separator C    Dezimaltrennzeichen statt dem der Spracheinstellung\n";

constexpr std::string_view kPlanNotes =
    "\n"
    "Ausgeschlossene und nicht best\xFC"
    "ckte Bauteile (Wert NC, DNP, DNF, ...) werden nicht\n"
    "eingeplant. Ohne Drehachse, sobald Seite, Nullpunkt, Drehung oder Feeder-Winkel\n"
    "gesetzt sind, wird jede Bauteilart nach dem n\xF6tigen Winkel geteilt. Bei einem\n"
    "Fehler wird keine Datei im Ordner angelegt oder ge\xE4ndert. Programme\n"
    "durchgang-N.nc einer fr\xFC"
    "heren Planung mit mehr Durchg\xE4ngen werden entfernt.\n";
constexpr std::string_view kShowSynopsis =
    "tav show F.csv [--decimal-separator C]\n"
    "  tav show --project P.tav [--decimal-separator C]\n";
constexpr std::string_view kSendSynopsis = "tav send PROGRAMM.nc --port GER\xC4T [--baud N]\n";

constexpr std::string_view kSendHelp =
    "Sendet ein G-Code-Programm an eine GRBL-Steuerung (GRBL 1.1) und wartet, bis\n"
    "jede Zeile mit \"ok\" best\xE4tigt ist. Kommentare und Leerzeilen werden nicht\n"
    "gesendet; der Empfangspuffer der Steuerung (128 Bytes) bleibt gef\xFCllt.\n"
    "\n"
    "  PROGRAMM.nc              das Programm (z. B. mit Steuerung GRBL erzeugt)\n"
    "  --port GER\xC4T             die serielle Schnittstelle, z. B. /dev/ttyUSB0\n"
    "  --baud N                 Baudrate (Standard: 115200)\n"
    "\n"
    "Bei error: oder ALARM: und bei Strg+C wird die Maschine angehalten\n"
    "(Vorschub halten, dann Zur\xFC"
    "cksetzen) und die Zeile im Programm genannt.\n"
    "\n"
    "Exit-Status: 0 alle Zeilen best\xE4tigt, 1 Fehler oder Alarm (Maschine\n"
    "angehalten), 2 falscher Aufruf, 130 mit Strg+C abgebrochen.\n";

constexpr std::string_view kGCodeHelp =
    "Erzeugt das G-Code-Programm aus Projekt und Pick-and-Place-Datei.\n"
    "\n"
    "  --project P.tav          Projekt laden (Bauteile und Einstellungen)\n"
    "  --pnp F.csv              Pick-and-Place-Datei importieren; ersetzt die Bauteile\n"
    "                           (alle eingeschlossen, Feeder 1)\n"
    "  -o OUT                   Programm genau in diese Datei schreiben, sonst auf die\n"
    "                           Standardausgabe; bei einem Fehler bleibt OUT unver\xE4ndert\n"
    "  --decimal-separator C    Dezimaltrennzeichen statt dem der Spracheinstellung\n"
    "  --summary                Bauteile, Verfahrweg und gesch\xE4tzte Dauer auf stderr\n"
    "                           ausgeben (eine Sch\xE4tzung aus Wegen und Vorsch\xFC"
    "ben)\n";

constexpr std::string_view kGCodeNotes =
    "\n"
    "Ohne --project gelten die Standardeinstellungen. Zahlen stehen im Programm immer\n"
    "mit \".\".\n";

constexpr std::string_view kImportHelp =
    "Importiert eine Pick-and-Place-Datei und speichert sie als Projekt.\n"
    "\n"
    "  F.csv                    die Pick-and-Place-Datei\n"
    "  -o P.tav                 das Projekt, das geschrieben wird; ein vorhandenes\n"
    "                           wird aktualisiert\n"
    "  --project BASE.tav       Einstellungen aus diesem Projekt \xFC"
    "bernehmen\n"
    "  --decimal-separator C    Dezimaltrennzeichen statt dem der Spracheinstellung\n";

constexpr std::string_view kShowHelp =
    "Zeigt, was der Import aus einer Pick-and-Place-Datei liest: je Bauteil eine\n"
    "Zeile auf der Standardausgabe mit Bauteilname, Wert, Footprint, X (mm), Y (mm),\n"
    "Drehung und Seite, durch Tabulatoren getrennt; auf stderr eine Zeile mit dem\n"
    "erkannten Aufbau, der Kodierung, der Einheit und der Anzahl.\n"
    "\n"
    "  F.csv                    die Pick-and-Place-Datei (altes Format, Kopfzeile\n"
    "                           mit TAB, \";\" oder \",\", KiCad .pos; UTF-8, UTF-16)\n"
    "  --decimal-separator C    Dezimaltrennzeichen statt dem der Spracheinstellung\n"
    "                           (\".\" gilt in Pick-and-Place-Dateien immer)\n"
    "  --project P.tav          stattdessen je eingeschlossenem Bauteil des Projekts:\n"
    "                           Bauteilname, Maschinen-X, Maschinen-Y und Drehung,\n"
    "                           wie das Programm sie verwendet\n";

constexpr std::string_view kExitStatus =
    "\n"
    "Exit-Status: 0 Erfolg, 1 Fehler (Meldung auf stderr), 2 falscher Aufruf.\n";

}  // namespace

std::string HelpText(std::string_view command) {
  std::string text = "Aufruf: ";
  if (command == "gcode") {
    text.append(kGCodeSynopsis).append("\n").append(kGCodeHelp);
    text.append(kSettingOptionsHelp).append(kGCodeNotes);
  } else if (command == "import") {
    text.append(kImportSynopsis).append("\n").append(kImportHelp).append(kSettingOptionsHelp);
  } else if (command == "plan") {
    text.append(kPlanSynopsis).append("\n").append(kPlanHelp);
    text.append(kSettingOptionsHelp).append(kPlanNotes);
  } else if (command == "show") {
    text.append(kShowSynopsis).append("\n").append(kShowHelp);
  } else if (command == "send") {
    return text.append(kSendSynopsis).append("\n").append(kSendHelp);
  } else {
    text.append("\n  ").append(kGCodeSynopsis).append("  ").append(kImportSynopsis);
    text.append("  ").append(kPlanSynopsis).append("  ").append(kShowSynopsis);
    text.append("  ").append(kSendSynopsis);
    text.append("  tav --help, tav BEFEHL --help, tav --version\n\n");
    text.append(
        "Tavoline: aus der Pick-and-Place-Datei einer Leiterplatte ein G-Code-Programm\n"
        "f\xFCr einen Best\xFC"
        "ckungsautomaten mit vier Feedern erzeugen.\n\n"
        "Befehle:\n"
        "  gcode    G-Code-Programm erzeugen\n"
        "  import   Pick-and-Place-Datei als Projekt speichern\n"
        "  plan     Durchg\xE4nge zu je vier Bauteilarten und Einrichtungsblatt erzeugen\n"
        "  show     zeigen, was aus einer Pick-and-Place-Datei gelesen wird\n"
        "  send     Programm an eine GRBL-Steuerung senden\n");
  }
  text.append(kExitStatus);
  return text;
}

std::string UsageHint(std::string_view command) {
  std::string text = "Aufruf: ";
  if (command == "gcode") {
    text.append(kGCodeSynopsis);
  } else if (command == "import") {
    text.append(kImportSynopsis);
  } else if (command == "plan") {
    text.append(kPlanSynopsis);
  } else if (command == "show") {
    text.append(kShowSynopsis);
  } else if (command == "send") {
    text.append(kSendSynopsis);
  } else {
    text.append("\n  ").append(kGCodeSynopsis).append("  ").append(kImportSynopsis);
    text.append("  ").append(kPlanSynopsis).append("  ").append(kShowSynopsis);
    text.append("  ").append(kSendSynopsis);
  }
  text.append("Mehr dazu: tav ");
  if (command == "gcode" || command == "import" || command == "plan" || command == "show" ||
      command == "send")
    text.append(command).append(" ");
  text.append("--help\n");
  return text;
}

}  // namespace tav::cli
