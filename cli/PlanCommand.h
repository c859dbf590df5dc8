// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Arguments.h"

namespace tav::cli {

// `tav plan`: loads the project and imports the pick-and-place file as `tav
// gcode` does, applies --machine and --set, plans the passes and writes
// DIR/durchgang-1.nc, DIR/durchgang-2.nc, ... (each what the generator makes
// of that pass) and DIR/einrichtung.txt. DIR is created when missing (its
// parent folder must exist). Pass programs "durchgang-N.nc" of an earlier plan
// with more passes are removed, so the folder never holds a program that the
// setup sheet does not name. A pick-and-place file without a project is not
// imported: it is read once to plan and once per pass, whose program goes
// straight into its staged file. All or nothing: everything is written as one
// file set, each file staged completely before any target changes; on an
// error no file in DIR is created, changed or removed, and a DIR created by
// the command is removed again.
// Throws Error, also when no component is included.
void RunPlan(const Arguments& args);

}  // namespace tav::cli
