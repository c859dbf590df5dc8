// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/BoardFormatHelp.h"

#include "boards/ColumnRoles.h"

namespace tav {
namespace {

void AppendNames(std::string& text, ColumnRole role) {
  text += "  ";
  text += RoleName(role);
  text += ": ";
  bool first = true;
  for (const std::string_view name : ColumnNames(role)) {
    if (!first) text += ", ";
    text += name;
    first = false;
  }
  if (role == ColumnRole::kX) text += " (Ref X nur ohne andere X-Spalte)";
  if (role == ColumnRole::kY) text += " (Ref Y nur ohne andere Y-Spalte)";
  text += "\n";
}

}  // namespace

std::string BoardFormatHelp() {
  std::string text =
      "Tavoline liest Pick-and-Place-Dateien in diesen Aufbauten:\n"
      "\n"
      "\x95 Altes Format: Zeile 1 \xDC"
      "berschrift, Zeile 2 leer, ab Zeile 3 ein Bauteil je Zeile, Felder durch "
      "Komma getrennt: 1 Bauteilname, 2 Footprint, 3 X, 4 Y, 9 Seite, 10 Drehung, 11 Wert.\n"
      "\x95 Dateien mit Kopfzeile (z. B. KiCad-CSV, CPL-Dateien von Best\xFC"
      "ckungsdiensten, DipTrace, Exporte mit Vorspann wie \"Units used: mil\"): "
      "Spalten durch Tabulator, Semikolon oder Komma getrennt, Felder auch in "
      "Anf\xFChrungszeichen. Die Kopfzeile ist die erste Zeile, die Bauteilname, X und Y nennt.\n"
      "\x95 KiCad .pos: Spalten mit Leerzeichen ausgerichtet, Kopfzeile "
      "\"# Ref Val Package PosX PosY Rot Side\", Einheit aus \"## Unit = mm\" oder \"inches\".\n"
      "\n"
      "Erkannte Spalten (Gro\xDF- und Kleinschreibung, Leerzeichen, \"-\" und \"_\" "
      "z\xE4hlen nicht):\n";
  for (const ColumnRole role :
       {ColumnRole::kDesignator, ColumnRole::kX, ColumnRole::kY, ColumnRole::kRotation,
        ColumnRole::kSide, ColumnRole::kValue, ColumnRole::kFootprint}) {
    AppendNames(text, role);
  }
  text +=
      "\n"
      "Einheiten: die Endung am Wert (mm, mil, in, inch), sonst die Einheit der Spalte "
      "(\"(mm)\", \"(mil)\", \"(in)\"), sonst eine Zeile \"Units used: mil\" oder "
      "\"## Unit = inches\" vor der Kopfzeile, sonst mm. Werte in mil und Zoll werden in mm "
      "umgerechnet.\n"
      "Zahlen: der Punkt gilt immer als Dezimaltrennzeichen, dazu das Dezimaltrennzeichen "
      "der Spracheinstellung.\n"
      "Kodierung: UTF-16 und UTF-8 (mit Byte-Order-Mark oder erkannt), sonst Windows-1252.\n"
      "Leere Zeilen, Zeilen nur aus Trennzeichen, Zeilen ohne Trennzeichen und Zeilen mit "
      "\"#\" am Anfang sind keine Bauteile.\n"
      "\n"
      "Auf der Kommandozeile zeigt \"tav show DATEI\", was gelesen wird.\n";
  return text;
}

}  // namespace tav
