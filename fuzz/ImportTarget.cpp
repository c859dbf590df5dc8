// Pick-and-place import of arbitrary bytes: either an error that leaves the
// tree as it was, or one whole 13-node block per data row, in file order.
#include <string>
#include <vector>

#include "core/ComponentBlock.h"
#include "core/DecimalSeparator.h"
#include "core/Error.h"
#include "core/LineList.h"
#include "core/NumberConversion.h"
#include "boards/PickPlaceImport.h"
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

// The value the largest X or Y is taken from; nothing when it is not a number.
bool CoordinateValue(const std::string& field, Number& value) {
  try {
    value = TextToNumber(ReplaceText(field, "mm", "", false, true));
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
  Expect(text(block::kX) == FieldOrEmpty(fields, 2), where + "X is not field 2 as read");
  Expect(text(block::kY) == FieldOrEmpty(fields, 3), where + "Y is not field 3 as read");
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

  const LineList lines = SplitLines(input);
  const std::size_t rows = lines.size() >= 4 ? lines.size() - 3 : 0;
  Expect(summary.componentCount >= 0 && static_cast<std::size_t>(summary.componentCount) == rows,
         "component count does not match the data rows");
  Expect(tree.Count() == summary.componentCount * block::kSize,
         "node count is not 13 times the component count");
  Expect(tree.TopLevelCount() == summary.componentCount, "top-level count is off");

  double largestX = 0;
  double largestY = 0;
  for (int component = 0; component < summary.componentCount; ++component) {
    const std::string& line = lines[static_cast<std::size_t>(component) + 2];
    CheckImportedBlock(tree, component, line);
    Number x = 0;
    Number y = 0;
    const int index = component * block::kSize;
    Expect(CoordinateValue(tree.NodeAt(index + block::kX)->Text(), x) &&
               CoordinateValue(tree.NodeAt(index + block::kY)->Text(), y),
           "import succeeded with a coordinate that is not a number");
    if (x > largestX) largestX = static_cast<double>(x);
    if (y > largestY) largestY = static_cast<double>(y);
  }
  Expect(summary.largestX == largestX && summary.largestY == largestY,
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
