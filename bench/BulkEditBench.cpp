// The popup's bulk commands on boards of 10,000 to 200,000 components: they
// must stay linear in the board's size (and in the selection's), so the time
// doubles from 100,000 to 200,000.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/BulkEditCommands.h"
#include "core/ComponentTree.h"

namespace {

// A board of `components` components of 100 part kinds, alternating sides;
// built once per size.
tav::ComponentTree& Board(int components) {
  static std::map<int, std::unique_ptr<tav::ComponentTree>> boards;
  auto& board = boards[components];
  if (board) return *board;
  board = std::make_unique<tav::ComponentTree>();
  tav::ComponentTree& tree = *board;
  for (int i = 0; i < components; ++i) {
    tav::TreeNode* top = tree.AddChild(nullptr, "R" + std::to_string(i + 1));
    tree.AddChild(top, "Comment: " + std::to_string(i % 100) + "k");
    tree.AddChild(top, "Footprint: R0402");
    tree.AddChild(top, i % 2 == 0 ? "Layer: TopLayer" : "Layer: BottomLayer");
    tree.AddChild(top, "Rotation: 0");
    tree.AddChild(top, "Feeder: 1");
    tav::TreeNode* position = tree.AddChild(top, "Position");
    tree.AddChild(position, "1.27mm");
    tree.AddChild(position, "2.54mm");
    tav::TreeNode* size = tree.AddChild(top, "Gr\xF6sse");
    for (int n = 0; n < 3; ++n) tree.AddChild(size, "0");
  }
  return tree;
}

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
