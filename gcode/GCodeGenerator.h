// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/ComponentTree.h"
#include "gcode/ComponentSource.h"
#include "gcode/JobEstimate.h"
#include "gcode/ProgramCheck.h"
#include "settings/MachineSettings.h"

namespace tav {

// Turns the tree and the settings into the G-code program: the header, one
// block per included component in tree order, and the closing line. Every line
// ends with CR LF. Runs in time linear in the tree's size.
//
// The program options of the page "G-Code" shape it: the controller decides
// the framing ("Standard": "%" before the first move and "%" last; "LinuxCNC"
// and "GRBL": no "%" lines and "M2" last); "Kommentare" puts a comment line
// naming the part before each block; "Ventil schalten" adds the valve code and
// a dwell ("G04 P" and the delay in seconds) after the pick move down and after
// the place move down; "Trockenlauf" keeps Z at the travel height and leaves
// the valve out. Numbers are written with "." whatever the user typed
// (GCodeNumberText); parameters and expressions are copied. The tape advance
// (line 3 of a block) goes beside the feeder (MakeTapeAdvance). Under "GRBL"
// comment text carries no real-time command byte (AppendGrblSafeText).
//
// Throws Error before the first line is written when the options are unusable
// (ReadGCodeOptions) or a value the program uses is refused (ProgramCheck:
// settings, feeders in use, the machine's travel, then each included
// component's block, feeder node and coordinates). While writing, a target
// outside the machine's travel throws Error (JobEstimate).
class GCodeGenerator final {
 public:
  // Replaces `editor` with the program. On any error `editor` keeps what it
  // held and the Error is thrown. Returns the job estimate of the program.
  static JobSummary Generate(const ComponentTree& tree, const MachineSettings& settings,
                             std::string& editor);

  // The same program handed to `write` piece by piece (whole lines, about
  // 256 KB at a time) instead of held as a whole. Refused values are found
  // before the first piece; a target outside the machine's travel throws after
  // the pieces before it have been handed over (the caller discards them).
  static JobSummary Generate(const ComponentTree& tree, const MachineSettings& settings,
                             const std::function<void(std::string_view)>& write);

  // The same for the components `source` hands over (see ComponentSource.h):
  // one generator for a tree and for a board file read row by row. The
  // settings are checked first, each component just before its block; `note`
  // says in a refusal where a field's value came from.
  static JobSummary Generate(const ComponentSource& source, const MachineSettings& settings,
                             const std::function<void(std::string_view)>& write,
                             FieldNote note = {});

  // The whole program; throws on error.
  static std::string Generate(const ComponentTree& tree, const MachineSettings& settings);
};

// Writes the editor's text to exactly `path`, byte for byte, replacing the file
// as a whole (SaveText). Throws Error "Datei "%s" kann nicht erstellt werden. %s"
// and leaves an existing file unchanged when it cannot be written.
void ExportGCode(std::string_view text, const std::string& path);

// Generates the program straight into the file at `path`, replaced as a whole
// (WriteFileAtomically), without holding the program in memory. On any error
// the file is left as it was; a file error throws Error "Datei "%s" kann nicht
// erstellt werden. %s", unusable options are reported before the file is touched.
JobSummary WriteGCodeFile(const ComponentTree& tree, const MachineSettings& settings,
                          const std::string& path);
// The same for the components `source` hands over, checked as they come (see
// Generate); a refused component or an error thrown by the source also leaves
// the file as it was.
JobSummary WriteGCodeFile(const ComponentSource& source, const MachineSettings& settings,
                          const std::string& path, FieldNote note = {});

// The file the export dialog's choice names: ".nc" is appended when the file
// name part of `chosen` has no extension ("job" -> "job.nc"; "job.txt" and
// "job." stay as they are).
std::string GCodeFileName(std::string_view chosen);

}  // namespace tav
