#pragma once

#include <string>

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

// Makes sure that the component whose top-level node stands at absolute index
// `index` can be read at offsets +5, +7 and +8: node +5 is child 4 of the
// component, nodes +7 and +8 are children 0 and 1 of node +6, which is child 5.
// Throws Error "Ungültiger Index" when +8 lies past the end, and an Error
// naming the designator when the shape is wrong.
void CheckComponentBlock(const ComponentTree& tree, int index);

}  // namespace tav
