// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and loading projects of 10,000 and 100,000 components (130,000 and
// 1.3 million nodes). Both must stay linear: the time may grow at most about
// tenfold between them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/ComponentTree.h"
#include "project/ProjectFile.h"
#include "settings/MachineSettings.h"
#include "support/ComponentBlocks.h"

namespace {

// Builds the 13-node blocks the import makes, with every fourth component excluded.
void BuildTree(tav::ComponentTree& tree, int components) {
  tav::test::BlockTexts texts;
  texts.footprint = "Footprint: R0603";
  for (int i = 0; i < components; ++i) {
    texts.rotation = "Rotation: " + std::to_string(i % 4 * 90);
    texts.feeder = "Feeder: " + std::to_string(i % 4 + 1);
    texts.x = std::to_string(i % 400 * 127 / 100.0) + "mm";
    texts.y = std::to_string(i / 400 * 127 / 100.0) + "mm";
    texts.included = i % 4 != 3;
    tav::test::AddBlock(tree, "R" + std::to_string(i + 1), texts);
  }
}

std::string ProjectPath(int components) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("tav-project-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return (folder / ("board-" + std::to_string(components) + ".tav")).string();
}

void RemoveProject(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  std::filesystem::remove(std::filesystem::path(path).parent_path(), ignored);
}

// A generated board of `state.range(0)` components and where its project is
// saved; the project and its folder are removed at the end.
struct BenchProject {
  explicit BenchProject(const benchmark::State& state)
      : components(static_cast<int>(state.range(0))), path(ProjectPath(components)) {
    BuildTree(tree, components);
  }
  ~BenchProject() { RemoveProject(path); }

  const int components;
  const std::string path;
  tav::ComponentTree tree;
  const tav::MachineSettings settings;
};

// A first save: the file does not exist yet.
void BM_SaveProjectNew(benchmark::State& state) {
  const BenchProject project(state);
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(project.path);
    state.ResumeTiming();
    tav::SaveProject(project.path, project.tree, project.settings);
  }
  state.SetItemsProcessed(state.iterations() * project.components);
}

// A save over the project's own file: parse, erase "components", update in place.
void BM_SaveProjectOver(benchmark::State& state) {
  const BenchProject project(state);
  tav::SaveProject(project.path, project.tree, project.settings);
  for (auto _ : state) tav::SaveProject(project.path, project.tree, project.settings);
  state.SetItemsProcessed(state.iterations() * project.components);
}

void BM_LoadProject(benchmark::State& state) {
  BenchProject project(state);
  tav::SaveProject(project.path, project.tree, project.settings);
  project.tree.Clear();  // only the loaded tree is in memory while timing
  tav::MachineSettings settings;
  for (auto _ : state) {
    tav::ComponentTree tree;
    tav::LoadProject(project.path, tree, settings);
    benchmark::DoNotOptimize(tree.Count());
  }
  state.SetItemsProcessed(state.iterations() * project.components);
}

}  // namespace

BENCHMARK(BM_SaveProjectNew)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
// The project a `tav import` of a million rows writes (about 450 MB).
BENCHMARK(BM_SaveProjectNew)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProjectOver)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProject)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
