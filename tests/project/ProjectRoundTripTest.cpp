// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "ProjectTestSupport.h"
#include "project/ProjectFile.h"
#include "project/StoredSettings.h"

namespace tav {
namespace {

// Any bytes but line breaks; node texts also without TAB and "#" (which come
// back as TAB) and without a leading blank (which comes back as a level).
std::string RandomText(std::mt19937& random, bool nodeText) {
  std::uniform_int_distribution<int> length(0, 12);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string text;
  for (int n = length(random); n > 0; --n) {
    const char c = static_cast<char>(byte(random));
    if (c == '\r' || c == '\n') continue;
    if (nodeText && (c == '\t' || c == '#' || (text.empty() && c == ' '))) continue;
    text.push_back(c);
  }
  return text;
}

void FillRandomly(std::mt19937& random, ComponentTree& tree, MachineSettings& settings) {
  std::uniform_int_distribution<int> nodes(0, 200);
  std::uniform_int_distribution<int> icon(0, 7);
  std::uniform_int_distribution<int> step(-3, 1);
  TreeNode* previous = nullptr;
  for (int n = nodes(random); n > 0; --n) {
    // One level deeper at most, any number of levels up, as the text form allows.
    TreeNode* parent = previous == nullptr ? nullptr : previous->Parent();
    const int move = previous == nullptr ? 0 : step(random);
    if (move == 1) parent = previous;
    for (int up = move; up < 0 && parent != nullptr; ++up) parent = parent->Parent();
    previous = tree.AddChild(parent, RandomText(random, true));
    const int image = icon(random);
    tree.SetIcons(previous, image);
  }
  for (const StoredSetting& setting : StoredSettings())
    setting.Of(settings) = RandomText(random, false);
}

TEST(ProjectRoundTrip, LoadGivesBackWhatWasSaved) {
  test::TempFolder folder;
  const std::string path = folder / "random.tav";
  std::mt19937 random(20240611);
  for (int round = 0; round < 60; ++round) {
    ComponentTree tree;
    MachineSettings settings;
    FillRandomly(random, tree, settings);
    // Every other round saves over the file of the round before.
    if (round % 2 == 0) std::filesystem::remove(path);
    SaveProject(path, tree, settings);

    ComponentTree loaded;
    MachineSettings loadedSettings;
    loadedSettings.alignmentPockets[2] = "1.5";  // not stored: stays as it was
    MachineSettings expected = settings;
    expected.alignmentPockets[2] = "1.5";
    LoadProject(path, loaded, loadedSettings);
    ASSERT_EQ(test::StateOf(loaded), test::StateOf(tree)) << "round " << round;
    ASSERT_EQ(loadedSettings, expected) << "round " << round;
  }
}

}  // namespace
}  // namespace tav
