// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/TreeText.h"

#include "core/Error.h"
#include "core/Messages.h"
#include "core/NumberConversion.h"

namespace tav {

std::string WriteTreeAsText(const ComponentTree& tree) {
  std::string text;
  const int count = tree.Count();
  for (int i = 0; i < count; ++i) {
    const TreeNode* node = tree.NodeAt(i);
    text.append(static_cast<std::size_t>(node->Level()), '\t');
    text.append(node->Text());
    text.append("\r\n");
  }
  return text;
}

void TreeTextReader::AddLine(std::string_view line) {
  const std::size_t indent = line.find_first_not_of("\t ");
  const std::size_t level = indent == std::string_view::npos ? line.size() : indent;
  AddNode(level, line.substr(level));
}

void TreeTextReader::AddNode(std::size_t level, std::string_view text) {
  if (previous_ == nullptr) {
    previous_ = tree_.AddChild(nullptr, text);
    return;
  }
  const auto previousLevel = static_cast<std::size_t>(previous_->Level());
  if (level > previousLevel + 1) {
    throw Error(
        FormatMessage(msg::kInvalidLevel, {IntegerToText(static_cast<std::int64_t>(level)), text}));
  }
  TreeNode* parent = previous_;
  if (level <= previousLevel) {
    // Climb to the ancestor on the new line's level; its parent takes the node.
    // Each step undoes one step down, so all climbing together stays linear.
    TreeNode* sibling = previous_;
    while (static_cast<std::size_t>(sibling->Level()) > level) sibling = sibling->Parent();
    parent = sibling->Parent();
  }
  previous_ = tree_.AddChild(parent, text);
}

void ReadTreeFromText(ComponentTree& tree, std::string_view text) {
  ComponentTree scratch;
  TreeTextReader reader(scratch);
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    reader.AddLine(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  tree.Swap(scratch);
}

}  // namespace tav
