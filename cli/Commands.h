// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>

#include "cli/Arguments.h"

namespace tav::cli {

// `tav gcode`: starts from an empty tree and the default settings, loads the
// project, imports the pick-and-place file, generates the program completely
// and only then writes it to the output file (replaced as a whole) or to
// `standardOutput`. A pick-and-place file without a project is not imported
// but read row by row, each block written at once (StreamedBoard), with the
// same bytes and errors. With --summary the job estimate follows on `standardError`,
// in the terminal's encoding. Throws Error; on an error no output file is
// touched and no summary is printed. --machine and --set apply after the
// import (ApplySettingOptions).
void RunGCode(const Arguments& args, std::FILE* standardOutput, std::FILE* standardError = stderr);

// `tav import`: starts from the defaults, loads the base project, imports the
// pick-and-place file and saves the project. Throws Error; on an error the
// project file is unchanged. --machine and --set apply before the save.
void RunImport(const Arguments& args);

// `tav show`: reads the pick-and-place file as the import does and writes one
// component a line to `standardOutput` (designator, value, footprint, X and Y
// in mm, rotation, side; separated by TAB, UTF-8) and a summary line (layout,
// encoding, unit, count) to `standardError`. With --project instead: one
// included part of the project a line (designator, machine X, machine Y, turn
// in degrees; TAB-separated) as the program will use them. Throws Error.
void RunShow(const Arguments& args, std::FILE* standardOutput, std::FILE* standardError);

}  // namespace tav::cli
