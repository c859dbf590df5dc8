// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/BoardFile.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "boards/BoardLines.h"
#include "boards/ColumnRoles.h"
#include "boards/HeaderDetection.h"
#include "boards/HeaderReader.h"
#include "boards/LegacyReader.h"
#include "core/Error.h"
#include "core/FileAccess.h"
#include "core/LineBreaks.h"
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

}  // namespace

BoardFile ReadBoardBytes(std::string bytes, const std::string& path, const ComponentSink& sink) {
  BoardFile file;
  DecodedText decoded = DecodeBoardText(std::move(bytes));
  file.encoding = decoded.encoding;
  const std::vector<std::string_view> lines = LineViews(decoded.text);
  if (lines.empty()) throw Error(FormatMessage(msg::kEmptyBoardFile, {FullPathForMessage(path)}));

  if (IsLegacyLayout(lines)) {
    file.layout = BoardLayout::kLegacy;
    file.count = ReadLegacyRows(lines, file.unitsSeen, sink);
    return file;
  }
  const std::optional<BoardHeader> header = FindHeader(lines);
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
  file.count = ReadHeaderRows(lines, *header, file.unitsSeen, sink);
  return file;
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
  std::string bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const FileAccessError& error) {
    throw Error(FormatMessage(msg::kCannotOpen, {FullPathForMessage(path), error.reason()}));
  }
  return ReadBoardBytes(std::move(bytes), path, sink);
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
