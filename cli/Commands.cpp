// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Commands.h"

#include "boards/PickPlaceImport.h"
#include "cli/OutputSpool.h"
#include "cli/SettingOptions.h"
#include "cli/TerminalText.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "gcode/GCodeGenerator.h"
#include "plan/StreamedBoard.h"
#include "project/ProjectFile.h"

namespace tav::cli {
namespace {

void WriteAll(std::FILE* stream, const std::string& bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
  if (!written || std::fflush(stream) != 0)
    throw Error(FormatMessage(msg::kCannotWrite, {msg::kStandardOutput}));
}

// `tav gcode --pnp F` without a project: the board file is read row by row
// and each component's block written at once, without building the tree, so
// memory does not grow with the board. The bytes and the errors are those of
// the tree path below: the board's own errors come first, and the output file
// is replaced only when the whole program was made.
JobSummary StreamGCode(const Arguments& args, std::FILE* standardOutput) {
  StreamedBoard board(*args.pnp);
  MachineSettings settings;
  SettingOrigins origins;
  try {
    ApplySettingOptions(args, settings, &origins);
    const FieldNote note = [&](const std::string& field) { return origins.Note(settings, field); };
    if (args.output) return WriteGCodeFile(board.Components(), settings, *args.output, note);
    OutputSpool spool;
    const JobSummary summary = GCodeGenerator::Generate(
        board.Components(), settings, [&spool](std::string_view piece) { spool.Append(piece); },
        note);
    spool.CopyTo(standardOutput);
    return summary;
  } catch (const Error&) {
    // Failed before the file was read (settings, options, the output file):
    // a faulty board file is still the error reported, as when it is imported first.
    if (!board.WasRead()) board.Check();
    throw;
  }
}

}  // namespace

void RunGCode(const Arguments& args, std::FILE* standardOutput, std::FILE* standardError) {
  // Two measured points need the parts' design positions before the first
  // block, so an alignment goes the tree's way.
  if (args.pnp && !args.project && args.align.empty()) {
    const JobSummary summary = StreamGCode(args, standardOutput);
    if (args.summary) WriteAll(standardError, ToTerminal(JobSummaryText(summary) + "\n"));
    return;
  }
  ComponentTree tree;
  MachineSettings settings;
  LoadCheckedJob(args, tree, settings, standardError);
  JobSummary summary;
  if (args.output) {
    // Streamed into the file, so the program is never held as a whole.
    summary = WriteGCodeFile(tree, settings, *args.output);
  } else {
    // Held until complete: a failing component must not leave half a program
    // on standard output.
    std::string program;
    summary = GCodeGenerator::Generate(tree, settings, program);
    WriteAll(standardOutput, program);
  }
  if (args.summary) WriteAll(standardError, ToTerminal(JobSummaryText(summary) + "\n"));
}

void RunImport(const Arguments& args) {
  ComponentTree tree;
  MachineSettings settings;
  if (args.project) {
    // Only the settings of the base project are kept: its components go
    // before the board file is read, so two trees are never held at once.
    LoadProject(*args.project, tree, settings);
    tree.Clear();
  }
  PickPlaceImport(args.input, tree);
  ApplySettingOptions(args, settings);
  ApplyAlignmentOptions(args, tree, settings, stderr);
  SaveProject(*args.output, tree, settings);
}

}  // namespace tav::cli
