// SPDX-License-Identifier: GPL-3.0-or-later
// Import and generation on generated boards of 10,000 and 100,000 components.
// Both must stay linear: the time may grow at most about tenfold between them.
#include <benchmark/benchmark.h>

#include "BoardFile.h"
#include "boards/PickPlaceImport.h"
#include "gcode/GCodeGenerator.h"

namespace {

void BM_ImportAndGenerate(benchmark::State& state) {
  const std::string& file = tav::bench::GeneratedBoardFile(static_cast<int>(state.range(0)));
  const tav::MachineSettings settings;
  for (auto _ : state) {
    tav::ComponentTree tree;
    tav::PickPlaceImport(file, tree);
    benchmark::DoNotOptimize(tav::GCodeGenerator::Generate(tree, settings));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Import(benchmark::State& state) {
  const std::string& file = tav::bench::GeneratedBoardFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    tav::ComponentTree tree;
    benchmark::DoNotOptimize(tav::PickPlaceImport(file, tree));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Generate(benchmark::State& state) {
  const std::string& file = tav::bench::GeneratedBoardFile(static_cast<int>(state.range(0)));
  tav::ComponentTree tree;
  tav::PickPlaceImport(file, tree);
  const tav::MachineSettings settings;
  std::string editor;
  for (auto _ : state) {
    tav::GCodeGenerator::Generate(tree, settings, editor);
    benchmark::DoNotOptimize(editor.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ImportAndGenerate)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generate)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
