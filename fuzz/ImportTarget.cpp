// SPDX-License-Identifier: GPL-3.0-or-later
// Pick-and-place import of arbitrary bytes: either an error that leaves the
// tree as it was, or one whole 13-node block per component, in file order;
// in the legacy layout one per row from line 3, fields by position.
#include <cmath>
#include <string>
#include <vector>

#include "boards/BoardNumbers.h"
#include "boards/LegacyReader.h"
#include "boards/LengthUnits.h"
#include "boards/PickPlaceImport.h"
#include "boards/TextDecoding.h"
#include "core/ComponentBlock.h"
#include "core/DecimalSeparator.h"
#include "core/Error.h"
#include "core/LineList.h"
#include "core/NumberConversion.h"
#include "core/TextOperations.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"

namespace tav::fuzz {
namespace {

// Restores the process-wide decimal separator when the check ends.
class SeparatorScope final {
 public:
  explicit SeparatorScope(char separator) : saved_(DecimalSeparator()) {
    SetDecimalSeparator(separator);
  }
  ~SeparatorScope() { SetDecimalSeparator(saved_); }
  SeparatorScope(const SeparatorScope&) = delete;
  SeparatorScope& operator=(const SeparatorScope&) = delete;

 private:
  char saved_;
};

std::string FieldOrEmpty(const std::vector<std::string>& fields, std::size_t i) {
  return i < fields.size() ? fields[i] : std::string();
}

// The value of an X or Y node text in mm; nothing when it is not a number.
bool CoordinateValue(const std::string& field, Number& value) {
  try {
    value = BoardNumber(ReplaceText(field, "mm", "", false, true));
    return true;
  } catch (const Error&) {
    return false;
  }
}

void CheckImportedBlock(const ComponentTree& tree, int component, const std::string& line) {
  const int index = component * block::kSize;
  const std::vector<std::string> fields = SplitFields(ReplaceText(line, "\"", "", true, true), ',');
  CheckComponentBlock(tree, index);
  const std::string where = "component " + std::to_string(component) + ": ";
  const auto text = [&tree, index](int offset) { return tree.NodeAt(index + offset)->Text(); };
  Expect(text(0) == FieldOrEmpty(fields, 0), where + "designator is not field 0 of its row");
  Expect(text(block::kComment) == "Comment: " + FieldOrEmpty(fields, 10), where + "comment");
  Expect(text(block::kFootprint) == "Footprint: " + FieldOrEmpty(fields, 1), where + "footprint");
  Expect(text(block::kLayer) == "Layer: " + FieldOrEmpty(fields, 8), where + "layer");
  Expect(text(block::kRotation) == "Rotation: " + FieldOrEmpty(fields, 9), where + "rotation");
  Expect(text(block::kFeeder) == "Feeder: 1", where + "feeder");
  // Values in mil or inches are converted; all others keep their text.
  const auto converted = [](const std::string& field) {
    const LengthUnit unit = SplitUnitSuffix(field).unit;
    return unit == LengthUnit::kMil || unit == LengthUnit::kInch;
  };
  Expect(converted(fields[2]) || text(block::kX) == fields[2], where + "X is not field 2 as read");
  Expect(converted(fields[3]) || text(block::kY) == fields[3], where + "Y is not field 3 as read");
  static constexpr int kIcons[block::kSize] = {0, 5, 5, 5, 5, 5, 6, 2, 3, 7, 2, 3, 4};
  static constexpr int kLevels[block::kSize] = {0, 1, 1, 1, 1, 1, 1, 2, 2, 1, 2, 2, 2};
  for (int offset = 0; offset < block::kSize; ++offset) {
    const TreeNode* node = tree.NodeAt(index + offset);
    Expect(node->ImageIndex() == kIcons[offset] && node->SelectedIndex() == kIcons[offset],
           where + "wrong icon at offset " + std::to_string(offset));
    Expect(node->Level() == kLevels[offset],
           where + "wrong level at offset " + std::to_string(offset));
  }
}

void CheckImport(std::string_view input, const std::string& path, char separator) {
  const SeparatorScope scope(separator);
  ComponentTree tree;
  AppendComponent(tree, "BEFORE", "1mm", "2mm", "Feeder: 2", icon::kExcluded);
  const TreeState before = StateOf(tree);

  ImportSummary summary;
  try {
    summary = PickPlaceImport(path, tree);
  } catch (const Error& error) {
    Expect(!error.message().empty(), "import failed with an empty message");
    Expect(StateOf(tree) == before,
           "a failed import changed the tree: " + Printable(error.message()));
    return;
  }

  Expect(tree.Count() == summary.componentCount * block::kSize,
         "node count is not 13 times the component count");
  Expect(tree.TopLevelCount() == summary.componentCount, "top-level count is off");

  const std::string decoded = DecodeBoardText(std::string(input)).text;
  const LineList lines = SplitLines(decoded);
  std::vector<std::string_view> views(lines.begin(), lines.end());
  if (IsLegacyLayout(views)) {
    // Rows from line 3 on; the last line only when it has 11 fields.
    std::size_t rows = lines.size() > 2 ? lines.size() - 2 : 0;
    if (rows > 0 && SplitFields(ReplaceText(lines.back(), "\"", "", true, true), ',').size() < 11)
      --rows;
    Expect(static_cast<std::size_t>(summary.componentCount) == rows,
           "component count does not match the legacy rows");
    for (int component = 0; component < summary.componentCount; ++component)
      CheckImportedBlock(tree, component, lines[static_cast<std::size_t>(component) + 2]);
  }

  double largestX = 0;
  double largestY = 0;
  for (int component = 0; component < summary.componentCount; ++component) {
    const int index = component * block::kSize;
    CheckComponentBlock(tree, index);
    Expect(tree.NodeAt(index + block::kFeeder)->Text() == "Feeder: 1", "feeder is not 1");
    Number x = 0;
    Number y = 0;
    Expect(CoordinateValue(tree.NodeAt(index + block::kX)->Text(), x) &&
               CoordinateValue(tree.NodeAt(index + block::kY)->Text(), y),
           "import succeeded with a coordinate that is not a number");
    if (x > largestX) largestX = static_cast<double>(x);
    if (y > largestY) largestY = static_cast<double>(y);
  }
  // Converted coordinates are written with 15 digits; the maxima keep the full value.
  const auto near = [](double a, double b) {
    return std::fabs(a - b) <= 1e-12 * std::fmax(1.0, std::fabs(a));
  };
  Expect(near(summary.largestX, largestX) && near(summary.largestY, largestY),
         "largest X or Y is not the largest coordinate");
  const std::string label = DimensionLabel(summary.largestX);
  Expect(label.size() > 3 && label.ends_with(" mm"), "dimension label without unit");
}

}  // namespace

void FuzzImport(std::string_view input) {
  static const std::string path = ScratchPath("board.csv");
  WriteInputFile(path, input);
  CheckImport(input, path, '.');
  CheckImport(input, path, ',');
}

}  // namespace tav::fuzz
