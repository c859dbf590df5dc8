// SPDX-License-Identifier: GPL-3.0-or-later
// The G-code generator on trees and settings built from the input: a program
// of the expected shape or a tav::Error, never another exception.
//
// Input lines (split at LF; CR and NUL are dropped, as no editor or file holds
// them inside a value):
//   =<c><value>                      sets stored settings field (c - 'a') mod 26 to value
//                                    (a-t: feeders 1-4 X, Y, Z, Versatz, Richtung; u-w:
//                                    SpeedHeben, SpeedSetzen, SpeedFahren; x, y: valve,
//                                    delay; z: BauteilMaxHeight)
//   #<c><value>                      sets program option (c - 'a') mod 4 to value (a: valve
//                                    off code, b: switch the valve, c: controller, d: comments)
//   +<name>,<x>,<y>,<feeder>,<icon>  appends a whole component block; a one-digit
//                                    feeder N means "Feeder: N", else the text as is
//   <<text>                          inserts a top-level node before all others
//   !<n>                             sets ImageIndex and SelectedIndex of the last node
//   <TABs><text>                     a node one level per TAB (at most one deeper)
#include <charconv>
#include <string>
#include <vector>

#include "core/Error.h"
#include "core/LineList.h"
#include "core/TextOperations.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"
#include "gcode/GCodeGenerator.h"
#include "gcode/GCodeNumbers.h"
#include "gcode/GCodeOptions.h"

