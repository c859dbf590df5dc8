// SPDX-License-Identifier: GPL-3.0-or-later
// Planning passes on boards of 10,000 and 100,000 components with many part
// kinds (and 200,000, where the tree no longer fits any cache). Planning and
// applying a pass must stay linear: from 100,000 to 200,000 the time doubles.
#include <benchmark/benchmark.h>

#include <string>

#include "BoardCache.h"
#include "core/ComponentTree.h"
#include "plan/PassPlan.h"
#include "support/ComponentBlocks.h"

namespace {

// A board of `components` components of 1,000 part kinds of varying frequency,
// one in ten excluded.
void BuildBoard(tav::ComponentTree& tree, int components) {
  tav::test::BlockTexts texts;
  texts.x = "1.27mm";
  texts.y = "2.54mm";
  for (int i = 0; i < components; ++i) {
    const int kind = (i * 7919) % 1000 % (1 + i % 37 * 27);
    texts.comment = "Comment: " + std::to_string(kind) + "nF";
    texts.footprint = "Footprint: C0" + std::to_string(402 + kind % 3 * 201);
    texts.included = i % 10 != 9;
    tav::test::AddBlock(tree, "C" + std::to_string(i + 1), texts);
  }
}

tav::ComponentTree& Board(int components) { return BuiltOnce<BuildBoard>(components); }

void BM_PlanPasses(benchmark::State& state) {
  const tav::ComponentTree& tree = Board(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(tav::PassPlan::Make(tree));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["kinds"] = tav::PassPlan::Make(tree).KindCount();
}

void BM_ApplyPass(benchmark::State& state) {
  // Applying changes the tree, so this one gets a board of its own size key.
  tav::ComponentTree& tree = Board(static_cast<int>(state.range(0)) + 1);
  const tav::PassPlan plan = tav::PassPlan::Make(tree);
  int pass = 0;
  for (auto _ : state) plan.ApplyPass(tree, pass++ % plan.PassCount() + 1);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_PlanPasses)->Arg(10000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyPass)->Arg(10000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
