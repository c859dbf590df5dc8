// Planning passes on boards of 10,000 and 100,000 components with many part
// kinds (and 200,000, where the tree no longer fits any cache). Planning and
// applying a pass must stay linear: from 100,000 to 200,000 the time doubles.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "core/ComponentTree.h"
#include "plan/PassPlan.h"

namespace {

// A board of `components` components of 1,000 part kinds of varying frequency,
// one in ten excluded; built once per size.
const tav::ComponentTree& Board(int components) {
  static std::map<int, std::unique_ptr<tav::ComponentTree>> boards;
  auto& board = boards[components];
  if (board) return *board;
  board = std::make_unique<tav::ComponentTree>();
  tav::ComponentTree& tree = *board;
  for (int i = 0; i < components; ++i) {
    const int kind = (i * 7919) % 1000 % (1 + i % 37 * 27);
    tav::TreeNode* top = tree.AddChild(nullptr, "C" + std::to_string(i + 1));
    tree.SetImageIndex(top, i % 10 == 9 ? 1 : 0);
    tree.AddChild(top, "Comment: " + std::to_string(kind) + "nF");
    tree.AddChild(top, "Footprint: C0" + std::to_string(402 + kind % 3 * 201));
    tree.AddChild(top, "Layer: TopLayer");
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

void BM_PlanPasses(benchmark::State& state) {
  const tav::ComponentTree& tree = Board(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(tav::PassPlan::Make(tree));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["kinds"] = tav::PassPlan::Make(tree).KindCount();
}

void BM_ApplyPass(benchmark::State& state) {
  // Applying changes the tree, so this one gets a board of its own size key.
  auto& tree = const_cast<tav::ComponentTree&>(Board(static_cast<int>(state.range(0)) + 1));
  const tav::PassPlan plan = tav::PassPlan::Make(tree);
  int pass = 0;
  for (auto _ : state) plan.ApplyPass(tree, pass++ % plan.PassCount() + 1);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_PlanPasses)->Arg(10000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyPass)->Arg(10000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
