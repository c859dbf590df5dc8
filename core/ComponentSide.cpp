// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ComponentSide.h"

#include <array>

#include "core/ComponentAttributes.h"
#include "core/ComponentBlock.h"

namespace tav {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool IsOneOf(std::string_view text, const std::array<std::string_view, 5>& names) noexcept {
  for (const std::string_view name : names)
    if (EqualIgnoringCase(text, name)) return true;
  return false;
}

}  // namespace

ComponentSide SideOfLayer(std::string_view layer) noexcept {
  static constexpr std::array<std::string_view, 5> kTop{"T", "Top", "TopLayer", "F.Cu", "Front"};
  static constexpr std::array<std::string_view, 5> kBottom{"B", "Bottom", "BottomLayer", "B.Cu",
                                                           "Back"};
  const std::size_t first = layer.find_first_not_of(" \t");
  if (first == std::string_view::npos) return ComponentSide::kUnknown;
  layer = layer.substr(first, layer.find_last_not_of(" \t") - first + 1);
  if (IsOneOf(layer, kTop)) return ComponentSide::kTop;
  if (IsOneOf(layer, kBottom)) return ComponentSide::kBottom;
  return ComponentSide::kUnknown;
}

ComponentSide SideOfComponent(const TreeNode& component) {
  return SideOfLayer(ComponentAttribute(component, block::kLayer));
}

bool SamePartKind(const TreeNode& a, const TreeNode& b) {
  return ComponentAttribute(a, block::kComment) == ComponentAttribute(b, block::kComment) &&
         ComponentAttribute(a, block::kFootprint) == ComponentAttribute(b, block::kFootprint);
}

}  // namespace tav
