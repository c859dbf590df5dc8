#pragma once

#include <optional>
#include <span>
#include <string>

namespace tav::cli {

enum class Command { kHelp, kGCode, kImport, kShow };

// What a command line asks for. Paths are taken as given, byte for byte.
struct Arguments {
  Command command = Command::kHelp;
  // For kHelp: the command whose help is wanted, or empty for the overview.
  std::string helpTopic;
  std::optional<std::string> project;  // --project
  std::optional<std::string> pnp;      // --pnp (gcode)
  std::optional<std::string> output;   // -o
  std::string input;                   // the pick-and-place file (import, show)
  std::optional<char> decimalSeparator;
};

// Reads the arguments after the program name:
//   gcode [--project P] [--pnp F] [-o OUT] [--decimal-separator C]
//   import F -o P [--project BASE] [--decimal-separator C]
//   show F [--decimal-separator C]
//   --help | COMMAND --help
// Long options also take "--name=value"; "--" ends the options. An option given
// twice, a missing value, a separator that is not one plain character, a
// missing or surplus file name: UsageError.
Arguments ParseArguments(std::span<const std::string> args);

}  // namespace tav::cli
