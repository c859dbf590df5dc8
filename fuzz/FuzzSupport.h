// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ComponentTree.h"
#include "settings/MachineSettings.h"

// Helpers shared by the fuzz targets.
namespace tav::fuzz {

// One node as seen in pre-order; the sequence of these describes a tree fully.
struct NodeState {
  int level;
  std::string text;
  int imageIndex;
  int selectedIndex;
  bool operator==(const NodeState&) const = default;
};
using TreeState = std::vector<NodeState>;

TreeState StateOf(const ComponentTree& tree);

// A printable form of a text for messages: bytes outside 32..126 as \xHH,
// cut after `limit` bytes.
std::string Printable(std::string_view text, std::size_t limit = 80);

// A path in a folder of this process's own, removed when the process ends.
// The same name always gives the same path.
std::string ScratchPath(std::string_view name);

// Writes `bytes` to `path` directly (no atomic replace needed for inputs).
void WriteInputFile(const std::string& path, std::string_view bytes);

// Appends a well-formed 13-node component block at the end of the tree.
void AppendComponent(ComponentTree& tree, std::string designator, std::string x, std::string y,
                     std::string feeder, int imageIndex);

// The 26 settings fields of the first project file version, in a fixed order
// (the fuzz inputs address them by position, so later keys are not added here).
std::vector<std::string*> StoredFields(MachineSettings& settings);

// Splits at LF only, keeping everything else (CR included) in the pieces.
std::vector<std::string_view> SplitAtNewline(std::string_view text);

// Splits at CR LF, CR or LF, as the tree text form reads lines; a break at the
// very end adds no empty line.
std::vector<std::string_view> SplitAtLineBreaks(std::string_view text);

}  // namespace tav::fuzz
