// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ComponentTree.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/Error.h"
#include "core/Messages.h"

namespace tav {
namespace {

bool Less(const std::string& a, const std::string& b) { return a < b; }

// Texts of all nodes in absolute-index order, read through NodeAt.
std::vector<std::string> TextsByIndex(const ComponentTree& tree) {
  std::vector<std::string> texts;
  for (int i = 0; i < tree.Count(); ++i) texts.push_back(tree.NodeAt(i)->Text());
  return texts;
}

std::string MessageOf(const std::function<void()>& action) { return test::ErrorOf(action); }

TEST(ComponentTree, EmptyTreeRejectsEveryIndex) {
  ComponentTree tree;
  EXPECT_EQ(tree.Count(), 0);
  EXPECT_EQ(tree.TopLevelCount(), 0);
  EXPECT_EQ(tree.TopLevel(0), nullptr);
  EXPECT_EQ(MessageOf([&] { tree.NodeAt(0); }), "Ung\xFCltiger Index");
  EXPECT_EQ(MessageOf([&] { tree.NodeAt(-1); }), "Ung\xFCltiger Index");
}

TEST(ComponentTree, NumbersNodesInPreOrder) {
  ComponentTree tree;
  TreeNode* a = tree.AddChild(nullptr, "A");
  TreeNode* b = tree.AddChild(nullptr, "B");
  TreeNode* a1 = tree.AddChild(a, "A1");  // lands in the middle of the pre-order
  TreeNode* a1x = tree.AddChild(a1, "A1x");
  tree.AddChild(a, "A2");
  tree.AddChild(b, "B1");

  EXPECT_EQ(TextsByIndex(tree), (std::vector<std::string>{"A", "A1", "A1x", "A2", "B", "B1"}));
  EXPECT_EQ(tree.Count(), 6);
  EXPECT_EQ(tree.TopLevelCount(), 2);
  EXPECT_EQ(tree.IndexOf(b), 4);
  EXPECT_EQ(tree.IndexOf(a1x), 2);
  EXPECT_EQ(a1x->Level(), 2);
  EXPECT_EQ(a1x->Parent(), a1);
  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_EQ(a->ChildCount(), 2);
  EXPECT_EQ(a->Child(1)->Text(), "A2");
  EXPECT_EQ(tree.RowOf(b), 1);
  EXPECT_EQ(tree.RowOf(a->Child(1)), 1);
  EXPECT_EQ(tree.TopLevel(1), b);
  EXPECT_EQ(tree.TopLevel(2), nullptr);
  EXPECT_EQ(tree.TopLevel(-1), nullptr);
  EXPECT_EQ(MessageOf([&] { tree.NodeAt(6); }), "Ung\xFCltiger Index");
  EXPECT_EQ(a->ImageIndex(), 0);
  EXPECT_EQ(a->SelectedIndex(), 0);
}

TEST(ComponentTree, AddFirstPutsNodesBeforeAllOthers) {
  ComponentTree tree;
  // Built as an importer does: each component goes in front, then gets its children.
  for (const char* name : {"C", "B", "A"}) {
    TreeNode* top = tree.AddFirst(name);
    tree.AddChild(top, std::string(name) + "1");
    EXPECT_EQ(tree.IndexOf(top), 0);  // a lookup between the additions
    EXPECT_EQ(tree.RowOf(top), 0);
  }
  EXPECT_EQ(TextsByIndex(tree), (std::vector<std::string>{"A", "A1", "B", "B1", "C", "C1"}));
  EXPECT_EQ(tree.RowOf(tree.TopLevel(2)), 2);
  // Many more than the spare room in front of the top level.
  for (int i = 0; i < 100; ++i) tree.AddFirst("n" + std::to_string(i));
  EXPECT_EQ(tree.NodeAt(0)->Text(), "n99");
  EXPECT_EQ(tree.NodeAt(99)->Text(), "n0");
  EXPECT_EQ(tree.NodeAt(100)->Text(), "A");
  EXPECT_EQ(tree.RowOf(tree.NodeAt(100)), 100);
  EXPECT_EQ(tree.TopLevelCount(), 103);
  tree.AddChild(nullptr, "last");
  EXPECT_EQ(tree.RowOf(tree.NodeAt(tree.Count() - 1)), 103);
}

struct ChildErrorRow {
  int index;
  const char* message;
};
class ChildError : public ::testing::TestWithParam<ChildErrorRow> {};

// clang-format off
INSTANTIATE_TEST_SUITE_P(ComponentTree, ChildError, ::testing::Values(
    ChildErrorRow{3,  "Listenindex \xFC" "berschreitet das Maximum (0)"},
    ChildErrorRow{5,  "Listenindex \xFC" "berschreitet das Maximum (2)"},
    ChildErrorRow{-1, "Listenindex \xFC" "berschreitet das Maximum (-1)"},
    ChildErrorRow{-7, "Listenindex \xFC" "berschreitet das Maximum (-7)"}));
// clang-format on

TEST_P(ChildError, NamesTheIndexLeftOverAfterTheLastChild) {
  ComponentTree tree;
  TreeNode* top = tree.AddChild(nullptr, "R1");
  for (const char* text : {"a", "b", "c"}) tree.AddChild(top, text);
  EXPECT_EQ(MessageOf([&] { top->Child(GetParam().index); }), GetParam().message);
}

TEST(ComponentTree, SortIsStableAndKeepsSubtrees) {
  ComponentTree tree;
  for (const char* name : {"R2", "C1", "R10", "C1", "A"}) {
    TreeNode* top = tree.AddChild(nullptr, name);
    tree.AddChild(top, std::string("of ") + name + " #" + std::to_string(tree.TopLevelCount()));
  }
  tree.SortTopLevel(Less);
  EXPECT_EQ(TextsByIndex(tree),
            (std::vector<std::string>{"A", "of A #5", "C1", "of C1 #2", "C1", "of C1 #4", "R10",
                                      "of R10 #3", "R2", "of R2 #1"}));
  for (int row = 0; row < tree.TopLevelCount(); ++row) {
    EXPECT_EQ(tree.RowOf(tree.TopLevel(row)), row);
    EXPECT_EQ(tree.IndexOf(tree.TopLevel(row)), 2 * row);
  }
  // AddFirst after a sort still works (the sort leaves no spare room in front).
  tree.AddFirst("Z");
  EXPECT_EQ(tree.NodeAt(0)->Text(), "Z");
  EXPECT_EQ(tree.RowOf(tree.TopLevel(1)), 1);
}

TEST(ComponentTree, ThrowingComparisonLeavesTheOrder) {
  ComponentTree tree;
  for (const char* name : {"b", "a", "c"}) tree.AddChild(nullptr, name);
  EXPECT_THROW(tree.SortTopLevel(
                   [](const std::string&, const std::string&) -> bool { throw Error("boom"); }),
               Error);
  EXPECT_EQ(TextsByIndex(tree), (std::vector<std::string>{"b", "a", "c"}));
}

TEST(ComponentTree, SettersChangeOnlyTheirProperty) {
  ComponentTree tree;
  TreeNode* node = tree.AddChild(nullptr, "R1");
  tree.SetImageIndex(node, 1);
  EXPECT_EQ(node->ImageIndex(), 1);
  EXPECT_EQ(node->SelectedIndex(), 0);
  tree.SetSelectedIndex(node, 4);
  EXPECT_EQ(node->ImageIndex(), 1);
  EXPECT_EQ(node->SelectedIndex(), 4);
  tree.SetText(node, "R9");
  EXPECT_EQ(node->Text(), "R9");
  EXPECT_EQ(node->ImageIndex(), 1);
}

// A node keeps short lengths itself and long ones aside; every length reads
// back whole, also after a text changes between short and long.
TEST(ComponentTree, TextsOfEveryLengthReadBack) {
  ComponentTree tree;
  std::vector<std::string> texts;
  for (const std::size_t size : {std::size_t{0}, std::size_t{65534}, std::size_t{65535},
                                 std::size_t{70000}, std::size_t{300000}}) {
    texts.push_back(std::string(size, static_cast<char>('a' + texts.size())));
  }
  TreeNode* parent = nullptr;
  for (const std::string& text : texts) parent = tree.AddChild(parent, text);
  tree.AddFirst(texts[3]);
  EXPECT_EQ(tree.NodeAt(0)->Text(), texts[3]);
  for (std::size_t i = 0; i < texts.size(); ++i)
    EXPECT_EQ(tree.NodeAt(static_cast<int>(i) + 1)->Text(), texts[i]) << i;

  TreeNode* node = tree.NodeAt(4);
  tree.SetText(node, "short");
  EXPECT_EQ(node->Text(), "short");
  tree.SetText(node, texts[4]);
  EXPECT_EQ(node->Text(), texts[4]);
  EXPECT_EQ(node->Level(), 3);
}

TEST(ComponentTree, IndexOfRejectsForeignNodes) {
  ComponentTree tree;
  ComponentTree other;
  tree.AddChild(nullptr, "a");
  TreeNode* foreign = other.AddChild(nullptr, "b");
  EXPECT_EQ(MessageOf([&] { tree.IndexOf(foreign); }), "Ung\xFCltiger Index");
  EXPECT_EQ(MessageOf([&] { tree.IndexOf(nullptr); }), "Ung\xFCltiger Index");
}

TEST(ComponentTree, ClearAndSwap) {
  ComponentTree a;
  ComponentTree b;
  TreeNode* r1 = a.AddChild(nullptr, "R1");
  a.AddChild(r1, "x");
  b.AddFirst("C1");
  a.Swap(b);
  EXPECT_EQ(TextsByIndex(a), (std::vector<std::string>{"C1"}));
  EXPECT_EQ(TextsByIndex(b), (std::vector<std::string>{"R1", "x"}));
  EXPECT_EQ(b.NodeAt(0), r1);  // nodes move with the contents
  EXPECT_EQ(b.IndexOf(r1), 0);
  b.Clear();
  EXPECT_EQ(b.Count(), 0);
  EXPECT_EQ(b.TopLevelCount(), 0);
  b.AddChild(nullptr, "new");
  EXPECT_EQ(TextsByIndex(b), (std::vector<std::string>{"new"}));
}

// A deep chain must neither overflow the stack when it is numbered nor when it
// is destroyed.
TEST(ComponentTree, DeepTreeNeedsNoRecursion) {
  constexpr int kDepth = 100000;
  auto tree = std::make_unique<ComponentTree>();
  TreeNode* node = nullptr;
  for (int i = 0; i < kDepth; ++i) node = tree->AddChild(node, "n");
  tree->AddFirst("first");  // forces a complete renumbering
  tree->AddChild(nullptr, "last");
  EXPECT_EQ(tree->IndexOf(node), kDepth);
  EXPECT_EQ(tree->NodeAt(kDepth)->Level(), kDepth - 1);
  EXPECT_EQ(tree->NodeAt(kDepth + 1)->Text(), "last");
  tree->SortTopLevel(Less);
  EXPECT_EQ(tree->NodeAt(kDepth + 1)->Text(), "n");
  tree.reset();
}

// Random operations against a naive model that recomputes the whole pre-order
// after every step.
TEST(ComponentTree, AgreesWithNaiveModelUnderRandomOperations) {
  struct Model {
    std::string text;
    std::vector<int> children;
    int parent = -1;
  };
  std::mt19937 random(12345);
  for (int round = 0; round < 20; ++round) {
    ComponentTree tree;
    std::vector<Model> model;
    std::vector<int> top;
    std::vector<TreeNode*> nodes;  // node of model entry i
    auto preOrder = [&] {
      std::vector<int> order;
      std::vector<int> stack(top.rbegin(), top.rend());
      while (!stack.empty()) {
        const int n = stack.back();
        stack.pop_back();
        order.push_back(n);
        stack.insert(stack.end(), model[n].children.rbegin(), model[n].children.rend());
      }
      return order;
    };
    for (int step = 0; step < 300; ++step) {
      const int what = static_cast<int>(random() % 10);
      const std::string text = std::to_string(random() % 50);
      if (what < 2) {
        top.insert(top.begin(), static_cast<int>(model.size()));
        model.push_back({text, {}, -1});
        nodes.push_back(tree.AddFirst(text));
      } else if (what < 8) {
        // Prefer the last nodes, as an importer or a project reader does.
        const int parent =
            model.empty() || what == 2
                ? -1
                : static_cast<int>(model.size()) - 1 -
                      static_cast<int>(random() % std::min<std::size_t>(model.size(), 4));
        (parent < 0 ? top : model[parent].children).push_back(static_cast<int>(model.size()));
        model.push_back({text, {}, parent});
        nodes.push_back(tree.AddChild(parent < 0 ? nullptr : nodes[parent], text));
      } else if (what == 8) {
        std::stable_sort(top.begin(), top.end(),
                         [&](int a, int b) { return model[a].text < model[b].text; });
        tree.SortTopLevel(Less);
      }
      // Look up a few nodes (or none) between the changes.
      const std::vector<int> order = preOrder();
      ASSERT_EQ(tree.Count(), static_cast<int>(order.size()));
      const int lookups = static_cast<int>(random() % 3);
      for (int k = 0; k < lookups && !order.empty(); ++k) {
        const int i = static_cast<int>(random() % order.size());
        ASSERT_EQ(tree.NodeAt(i), nodes[order[i]]);
        ASSERT_EQ(tree.IndexOf(nodes[order[i]]), i);
      }
    }
    const std::vector<int> order = preOrder();
    for (std::size_t i = 0; i < order.size(); ++i) {
      const int n = order[i];
      TreeNode* node = tree.NodeAt(static_cast<int>(i));
      ASSERT_EQ(node, nodes[n]);
      const auto& siblings = model[n].parent < 0 ? top : model[model[n].parent].children;
      const auto row = std::find(siblings.begin(), siblings.end(), n) - siblings.begin();
      ASSERT_EQ(tree.RowOf(node), row);
      ASSERT_EQ(node->Parent(), model[n].parent < 0 ? nullptr : nodes[model[n].parent]);
      ASSERT_EQ(node->ChildCount(), static_cast<int>(model[n].children.size()));
    }
    for (std::size_t row = 0; row < top.size(); ++row)
      ASSERT_EQ(tree.TopLevel(static_cast<int>(row)), nodes[top[row]]);
  }
}

}  // namespace
}  // namespace tav
