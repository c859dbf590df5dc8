// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ComponentSide.h"
#include "core/ComponentTree.h"
#include "settings/MachineSettings.h"

namespace tav {

// The machine holds four part kinds at a time, one per feeder.
inline constexpr int kFeedersPerPass = 4;

// The included components of one value and footprint.
struct PartKind {
  std::string value;      // the text after "Comment: "
  std::string footprint;  // the text after "Footprint: "
  // Top-level rows of its components and their designators, in tree order.
  std::vector<int> rows;
  std::vector<std::string> designators;
  // Where the planner splits kinds by angle: the feeder angle (0 to less than
  // 360 degrees) under which its parts need no turn.
  std::optional<double> angle;

  int Count() const noexcept { return static_cast<int>(rows.size()); }
};

// A component as the plan sees it; an excluded one is not read further.
struct PlannedPart {
  std::string_view value;
  std::string_view footprint;
  std::string_view designator;
  ComponentSide side = ComponentSide::kUnknown;
  bool included = false;
  std::string_view rotation;  // read only where kinds are split by angle
};
// Hands the visitor every component (top-level row) in order.
using PlannedPartVisitor = std::function<void(const PlannedPart& part)>;
using PlannedParts = std::function<void(const PlannedPartVisitor& visit)>;

// Splits a board into passes ("Durchgänge") of at most four part kinds.
//
// The components included when the plan is made, except those marked as not
// to be fitted, are grouped into part kinds (same value and footprint, byte
// for byte). The kinds are ordered by their
// number of components, most first, ties in the order in which a kind first
// appears in the tree. Kind k of that order (from 0) goes on feeder
// k % 4 + 1 in pass k / 4 + 1. Components excluded when the plan is made are
// never planned, whatever a later ApplyPass did to them.
//
// The plan is a value: it keeps the inclusion state of the moment it was
// made, so any pass can be applied after any other. It belongs to the tree it
// was made from, as long as no component is added, removed or reordered.
class PassPlan final {
 public:
  PassPlan() = default;

  // Plans the components of `tree` that are included now, in time linear in
  // the tree's size. Throws Error "Der Eintrag "%s" hat nicht den Aufbau eines
  // Bauteils" when an included component lacks its attribute nodes (comment,
  // footprint, layer, rotation, feeder).
  static PassPlan Make(const ComponentTree& tree);
  // The same, for the board placement in `settings`: once part turns matter
  // (BoardPlacement::TurnsMatter) and the machine has no rotation axis, a kind
  // is split by the feeder angle its parts need, so no part lands turned.
  // Throws Error (the placement's setting errors; a part whose rotation is no
  // number when kinds are split by angle).
  static PassPlan Make(const ComponentTree& tree, const MachineSettings& settings);

  // The same for components handed over one by one, such as the rows of a
  // board file read without building a tree (rows count from 0 in that order).
  static PassPlan Make(const PlannedParts& parts);
  static PassPlan Make(const PlannedParts& parts, const MachineSettings& settings);

  // No component was included: there is nothing to place.
  bool Empty() const noexcept { return kinds_.empty(); }
  int PassCount() const noexcept;
  int KindCount() const noexcept { return static_cast<int>(kinds_.size()); }
  // Components planned (included when the plan was made).
  int ComponentCount() const noexcept { return planned_; }
  // Components left out because they were excluded when the plan was made.
  int ExcludedCount() const noexcept;
  // Included components left out because their value marks them as not to
  // be fitted (IsNotFitted), in tree order.
  const std::vector<std::string>& NotFitted() const noexcept { return notFitted_; }
  // Planned components on the top side and on the bottom side (by "Layer: ");
  // components of an unknown side count in neither.
  int TopSideCount() const noexcept { return topSide_; }
  int BottomSideCount() const noexcept { return bottomSide_; }

  // The index in Kinds() of the kind of top-level row `row`, or -1 when the
  // row was not planned.
  int KindOfRow(std::size_t row) const noexcept;

  // Every kind in plan order (see above).
  const std::vector<PartKind>& Kinds() const noexcept { return kinds_; }
  // The kinds of pass `pass` (1 to PassCount()), for feeders 1, 2, ... in
  // order. Throws Error "Ungültiger Index" for any other pass.
  std::span<const PartKind> KindsOfPass(int pass) const;
  // Number of components placed in pass `pass`; throws as KindsOfPass.
  int ComponentCountOfPass(int pass) const;

  // Pass (from 1) and feeder (1 to 4) of the kind at `kindIndex` in Kinds().
  static int PassOfKind(int kindIndex) noexcept { return kindIndex / kFeedersPerPass + 1; }
  static int FeederOfKind(int kindIndex) noexcept { return kindIndex % kFeedersPerPass + 1; }

  // Makes `tree` hold pass `pass`: every component of the pass is included and
  // its feeder node set to its feeder ("Feeder: N"); every other component is
  // excluded. Only feeder nodes and include states change, as the popup
  // commands would change them. Linear in the tree's size. All or nothing:
  // throws Error "Ungültiger Index" for a pass out of range, and an Error
  // asking to plan again when the tree's components are no longer those the
  // plan was made from, before anything changes.
  void ApplyPass(ComponentTree& tree, int pass) const;
  // Sets the "Winkel" of the feeders whose kinds in pass `pass` have an angle;
  // the others keep theirs. Throws Error "Ungültiger Index" for a pass out of range.
  void ApplyPassAngles(MachineSettings& settings, int pass) const;

 private:
  void CheckSameComponents(const ComponentTree& tree) const;

  std::vector<PartKind> kinds_;
  // For each top-level row: the index of its kind in kinds_, or -1 when the
  // component was not planned.
  std::vector<int> kindOfRow_;
  std::vector<std::string> notFitted_;
  int planned_ = 0;
  int topSide_ = 0;
  int bottomSide_ = 0;
};

}  // namespace tav
