// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ComponentAttributes.h"

#include <array>

#include "core/ComponentBlock.h"

namespace tav {

std::string_view ComponentAttribute(const TreeNode& component, int offset) {
  // The attribute nodes are the component's children 0 to 4, at offsets +1 to +5.
  static constexpr std::array<std::string_view, 5> kLabels{
      label::kComment, label::kFootprint, label::kLayer, label::kRotation, label::kFeeder};
  const int child = offset - block::kComment;
  const std::string_view text = component.Child(child)->Text();
  if (child >= 0 && child < static_cast<int>(kLabels.size()) && text.starts_with(kLabels[child]))
    return text.substr(kLabels[child].size());
  return text;
}

}  // namespace tav
