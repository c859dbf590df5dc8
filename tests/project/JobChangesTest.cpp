// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/JobChanges.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/EditCommands.h"
#include "support/ComponentBlocks.h"

namespace tav {
namespace {

struct ChangeCase {
  const char* name;
  std::function<void(ComponentTree&, JobChanges&)> change;
};

class JobChangesAfter : public ::testing::TestWithParam<ChangeCase> {};

// clang-format off
const ChangeCase kChanges[] = {
    {"Exclude", [](ComponentTree& t, JobChanges&) { ExcludeComponent(t, t.NodeAt(13)); }},
    {"AssignFeeder", [](ComponentTree& t, JobChanges&) { AssignFeeder(t, t.NodeAt(0), 3); }},
    {"Sort", [](ComponentTree& t, JobChanges&) {
       SortComponents(t, [](const std::string& a, const std::string& b) { return a < b; }); }},
    {"NodeText", [](ComponentTree& t, JobChanges&) { t.SetText(t.NodeAt(7), "11mm"); }},
    {"AddNode", [](ComponentTree& t, JobChanges&) { t.AddChild(nullptr, "X1"); }},
    {"Clear", [](ComponentTree& t, JobChanges&) { t.Clear(); }},
    {"Swap", [](ComponentTree& t, JobChanges&) { ComponentTree other; t.Swap(other); }},
    {"Settings", [](ComponentTree&, JobChanges& c) { c.SettingsChanged(); }},
};
// clang-format on

TEST_P(JobChangesAfter, TheJobIsModifiedAndTheProgramStale) {
  ComponentTree tree;
  test::AddComponent(tree, "R2", "1", "2");
  test::AddComponent(tree, "R1", "3", "4");
  JobChanges changes(tree);
  std::vector<bool> told;
  changes.OnModifiedChanged([&](bool modified) { told.push_back(modified); });
  EXPECT_FALSE(changes.Modified());
  EXPECT_FALSE(changes.ProgramStale());

  GetParam().change(tree, changes);
  EXPECT_TRUE(changes.Modified());
  EXPECT_TRUE(changes.ProgramStale());

  // Saving ends the unsaved state, not the stale program; generating the other way round.
  changes.MarkSaved();
  EXPECT_FALSE(changes.Modified());
  EXPECT_TRUE(changes.ProgramStale());
  changes.MarkProgramGenerated();
  EXPECT_FALSE(changes.ProgramStale());
  tree.AddChild(nullptr, "Q1");
  EXPECT_TRUE(changes.Modified());
  EXPECT_TRUE(changes.ProgramStale());
  EXPECT_EQ(told, (std::vector<bool>{true, false, true}));
}

INSTANTIATE_TEST_SUITE_P(Commands, JobChangesAfter, ::testing::ValuesIn(kChanges),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(JobChanges, ChangesThatChangeNothingDoNotCount) {
  ComponentTree tree;
  test::AddComponent(tree, "R1", "1", "2");
  JobChanges changes(tree);
  tree.SetText(tree.NodeAt(0), "R1");      // same text
  ExcludeComponent(tree, tree.NodeAt(5));  // not a component: nothing happens
  IncludeComponent(tree, tree.NodeAt(0));  // already included
  EXPECT_FALSE(changes.Modified());
  EXPECT_FALSE(changes.ProgramStale());
}

TEST(JobChanges, AFailedGenerationLeavesTheProgramStale) {
  ComponentTree tree;
  JobChanges changes(tree);
  changes.MarkProgramStale();
  EXPECT_TRUE(changes.ProgramStale());
  EXPECT_FALSE(changes.Modified());
}

TEST(JobChanges, StopsWatchingWhenDestroyed) {
  ComponentTree tree;
  { JobChanges changes(tree); }
  tree.AddChild(nullptr, "R1");  // would reach a destroyed observer
  EXPECT_EQ(tree.Count(), 1);
}

}  // namespace
}  // namespace tav
