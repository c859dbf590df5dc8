// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ComponentSide.h"

#include <gtest/gtest.h>

#include <string>

#include "core/ComponentAttributes.h"
#include "core/ComponentBlock.h"
#include "core/ComponentTree.h"
#include "core/Error.h"
#include "plan/PlanTestSupport.h"

namespace tav {
namespace {

struct SideCase {
  std::string layer;
  ComponentSide side;
};

class LayerSide : public ::testing::TestWithParam<SideCase> {};

TEST_P(LayerSide, IsNamedByTheLayerText) {
  EXPECT_EQ(SideOfLayer(GetParam().layer), GetParam().side) << GetParam().layer;
  ComponentTree tree;
  const TreeNode* part = test::AddPart(tree, "R1", "10k", "0805", true, GetParam().layer);
  EXPECT_EQ(SideOfComponent(*part), GetParam().side) << GetParam().layer;
}

constexpr ComponentSide kTop = ComponentSide::kTop;
constexpr ComponentSide kBottom = ComponentSide::kBottom;
constexpr ComponentSide kUnknown = ComponentSide::kUnknown;

// clang-format off
INSTANTIATE_TEST_SUITE_P(ComponentSide, LayerSide, ::testing::Values(
    SideCase{"T", kTop}, SideCase{"Top", kTop}, SideCase{"TopLayer", kTop},
    SideCase{"F.Cu", kTop}, SideCase{"Front", kTop}, SideCase{"toplayer", kTop},
    SideCase{"TOP", kTop}, SideCase{"f.cu", kTop}, SideCase{" Top ", kTop}, SideCase{"t", kTop},
    SideCase{"B", kBottom}, SideCase{"Bottom", kBottom}, SideCase{"BottomLayer", kBottom},
    SideCase{"B.Cu", kBottom}, SideCase{"Back", kBottom}, SideCase{"BOTTOMLAYER", kBottom},
    SideCase{"b", kBottom}, SideCase{"back\t", kBottom},
    SideCase{"", kUnknown}, SideCase{"  ", kUnknown}, SideCase{"Top Layer", kUnknown},
    SideCase{"Inner1", kUnknown}, SideCase{"TopOverlay", kUnknown}, SideCase{"F", kUnknown},
    SideCase{"Bot", kUnknown}, SideCase{"B.Cu2", kUnknown}, SideCase{"\xD6", kUnknown}));
// clang-format on

TEST(ComponentSide, UnlabelledLayerNodeIsReadWhole) {
  ComponentTree tree;
  TreeNode* part = test::AddPart(tree, "R1", "10k", "0805");
  tree.SetText(part->Child(2), "Bottom");  // label edited away in place
  EXPECT_EQ(SideOfComponent(*part), kBottom);
  EXPECT_EQ(ComponentAttribute(*part, block::kLayer), "Bottom");
  EXPECT_EQ(ComponentAttribute(*part, block::kFeeder), "1");
  EXPECT_THROW(ComponentAttribute(*tree.AddChild(nullptr, "bare"), block::kLayer), Error);
}

TEST(ComponentSide, SamePartKindNeedsValueAndFootprint) {
  ComponentTree tree;
  const TreeNode* a = test::AddPart(tree, "R1", "10k", "0805");
  const TreeNode* b = test::AddPart(tree, "R2", "10k", "0805", false, "Bottom");
  const TreeNode* c = test::AddPart(tree, "R3", "10k", "0603");
  const TreeNode* d = test::AddPart(tree, "R4", "1k", "0805");
  EXPECT_TRUE(SamePartKind(*a, *b));  // side and inclusion do not matter
  EXPECT_FALSE(SamePartKind(*a, *c));
  EXPECT_FALSE(SamePartKind(*a, *d));
}

}  // namespace
}  // namespace tav
