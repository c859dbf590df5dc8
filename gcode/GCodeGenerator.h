#pragma once

#include <string>
#include <string_view>

#include "core/ComponentTree.h"
#include "settings/MachineSettings.h"

namespace tav {

// Turns the tree and the settings into the G-code program: the header, one
// eleven-line block per included component in tree order, and "%". Every line
// ends with CR LF. Runs in time linear in the tree's size.
class GCodeGenerator final {
 public:
  // Empties `editor` and appends the program line by line. On an error the
  // lines appended so far stay in `editor` and the Error is thrown.
  static void Generate(const ComponentTree& tree, const MachineSettings& settings,
                       std::string& editor);

  // The whole program; throws on error.
  static std::string Generate(const ComponentTree& tree, const MachineSettings& settings);
};

// Writes the editor's text to a .nc file byte for byte (SaveText).
void ExportGCode(std::string_view text, const std::string& path);

}  // namespace tav
