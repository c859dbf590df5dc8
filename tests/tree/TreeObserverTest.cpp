// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/ComponentTree.h"

namespace tav {
namespace {

// Logs every notification with the tree's node count at that moment, which
// tells whether it came before or after the change.
class Recorder final : public TreeObserver {
 public:
  explicit Recorder(const ComponentTree& tree) : tree_(tree) {}
  std::vector<std::string> log;

  void TreeAboutToReset() override { Log("aboutToReset"); }
  void TreeReset() override { Log("reset"); }
  void NodeAboutToBeAdded(const TreeNode* parent, int row) override {
    Log("aboutToAdd " + (parent ? parent->Text() : std::string("top")) + " row " +
        std::to_string(row));
  }
  void NodeAdded(const TreeNode* node) override {
    Log("added " + node->Text() + " row " + std::to_string(tree_.RowOf(node)));
  }
  void NodeChanged(const TreeNode* node) override {
    Log("changed " + node->Text() + " " + std::to_string(node->ImageIndex()) + "/" +
        std::to_string(node->SelectedIndex()));
  }

 private:
  void Log(const std::string& what) { log.push_back(what + " @" + std::to_string(tree_.Count())); }
  const ComponentTree& tree_;
};

bool Less(const std::string& a, const std::string& b) { return a < b; }

TEST(TreeObserver, HearsAboutAdditionsBeforeAndAfter) {
  ComponentTree tree;
  Recorder recorder(tree);
  tree.AddObserver(&recorder);
  tree.AddObserver(&recorder);  // no second registration
  TreeNode* r1 = tree.AddChild(nullptr, "R1");
  tree.AddChild(r1, "x");
  tree.AddFirst("C1");
  tree.AddChild(nullptr, "R2");
  EXPECT_EQ(recorder.log,
            (std::vector<std::string>{"aboutToAdd top row 0 @0", "added R1 row 0 @1",
                                      "aboutToAdd R1 row 0 @1", "added x row 0 @2",
                                      "aboutToAdd top row 0 @2", "added C1 row 0 @3",
                                      "aboutToAdd top row 2 @3", "added R2 row 2 @4"}));
}

TEST(TreeObserver, HearsANodeAddedWithItsIconAsOneAddition) {
  ComponentTree tree;
  Recorder recorder(tree);
  tree.AddObserver(&recorder);
  TreeNode* r1 = tree.AddChild(nullptr, "R1", 5);
  tree.AddChild(r1, "w", 70000);  // too wide for the node: set after the addition
  EXPECT_EQ(recorder.log,
            (std::vector<std::string>{"aboutToAdd top row 0 @0", "added R1 row 0 @1",
                                      "aboutToAdd R1 row 0 @1", "added w row 0 @2",
                                      "changed w 70000/0 @2", "changed w 70000/70000 @2"}));
  // Both icons, at either edge of the node's own 16-bit fields.
  for (const int icon : {0, 5, -32767, -32768, 32767, 32768, INT_MIN, INT_MAX}) {
    const TreeNode* node = tree.AddChild(r1, "n", icon);
    EXPECT_EQ(node->ImageIndex(), icon);
    EXPECT_EQ(node->SelectedIndex(), icon);
  }
}

TEST(TreeObserver, HearsAboutChangesOfValueOnly) {
  ComponentTree tree;
  TreeNode* r1 = tree.AddChild(nullptr, "R1");
  Recorder recorder(tree);
  tree.AddObserver(&recorder);
  tree.SetImageIndex(r1, 1);
  tree.SetSelectedIndex(r1, 1);
  tree.SetSelectedIndex(r1, 1);  // unchanged: no notification
  tree.SetText(r1, "R1");        // unchanged
  tree.SetText(r1, "R7");
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"changed R1 1/0 @1", "changed R1 1/1 @1",
                                                    "changed R7 1/1 @1"}));
}

TEST(TreeObserver, HearsResetsAroundClearAndSort) {
  ComponentTree tree;
  tree.AddChild(nullptr, "b");
  tree.AddChild(nullptr, "a");
  Recorder recorder(tree);
  tree.AddObserver(&recorder);
  tree.SortTopLevel(Less);
  tree.Clear();
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"aboutToReset @2", "reset @2",
                                                    "aboutToReset @2", "reset @0"}));
  tree.RemoveObserver(&recorder);
  tree.AddChild(nullptr, "c");
  EXPECT_EQ(recorder.log.size(), 4u);
}

TEST(TreeObserver, SwapResetsBothTreesAndKeepsTheirObservers) {
  ComponentTree a;
  ComponentTree b;
  a.AddChild(nullptr, "a");
  Recorder onA(a);
  Recorder onB(b);
  a.AddObserver(&onA);
  b.AddObserver(&onB);
  a.Swap(b);
  EXPECT_EQ(onA.log, (std::vector<std::string>{"aboutToReset @1", "reset @0"}));
  EXPECT_EQ(onB.log, (std::vector<std::string>{"aboutToReset @0", "reset @1"}));
  a.AddChild(nullptr, "new");  // a's observer stayed with a
  EXPECT_EQ(onA.log.size(), 4u);
  EXPECT_EQ(onB.log.size(), 2u);
}

}  // namespace
}  // namespace tav
