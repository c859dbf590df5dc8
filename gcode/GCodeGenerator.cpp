// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "gcode/GrblText.h"
#include "gcode/ProgramCheck.h"
#include "gcode/ProgramPosition.h"
#include "gcode/TapeAdvance.h"
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

// The first line after the comment box of a dry run.
constexpr std::string_view kDryRunLine = "(Trockenlauf: Z bleibt auf Fahrhoehe, Ventil bleibt aus)";

// Who the moves to a feeder are for, in a work area refusal.
std::string VisitedFeeder(int number, std::string_view designator) {
  std::string place = "Feeder " + IntegerToText(number) + " (";
  place.append(designator);
  place += ')';
  return place;
}

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
// comment early or nest it, which controllers refuse. GRBL would take some
// bytes as real-time commands even inside a comment (AppendGrblSafeText).
void AppendCommentText(std::string& editor, std::string_view text, bool grbl) {
  const std::size_t start = editor.size();
  if (grbl)
    AppendGrblSafeText(editor, text);
  else
    editor.append(text);
  for (std::size_t i = start; i < editor.size(); ++i) {
    if (editor[i] == '(') editor[i] = '[';
    if (editor[i] == ')') editor[i] = ']';
  }
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
  TapeAdvance advance;  // line 3

  explicit PreparedFeeder(const FeederSettings& feeder)
      : settings(&feeder),
        x(feeder.x),
        y(feeder.y),
        offset(feeder.offset),
        direction(LookupDirection(feeder.direction)) {
    if (direction) advance = MakeTapeAdvance(*direction, x.text, y.text, offset.text);
  }
};

// Everything a component block needs that does not depend on the component.
struct Run {
  const MachineSettings& settings;
  GCodeOptions options;
  CopiedText height, travel, lift, setDown;
  Value heightDown, heightUp;  // "Z-" H and "Z+" H as written
  // The start of a move down: "G01 Z-", or in a dry run "G01 Z+", so the head
  // stays at the travel height.
  std::string_view down;
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
        heightDown(Signed(options.dryRun ? '+' : '-', height.text)),
        heightUp(Signed('+', height.text)),
        down(options.dryRun ? "G01 Z+" : "G01 Z-"),
        feeders{PreparedFeeder(s.feeders[0]), PreparedFeeder(s.feeders[1]),
                PreparedFeeder(s.feeders[2]), PreparedFeeder(s.feeders[3])},
        placement(s) {
    estimate.SetWorkArea(ReadWorkArea(s));
  }

  // Checks tree and settings before the first line is written.
  void CheckTree(const ComponentTree& tree) const { ProgramCheck(settings, options).Tree(tree); }

