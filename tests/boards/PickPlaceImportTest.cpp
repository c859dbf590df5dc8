// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/PickPlaceImport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ComponentBlock.h"
#include "core/DecimalSeparator.h"
#include "core/Error.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHeader =
    "Designator,Footprint,Mid X,Mid Y,Ref X,Ref Y,Pad X,Pad Y,Layer,"
    "Rotation,Comment\r\n\"\"\r\n";

class PickPlaceImportTest : public ::testing::Test {
 protected:
  void TearDown() override { SetDecimalSeparator('.'); }

  // Writes `bytes` to a file of the test's folder and returns its path.
  std::string File(const std::string& bytes, const std::string& name = "board.csv") {
    const std::string path = folder_ / name;
    test::WriteBytes(path, bytes);
    return path;
  }

  // Imports a legacy file of kHeader and `rows` into `tree`.
  ImportSummary ImportRows(const std::string& rows, ComponentTree& tree) {
    return PickPlaceImport(File(kHeader + rows), tree);
  }

  test::TempFolder folder_;
};

std::vector<std::string> Texts(const ComponentTree& tree) {
  std::vector<std::string> texts;
  for (int i = 0; i < tree.Count(); ++i) texts.push_back(tree.NodeAt(i)->Text());
  return texts;
}

std::string ImportError(const std::string& path, ComponentTree& tree) {
  return test::ErrorOf([&] { PickPlaceImport(path, tree); });
}

TEST_F(PickPlaceImportTest, QuotedRowBecomesOneComponentBlock) {
  ComponentTree tree;
  const ImportSummary summary = ImportRows(
      "\"R1\",\"0805\",\"1mm\",\"2mm\",\"\",\"\",\"\",\"\",\"TopLayer\","
      "\"90\",\"10k\"\r\n"
      "last line\r\n",
      tree);
  EXPECT_EQ(summary.componentCount, 1);
  EXPECT_EQ(summary.largestX, 1.0);
  EXPECT_EQ(summary.largestY, 2.0);

  // clang-format off
  const struct { const char* text; int level; int icon; } expected[] = {
      {"R1", 0, 0},
      {"Comment: 10k", 1, 5}, {"Footprint: 0805", 1, 5}, {"Layer: TopLayer", 1, 5},
      {"Rotation: 90", 1, 5}, {"Feeder: 1", 1, 5},
      {"Position", 1, 6}, {"1mm", 2, 2}, {"2mm", 2, 3},
      {"Gr\xF6sse", 1, 7}, {"0", 2, 2}, {"0", 2, 3}, {"0", 2, 4}};
  // clang-format on
  ASSERT_EQ(tree.Count(), 13);
  for (int i = 0; i < 13; ++i) {
    const TreeNode* node = tree.NodeAt(i);
    EXPECT_EQ(node->Text(), expected[i].text) << i;
    EXPECT_EQ(node->Level(), expected[i].level) << i;
    EXPECT_EQ(node->ImageIndex(), expected[i].icon) << i;
    EXPECT_EQ(node->SelectedIndex(), expected[i].icon) << i;
  }
  EXPECT_NO_THROW(CheckComponentBlock(tree, 0));
}

TEST_F(PickPlaceImportTest, ImportsEveryRowFromLineThreeInFileOrder) {
  ComponentTree tree;
  const ImportSummary summary = ImportRows(
      "R1,0805,5,1,,,,,Top,0,10k\r\n"
      "C1,0603,7.5mm,-3mm,,,,,Bottom, 90,100n,extra,fields\r\n"
      "R9,0805,99,99,,,,,Top,0,kept\r\n",
      tree);
  EXPECT_EQ(summary.componentCount, 3);
  EXPECT_EQ(tree.Count(), 39);
  EXPECT_EQ(tree.TopLevelCount(), 3);
  EXPECT_EQ(tree.NodeAt(0)->Text(), "R1");
  EXPECT_EQ(tree.NodeAt(13)->Text(), "C1");
  EXPECT_EQ(tree.NodeAt(13 + block::kRotation)->Text(), "Rotation:  90");  // blanks are kept
  EXPECT_EQ(tree.NodeAt(13 + block::kY)->Text(), "-3mm");
  // The last line is a component when it is a complete row.
  EXPECT_EQ(tree.NodeAt(26 + block::kComment)->Text(), "Comment: kept");
  EXPECT_EQ(summary.largestX, 99.0);
  EXPECT_EQ(summary.largestY, 99.0);
  EXPECT_NO_THROW(CheckComponentBlock(tree, 13));
}

TEST_F(PickPlaceImportTest, AShortOrBlankLastLineIsNoRow) {
  // clang-format off
  const struct { const char* last; int count; } cases[] = {
      {"end\r\n", 1}, {"R9,0805,1,2,,,,,Top,0\r\n", 1}, {"\t \r\n", 1},
      {"R9,0805,1,2,,,,,Top,0,10k", 2}, {"", 1}};
  // clang-format on
  for (const auto& c : cases) {
    ComponentTree tree;
    EXPECT_EQ(
        ImportRows(std::string("R1,0805,1,2,,,,,Top,0,10k\r\n") + c.last, tree).componentCount,
        c.count)
        << c.last;
  }
}

