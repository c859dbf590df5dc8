// SPDX-License-Identifier: GPL-3.0-or-later
// The import of 100,000 rows in each layout: the reader alone and the whole
// import into the component tree. Both must stay linear in the rows.
#include <benchmark/benchmark.h>

#include "BoardLayoutFiles.h"
#include "boards/BoardFile.h"
#include "boards/PickPlaceImport.h"

namespace {

using tav::bench::BoardLayoutKind;

void BM_ReadBoardFile(benchmark::State& state) {
  const auto layout = static_cast<BoardLayoutKind>(state.range(0));
  const std::string& file =
      tav::bench::GeneratedLayoutFile(layout, static_cast<int>(state.range(1)));
  state.SetLabel(std::string(tav::bench::LayoutLabel(layout)));
  for (auto _ : state) benchmark::DoNotOptimize(tav::ReadBoardFile(file));
  state.SetItemsProcessed(state.iterations() * state.range(1));
}

void BM_ImportLayout(benchmark::State& state) {
  const auto layout = static_cast<BoardLayoutKind>(state.range(0));
  const std::string& file =
      tav::bench::GeneratedLayoutFile(layout, static_cast<int>(state.range(1)));
  state.SetLabel(std::string(tav::bench::LayoutLabel(layout)));
  for (auto _ : state) {
    tav::ComponentTree tree;
    benchmark::DoNotOptimize(tav::PickPlaceImport(file, tree));
  }
  state.SetItemsProcessed(state.iterations() * state.range(1));
}

void Layouts(benchmark::internal::Benchmark* benchmark) {
  for (int layout = 0; layout < 4; ++layout) {
    benchmark->Args({layout, 10000});
    benchmark->Args({layout, 100000});
  }
}

BENCHMARK(BM_ReadBoardFile)->Apply(Layouts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportLayout)->Apply(Layouts)->Unit(benchmark::kMillisecond);

}  // namespace
