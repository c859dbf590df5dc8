#include "gcode/GCodeGenerator.h"

#include <array>
#include <initializer_list>

#include "core/ComponentBlock.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "core/NumberConversion.h"
#include "core/TextOperations.h"

namespace tav {
namespace {

// The comment box that opens every program; each line is 33 characters wide.
constexpr std::array<std::string_view, 6> kCommentBox{
    "(-------------------------------)",  //
    "(-- G-Code for Pick and Place --)",  //
    "(--  Created with TAV V1.0    --)",  //
    "(--                           --)",  //
    "(--  Tavoline                 --)",  //
    "(-------------------------------)",
};

// Appends the concatenated parts as one line of the editor, ended by CR LF.
void AppendLine(std::string& editor, std::initializer_list<std::string_view> parts) {
  for (const std::string_view part : parts) editor.append(part);
  editor.append("\r\n");
}

// Appends the eleven lines of the component whose top-level node stands at
// absolute index `index`. Each line is appended as soon as it is complete, so
// an error leaves the lines before it in the editor.
void AppendComponent(const ComponentTree& tree, int index, const MachineSettings& settings,
                     std::string& editor) {
  const ComponentBlock component = ReadComponentBlock(tree, index);
  const int feederNumber = component.feeder;
  const FeederSettings* feeder = settings.Feeder(feederNumber);
  if (feeder == nullptr)
    throw Error(FormatMessage(msg::kUnknownFeeder, {component.designator, component.feederText}));

  // An unknown direction would leave the sideways move undefined; refuse it
  // rather than reuse another component's axis.
  const std::optional<FeederDirection> direction = LookupDirection(feeder->Richtung);
  if (!direction)
    throw Error(
        FormatMessage(msg::kUnknownDirection, {IntegerToText(feederNumber), feeder->Richtung}));
  const char axisAndSign[2] = {direction->axis, direction->sign};

  const std::string& h = settings.BauteilMaxHeight;
  const std::string& travel = settings.SpeedFahren;
  const std::string& lift = settings.SpeedHeben;
  const std::string& setDown = settings.SpeedSetzen;

  AppendLine(editor, {"G00 X", feeder->X, " Y", feeder->Y, " F", travel});
  // The height is converted before the feeder's Z, so a bad height is the one reported.
  const Number height = TextToNumber(h);
  const Number feederZ = TextToNumber(feeder->Z);
  const std::string depth = NumberToText(height + feederZ, 15, 0);
  AppendLine(editor, {"G01 Z-", depth, " F", setDown});
  AppendLine(editor, {"G00 ", std::string_view(axisAndSign, 2), feeder->Versatz, " F2."});
  AppendLine(editor, {"G01 Z+", depth, " F", lift});
  AppendLine(editor, {"G00 X", feeder->X, " Y", feeder->Y, " F", travel});
  AppendLine(editor, {"G01 Z-", h, " F", setDown});
  AppendLine(editor, {"G01 Z+", h, " F", lift});
  // Component coordinates are written as read, only without their unit.
  const std::string x = WithoutAnyUnit(component.x);
  const std::string y = WithoutAnyUnit(component.y);
  AppendLine(editor, {"G00 X", x, " Y", y, " F", travel});
  AppendLine(editor, {"G01 Z-", h, " F", setDown});
  AppendLine(editor, {"G01 Z+", h, " F", lift});
  AppendLine(editor, {});
}

}  // namespace

void GCodeGenerator::Generate(const ComponentTree& tree, const MachineSettings& settings,
                              std::string& editor) {
  editor.clear();
  for (const std::string_view line : kCommentBox) AppendLine(editor, {line});
  AppendLine(editor, {});
  AppendLine(editor, {"%"});
  AppendLine(editor, {"G21"});
  AppendLine(editor, {"G40 G49 G90"});
  AppendLine(editor, {"G01 Z+", settings.BauteilMaxHeight, " F", settings.SpeedHeben});
  AppendLine(editor, {});

  // Visiting the top-level nodes in order is the same as walking every absolute
  // index and picking the top-level ones, without touching the other nodes.
  const int components = tree.TopLevelCount();
  for (int row = 0; row < components; ++row) {
    const TreeNode* top = tree.TopLevel(row);
    if (top->ImageIndex() != icon::kIncluded) continue;
    AppendComponent(tree, tree.IndexOf(top), settings, editor);
  }
  AppendLine(editor, {"%"});
}

std::string GCodeGenerator::Generate(const ComponentTree& tree, const MachineSettings& settings) {
  std::string program;
  Generate(tree, settings, program);
  return program;
}

}  // namespace tav
