// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/PassPlan.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "core/ComponentAttributes.h"
#include "core/ComponentBlock.h"
#include "core/ComponentSide.h"
#include "core/EditCommands.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "core/NotFitted.h"
#include "settings/BoardPlacement.h"

namespace tav {
namespace {

// One hash key per value and footprint; the length prefix keeps "ab"+"c" and
// "a"+"bc" apart whatever bytes the texts hold.
std::string KindKey(std::string_view value, std::string_view footprint) {
  std::string key = std::to_string(value.size());
  key.reserve(key.size() + 1 + value.size() + footprint.size());
  key.push_back(':');
  key.append(value);
  key.append(footprint);
  return key;
}

// The feeder angle under which the part needs no turn; an empty rotation is 0.
double NeededAngleOf(const PlannedPart& part, const BoardPlacement& placement) {
  const std::string_view rotation = part.rotation;
  if (rotation.find_first_not_of(' ') == std::string_view::npos) return placement.NeededAngle(0);
  const std::optional<double> degrees = ReadPlacementNumber(rotation);
  if (!degrees)
    throw Error(
        FormatMessage("Die Drehung von %s ist keine Zahl: %s", {part.designator, rotation}));
  return placement.NeededAngle(*degrees);
}

}  // namespace

PassPlan PassPlan::Make(const ComponentTree& tree) { return Make(tree, MachineSettings{}); }

PassPlan PassPlan::Make(const ComponentTree& tree, const MachineSettings& settings) {
  const PlannedParts parts = [&tree](const PlannedPartVisitor& visit) {
    const int rows = tree.TopLevelCount();
    for (int row = 0; row < rows; ++row) {
      const TreeNode* top = tree.TopLevel(row);
      if (top->ImageIndex() != icon::kIncluded) {
        visit(PlannedPart{});
        continue;
      }
      // Applying a pass sets the feeder node; refuse now rather than half way then.
      if (top->ChildCount() <= block::kFeederChild)
        throw Error(FormatMessage(msg::kNotAComponentBlock, {top->Text()}));
      visit(PlannedPart{ComponentAttribute(*top, block::kComment),
                        ComponentAttribute(*top, block::kFootprint), top->Text(),
                        SideOfComponent(*top), true, ComponentAttribute(*top, block::kRotation)});
    }
  };
  return Make(parts, settings);
}

PassPlan PassPlan::Make(const PlannedParts& parts) { return Make(parts, MachineSettings{}); }

PassPlan PassPlan::Make(const PlannedParts& parts, const MachineSettings& settings) {
  const BoardPlacement placement(settings);
  const bool byAngle = placement.TurnsMatter() && placement.Axis() == 0;
  PassPlan plan;

  // Kinds in order of first appearance.
  std::vector<PartKind> found;
  std::unordered_map<std::string, int> kindByKey;
  parts([&](const PlannedPart& part) {
    const int row = static_cast<int>(plan.kindOfRow_.size());
    plan.kindOfRow_.push_back(-1);
    if (!part.included) return;
    if (IsNotFitted(part.value)) {
      plan.notFitted_.emplace_back(part.designator);
      return;
    }
    std::string key = KindKey(part.value, part.footprint);
    std::optional<double> angle;
    if (byAngle) {
      angle = NeededAngleOf(part, placement);
      key.push_back('\0');
      key += DegreesText(*angle);
    }
    const auto [entry, isNew] =
        kindByKey.try_emplace(std::move(key), static_cast<int>(found.size()));
    if (isNew)
      found.push_back(
          PartKind{std::string(part.value), std::string(part.footprint), {}, {}, angle});
    PartKind& kind = found[static_cast<std::size_t>(entry->second)];
    kind.rows.push_back(row);
    kind.designators.emplace_back(part.designator);
    plan.kindOfRow_.back() = entry->second;
    ++plan.planned_;
    switch (part.side) {
      case ComponentSide::kTop:
        ++plan.topSide_;
        break;
      case ComponentSide::kBottom:
        ++plan.bottomSide_;
        break;
      case ComponentSide::kUnknown:
        break;
    }
  });

  // Most components first; the stable sort keeps ties in order of appearance.
  std::vector<int> order(found.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&found](int a, int b) {
    return found[static_cast<std::size_t>(a)].Count() > found[static_cast<std::size_t>(b)].Count();
  });
  std::vector<int> rank(found.size());
  plan.kinds_.reserve(found.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    rank[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    plan.kinds_.push_back(std::move(found[static_cast<std::size_t>(order[i])]));
  }
  for (int& kind : plan.kindOfRow_)
    if (kind >= 0) kind = rank[static_cast<std::size_t>(kind)];
  return plan;
}

int PassPlan::PassCount() const noexcept {
  return (KindCount() + kFeedersPerPass - 1) / kFeedersPerPass;
}

int PassPlan::KindOfRow(std::size_t row) const noexcept {
  return row < kindOfRow_.size() ? kindOfRow_[row] : -1;
}

int PassPlan::ExcludedCount() const noexcept {
  return static_cast<int>(kindOfRow_.size()) - planned_ - static_cast<int>(notFitted_.size());
}

std::span<const PartKind> PassPlan::KindsOfPass(int pass) const {
  if (pass < 1 || pass > PassCount()) throw Error(msg::kInvalidIndex);
  const std::size_t first = static_cast<std::size_t>(pass - 1) * kFeedersPerPass;
  const std::size_t count = std::min<std::size_t>(kFeedersPerPass, kinds_.size() - first);
  return std::span<const PartKind>(kinds_).subspan(first, count);
}

int PassPlan::ComponentCountOfPass(int pass) const {
  int count = 0;
  for (const PartKind& kind : KindsOfPass(pass)) count += kind.Count();
  return count;
}

void PassPlan::CheckSameComponents(const ComponentTree& tree) const {
  bool same = tree.TopLevelCount() == static_cast<int>(kindOfRow_.size());
  for (std::size_t k = 0; same && k < kinds_.size(); ++k) {
    const PartKind& kind = kinds_[k];
    for (std::size_t i = 0; same && i < kind.rows.size(); ++i) {
      const TreeNode* top = tree.TopLevel(kind.rows[i]);
      same = top->Text() == kind.designators[i] && top->ChildCount() > block::kFeederChild;
    }
  }
  if (!same)
    throw Error(
        "Die Bauteile haben sich seit der Planung ge\xE4ndert; bitte die Durchg\xE4nge neu planen");
}

void PassPlan::ApplyPassAngles(MachineSettings& settings, int pass) const {
  const auto kinds = KindsOfPass(pass);
  for (std::size_t i = 0; i < kinds.size(); ++i)
    if (kinds[i].angle) settings.angles[i] = DegreesText(*kinds[i].angle);
}

void PassPlan::ApplyPass(ComponentTree& tree, int pass) const {
  if (pass < 1 || pass > PassCount()) throw Error(msg::kInvalidIndex);
  CheckSameComponents(tree);
  for (std::size_t row = 0; row < kindOfRow_.size(); ++row) {
    TreeNode* top = tree.TopLevel(static_cast<int>(row));
    const int kind = kindOfRow_[row];
    if (kind >= 0 && PassOfKind(kind) == pass) {
      IncludeComponent(tree, top);
      AssignFeeder(tree, top, FeederOfKind(kind));
    } else {
      ExcludeComponent(tree, top);
    }
  }
}

}  // namespace tav
