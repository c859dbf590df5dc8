// SPDX-License-Identifier: GPL-3.0-or-later
// Tree text form and project files from arbitrary bytes: either a clear error
// that leaves tree and settings as they were, or a state that survives saving
// and loading again unchanged.
#include <filesystem>
#include <string>
#include <vector>

#include "core/Error.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"
#include "project/ProjectFile.h"
#include "project/TreeText.h"

namespace tav::fuzz {
namespace {

ComponentTree& WithExistingComponent(ComponentTree& tree) {
  AppendComponent(tree, "VORHER", "1mm", "2mm", "Feeder: 3", 1);
  return tree;
}

void CheckTreeText(std::string_view input) {
  ComponentTree tree;
  const TreeState before = StateOf(WithExistingComponent(tree));
  try {
    ReadTreeFromText(tree, input);
  } catch (const Error& error) {
    Expect(!error.message().empty(), "reading the tree failed with an empty message");
    Expect(StateOf(tree) == before, "a failed read changed the tree");
    return;
  }

  const std::vector<std::string_view> lines = SplitAtLineBreaks(input);
  const TreeState state = StateOf(tree);
  Expect(state.size() == lines.size(), "not one node per line");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t indent = std::min(lines[i].find_first_not_of("\t "), lines[i].size());
    const int level = i == 0 ? 0 : static_cast<int>(indent);
    Expect(state[i].level == level, "node " + std::to_string(i) + " is on the wrong level");
    Expect(state[i].text == lines[i].substr(indent), "node " + std::to_string(i) + " lost text");
    Expect(state[i].imageIndex == 0 && state[i].selectedIndex == 0, "new node with an icon");
  }

  ComponentTree again;
  ReadTreeFromText(again, WriteTreeAsText(tree));
  Expect(StateOf(again) == state, "the tree changes when written as text and read again");
}

struct Loaded {
  TreeState tree;
  std::vector<std::string> stored;
};

std::vector<std::string> StoredValues(MachineSettings& settings) {
  std::vector<std::string> values;
  for (const std::string* field : StoredFields(settings)) values.push_back(*field);
  return values;
}

MachineSettings ExistingSettings() {
  MachineSettings settings;
  int n = 0;
  for (std::string* field : StoredFields(settings)) *field = "vorher " + std::to_string(n++);
  settings.angles[2] = "270";
  settings.alignmentPockets[9] = "9.9";
  return settings;
}

void CheckLoadProject(std::string_view input) {
  static const std::string inputPath = ScratchPath("input.tav");
  static const std::string savedPath = ScratchPath("saved.tav");
  WriteInputFile(inputPath, input);

  ComponentTree tree;
  WithExistingComponent(tree);
  MachineSettings settings = ExistingSettings();
  const TreeState treeBefore = StateOf(tree);
  const MachineSettings settingsBefore = settings;
  try {
    LoadProject(inputPath, tree, settings);
  } catch (const Error& error) {
    Expect(!error.message().empty(), "a load failed with an empty message");
    Expect(StateOf(tree) == treeBefore, "a failed load changed the tree");
    Expect(settings == settingsBefore, "a failed load changed the settings");
    return;
  }
  Expect(settings.alignmentPockets == settingsBefore.alignmentPockets,
         "a load changed settings that are not stored");
  const Loaded loaded{StateOf(tree), StoredValues(settings)};
  for (const NodeState& node : loaded.tree)
    Expect(node.selectedIndex == node.imageIndex, "a loaded node shows another selected icon");

  // Into a new file: saving and loading again gives exactly the same state.
  std::filesystem::remove(savedPath);
  SaveProject(savedPath, tree, settings);
  ComponentTree reloaded;
  MachineSettings reloadedSettings;
  LoadProject(savedPath, reloaded, reloadedSettings);
  Expect(StateOf(reloaded) == loaded.tree, "the tree changes when saved and loaded again");
  Expect(StoredValues(reloadedSettings) == loaded.stored,
         "the settings change when saved and loaded again");

  // Over the file it came from: keys the save does not write stay in the file
  // and may set icons again, but the nodes and settings come back the same.
  SaveProject(inputPath, tree, settings);
  ComponentTree updated;
  MachineSettings updatedSettings;
  LoadProject(inputPath, updated, updatedSettings);
  const TreeState updatedState = StateOf(updated);
  Expect(updatedState.size() == loaded.tree.size(), "saving in place changes the node count");
  for (std::size_t i = 0; i < updatedState.size(); ++i) {
    Expect(updatedState[i].level == loaded.tree[i].level &&
               updatedState[i].text == loaded.tree[i].text,
           "saving in place changes node " + std::to_string(i));
  }
  Expect(StoredValues(updatedSettings) == loaded.stored, "saving in place changes the settings");
}

}  // namespace

void FuzzProject(std::string_view input) {
  CheckTreeText(input);
  CheckLoadProject(input);
}

}  // namespace tav::fuzz