namespace tav::fuzz {
namespace {

int SmallInteger(std::string_view text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::string FieldOrEmpty(const std::vector<std::string>& fields, std::size_t i) {
  return i < fields.size() ? fields[i] : std::string();
}

void Build(std::string_view input, ComponentTree& tree, MachineSettings& settings) {
  const std::vector<std::string*> fields = StoredFields(settings);
  const std::vector<std::string*> options = {&settings.valveOffCode, &settings.switchValve,
                                             &settings.controller, &settings.comments};
  TreeNode* last = nullptr;
  for (std::string_view piece : SplitAtNewline(input)) {
    std::string line(piece);
    std::erase_if(line, [](char c) { return c == '\r' || c == '\0'; });
    if (line.starts_with('=') && line.size() >= 2) {
      *fields[static_cast<unsigned char>(line[1] - 'a') % fields.size()] = line.substr(2);
    } else if (line.starts_with('#') && line.size() >= 2) {
      *options[static_cast<unsigned char>(line[1] - 'a') % options.size()] = line.substr(2);
    } else if (line.starts_with('+')) {
      const std::vector<std::string> parts = SplitFields(line.substr(1), ',');
      std::string feeder = FieldOrEmpty(parts, 3);
      if (feeder.size() == 1) feeder = "Feeder: " + feeder;
      AppendComponent(tree, parts[0], FieldOrEmpty(parts, 1), FieldOrEmpty(parts, 2), feeder,
                      SmallInteger(FieldOrEmpty(parts, 4)));
      last = tree.NodeAt(tree.Count() - 1);
    } else if (line.starts_with('<')) {
      last = tree.AddFirst(line.substr(1));
    } else if (line.starts_with('!')) {
      if (last == nullptr) continue;
      const int icon = SmallInteger(std::string_view(line).substr(1));
      tree.SetIcons(last, icon);
    } else {
      std::size_t level = 0;
      while (level < line.size() && line[level] == '\t') ++level;
      TreeNode* parent = nullptr;
      if (last != nullptr && level > 0) {
        // At most one level below the last node: climb until that holds.
        parent = last;
        while (parent != nullptr && static_cast<std::size_t>(parent->Level()) >= level)
          parent = parent->Parent();
      }
      last = tree.AddChild(parent, line.substr(level));
    }
  }
}

void CheckProgram(const std::string& program, const ComponentTree& tree,
                  const MachineSettings& settings) {
  // The options were read by the run that succeeded, so they are valid.
  const GCodeOptions options = ReadGCodeOptions(settings);
  const bool percentLines = options.controller == Controller::kStandard;
  const std::string last = percentLines ? "%" : "M2";
  Expect(program.ends_with("\r\n" + last + "\r\n"), "the program does not end with " + last);
  const LineList lines = SplitLines(program);
  Expect(JoinLines(lines) == program, "a program line lacks CR LF or holds a line break");

  std::vector<int> included;
  for (int row = 0; row < tree.TopLevelCount(); ++row) {
    const TreeNode* top = tree.TopLevel(row);
    if (top->ImageIndex() == 0) included.push_back(tree.IndexOf(top));
  }
  // A component block: an optional comment line, 11 lines, and two lines
  // (code, dwell) at pick and at place when the valve is switched.
  const std::size_t comment = options.comments ? 1 : 0;
  const std::size_t valve = options.switchValve ? 2 : 0;
  const std::size_t blockLines = 11 + comment + 2 * valve;
  const std::size_t header = percentLines ? 12 : 11;
  Expect(lines.size() == header + 1 + blockLines * included.size(),
         "the program has " + std::to_string(lines.size()) + " lines for " +
             std::to_string(included.size()) + " included components");
  Expect(lines[0] == "(-------------------------------)" && lines[header - 4] == "G21" &&
             (lines[7] == "%") == percentLines,
         "the header is wrong");
  Expect(lines[header - 2] == "G01 Z+" + GCodeNumberText(settings.maxPartHeight) + " F" +
                                  GCodeNumberText(settings.liftFeed),
         "the header's lift line is wrong");
  for (std::size_t k = 0; k < included.size(); ++k) {
    const int index = included[k];
    const auto coordinate = [&tree, index](int offset) {
      return ReplaceText(tree.NodeAt(index + offset)->Text(), "mm", "", true, true);
    };
    const std::size_t block = header + blockLines * k;
    const std::size_t move = block + comment;  // the first move to the feeder
    const std::string expected = "G00 X" + GCodeNumberText(coordinate(7)) + " Y" +
                                 GCodeNumberText(coordinate(8)) + " F" +
                                 GCodeNumberText(settings.travelFeed);
    Expect(lines[move + 7 + valve] == expected,
           "component " + std::to_string(k) + " is placed at the wrong position");
    Expect(comment == 0 || (lines[block].starts_with("(") && lines[block].ends_with(")")),
           "component " + std::to_string(k) + " has no comment line");
    Expect(
        valve == 0 || (lines[move + 6] == options.valveOn && lines[move + 11] == options.valveOff),
        "component " + std::to_string(k) + " does not switch the valve at pick and place");
    Expect(lines[block + blockLines - 1].empty(),
           "a component block does not end with an empty line");
  }
}

}  // namespace

void FuzzGCode(std::string_view input) {
  ComponentTree tree;
  MachineSettings settings;
  Build(input, tree, settings);
  const TreeState before = StateOf(tree);

  std::string program;
  std::string failure;
  try {
    program = GCodeGenerator::Generate(tree, settings);
  } catch (const Error& error) {
    failure = error.message();
    Expect(!failure.empty(), "the generator failed with an empty message");
  }

  // Writing into the editor gives the same program, or stops after whole lines.
  std::string editor = "alter Inhalt\r\n";
  try {
    GCodeGenerator::Generate(tree, settings, editor);
    Expect(failure.empty() && editor == program, "the editor variant differs");
  } catch (const Error& error) {
    Expect(error.message() == failure, "the editor variant fails differently");
    // A refused program writes nothing: the old program stays whole.
    Expect(editor == "alter Inhalt\r\n", "the editor lost its program");
  }
  Expect(StateOf(tree) == before, "the generator changed the tree");
  if (failure.empty()) CheckProgram(program, tree, settings);
}

}  // namespace tav::fuzz
