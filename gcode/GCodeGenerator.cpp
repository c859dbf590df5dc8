#include "gcode/GCodeGenerator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

#include "core/ComponentBlock.h"
#include "core/Error.h"
#include "core/FileAccess.h"
#include "core/MessagePath.h"
#include "core/Messages.h"
#include "core/NumberConversion.h"
#include "gcode/GCodeNumbers.h"
#include "gcode/GCodeOptions.h"
#include "gcode/ProgramPosition.h"
#include "settings/BoardPlacement.h"

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

using Value = JobEstimate::Value;

// The value of a text as the program states it: numbers in G-code use ".".
Value ProgramValue(std::string_view text) { return TryTextToNumber(text, '.'); }

Value Signed(char sign, const std::string& text) {
  std::string signedText(1, sign);
  signedText += text;
  return ProgramValue(signedText);
}

// Appends the concatenated parts as one line of the editor, ended by CR LF.
void AppendLine(std::string& editor, std::initializer_list<std::string_view> parts) {
  for (const std::string_view part : parts) editor.append(part);
  editor.append("\r\n");
}

// Appends one part of a comment line; parentheses inside would end the
// comment early or nest it, which controllers refuse.
void AppendCommentText(std::string& editor, std::string_view text) {
  for (const char c : text) editor.push_back(c == '(' ? '[' : c == ')' ? ']' : c);
}

// A setting copied into the program, with its value for the estimate.
struct CopiedText {
  std::string text;
  Value value;

  explicit CopiedText(std::string_view setting) : text(GCodeNumberText(setting)) {
    value = ProgramValue(text);
  }
};

// One feeder's fields as the program writes them, prepared once per run.
struct PreparedFeeder {
  const FeederSettings* settings = nullptr;
  CopiedText x, y, offset;
  std::optional<FeederDirection> direction;
  Value offsetTarget;  // the signed offset as line 3 states it

  explicit PreparedFeeder(const FeederSettings& feeder)
      : settings(&feeder),
        x(feeder.x),
        y(feeder.y),
        offset(feeder.offset),
        direction(LookupDirection(feeder.direction)) {
    if (direction) offsetTarget = Signed(direction->sign, offset.text);
  }
};

// Everything a component block needs that does not depend on the component.
struct Run {
  const MachineSettings& settings;
  GCodeOptions options;
  CopiedText height, travel, lift, setDown;
  Value heightDown, heightUp;  // "Z-" H and "Z+" H as written
  std::array<PreparedFeeder, 4> feeders;
  BoardPlacement placement;
  JobEstimate estimate;
  std::vector<std::string> turnedParts;  // without an axis, parts whose turn is not 0

  explicit Run(const MachineSettings& s)
      : settings(s),
        options(ReadGCodeOptions(s)),
        height(s.maxPartHeight),
        travel(s.travelFeed),
        lift(s.liftFeed),
        setDown(s.placeFeed),
        heightDown(Signed('-', height.text)),
        heightUp(Signed('+', height.text)),
        feeders{PreparedFeeder(s.feeders[0]), PreparedFeeder(s.feeders[1]),
                PreparedFeeder(s.feeders[2]), PreparedFeeder(s.feeders[3])},
        placement(s) {}

  // A generous size of one block, so the program is built in one buffer.
  std::size_t BlockSize() const {
    std::size_t longest =
        std::max({height.text.size(), travel.text.size(), lift.text.size(), setDown.text.size()});
    for (const PreparedFeeder& f : feeders)
      longest = std::max({longest, f.x.text.size(), f.y.text.size(), f.offset.text.size()});
    std::size_t size = 180 + 24 * longest;
    if (options.switchValve)
      size += 2 * (options.valveOn.size() + options.valveOff.size() + options.dwell.size() + 4);
    if (options.comments) size += 64;
    return size;
  }
};

void AppendValve(Run& run, const std::string& code, std::string& editor) {
  AppendLine(editor, {code});
  AppendLine(editor, {run.options.dwell});
  run.estimate.Dwell(run.options.dwellSeconds);
}

// The component's machine position as the program writes it; on the way,
// refuses a part of the other side and notes a part the machine cannot turn.
PlacedComponent PlaceForProgram(Run& run, const ComponentBlock& component) {
  // Turns matter with an axis or once placement settings are in use.
  PlacedComponent placed = ProgramPosition(run.placement, component, run.placement.TurnsMatter());
  if (run.placement.Axis() == 0 && run.placement.TurnsMatter() &&
      (!placed.turn || *placed.turn != 0))
    run.turnedParts.emplace_back(component.designator);
  return placed;
}

