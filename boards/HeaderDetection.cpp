// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/HeaderDetection.h"

#include "boards/BoardLines.h"
#include "boards/KiCadPos.h"

namespace tav {

std::optional<BoardHeader> HeaderOfLine(std::string_view line, std::vector<std::string>& scratch) {
  const bool comment = IsCommentLine(line);
  const std::string_view text = comment ? WithoutCommentMarks(line) : line;
  if (IsBlankLine(text)) return std::nullopt;
  const Delimiter delimiter = DelimiterOf(text, scratch);
  SplitBoardFields(text, delimiter, scratch);
  std::optional<ColumnMap> columns = RecognizeColumns(scratch);
  if (!columns) return std::nullopt;
  BoardHeader header;
  header.delimiter = delimiter;
  header.columns = std::move(*columns);
  header.fromComment = comment;
  return header;
}

std::optional<BoardHeader> FindHeader(LineSource& lines) {
  std::vector<std::string> scratch;
  LengthUnit fileUnit = LengthUnit::kUnspecified;
  std::string_view line;
  for (std::size_t i = 0; lines.Next(line); ++i) {
    if (IsBlankLine(line)) continue;
    if (const LengthUnit unit = KiCadUnit(line); unit != LengthUnit::kUnspecified) {
      fileUnit = unit;
      continue;
    }
    if (const LengthUnit unit = BannerUnit(line); unit != LengthUnit::kUnspecified) {
      fileUnit = unit;
      continue;
    }
    if (std::optional<BoardHeader> header = HeaderOfLine(line, scratch)) {
      header->line = i;
      header->fileUnit = fileUnit;
      return header;
    }
  }
  return std::nullopt;
}

}  // namespace tav
