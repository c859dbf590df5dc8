// The G-code generator on trees and settings built from the input: a program
// of the expected shape or a tav::Error, never another exception.
//
// Input lines (split at LF; CR and NUL are dropped, as no editor or file holds
// them inside a value):
//   =<c><value>                      sets stored settings field (c - 'a') mod 26 to value
//                                    (a-t: feeders 1-4 X, Y, Z, Versatz, Richtung; u-w:
//                                    SpeedHeben, SpeedSetzen, SpeedFahren; x, y: valve,
//                                    delay; z: BauteilMaxHeight)
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
  TreeNode* last = nullptr;
  for (std::string_view piece : SplitAtNewline(input)) {
    std::string line(piece);
    std::erase_if(line, [](char c) { return c == '\r' || c == '\0'; });
    if (line.starts_with('=') && line.size() >= 2) {
      *fields[static_cast<unsigned char>(line[1] - 'a') % fields.size()] = line.substr(2);
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
  Expect(program.ends_with("\r\n%\r\n"), "the program does not end with \"%\"");
  const LineList lines = SplitLines(program);
  Expect(JoinLines(lines) == program, "a program line lacks CR LF or holds a line break");

  std::vector<int> included;
  for (int row = 0; row < tree.TopLevelCount(); ++row) {
    const TreeNode* top = tree.TopLevel(row);
    if (top->ImageIndex() == 0) included.push_back(tree.IndexOf(top));
  }
  Expect(lines.size() == 13 + 11 * included.size(),
         "the program has " + std::to_string(lines.size()) + " lines for " +
             std::to_string(included.size()) + " included components");
  Expect(lines[0] == "(-------------------------------)" && lines[7] == "%" && lines[8] == "G21",
         "the header is wrong");
  Expect(lines[10] == "G01 Z+" + settings.maxPartHeight + " F" + settings.liftFeed,
         "the header's lift line is wrong");
  for (std::size_t k = 0; k < included.size(); ++k) {
    const int index = included[k];
    const auto coordinate = [&tree, index](int offset) {
      return ReplaceText(tree.NodeAt(index + offset)->Text(), "mm", "", true, true);
    };
    const std::string expected =
        "G00 X" + coordinate(7) + " Y" + coordinate(8) + " F" + settings.travelFeed;
    Expect(lines[12 + 11 * k + 7] == expected,
           "component " + std::to_string(k) + " is placed at the wrong position");
    Expect(lines[12 + 11 * k + 10].empty(), "a component block does not end with an empty line");
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
    Expect(editor.empty() || editor.ends_with("\r\n"), "the editor holds half a line");
    Expect(!editor.starts_with("alter Inhalt"), "the editor was not emptied");
  }
  Expect(StateOf(tree) == before, "the generator changed the tree");
  if (failure.empty()) CheckProgram(program, tree, settings);
}

}  // namespace tav::fuzz