  // For a source without a tree: the settings now, each component just
  // before its block is written.
  void CheckAsWritten(FieldNote note) {
    componentCheck.emplace(settings, options, std::move(note));
    componentCheck->Settings();
  }
  std::optional<ProgramCheck> componentCheck;

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

// Appends the block of `component`. Each line is appended as soon as it is
// complete, so an error leaves the lines before it in the editor.
void AppendComponent(const ComponentBlock& component, Run& run, std::string& editor) {
  const int feederNumber = component.feeder;
  if (feederNumber < 1 || feederNumber > 4)
    throw Error(FormatMessage(msg::kUnknownFeeder, {component.designator, component.feederText}));
  const PreparedFeeder& feeder = run.feeders[static_cast<std::size_t>(feederNumber - 1)];

  // An unknown direction would leave the sideways move undefined; refuse it
  // rather than reuse another component's axis.
  if (!feeder.direction)
    throw Error(FormatMessage(msg::kUnknownDirection,
                              {IntegerToText(feederNumber), feeder.settings->direction}));
  const PlacedComponent placed = PlaceForProgram(run, component);
  const int axis = feeder.direction->axis == 'X' ? JobEstimate::kX : JobEstimate::kY;

  const std::string& h = run.height.text;
  const CopiedText& travel = run.travel;
  const CopiedText& lift = run.lift;
  const CopiedText& setDown = run.setDown;
  JobEstimate& estimate = run.estimate;

  if (run.options.comments) {
    const bool grbl = run.options.controller == Controller::kGrbl;
    editor.push_back('(');
    AppendCommentText(editor, component.designator, grbl);
    for (const std::string_view part : {component.value, component.footprint}) {
      if (part.empty()) continue;
      editor.push_back(' ');
      AppendCommentText(editor, part, grbl);
    }
    AppendLine(editor, {")"});
  }
  if (estimate.Limited()) estimate.Visit(VisitedFeeder(feederNumber, component.designator));
  AppendLine(editor, {"G00 X", feeder.x.text, " Y", feeder.y.text, " F", travel.text});
  estimate.MoveXY(feeder.x.value, feeder.y.value, travel.value);
  // The height is converted before the feeder's Z, so a bad height is the one reported.
  const Number height = ReadSettingNumber(run.settings.maxPartHeight);
  const Number feederZ = ReadSettingNumber(feeder.settings->z);
  const Number sum = height + feederZ;
  const std::string depth = GCodeNumber(sum);
  // A negative sum is written with a doubled sign, which states no number.
  const bool plainDepth = depth[0] != '-' && std::isfinite(sum);
  AppendLine(editor, {run.down, run.options.dryRun ? h : depth, " F", setDown.text});
  estimate.Move(JobEstimate::kZ,
                run.options.dryRun ? run.heightUp
                : plainDepth       ? Value(-sum)
                                   : Value(),
                setDown.value);
  AppendLine(editor, {"G00 ", feeder.advance.text, " F2."});
  estimate.Move(axis, feeder.advance.target, travel.value);
  AppendLine(editor, {"G01 Z+", depth, " F", lift.text});
  estimate.Move(JobEstimate::kZ, plainDepth ? Value(sum) : Value(), lift.value);
  AppendLine(editor, {"G00 X", feeder.x.text, " Y", feeder.y.text, " F", travel.text});
  estimate.MoveXY(feeder.x.value, feeder.y.value, travel.value);
  AppendLine(editor, {run.down, h, " F", setDown.text});
  estimate.Move(JobEstimate::kZ, run.heightDown, setDown.value);
  if (run.options.switchValve) AppendValve(run, run.options.valveOn, editor);
  AppendLine(editor, {"G01 Z+", h, " F", lift.text});
  estimate.Move(JobEstimate::kZ, run.heightUp, lift.value);
  AppendAxisTurn(run, component, placed, editor);
  // Component coordinates are written as read, only without their unit, unless
  // the board is placed elsewhere on the bed.
  const std::string& x = placed.x;
  const std::string& y = placed.y;
  if (estimate.Limited()) estimate.Visit(std::string(component.designator));
  AppendLine(editor, {"G00 X", x, " Y", y, " F", travel.text});
  estimate.MoveXY(ProgramValue(x), ProgramValue(y), travel.value);
  AppendLine(editor, {run.down, h, " F", setDown.text});
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

// `components` is how many the source holds at most, for the editor's room.
JobSummary GenerateInto(const ComponentSource& source, std::size_t components, Run& run,
                        Output& out) {
  std::string& editor = out.editor;
  const bool percentLines = run.options.controller == Controller::kStandard;

  editor.clear();
  editor.reserve(out.write != nullptr ? Output::kPieceBytes + run.BlockSize()
                                      : 400 + components * run.BlockSize());
  for (const std::string_view line : kCommentBox) AppendLine(editor, {line});
  if (run.options.dryRun) AppendLine(editor, {kDryRunLine});
  AppendLine(editor, {});
  if (percentLines) AppendLine(editor, {"%"});
  AppendLine(editor, {"G21"});
  AppendLine(editor, {"G40 G49 G90"});
  AppendLine(editor, {"G01 Z+", run.height.text, " F", run.lift.text});
  run.estimate.Visit("Programmanfang");
  run.estimate.Move(JobEstimate::kZ, run.heightUp, run.lift.value);
  AppendLine(editor, {});

  source([&](const ComponentBlock& component) {
    if (run.componentCheck) run.componentCheck->Component(component);
    AppendComponent(component, run, editor);
    out.Flush();
  });
  AppendLine(editor, {percentLines ? "%" : "M2"});
  out.Finish();
  JobSummary summary = run.estimate.Summary();
  summary.turnedParts = std::move(run.turnedParts);
  return summary;
}

std::size_t ComponentCount(const ComponentTree& tree) {
  return static_cast<std::size_t>(tree.TopLevelCount());
}

}  // namespace

JobSummary GCodeGenerator::Generate(const ComponentTree& tree, const MachineSettings& settings,
                                    std::string& editor) {
  // Everything is checked before the editor is touched, and the program is
  // built aside: a program that cannot be made leaves the previous one in place.
  Run run(settings);
  run.CheckTree(tree);
  std::string program;
  Output out{program};
  const JobSummary summary = GenerateInto(TreeComponents(tree), ComponentCount(tree), run, out);
  editor.swap(program);
  return summary;
}

JobSummary GCodeGenerator::Generate(const ComponentTree& tree, const MachineSettings& settings,
                                    const std::function<void(std::string_view)>& write) {
  Run run(settings);
  run.CheckTree(tree);
  std::string piece;
  Output out{piece, &write};
  return GenerateInto(TreeComponents(tree), 0, run, out);
}

JobSummary GCodeGenerator::Generate(const ComponentSource& source, const MachineSettings& settings,
                                    const std::function<void(std::string_view)>& write,
                                    FieldNote note) {
  Run run(settings);
  run.CheckAsWritten(std::move(note));
  std::string piece;
  Output out{piece, &write};
  return GenerateInto(source, 0, run, out);
}

std::string GCodeGenerator::Generate(const ComponentTree& tree, const MachineSettings& settings) {
  std::string program;
  Generate(tree, settings, program);
  return program;
}

namespace {

// Writes the program into `path`, replaced only when the whole program was made.
JobSummary WriteProgramFile(const ComponentSource& source, Run& run, const std::string& path) {
  JobSummary summary;
  try {
    WriteFileAtomically(path, [&](const ByteSink& write) {
      std::string piece;
      Output out{piece, &write};
      summary = GenerateInto(source, 0, run, out);
    });
  } catch (const FileAccessError& error) {
    throw Error(FormatMessage(msg::kCannotCreate, {FullPathForMessage(path), error.reason()}));
  }
  return summary;
}

}  // namespace

JobSummary WriteGCodeFile(const ComponentTree& tree, const MachineSettings& settings,
                          const std::string& path) {
  // Unusable settings are reported before the file is touched, as in the editor.
  Run run(settings);
  run.CheckTree(tree);
  return WriteProgramFile(TreeComponents(tree), run, path);
}

JobSummary WriteGCodeFile(const ComponentSource& source, const MachineSettings& settings,
                          const std::string& path, FieldNote note) {
  // The settings are checked before the file is touched; a component refused
  // on the way leaves the file as it was.
  Run run(settings);
  run.CheckAsWritten(std::move(note));
  return WriteProgramFile(source, run, path);
}

}  // namespace tav
