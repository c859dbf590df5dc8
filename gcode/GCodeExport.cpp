// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LineList.h"
#include "core/PathRules.h"
#include "gcode/GCodeGenerator.h"

namespace tav {

void ExportGCode(std::string_view text, const std::string& path) { SaveText(text, path); }

std::string GCodeFileName(std::string_view chosen) { return WithDefaultExtension(chosen, ".nc"); }

}  // namespace tav
