// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "plan/PassPlan.h"

namespace tav {

// The setup sheet ("Einrichtung") for a person at the machine, in German:
// for each pass (with its program file when `namePrograms`, see
// PassProgramFileName) the part kind to load on each feeder (value,
// footprint, count and designators), and at the end the total. Lines end with
// CR LF and stay short enough to print; the text is Windows-1252, like every
// text of the system. An empty plan gives a sheet saying that no component is
// included.
std::string SetupSheet(const PassPlan& plan, bool namePrograms = true);

}  // namespace tav