// With a rotation axis the part is turned while lifted at the feeder.
void AppendAxisTurn(const Run& run, const ComponentBlock& component, const PlacedComponent& placed,
                    std::string& editor) {
  const char axis = run.placement.Axis();
  if (axis == 0) return;
  if (!placed.turn)
    throw Error(FormatMessage("Die Drehung von %s ist keine Zahl: %s",
                              {component.designator, component.rotation}));
  AppendLine(editor, {"G00 ", std::string_view(&axis, 1), TurnText(*placed.turn)});
}

// ...and turned back once it is set down.
void AppendAxisHome(const Run& run, std::string& editor) {
  const char axis = run.placement.Axis();
  if (axis != 0) AppendLine(editor, {"G00 ", std::string_view(&axis, 1), "0"});
}

// Appends the block of the component whose top-level node stands at absolute
// index `index`. Each line is appended as soon as it is complete, so an error
// leaves the lines before it in the editor.
void AppendComponent(const ComponentTree& tree, int index, Run& run, std::string& editor) {
  const ComponentBlock component = ReadComponentBlock(tree, index);
  const int feederNumber = component.feeder;
  if (feederNumber < 1 || feederNumber > 4)
    throw Error(FormatMessage(msg::kUnknownFeeder, {component.designator, component.feederText}));
  const PreparedFeeder& feeder = run.feeders[static_cast<std::size_t>(feederNumber - 1)];

  // An unknown direction would leave the sideways move undefined; refuse it
  // rather than reuse another component's axis.
  if (!feeder.direction)
    throw Error(FormatMessage(msg::kUnknownDirection,
                              {IntegerToText(feederNumber), feeder.settings->direction}));
  const char axisAndSign[2] = {feeder.direction->axis, feeder.direction->sign};
  const PlacedComponent placed = PlaceForProgram(run, component);
  const int axis = feeder.direction->axis == 'X' ? JobEstimate::kX : JobEstimate::kY;

  const std::string& h = run.height.text;
  const CopiedText& travel = run.travel;
  const CopiedText& lift = run.lift;
  const CopiedText& setDown = run.setDown;
  JobEstimate& estimate = run.estimate;

  if (run.options.comments) {
    editor.push_back('(');
    AppendCommentText(editor, component.designator);
    for (const std::string_view part : {component.value, component.footprint}) {
      if (part.empty()) continue;
      editor.push_back(' ');
      AppendCommentText(editor, part);
    }
    AppendLine(editor, {")"});
  }
  AppendLine(editor, {"G00 X", feeder.x.text, " Y", feeder.y.text, " F", travel.text});
  estimate.MoveXY(feeder.x.value, feeder.y.value, travel.value);
  // The height is converted before the feeder's Z, so a bad height is the one reported.
  const Number height = ReadSettingNumber(run.settings.maxPartHeight);
  const Number feederZ = ReadSettingNumber(feeder.settings->z);
  const Number sum = height + feederZ;
  const std::string depth = GCodeNumber(sum);
  // A negative sum is written with a doubled sign, which states no number.
  const bool plainDepth = depth[0] != '-' && std::isfinite(sum);
  AppendLine(editor, {"G01 Z-", depth, " F", setDown.text});
  estimate.Move(JobEstimate::kZ, plainDepth ? Value(-sum) : Value(), setDown.value);
  AppendLine(editor, {"G00 ", std::string_view(axisAndSign, 2), feeder.offset.text, " F2."});
  estimate.Move(axis, feeder.offsetTarget, Number{2});
  AppendLine(editor, {"G01 Z+", depth, " F", lift.text});
  estimate.Move(JobEstimate::kZ, plainDepth ? Value(sum) : Value(), lift.value);
  AppendLine(editor, {"G00 X", feeder.x.text, " Y", feeder.y.text, " F", travel.text});
  estimate.MoveXY(feeder.x.value, feeder.y.value, travel.value);
  AppendLine(editor, {"G01 Z-", h, " F", setDown.text});
  estimate.Move(JobEstimate::kZ, run.heightDown, setDown.value);
  if (run.options.switchValve) AppendValve(run, run.options.valveOn, editor);
  AppendLine(editor, {"G01 Z+", h, " F", lift.text});
  estimate.Move(JobEstimate::kZ, run.heightUp, lift.value);
  AppendAxisTurn(run, component, placed, editor);
  // Component coordinates are written as read, only without their unit, unless
  // the board is placed elsewhere on the bed.
  const std::string& x = placed.x;
  const std::string& y = placed.y;
  AppendLine(editor, {"G00 X", x, " Y", y, " F", travel.text});
  estimate.MoveXY(ProgramValue(x), ProgramValue(y), travel.value);
  AppendLine(editor, {"G01 Z-", h, " F", setDown.text});
  estimate.Move(JobEstimate::kZ, run.heightDown, setDown.value);
  if (run.options.switchValve) AppendValve(run, run.options.valveOff, editor);
  AppendLine(editor, {"G01 Z+", h, " F", lift.text});
  estimate.Move(JobEstimate::kZ, run.heightUp, lift.value);
  AppendAxisHome(run, editor);
  AppendLine(editor, {});
  estimate.CountPart();
}

