// SPDX-License-Identifier: GPL-3.0-or-later
// The popup's bulk commands on boards of 10,000 to 200,000 components: they
// must stay linear in the board's size (and in the selection's), so the time
// doubles from 100,000 to 200,000.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BoardCache.h"
#include "core/BulkEditCommands.h"
#include "core/ComponentTree.h"
#include "support/ComponentBlocks.h"

namespace {

// A board of `components` components of 100 part kinds, alternating sides.
void BuildBoard(tav::ComponentTree& tree, int components) {
  tav::test::BlockTexts texts;
  texts.footprint = "Footprint: R0402";
  texts.x = "1.27mm";
  texts.y = "2.54mm";
  for (int i = 0; i < components; ++i) {
    texts.comment = "Comment: " + std::to_string(i % 100) + "k";
    texts.layer = i % 2 == 0 ? "Layer: TopLayer" : "Layer: BottomLayer";
    tav::test::AddBlock(tree, "R" + std::to_string(i + 1), texts);
  }
}

tav::ComponentTree& Board(int components) { return BuiltOnce<BuildBoard>(components); }

// Every node of the board selected, as Ctrl+A on a fully expanded tree would.
void BM_FeederForWholeSelection(benchmark::State& state) {
  tav::ComponentTree& tree = Board(static_cast<int>(state.range(0)));
  std::vector<int> nodes(static_cast<std::size_t>(tree.Count()));
  for (int i = 0; i < tree.Count(); ++i) nodes[static_cast<std::size_t>(i)] = i;
  int feeder = 0;
  for (auto _ : state) tav::AssignFeederToComponents(tree, nodes, feeder++ % 4 + 1);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A hundred selected components of different kinds: the whole board gets feeders.
void BM_FeederForSameKinds(benchmark::State& state) {
  tav::ComponentTree& tree = Board(static_cast<int>(state.range(0)));
  std::vector<int> nodes;
  for (int row = 0; row < 100; ++row) nodes.push_back(row * 13);
  int feeder = 0;
  for (auto _ : state) tav::AssignFeederToSameKind(tree, nodes, feeder++ % 4 + 1);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ExcludeSide(benchmark::State& state) {
  tav::ComponentTree& tree = Board(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    tav::IncludeAllComponents(tree);
    tav::ExcludeSide(tree, tav::ComponentSide::kBottom);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_FeederForWholeSelection)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FeederForSameKinds)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExcludeSide)->Arg(10000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
