// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the bed preview of 10,000 parts must take well under 100 ms, so the
// window can follow every change of tree, settings and selection.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <memory>
#include <string>

#include "gcode/BedScene.h"
#include "support/ComponentBlocks.h"
#include "ui/BedCanvas.h"

namespace {

QApplication& Application() {
  static int argc = 1;
  static char name[] = "tav_bench";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QApplication> app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
  }();
  return *app;
}

// A board of `parts` parts on a 10 mm grid, on all four feeders, a tenth
// excluded, turned by 30° and shifted onto the bed.
void FillBoard(tav::ComponentTree& tree, int parts) {
  for (int i = 0; i < parts; ++i) {
    tav::test::BlockTexts texts;
    texts.x = std::to_string(i % 100 * 2.54) + "mm";
    texts.y = std::to_string(i / 100 * 2.54) + "mm";
    texts.feeder = "Feeder: " + std::to_string(i % 4 + 1);
    texts.included = i % 10 != 0;
    tav::test::AddBlock(tree, "R" + std::to_string(i), texts);
  }
}

void BM_BedPreviewDraw(benchmark::State& state) {
  Application();
  tav::ComponentTree tree;
  FillBoard(tree, static_cast<int>(state.range(0)));
  tav::MachineSettings settings;
  settings.originX = "150";
  settings.originY = "40";
  settings.boardRotation = "30";
  for (int i = 0; i < 4; ++i)
    settings.feeders[static_cast<std::size_t>(i)].x = std::to_string(i * 40);
  tav::ui::BedCanvas canvas;
  canvas.SetShowOrder(true);
  QImage image(1200, 900, QImage::Format_RGB32);
  for (auto _ : state) {
    // What one change costs: the scene built afresh and drawn.
    canvas.SetScene(tav::MakeBedScene(tree, settings));
    canvas.SetSelected(tree.TopLevel(7));
    QPainter painter(&image);
    canvas.Render(painter, image.size());
    painter.end();
    benchmark::DoNotOptimize(image.bits());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_BedPreviewDraw)->Arg(10000)->Unit(benchmark::kMillisecond);
