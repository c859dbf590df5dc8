#include "cli/Usage.h"

namespace tav::cli {
namespace {

constexpr std::string_view kGCodeSynopsis =
    "tav gcode [--project P.tav] [--pnp F.csv] [-o OUT] [--decimal-separator C]\n";
constexpr std::string_view kImportSynopsis =
    "tav import F.csv -o P.tav [--project BASE.tav] [--decimal-separator C]\n";
constexpr std::string_view kShowSynopsis = "tav show F.csv [--decimal-separator C]\n";

constexpr std::string_view kGCodeHelp =
    "Erzeugt das G-Code-Programm aus Projekt und Pick-and-Place-Datei.\n"
    "\n"
    "  --project P.tav          Projekt laden (Bauteile und Einstellungen)\n"
    "  --pnp F.csv              Pick-and-Place-Datei importieren; ersetzt die Bauteile\n"
    "                           (alle eingeschlossen, Feeder 1)\n"
    "  -o OUT                   Programm genau in diese Datei schreiben, sonst auf die\n"
    "                           Standardausgabe; bei einem Fehler bleibt OUT unver\xE4ndert\n"
    "  --decimal-separator C    Dezimaltrennzeichen statt dem der Spracheinstellung\n"
    "\n"
    "Ohne --project gelten die Standardeinstellungen.\n";

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
    "                           (\".\" gilt in Pick-and-Place-Dateien immer)\n";

constexpr std::string_view kExitStatus =
    "\n"
    "Exit-Status: 0 Erfolg, 1 Fehler (Meldung auf stderr), 2 falscher Aufruf.\n";

}  // namespace

std::string HelpText(std::string_view command) {
  std::string text = "Aufruf: ";
  if (command == "gcode") {
    text.append(kGCodeSynopsis).append("\n").append(kGCodeHelp);
  } else if (command == "import") {
    text.append(kImportSynopsis).append("\n").append(kImportHelp);
  } else if (command == "show") {
    text.append(kShowSynopsis).append("\n").append(kShowHelp);
  } else {
    text.append("\n  ").append(kGCodeSynopsis).append("  ").append(kImportSynopsis);
    text.append("  ").append(kShowSynopsis);
    text.append("  tav --help, tav BEFEHL --help\n\n");
    text.append(
        "Tavoline: aus der Pick-and-Place-Datei einer Leiterplatte ein G-Code-Programm\n"
        "f\xFCr einen Best\xFC"
        "ckungsautomaten mit vier Feedern erzeugen.\n\n"
        "Befehle:\n"
        "  gcode    G-Code-Programm erzeugen\n"
        "  import   Pick-and-Place-Datei als Projekt speichern\n"
        "  show     zeigen, was aus einer Pick-and-Place-Datei gelesen wird\n");
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
  } else if (command == "show") {
    text.append(kShowSynopsis);
  } else {
    text.append("\n  ").append(kGCodeSynopsis).append("  ").append(kImportSynopsis);
    text.append("  ").append(kShowSynopsis);
  }
  text.append("Mehr dazu: tav ");
  if (command == "gcode" || command == "import" || command == "show")
    text.append(command).append(" ");
  text.append("--help\n");
  return text;
}

}  // namespace tav::cli
