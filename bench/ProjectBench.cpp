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

// A first save: the file does not exist yet.
void BM_SaveProjectNew(benchmark::State& state) {
  const int components = static_cast<int>(state.range(0));
  tav::ComponentTree tree;
  BuildTree(tree, components);
  const tav::MachineSettings settings;
  const std::string path = ProjectPath(components);
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(path);
    state.ResumeTiming();
    tav::SaveProject(path, tree, settings);
  }
  RemoveProject(path);
  state.SetItemsProcessed(state.iterations() * components);
}

// A save over the project's own file: parse, erase "components", update in place.
void BM_SaveProjectOver(benchmark::State& state) {
  const int components = static_cast<int>(state.range(0));
  tav::ComponentTree tree;
  BuildTree(tree, components);
  const tav::MachineSettings settings;
  const std::string path = ProjectPath(components);
  tav::SaveProject(path, tree, settings);
  for (auto _ : state) tav::SaveProject(path, tree, settings);
  RemoveProject(path);
  state.SetItemsProcessed(state.iterations() * components);
}

void BM_LoadProject(benchmark::State& state) {
  const int components = static_cast<int>(state.range(0));
  const std::string path = ProjectPath(components);
  {
    tav::ComponentTree tree;
    BuildTree(tree, components);
    tav::SaveProject(path, tree, tav::MachineSettings{});
  }
  tav::MachineSettings settings;
  for (auto _ : state) {
    tav::ComponentTree tree;
    tav::LoadProject(path, tree, settings);
    benchmark::DoNotOptimize(tree.Count());
  }
  RemoveProject(path);
  state.SetItemsProcessed(state.iterations() * components);
}

}  // namespace

BENCHMARK(BM_SaveProjectNew)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
// The project a `tav import` of a million rows writes (about 450 MB).
BENCHMARK(BM_SaveProjectNew)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProjectOver)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProject)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
