// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/IniKeyIndex.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace tav {
namespace {

TEST(IniKeyIndex, NamesMatchInAnyCaseWithoutSurroundingBlanks) {
  EXPECT_TRUE(IniNameEqual(" Node1\t", "node1"));
  EXPECT_EQ(IniNameHash(" Node1\t"), IniNameHash("NODE1"));
  EXPECT_FALSE(IniNameEqual("Node 1", "Node1"));
  EXPECT_FALSE(IniNameEqual("Gr\xF6sse", "GR\xD6SSE"));  // only ASCII letters fold
}

// Random inserts and erases against a plain map, many of them in one probe run.
TEST(IniKeyIndex, AgreesWithAMapUnderInsertAndErase) {
  std::vector<std::string> names;  // entry -> name, as the index's owner keeps them
  const auto nameOf = [&names](std::size_t entry) { return std::string_view(names[entry]); };
  IniKeyIndex index;
  std::map<std::string, std::size_t> model;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pick(0, 400);
  for (int step = 0; step < 20000; ++step) {
    const std::string name = "k" + std::to_string(pick(random));
    if (random() % 3 == 0) {
      const auto erased = index.Erase(name, nameOf);
      const auto it = model.find(name);
      ASSERT_EQ(erased.has_value(), it != model.end()) << step;
      if (it != model.end()) {
        EXPECT_EQ(*erased, it->second);
        model.erase(it);
      }
    } else {
      names.push_back(random() % 2 ? name : " K" + name.substr(1));
      const bool added = index.Insert(names.back(), names.size() - 1, nameOf);
      ASSERT_EQ(added, model.emplace(name, names.size() - 1).second) << step;
    }
    ASSERT_EQ(index.Size(), model.size());
  }
  for (int n = 0; n <= 400; ++n) {
    const std::string name = "k" + std::to_string(n);
    const auto found = index.Find(name, nameOf);
    const auto it = model.find(name);
    ASSERT_EQ(found.has_value(), it != model.end()) << name;
    if (found) {
      EXPECT_EQ(*found, it->second);
    }
  }
}

}  // namespace
}  // namespace tav
