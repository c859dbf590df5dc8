// SPDX-License-Identifier: GPL-3.0-or-later
// Inputs a user might open by mistake or that another tool wrote badly: each
// ends in a result or a clear error with nothing changed, in time and memory
// that follow the size of the input, never a crash.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>

#include "boards/PickPlaceImport.h"
#include "core/ComponentBlock.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "faults/FaultSupport.h"
#include "project/ProjectFile.h"
#include "project/TreeText.h"

namespace tav::faults {
namespace {

constexpr std::string_view kHeader =
    "Designator,Footprint,Mid X,Mid Y,Ref X,Ref Y,Pad X,Pad Y,Layer,Rotation,Comment\r\n\r\n";

// Inputs of tens of megabytes take minutes under the sanitizers; CI sets
// TAV_SKIP_HEAVY_TESTS there and runs them in the normal build only.
bool SkipHeavy() { return std::getenv("TAV_SKIP_HEAVY_TESTS") != nullptr; }

class Stopwatch final {
 public:
  double Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

std::string Snapshot(const ComponentTree& tree) { return WriteTreeAsText(tree); }

class BadInput : public ::testing::Test {
 protected:
  BadInput() {
    AddComponents(tree, 2, "VORHER");
    settings.travelFeed = "33";
  }

  // Imports `bytes`; on an error the tree must be as it was. Gives the error message.
  std::string Import(std::string_view bytes, ImportSummary* summary = nullptr) {
    WriteBytes(path, bytes);
    const std::string treeBefore = Snapshot(tree);
    try {
      const ImportSummary result = PickPlaceImport(path, tree);
      if (summary != nullptr) *summary = result;
      return {};
    } catch (const Error& error) {
      EXPECT_EQ(Snapshot(tree), treeBefore) << "a failed import changed the tree";
      return error.message();
    }
  }

  // Loads `bytes` as a project; on an error tree and settings must be as they were.
  std::string Load(std::string_view bytes) {
    WriteBytes(path, bytes);
    const std::string treeBefore = Snapshot(tree);
    const MachineSettings settingsBefore = settings;
    try {
      LoadProject(path, tree, settings);
      return {};
    } catch (const Error& error) {
      EXPECT_EQ(Snapshot(tree), treeBefore) << "a failed load changed the tree";
      EXPECT_EQ(settings, settingsBefore) << "a failed load changed the settings";
      return error.message();
    }
  }

