#include "cli/Commands.h"

#include "boards/PickPlaceImport.h"
#include "cli/SettingOptions.h"
#include "cli/TerminalText.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "gcode/GCodeGenerator.h"
#include "project/ProjectFile.h"

namespace tav::cli {
namespace {

void WriteAll(std::FILE* stream, const std::string& bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
  if (!written || std::fflush(stream) != 0)
    throw Error(FormatMessage(msg::kCannotWrite, {msg::kStandardOutput}));
}

}  // namespace

void RunGCode(const Arguments& args, std::FILE* standardOutput, std::FILE* standardError) {
  ComponentTree tree;
  MachineSettings settings;
  if (args.project) LoadProject(*args.project, tree, settings);
  if (args.pnp) PickPlaceImport(*args.pnp, tree);
  ApplySettingOptions(args, settings);
  ApplyAlignmentOptions(args, tree, settings, standardError);
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
