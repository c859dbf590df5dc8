#include "core/PickPlaceImport.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/ComponentBlock.h"
#include "core/Error.h"
#include "core/LineList.h"
#include "core/MessagePath.h"
#include "core/Messages.h"
#include "core/NumberConversion.h"
#include "core/TextOperations.h"

namespace tav {

namespace {

// Fields of a row, counted from 0; fields 4 to 7 and after 10 are not read.
enum Field : std::size_t {
  kDesignator = 0,
  kFootprint = 1,
  kX = 2,
  kY = 3,
  kLayer = 8,
  kRotation = 9,
  kComment = 10,
  kFieldCount = 11
};

TreeNode* AddNode(ComponentTree& tree, TreeNode* parent, std::string text, int icon) {
  TreeNode* node = tree.AddChild(parent, std::move(text));
  tree.SetIcons(node, icon);
  return node;
}

std::string Labelled(const char* label, const std::string& value) {
  std::string text(label);
  text += value;
  return text;
}

// Only the first "mm" is removed, so a field such as 10mmmm stays no number.
void RaiseLargest(double& largest, const std::string& coordinate) {
  const Number value = TextToNumber(ReplaceText(coordinate, "mm", "", false, true));
  if (value > largest) largest = static_cast<double>(value);
}

// The fields of row `i` (0-based line index); a row too short for the fixed
// field positions is refused.
std::vector<std::string> SplitRow(const LineList& lines, std::size_t i) {
  std::vector<std::string> fields = SplitFields(lines[i], ',');
  if (fields.size() < kFieldCount) {
    throw Error(FormatMessage(msg::kTooFewFields,
                              {IntegerToText(static_cast<std::int64_t>(i) + 1),
                               IntegerToText(static_cast<std::int64_t>(fields.size()))}));
  }
  return fields;
}

// Appends one component block after all others.
void AddComponent(ComponentTree& tree, std::vector<std::string>& fields) {
  TreeNode* top = tree.AddChild(nullptr, std::move(fields[kDesignator]));
  AddNode(tree, top, Labelled("Comment: ", fields[kComment]), icon::kAttribute);
  AddNode(tree, top, Labelled("Footprint: ", fields[kFootprint]), icon::kAttribute);
  AddNode(tree, top, Labelled("Layer: ", fields[kLayer]), icon::kAttribute);
  AddNode(tree, top, Labelled("Rotation: ", fields[kRotation]), icon::kAttribute);
  AddNode(tree, top, "Feeder: 1", icon::kAttribute);
  TreeNode* position = AddNode(tree, top, "Position", icon::kPositionGroup);
  AddNode(tree, position, std::move(fields[kX]), icon::kXValue);
  AddNode(tree, position, std::move(fields[kY]), icon::kYValue);
  TreeNode* size = AddNode(tree, top, "Gr\xF6sse", icon::kSizeGroup);
  AddNode(tree, size, "0", icon::kXValue);
  AddNode(tree, size, "0", icon::kYValue);
  AddNode(tree, size, "0", icon::kZValue);
}

}  // namespace

ImportSummary PickPlaceImport(const std::string& path, ComponentTree& tree) {
  // Double quotes go from the whole text, so a comma inside a quoted field
  // still separates fields.
  LineList lines = SplitLines(ReplaceText(JoinLines(LoadLines(path)), "\"", "", true, true));
  // Lines 1 and 2 are headers and the last line is never a component.
  if (lines.size() < 4)
    throw Error(FormatMessage(msg::kNoComponentRows, {FullPathForMessage(path)}));

  const std::size_t firstRow = 2;
  const std::size_t endRow = lines.size() - 1;

  // Every row is checked before anything is built, from the bottom up, so the
  // first error reported is the bottom-most one.
  ImportSummary summary;
  for (std::size_t i = endRow; i-- > firstRow;) {
    const std::vector<std::string> fields = SplitRow(lines, i);
    RaiseLargest(summary.largestX, fields[kX]);
    RaiseLargest(summary.largestY, fields[kY]);
  }

  // Built in file order into a tree of its own, which replaces `tree` as a
  // whole; appending keeps its absolute indexes valid all along.
  ComponentTree built;
  for (std::size_t i = firstRow; i < endRow; ++i) {
    std::vector<std::string> fields = SplitRow(lines, i);
    AddComponent(built, fields);
    std::string().swap(lines[i]);  // the tree grows while the text shrinks
  }
  summary.componentCount = static_cast<int>(endRow - firstRow);
  tree.Swap(built);
  return summary;
}

std::string DimensionLabel(double largest) {
  return NumberToText(static_cast<Number>(largest), 15, 0) + " mm";
}

}  // namespace tav
