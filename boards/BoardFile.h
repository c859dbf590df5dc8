// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "boards/BoardComponent.h"
#include "boards/FieldSplitting.h"
#include "boards/LengthUnits.h"
#include "boards/TextDecoding.h"

namespace tav {

// How a board file was read.
enum class BoardLayout {
  kLegacy,     // the program's own layout, fields by position
  kDelimited,  // a header naming the columns, fields separated by TAB, ";" or ","
  kKiCadPos,   // KiCad's .pos: a "#" header, columns aligned with blanks
};

// Everything a board file gives: its components in file order and what the
// reader recognised.
struct BoardFile {
  std::vector<BoardComponent> components;  // empty when a sink took them
  std::size_t count = 0;                   // number of components
  TextEncoding encoding = TextEncoding::kWindows1252;
  BoardLayout layout = BoardLayout::kLegacy;
  Delimiter delimiter = Delimiter::kComma;
  std::size_t headerLine = 0;  // from 1; 0 in the legacy layout
  LengthUnit fileUnit = LengthUnit::kUnspecified;
  unsigned unitsSeen = 0;  // bit (1 << unit) of every unit a coordinate was read in
};

// Reads the board file at `path` in pieces (BoardTextReader), decoding its
// text as DecodeBoardText does, and reads it in the legacy layout
// (IsLegacyLayout, ReadLegacyRows) or by its header (FindHeader,
// ReadHeaderRows). A header without rows, or a legacy file without a row, is
// a board without components. Throws Error: the file cannot be opened ("Datei
// %s kann nicht geöffnet werden. %s"), is empty, has no recognisable header
// (naming the columns expected), or a row is faulty.
BoardFile ReadBoardFile(const std::string& path);

// The same for bytes already read; `path` only names the file in messages.
BoardFile ReadBoardBytes(std::string bytes, const std::string& path);

// The same, handing each component to `sink` instead of collecting them (the
// import builds its tree so without holding every component at once). When
// an Error is thrown, `sink` may already have received components. With a
// sink, memory does not grow with the file.
BoardFile ReadBoardFile(const std::string& path, const ComponentSink& sink);
BoardFile ReadBoardBytes(std::string bytes, const std::string& path, const ComponentSink& sink);

// German one-line summary: layout, encoding, unit and number of components.
std::string BoardFileSummary(const BoardFile& file);

}  // namespace tav