TEST_F(PickPlaceImportTest, ALegacyFileWithoutRowsIsAnEmptyBoard) {
  for (const std::string& bytes :
       {std::string(kHeader), std::string(kHeader) + "end\r\n", std::string("Kopf\r\n \t")}) {
    ComponentTree tree;
    tree.AddChild(nullptr, "old");
    const ImportSummary summary = PickPlaceImport(File(bytes), tree);
    EXPECT_EQ(summary.componentCount, 0);
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_EQ(summary.largestX, 0.0);
  }
}

// Values in mil or inches become millimetres in the general format with "."
// and "mm"; values in mm keep their text byte for byte.
TEST_F(PickPlaceImportTest, MilAndInchValuesAreConvertedToMillimetres) {
  // clang-format off
  const struct { const char* x; const char* y; const char* nodeX; const char* nodeY; double largestX; } cases[] = {
      {"100mil",   "3250.01 MIL", "2.54mm",    "82.550254mm", 2.54},
      {"1in",      "0.5 Inch",    "25.4mm",    "12.7mm",      25.4},
      {"-10mil ",  "2INCH",       "-0.254mm",  "50.8mm",      0},
      {"12.7MM",   "1 mm",        "12.7MM",    "1 mm",        12.7},
      {"3937.0079mil", "0.1mil",  "100.00000066mm", "0.00254mm", 100.00000066},
  };
  // clang-format on
  for (const char separator : {'.', ','}) {
    SetDecimalSeparator(separator);
    for (const auto& c : cases) {
      ComponentTree tree;
      const std::string row = std::string("R1,0805,") + c.x + "," + c.y + ",,,,,Top,0,10k\r\n";
      const ImportSummary summary = ImportRows(row, tree);
      EXPECT_EQ(tree.NodeAt(block::kX)->Text(), c.nodeX) << c.x;
      EXPECT_EQ(tree.NodeAt(block::kY)->Text(), c.nodeY) << c.y;
      EXPECT_DOUBLE_EQ(summary.largestX, c.largestX) << c.x;
    }
  }
}

TEST_F(PickPlaceImportTest, AnEmptyLastLineLeavesEveryRowImported) {
  ComponentTree tree;
  EXPECT_EQ(ImportRows("R1,0805,5,1,,,,,Top,0,10k\n"
                       "R2,0805,5,1,,,,,Top,0,10k\n"
                       "\n",
                       tree)
                .componentCount,
            2);
  EXPECT_EQ(tree.NodeAt(13)->Text(), "R2");
}

TEST_F(PickPlaceImportTest, MaximaIgnoreTheUnitsCaseAndStayAtLeastZero) {
  ComponentTree tree;
  const ImportSummary summary = ImportRows(
      "R1,0805,12.7MM,-1mm,,,,,Top,0,10k\r\n"
      "R2,0805,3mM,-0.5,,,,,Top,0,10k\r\n"
      "end\r\n",
      tree);
  EXPECT_EQ(summary.largestX, 12.7);
  EXPECT_EQ(summary.largestY, 0.0);
  EXPECT_EQ(tree.NodeAt(block::kX)->Text(), "12.7MM");  // the node keeps the text as read
  EXPECT_EQ(DimensionLabel(summary.largestX), "12.7 mm");
  EXPECT_EQ(DimensionLabel(summary.largestY), "0 mm");
}

TEST_F(PickPlaceImportTest, DimensionLabelUsesTheGeneralFormat) {
  EXPECT_EQ(DimensionLabel(0), "0 mm");
  EXPECT_EQ(DimensionLabel(160.02), "160.02 mm");
  EXPECT_EQ(DimensionLabel(1e15), "1E15 mm");
  SetDecimalSeparator(',');
  EXPECT_EQ(DimensionLabel(12.5), "12,5 mm");
}

// A point is a decimal separator in board files whatever the user's
// separator is; the user's own separator is read as well.
TEST_F(PickPlaceImportTest, CommaSeparatorReadsPointDecimalsToo) {
  SetDecimalSeparator(',');
  ComponentTree tree;
  const ImportSummary summary = ImportRows(
      "R1,0805,10.16mm,1mm,,,,,Top,0,10k\r\n"
      "R2,0805,20.32mm,1.25,,,,,Top,0,10k\r\n"
      "end\r\n",
      tree);
  EXPECT_EQ(summary.componentCount, 2);
  EXPECT_EQ(tree.NodeAt(block::kX)->Text(), "10.16mm");
  EXPECT_EQ(tree.NodeAt(13 + block::kY)->Text(), "1.25");
  EXPECT_EQ(summary.largestX, 20.32);
  EXPECT_EQ(summary.largestY, 1.25);
}

