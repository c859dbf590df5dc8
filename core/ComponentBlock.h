// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/ComponentTree.h"

namespace tav {

// The 13-node block of one component, as offsets from its top-level node.
namespace block {
inline constexpr int kSize = 13;
inline constexpr int kComment = 1;
inline constexpr int kFootprint = 2;
inline constexpr int kLayer = 3;
inline constexpr int kRotation = 4;
inline constexpr int kFeeder = 5;
inline constexpr int kPosition = 6;
inline constexpr int kX = 7;
inline constexpr int kY = 8;
inline constexpr int kSizeGroup = 9;
inline constexpr int kFeederChild = 4;  // the feeder node is child 4 of the component
}  // namespace block

// Node kinds by ImageIndex.
namespace icon {
inline constexpr int kIncluded = 0;
inline constexpr int kExcluded = 1;
inline constexpr int kXValue = 2;
inline constexpr int kYValue = 3;
inline constexpr int kZValue = 4;
inline constexpr int kAttribute = 5;
inline constexpr int kPositionGroup = 6;
inline constexpr int kSizeGroup = 7;
}  // namespace icon

// Labels the import puts before the attribute fields.
namespace label {
inline constexpr std::string_view kComment = "Comment: ";
inline constexpr std::string_view kFootprint = "Footprint: ";
inline constexpr std::string_view kLayer = "Layer: ";
inline constexpr std::string_view kRotation = "Rotation: ";
inline constexpr std::string_view kFeeder = "Feeder: ";
}  // namespace label

// Makes sure that the component whose top-level node stands at absolute index
// `index` can be read at offsets +5, +7 and +8: node +5 is child 4 of the
// component, nodes +7 and +8 are children 0 and 1 of node +6, which is child 5.
// Throws Error "Ungültiger Index" when +8 lies past the end, and an Error
// naming the designator when the shape is wrong.
void CheckComponentBlock(const ComponentTree& tree, int index);

// The text of a feeder node: "Feeder: " and the number ("Feeder: 3").
std::string FeederText(int number);
// The feeder number a feeder node's text names: 1 to 4 for exactly "Feeder: 1"
// to "Feeder: 4", otherwise 0 (no blanks, leading zeros or other case).
int ParseFeederText(std::string_view text);

// The unit "mm" in coordinate texts, removed in any letter case. Two rules on
// purpose: the import's largest X and Y remove only the first occurrence (so
// «10mmmm» stays no number there), while the G-code and the position plot
// remove every occurrence (so the same text plots and generates as «10»).
std::string WithoutFirstUnit(std::string_view coordinate);
std::string WithoutAnyUnit(std::string_view coordinate);

// One component read from its block. The views point into the tree's nodes and
// stay valid until the tree changes.
struct ComponentBlock {
  const TreeNode* top = nullptr;
  std::string_view designator;  // text of the top-level node
  std::string_view feederText;  // text of the feeder node as it stands
  int feeder = 0;               // ParseFeederText(feederText)
  std::string_view x;           // X text as stored, unit included
  std::string_view y;           // Y text as stored, unit included
  std::string_view value;       // comment node without its "Comment: " label
  std::string_view footprint;   // footprint node without its label
  std::string_view side;        // layer node without its label
  std::string_view rotation;    // rotation node without its label
  bool included = false;        // ImageIndex 0 on the top-level node
};

// Reads the component whose top-level node stands at absolute index `index`,
// after CheckComponentBlock (whose errors it throws). An attribute whose text
// lacks its label (edited in place) is taken whole.
ComponentBlock ReadComponentBlock(const ComponentTree& tree, int index);

}  // namespace tav