  TempFolder folder;
  const std::string path = folder / "eingabe";
  ComponentTree tree;
  MachineSettings settings;
};

TEST_F(BadInput, BinaryGarbageEndsInAResultOrAClearError) {
  std::mt19937 random(7);
  std::string garbage(1 << 20, '\0');
  for (char& byte : garbage) byte = static_cast<char>(random());
  for (const std::string& bytes : {garbage, std::string(kHeader) + garbage + "\r\n\r\n"}) {
    ImportSummary summary;
    if (Import(bytes, &summary).empty()) {
      EXPECT_EQ(tree.Count(), summary.componentCount * block::kSize);
    }
    if (Load(bytes).empty()) {
      EXPECT_NO_THROW(SaveProject(folder / "wieder.tav", tree, settings));
    }
  }
}

TEST_F(BadInput, NulByteEndsTheBoardFile) {
  std::string board(kHeader);
  board += "R1,0805,1mm,2mm,0,0,0,0,Top,90,1k\r\n";
  board += "R2,0805,3mm,4mm,0,0,0,0,Top,90,2k\r\n";
  board += std::string("\r\n\0R3,0805,5mm,6mm,0,0,0,0,Top,90,3k\r\n\r\n", 39);
  ImportSummary summary;
  ASSERT_EQ(Import(board, &summary), "");
  EXPECT_EQ(summary.componentCount, 2);
  EXPECT_EQ(tree.NodeAt(13)->Text(), "R2");
}

TEST_F(BadInput, FiftyMegabyteSingleLine) {
  if (SkipHeavy()) GTEST_SKIP() << "heavy input";
  const std::string line(50 << 20, 'x');
  const Stopwatch watch;
  EXPECT_NE(Import(line), "");  // no data rows
  EXPECT_NE(Load(line), "");    // no sections: nothing to take the icons from

  // The same line as a node text survives a save and a load whole.
  EXPECT_EQ(Load("[components]\r\nNode0=" + line + "\r\n"), "");
  ASSERT_EQ(tree.Count(), 1);
  EXPECT_EQ(tree.NodeAt(0)->Text(), line);
  RecordProperty("seconds", std::to_string(watch.Seconds()));
}

TEST_F(BadInput, MillionCommasInOneRow) {
  std::string board(kHeader);
  board += "R1,0805,1mm,2mm,0,0,0,0,Top,90,10k" + std::string(1'000'000, ',') + "\r\n\r\n";
  ImportSummary summary;
  ASSERT_EQ(Import(board, &summary), "");
  EXPECT_EQ(summary.componentCount, 1);
  EXPECT_EQ(tree.NodeAt(block::kComment)->Text(), "Comment: 10k");

  // A row of nothing but commas has no coordinates.
  EXPECT_NE(Import(std::string(kHeader) + std::string(1'000'000, ',') + "\r\n\r\n"), "");
}

TEST_F(BadInput, ThousandsOfNestingLevelsNeedNoRecursion) {
  constexpr int kDepth = 5000;
  std::string project = "[components]\r\n";
  for (int level = 0; level < kDepth; ++level)
    project += "Node" + std::to_string(level) + "=" + std::string(level, '#') + "n\r\n";
  ASSERT_EQ(Load(project), "");
  ASSERT_EQ(tree.Count(), kDepth);
  EXPECT_EQ(tree.NodeAt(kDepth - 1)->Level(), kDepth - 1);

  SaveProject(folder / "tief.tav", tree, settings);
  ComponentTree again;
  LoadProject(folder / "tief.tav", again, settings);
  EXPECT_EQ(Snapshot(again), Snapshot(tree));

  // Far deeper than any stack would take by recursion, built directly.
  ComponentTree deep;
  TreeNode* node = nullptr;
  constexpr int kDeep = 1'000'000;
  for (int level = 0; level < kDeep; ++level) node = deep.AddChild(node, "d");
  EXPECT_EQ(deep.Count(), kDeep);
  EXPECT_EQ(deep.NodeAt(kDeep - 1)->Level(), kDeep - 1);
  EXPECT_EQ(deep.IndexOf(node), kDeep - 1);
  EXPECT_THROW(CheckComponentBlock(deep, 0), Error);
  deep.Clear();
  for (int level = 0; level < kDeep; ++level) node = deep.AddChild(level ? node : nullptr, "d");
  // ...and destroyed at the end of the test without recursion either.
}

TEST_F(BadInput, TenMegabyteNodeTextIsKeptWhole) {
  const std::string text = "T" + std::string(10 << 20, 'a') + "#b";
  ASSERT_EQ(Load("[components]\r\nNode0=" + text + "\r\n[Feeder]\r\nF1X=" + text + "\r\n"), "");
  ASSERT_EQ(tree.Count(), 1);
  EXPECT_EQ(tree.NodeAt(0)->Text().size(), text.size());
  EXPECT_EQ(settings.feeders[0].x, text);

  SaveProject(folder / "gross.tav", tree, settings);
  ComponentTree again;
  MachineSettings againSettings;
  LoadProject(folder / "gross.tav", again, againSettings);
  EXPECT_EQ(Snapshot(again), Snapshot(tree));
  EXPECT_EQ(againSettings.feeders[0].x, text);
}

TEST_F(BadInput, HugeElementCountIsCheckedAgainstTheTree) {
  const std::string project =
      "[components]\r\nNode0=R1\r\nNode1=#x\r\n[Icons]\r\n0=1\r\n1=5\r\n"
      "[Bibliothek]\r\nElemente=2147483647\r\n0=false\r\n";
  // A load error names the project it arose in.
  const std::string invalidIndex = FormatMessage(msg::kInProject, {path, msg::kInvalidIndex});
  const Stopwatch watch;
  EXPECT_EQ(Load(project), invalidIndex);
  RecordProperty("seconds", std::to_string(watch.Seconds()));

  // Nothing may reserve memory for that count: with 2 GB of address space the
  // load still ends in the same clear error. (The sanitizers need far more
  // address space for themselves, so this part runs in the normal build only.)
  if (kSanitized) return;
  const ChildOutcome outcome = RunInChild([&](const auto& report) {
    const rlimit limit{2ul << 30, 2ul << 30};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) return 3;
    ComponentTree small;
    MachineSettings defaults;
    return ReportError([&] { LoadProject(path, small, defaults); }, report);
  });
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.message, invalidIndex);

  EXPECT_EQ(Load("[components]\r\nNode0=R1\r\n[Bibliothek]\r\nElemente=-2147483648\r\n"), "");
  EXPECT_EQ(tree.Count(), 1);
  EXPECT_EQ(
      Load("[components]\r\nNode0=R1\r\n[Icons]\r\n0=99999999999\r\n"),
      FormatMessage(msg::kInProject, {path, FormatMessage(msg::kNotAnInteger, {"99999999999"})}));
}

TEST_F(BadInput, MillionRowBoard) {
  if (SkipHeavy() || kSanitized) GTEST_SKIP() << "heavy input";
  std::string board(kHeader);
  board.reserve(40 << 20);
  for (int row = 0; row < 1'000'000; ++row) {
    const std::string n = std::to_string(row % 1000);
    board += "R" + std::to_string(row) + ",0805," + n + ".5mm," + n + "mm,,,,,Top,0,1k\r\n";
  }
  board += "\r\n";
  const Stopwatch watch;
  ImportSummary summary;
  ASSERT_EQ(Import(board, &summary), "");
  EXPECT_EQ(summary.componentCount, 1'000'000);
  EXPECT_EQ(tree.Count(), 13'000'000);
  EXPECT_EQ(summary.largestX, 999.5);
  EXPECT_EQ(tree.NodeAt(13 * 999'999)->Text(), "R999999");
  RecordProperty("import_seconds", std::to_string(watch.Seconds()));
}

}  // namespace
}  // namespace tav::faults
