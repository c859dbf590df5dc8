#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/ComponentTree.h"
#include "gcode/ComponentSource.h"
#include "gcode/JobEstimate.h"
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
// the place move down. Numbers are written with "." whatever the user's
// decimal separator (GCodeNumberText); texts that are no number are copied.
//
// Throws Error, before the editor is touched, when the options are unusable
// (ReadGCodeOptions). Then, for each included component, in this order:
// - the component's block is cut short ("Ungültiger Index") or not shaped
//   like a component (CheckComponentBlock);
// - its feeder node is not "Feeder: 1" to "Feeder: 4" (msg::kUnknownFeeder);
// - that feeder's direction is not "Rechts", "Links", "Oben" or "Unten"
//   (msg::kUnknownDirection);
// - the height, then the feeder's Z, is not a number with the user's separator
//   or "." (msg::kNotAFloat), found after the component's first move is appended.
class GCodeGenerator final {
 public:
  // Empties `editor` and appends the program line by line. On an error in a
  // component the lines appended so far stay in `editor` and the Error is
  // thrown. Returns the job estimate of the program.
  static JobSummary Generate(const ComponentTree& tree, const MachineSettings& settings,
                             std::string& editor);

  // The same program handed to `write` piece by piece (whole lines, about
  // 256 KB at a time) instead of held as a whole. On an error in a component
  // the pieces before it have been handed over and the Error is thrown.
  static JobSummary Generate(const ComponentTree& tree, const MachineSettings& settings,
                             const std::function<void(std::string_view)>& write);

  // The same for the components `source` hands over (see ComponentSource.h):
  // one generator for a tree and for a board file read row by row.
  static JobSummary Generate(const ComponentSource& source, const MachineSettings& settings,
                             const std::function<void(std::string_view)>& write);

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
// The same for the components `source` hands over; an error thrown by the
// source also leaves the file as it was.
JobSummary WriteGCodeFile(const ComponentSource& source, const MachineSettings& settings,
                          const std::string& path);

// The file the export dialog's choice names: ".nc" is appended when the file
// name part of `chosen` has no extension ("job" -> "job.nc"; "job.txt" and
// "job." stay as they are).
std::string GCodeFileName(std::string_view chosen);

}  // namespace tav
