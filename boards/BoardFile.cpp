// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/BoardFile.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "boards/BoardLines.h"
#include "boards/BoardTextReader.h"
#include "boards/ColumnRoles.h"
#include "boards/HeaderDetection.h"
#include "boards/HeaderReader.h"
#include "boards/LegacyReader.h"
#include "core/Error.h"
#include "core/MessagePath.h"
#include "core/Messages.h"

namespace tav {
namespace {

std::string NamesOf(ColumnRole role) {
  std::string text;
  for (const std::string_view name : ColumnNames(role)) {
    if (!text.empty()) text += ", ";
    text += name;
  }
  if (role == ColumnRole::kX) text += ", Ref X";
  if (role == ColumnRole::kY) text += ", Ref Y";
  return text;
}

std::string UnitsText(const BoardFile& file) {
  unsigned units = file.unitsSeen;
  if (units == 0) {
    const LengthUnit unit =
        file.fileUnit == LengthUnit::kUnspecified ? LengthUnit::kMm : file.fileUnit;
    units = 1U << static_cast<unsigned>(unit);
  }
  std::string names;
  int count = 0;
  for (const LengthUnit unit : {LengthUnit::kMm, LengthUnit::kMil, LengthUnit::kInch}) {
    if ((units & (1U << static_cast<unsigned>(unit))) == 0) continue;
    if (count++ > 0) names += ", ";
    names += UnitName(unit);
  }
  return (count > 1 ? "Einheiten " : "Einheit ") + names;
}

// Reads the file in two rounds: the first line tells whether it is empty; the
// lines from the start tell its layout; then the rows are read, after the
// header line FindHeader stopped at, or from line 3 in the legacy layout.
BoardFile ReadBoardText(BoardTextReader& reader, const std::string& path,
                        const ComponentSink& sink) {
  BoardFile file;
  std::string_view line;
  if (!reader.Next(line))
    throw Error(FormatMessage(msg::kEmptyBoardFile, {FullPathForMessage(path)}));
  reader.Rewind();
  const bool legacy = IsLegacyLayout(reader);
  reader.Rewind();

  if (legacy) {
    file.layout = BoardLayout::kLegacy;
    reader.Next(line);
    reader.Next(line);
    file.count = ReadLegacyRows(reader, file.unitsSeen, sink);
    file.encoding = reader.Encoding();
    return file;
  }
  const std::optional<BoardHeader> header = FindHeader(reader);
  if (!header) {
    throw Error(FormatMessage(msg::kNoBoardHeader,
                              {FullPathForMessage(path), NamesOf(ColumnRole::kDesignator),
                               NamesOf(ColumnRole::kX), NamesOf(ColumnRole::kY)}));
  }
  file.layout = header->fromComment && header->delimiter == Delimiter::kBlanks
                    ? BoardLayout::kKiCadPos
                    : BoardLayout::kDelimited;
  file.delimiter = header->delimiter;
  file.headerLine = header->line + 1;
  file.fileUnit = header->fileUnit;
  file.count = ReadHeaderRows(reader, *header, file.unitsSeen, sink);
  file.encoding = reader.Encoding();
  return file;
}

}  // namespace

BoardFile ReadBoardBytes(std::string bytes, const std::string& path, const ComponentSink& sink) {
  BoardTextReader reader(BoardBytesOf(std::move(bytes)));
  return ReadBoardText(reader, path, sink);
}

BoardFile ReadBoardBytes(std::string bytes, const std::string& path) {
  std::vector<BoardComponent> components;
  BoardFile file = ReadBoardBytes(std::move(bytes), path, [&components](BoardComponent& c) {
    components.push_back(std::move(c));
  });
  file.components = std::move(components);
  return file;
}

BoardFile ReadBoardFile(const std::string& path, const ComponentSink& sink) {
  BoardTextReader reader(OpenBoardBytes(path));
  return ReadBoardText(reader, path, sink);
}

BoardFile ReadBoardFile(const std::string& path) {
  std::vector<BoardComponent> components;
  BoardFile file =
      ReadBoardFile(path, [&components](BoardComponent& c) { components.push_back(std::move(c)); });
  file.components = std::move(components);
  return file;
}

std::string BoardFileSummary(const BoardFile& file) {
  std::string text = "Aufbau: ";
  const std::string headerLine = IntegerToText(static_cast<std::int64_t>(file.headerLine));
  switch (file.layout) {
    case BoardLayout::kLegacy:
      text += "altes Format (Zeile 2 leer, Felder nach Position)";
      break;
    case BoardLayout::kKiCadPos:
      text += "KiCad .pos (Kopfzeile in Zeile " + headerLine + ", Spalten durch Leerzeichen)";
      break;
    case BoardLayout::kDelimited:
      text += "Kopfzeile in Zeile " + headerLine + ", Trennzeichen ";
      text += DelimiterName(file.delimiter);
      break;
  }
  text += "; Kodierung ";
  text += EncodingName(file.encoding);
  text += "; " + UnitsText(file) + "; ";
  const std::size_t count = file.count;
  text += IntegerToText(static_cast<std::int64_t>(count));
  text += count == 1 ? " Bauteil" : " Bauteile";
  return text;
}

}  // namespace tav
