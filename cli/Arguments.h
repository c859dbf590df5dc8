#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tav::cli {

enum class Command { kHelp, kGCode, kImport, kPlan, kShow, kSend };

// What a command line asks for. Paths are taken as given, byte for byte.
struct Arguments {
  Command command = Command::kHelp;
  // For kHelp: the command whose help is wanted, or empty for the overview.
  std::string helpTopic;
  std::optional<std::string> project;  // --project
  std::optional<std::string> pnp;      // --pnp (gcode)
  std::optional<std::string> output;   // -o
  std::string input;                   // the pick-and-place file (import, show), the program (send)
  std::optional<char> decimalSeparator;
  std::optional<std::string> machine;  // --machine (gcode, import, plan)
  // --set KEY=VALUE in command-line order; each key is a stored setting's
  // project key as the settings table spells it.
  std::vector<std::pair<std::string, std::string>> settings;
  bool summary = false;             // --summary (gcode): the job estimate on stderr
  std::optional<std::string> port;  // --port (send): the serial device
  int baud = 115200;                // --baud (send)
};

// Reads the arguments after the program name:
//   gcode [--project P] [--pnp F] [-o OUT] [--decimal-separator C] [--summary]
//   import F -o P [--project BASE] [--decimal-separator C]
//   plan (--pnp F | --project P) -o DIR [--decimal-separator C]
// gcode, import and plan also take [--machine M] and any number of
// [--set KEY=VALUE].
//   show F [--decimal-separator C]
//   send PROGRAM --port DEVICE [--baud N]
//   --help | COMMAND --help
// Long options also take "--name=value" ("--summary" takes no value); "--" ends
// the options. An option given
// twice, a missing value, a separator that is not one plain character, a
// missing or surplus file name, a --set without "=" or with a key that is no
// stored setting: UsageError.
Arguments ParseArguments(std::span<const std::string> args);

}  // namespace tav::cli
