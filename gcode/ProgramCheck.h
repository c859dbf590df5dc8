// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "core/ComponentBlock.h"
#include "core/ComponentTree.h"
#include "core/NumberConversion.h"
#include "gcode/GCodeOptions.h"
#include "gcode/JobEstimate.h"
#include "settings/MachineSettings.h"

namespace tav {

namespace msg {
inline constexpr const char* kBadHeight = "\"%s\" ist keine zul\xE4ssige H\xF6he (Zahl ab 0).";
inline constexpr const char* kBadOffset = "\"%s\" ist kein zul\xE4ssiger Versatz (Zahl ab 0).";
inline constexpr const char* kBadFeed =
    "\"%s\" ist keine zul\xE4ssige Geschwindigkeit (Zahl \xFC"
    "ber 0).";
}  // namespace msg

// Says where a settings field's value came from, as a text put right after the
// field's label in a refusal (" (F1Z aus werkstatt.tavm)"). Given the field
// itself, a member of the MachineSettings being checked.
using FieldNote = std::function<std::string(const std::string& field)>;

// Checks every value a program uses before any line of it is written, so a
// refused program writes nothing. A refusal is one Error: the field as the
// window labels it ("Feeder 1, Höhe Z") or the component's designator, a colon
// and the reason:
// - "Maximale Bauteilhöhe", feeder heights and offsets: a number from 0 up,
//   written without a sign (the program writes its own signs);
// - the three feeds: a number above 0, or, except under "GRBL", a LinuxCNC
//   parameter or expression (a text starting with "#" or "[");
// - feeder positions and the machine's travel limits (when not empty): numbers;
// - the feeder's direction: one of the four words;
// - each included component's X and Y without "mm": numbers.
// Numbers are read with "." or "," (ReadNumber).
//
// The same checks run two ways: Check(tree) before a program is made from a
// whole tree, reporting the first fault in the window's order (the page
// "Allgemein", then the feeders the included components use, then the
// machine's travel, then the components in tree order); or Settings() once
// and Component() for each component as it is written, for a program streamed
// from a source without a tree.
class ProgramCheck final {
 public:
  ProgramCheck(const MachineSettings& settings, const GCodeOptions& options, FieldNote note = {});

  // The page "Allgemein" and the machine's travel.
  void Settings() const;
  // The fields of feeder `number` (1 to 4), checked once per run.
  void Feeder(int number);
  // The component's feeder node, that feeder's fields and its coordinates.
  void Component(const ComponentBlock& component);
  // Everything, in the window's order.
  void Tree(const ComponentTree& tree);

 private:
  void General() const;
  void Travel() const;
  void Coordinates(const ComponentBlock& component) const;
  std::string Label(std::string_view name, const std::string& field) const;
  Number NumberOf(std::string_view name, const std::string& field, std::string_view text) const;
  void Unsigned(std::string_view name, const std::string& field, const char* message) const;

  const MachineSettings& settings_;
  const GCodeOptions& options_;
  FieldNote note_;
  std::array<bool, 4> checkedFeeders_{};
};

// The machine's travel as the settings give it; an empty or unreadable limit
// is none (ProgramCheck refuses an unreadable one first).
WorkArea ReadWorkArea(const MachineSettings& settings);

// Checks tree and settings as the generator does before writing a line; the
// command-line tool calls it first so its refusals carry `note`.
void CheckProgram(const ComponentTree& tree, const MachineSettings& settings, FieldNote note);

}  // namespace tav
