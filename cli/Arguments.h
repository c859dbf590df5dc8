// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tav::cli {

enum class Command { kHelp, kVersion, kGCode, kImport, kPlan, kShow, kSend };

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
  bool summary = false;  // --summary (gcode): the job estimate on stderr
  // --align REF=X,Y (gcode, import, plan): a part and its measured machine
  // position; none or exactly two.
  struct MeasuredPart {
    std::string designator;
    double x = 0;
    double y = 0;
  };
  std::vector<MeasuredPart> align;
  std::optional<std::string> port;  // --port (send): the serial device
  int baud = 115200;                // --baud (send)
};

// Reads the arguments after the program name:
//   gcode [--project P] [--pnp F] [-o OUT] [--decimal-separator C] [--summary]
//   import F -o P [--project BASE] [--decimal-separator C]
//   plan (--pnp F | --project P) -o DIR [--decimal-separator C]
// gcode, import and plan also take [--machine M], any number of
// [--set KEY=VALUE] and none or two [--align REF=X,Y] (numbers with ".").
//   show F [--decimal-separator C]
//   send PROGRAM --port DEVICE [--baud N]
//   show --project P [--decimal-separator C]
//   --help | COMMAND --help | --version
// Long options also take "--name=value" ("--summary" takes no value); "--" ends
// the options. An option given
// twice, a missing value, a separator that is not one plain character, a
// missing or surplus file name, a --set without "=" or with a key that is no
// stored setting, an --align not of the form REF=X,Y or given once or three
// times: UsageError.
Arguments ParseArguments(std::span<const std::string> args);

}  // namespace tav::cli
