#include "cli/Commands.h"

#include "cli/SettingOptions.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "core/PickPlaceImport.h"
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

void RunGCode(const Arguments& args, std::FILE* standardOutput) {
  ComponentTree tree;
  MachineSettings settings;
  if (args.project) LoadProject(*args.project, tree, settings);
  if (args.pnp) PickPlaceImport(*args.pnp, tree);
  ApplySettingOptions(args, settings);
  const std::string program = GCodeGenerator::Generate(tree, settings);
  if (args.output) {
    ExportGCode(program, *args.output);
  } else {
    WriteAll(standardOutput, program);
  }
}

void RunImport(const Arguments& args) {
  ComponentTree tree;
  MachineSettings settings;
  if (args.project) LoadProject(*args.project, tree, settings);
  PickPlaceImport(args.input, tree);
  ApplySettingOptions(args, settings);
  SaveProject(*args.output, tree, settings);
}

}  // namespace tav::cli