TEST_F(PickPlaceImportTest, ReportsTheBottomMostFaultAndXBeforeY) {
  ComponentTree tree;
  EXPECT_EQ(ImportError(File(std::string(kHeader) + "R1,0805,x1,1,,,,,Top,0,10k\r\n"
                                                    "R2,0805,1,1,,,,,Top,0\r\n"
                                                    "end\r\n"),
                        tree),
            "Zeile 4 hat 10 Felder, erwartet werden mindestens 11");
  EXPECT_EQ(ImportError(File(std::string(kHeader) + "R1\r\n"
                                                    "end\r\n"),
                        tree),
            "Zeile 3 hat 1 Feld, erwartet werden mindestens 11");
  EXPECT_EQ(ImportError(File(std::string(kHeader) + "R1,0805,1,1,,,,,Top,0\r\n"
                                                    "R2,0805, 10mmmm ,y,,,,,Top,0,10k\r\n"
                                                    "end\r\n"),
                        tree),
            "Zeile 4, Spalte 3 (X): ' 10mm ' ist kein g\xFCltiger Gleitkommawert");
}

// Every failing import leaves the tree as it was: same nodes, same texts, and
// its observers hear nothing.
TEST_F(PickPlaceImportTest, FailuresLeaveTheTreeUntouched) {
  struct Counter final : TreeObserver {
    int calls = 0;
    void TreeAboutToReset() override { ++calls; }
    void TreeReset() override { ++calls; }
    void NodeAboutToBeAdded(const TreeNode*, int) override { ++calls; }
    void NodeAdded(const TreeNode*) override { ++calls; }
    void NodeChanged(const TreeNode*) override { ++calls; }
  };
  ComponentTree tree;
  PickPlaceImport(File(std::string(kHeader) + "K1,0805,1,2,,,,,Top,0,10k\r\nend\r\n", "old.csv"),
                  tree);
  const std::vector<std::string> texts = Texts(tree);
  std::vector<const TreeNode*> nodes;
  for (int i = 0; i < tree.Count(); ++i) nodes.push_back(tree.NodeAt(i));
  Counter counter;
  tree.AddObserver(&counter);

  const std::string good = "R1,0805,1,2,,,,,Top,0,10k\r\n";
  // clang-format off
  const struct { std::string bytes; std::string messageStart; } cases[] = {
      {"",                                               "Die Datei "},
      {"only\r\nthree\r\nlines\r\n",                     "Die Datei "},
      {std::string(kHeader) + "R1,0805,1,2\r\n" + good + "end\r\n", "Zeile 3 hat 4 Felder"},
      {std::string(kHeader) + good + "R2,0805,1,2mm x,,,,,Top,0,10k\r\n" + good + "end\r\n",
       "Zeile 4, Spalte 4 (Y): '2 x' ist kein g\xFCltiger Gleitkommawert"},
  };
  // clang-format on
  for (const auto& c : cases) {
    const std::string message = ImportError(File(c.bytes), tree);
    EXPECT_EQ(message.substr(0, c.messageStart.size()), c.messageStart) << message;
  }
  const std::string missing = ImportError(folder_ / "missing.csv", tree);
  EXPECT_EQ(missing.rfind("Datei ", 0), 0u) << missing;
  EXPECT_NE(missing.find("missing.csv kann nicht ge\xF6"
                         "ffnet werden. "),
            std::string::npos)
      << missing;

  EXPECT_EQ(Texts(tree), texts);
  for (int i = 0; i < tree.Count(); ++i) EXPECT_EQ(tree.NodeAt(i), nodes[i]);
  EXPECT_EQ(counter.calls, 0);
}

TEST_F(PickPlaceImportTest, NamesTheFileWithoutAHeader) {
  ComponentTree tree;
  const std::string path = File("only\r\nthree\r\nlines\r\n");
  EXPECT_EQ(ImportError(path, tree),
            "Die Datei " + fs::absolute(path).lexically_normal().string() +
                " hat keine Kopfzeile mit den Spalten f\xFCr Bauteilname, X und Y. Erwartet "
                "werden eine Spalte Bauteilname (Designator, Ref, RefDes, Reference), eine Spalte "
                "X (Mid X, Center-X, PosX, X, Ref X) und eine Spalte Y (Mid Y, Center-Y, PosY, Y, "
                "Ref Y)");
  const std::string empty = File("", "empty.csv");
  EXPECT_EQ(ImportError(empty, tree),
            "Die Datei " + fs::absolute(empty).lexically_normal().string() + " ist leer");
}

TEST_F(PickPlaceImportTest, SuccessReplacesTheTreeInOneReset) {
  ComponentTree tree;
  for (int i = 0; i < 3; ++i) tree.AddChild(nullptr, "old");
  struct Log final : TreeObserver {
    std::vector<int> counts;
    const ComponentTree* tree = nullptr;
    void TreeAboutToReset() override { counts.push_back(-tree->Count()); }
    void TreeReset() override { counts.push_back(tree->Count()); }
    void NodeAboutToBeAdded(const TreeNode*, int) override { counts.push_back(1000); }
  } log;
  log.tree = &tree;
  tree.AddObserver(&log);
  ImportRows("R1,0805,1,2,,,,,Top,0,10k\r\nend\r\n", tree);
  EXPECT_EQ(log.counts, (std::vector<int>{-3, 13}));
}

}  // namespace
}  // namespace tav