// Where the program goes: one buffer holding all of it, or a buffer handed to
// a writer whenever it has grown past kPieceBytes and emptied again.
struct Output {
  std::string& editor;
  const std::function<void(std::string_view)>* write = nullptr;

  static constexpr std::size_t kPieceBytes = std::size_t{1} << 18;

  void Flush() {
    if (write == nullptr || editor.size() < kPieceBytes) return;
    (*write)(editor);
    editor.clear();
  }
  void Finish() {
    if (write == nullptr || editor.empty()) return;
    (*write)(editor);
    editor.clear();
  }
};

JobSummary GenerateInto(const ComponentTree& tree, Run& run, Output& out) {
  std::string& editor = out.editor;
  const bool percentLines = run.options.controller == Controller::kStandard;

  const int components = tree.TopLevelCount();
  editor.clear();
  editor.reserve(out.write != nullptr
                     ? Output::kPieceBytes + run.BlockSize()
                     : 400 + static_cast<std::size_t>(components) * run.BlockSize());
  for (const std::string_view line : kCommentBox) AppendLine(editor, {line});
  AppendLine(editor, {});
  if (percentLines) AppendLine(editor, {"%"});
  AppendLine(editor, {"G21"});
  AppendLine(editor, {"G40 G49 G90"});
  AppendLine(editor, {"G01 Z+", run.height.text, " F", run.lift.text});
  run.estimate.Move(JobEstimate::kZ, run.heightUp, run.lift.value);
  AppendLine(editor, {});

  // Visiting the top-level nodes in order is the same as walking every absolute
  // index and picking the top-level ones, without touching the other nodes.
  for (int row = 0; row < components; ++row) {
    const TreeNode* top = tree.TopLevel(row);
    if (top->ImageIndex() != icon::kIncluded) continue;
    AppendComponent(tree, tree.IndexOf(top), run, editor);
    out.Flush();
  }
  AppendLine(editor, {percentLines ? "%" : "M2"});
  out.Finish();
  JobSummary summary = run.estimate.Summary();
  summary.turnedParts = std::move(run.turnedParts);
  return summary;
}

}  // namespace

JobSummary GCodeGenerator::Generate(const ComponentTree& tree, const MachineSettings& settings,
                                    std::string& editor) {
  // Options are checked before the editor is touched: a program that cannot be
  // made at all leaves the previous one in place.
  Run run(settings);
  Output out{editor};
  return GenerateInto(tree, run, out);
}

JobSummary GCodeGenerator::Generate(const ComponentTree& tree, const MachineSettings& settings,
                                    const std::function<void(std::string_view)>& write) {
  Run run(settings);
  std::string piece;
  Output out{piece, &write};
  return GenerateInto(tree, run, out);
}

std::string GCodeGenerator::Generate(const ComponentTree& tree, const MachineSettings& settings) {
  std::string program;
  Generate(tree, settings, program);
  return program;
}

JobSummary WriteGCodeFile(const ComponentTree& tree, const MachineSettings& settings,
                          const std::string& path) {
  // Unusable options are reported before the file is touched, as in the editor.
  Run run(settings);
  JobSummary summary;
  try {
    WriteFileAtomically(path, [&](const ByteSink& write) {
      std::string piece;
      Output out{piece, &write};
      summary = GenerateInto(tree, run, out);
    });
  } catch (const FileAccessError& error) {
    throw Error(FormatMessage(msg::kCannotCreate, {FullPathForMessage(path), error.reason()}));
  }
  return summary;
}

}  // namespace tav
