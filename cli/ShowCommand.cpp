// SPDX-License-Identifier: GPL-3.0-or-later
// `tav show`: what the import reads from a pick-and-place file, for a check
// before the machine runs.
#include <string>

#include "boards/BoardFile.h"
#include "cli/Commands.h"
#include "cli/OutputSpool.h"
#include "cli/TerminalText.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "core/NumberConversion.h"
#include "core/Windows1252.h"
#include "gcode/ProgramPosition.h"
#include "project/ProjectFile.h"

namespace tav::cli {
namespace {

// A field of the listing: TAB and line breaks inside it become blanks, so
// every component stays one line of TAB-separated fields.
void AppendField(std::string& line, const std::string& text) {
  if (!line.empty()) line.push_back('\t');
  for (const char c : text) line.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
}

void Write(std::FILE* stream, const std::string& bytes, const char* name) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
  if (!written || std::fflush(stream) != 0) throw Error(FormatMessage(msg::kCannotWrite, {name}));
}

// Each included part of the project as the program will place it.
void ShowProject(const std::string& path, std::FILE* standardOutput) {
  ComponentTree tree;
  MachineSettings settings;
  LoadProject(path, tree, settings);
  const BoardPlacement placement(settings);
  std::string listing;
  std::string line;
  for (int row = 0; row < tree.TopLevelCount(); ++row) {
    const TreeNode* top = tree.TopLevel(row);
    if (top->ImageIndex() != icon::kIncluded) continue;
    const ComponentBlock component = ReadComponentBlock(tree, tree.IndexOf(top));
    const PlacedComponent placed = ProgramPosition(placement, component);
    line.clear();
    AppendField(line, std::string(component.designator));
    AppendField(line, placed.x);
    AppendField(line, placed.y);
    AppendField(line, placed.turn ? TurnText(*placed.turn) : std::string(component.rotation));
    listing += Cp1252ToUtf8(line);
    listing += '\n';
  }
  Write(standardOutput, listing, "die Standardausgabe");
}

}  // namespace

void RunShow(const Arguments& args, std::FILE* standardOutput, std::FILE* standardError) {
  if (args.project) return ShowProject(*args.project, standardOutput);
  // Held until the file is read to its end, so an error shows no half listing;
  // the rows are not: a large board's listing spools to a temporary file.
  OutputSpool listing;
  std::string line;
  const BoardFile file = ReadBoardFile(args.input, [&](const BoardComponent& component) {
    line.clear();
    AppendField(line, component.designator);
    AppendField(line, component.value);
    AppendField(line, component.footprint);
    // Millimetres with "." whatever the user's separator, as the machine reads them.
    AppendField(line, NumberToText(component.xMm, 15, 0, '.'));
    AppendField(line, NumberToText(component.yMm, 15, 0, '.'));
    AppendField(line, component.rotation);
    AppendField(line, component.side);
    line = Cp1252ToUtf8(line);
    line.push_back('\n');
    listing.Append(line);
  });
  listing.CopyTo(standardOutput);
  Write(standardError, ToTerminal(BoardFileSummary(file)) + "\n", "die Standardfehlerausgabe");
}

}  // namespace tav::cli
