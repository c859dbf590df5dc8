// SPDX-License-Identifier: GPL-3.0-or-later
// The board placement on the window: the "Maschine" and "Platine" fields, the
// alignment dialog and the bed preview.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTreeView>

#include <cmath>

#include "UiTestSupport.h"
#include "gcode/BedScene.h"
#include "ui/BedCanvas.h"
#include "ui/BedPreview.h"
#include "ui/BoardAlignmentDialog.h"
#include "ui/ComponentTreeModel.h"

namespace tav::ui::test {
namespace {

// A real board with parts on both sides (see tests/data/boards/README.md).
const QString kRealBoard =
    QStringLiteral(TAV_SOURCE_DIR "/tests/data/boards/gego-motor-shield-mil-utf16.csv");

class PlacementUi : public MainWindowTest {
 protected:
  void ImportRealBoard() {
    dialogs_->Answer("OpenDialog1", kRealBoard);
    form_.ImportBoardFile();
  }
};

TEST_F(PlacementUi, FieldsMapToTheSettingsAndTheUnsetSideShowsAsADash) {
  EXPECT_EQ(Text("Platine_Seite"), QStringLiteral("\u2013"));
  EXPECT_EQ(Text("Maschine_Drehachse"), QStringLiteral("keine"));
  EXPECT_EQ(form_.ReadSettingsFields(), tav::MachineSettings{});
  tav::MachineSettings settings;
  settings.boardSide = "Unterseite";
  settings.rotationAxis = "C";
  settings.originX = "12.5";
  settings.angles[2] = "270";
  form_.WriteSettingsFields(settings);
  EXPECT_EQ(Text("Platine_Seite"), QStringLiteral("Unterseite"));
  EXPECT_EQ(form_.ReadSettingsFields(), settings);
  form_.WriteSettingsFields(tav::MachineSettings{});
  EXPECT_EQ(Text("Platine_Seite"), QStringLiteral("\u2013"));
}

TEST_F(PlacementUi, AlignmentDialogPresetsFarPartsAndTakesMachinePositions) {
  ImportRealBoard();
  BoardAlignmentDialog& dialog = form_.AlignmentDialog();
  const auto find = [&dialog]<typename T>(T*, const char* name) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  };
  struct {
    QComboBox* Punkt1_Bauteil;
    QComboBox* Punkt2_Bauteil;
    QPushButton* Punkt1_Uebernehmen;
    QPushButton* Punkt2_Uebernehmen;
    QPushButton* Uebernehmen;
    QLineEdit* Punkt2_X;
    QLabel* Ergebnis;
  } ui{find(static_cast<QComboBox*>(nullptr), "Punkt1_Bauteil"),
       find(static_cast<QComboBox*>(nullptr), "Punkt2_Bauteil"),
       find(static_cast<QPushButton*>(nullptr), "Punkt1_Uebernehmen"),
       find(static_cast<QPushButton*>(nullptr), "Punkt2_Uebernehmen"),
       find(static_cast<QPushButton*>(nullptr), "Uebernehmen"),
       find(static_cast<QLineEdit*>(nullptr), "Punkt2_X"),
       find(static_cast<QLabel*>(nullptr), "Ergebnis")};
  dialog.Prepare(form_.Tree(), form_.ReadSettingsFields());
  EXPECT_NE(ui.Punkt1_Bauteil->currentIndex(), ui.Punkt2_Bauteil->currentIndex());
  EXPECT_FALSE(ui.Punkt1_Uebernehmen->isVisibleTo(&dialog));
  EXPECT_FALSE(ui.Uebernehmen->isEnabled());

  // The machine reports each part's design position shifted by (100, 50).
  int asked = 0;
  std::vector<tav::Point2> design;
  for (const QString& name : {ui.Punkt1_Bauteil->currentText(), ui.Punkt2_Bauteil->currentText()})
    design.push_back(tav::DesignPositionOf(form_.Tree(), name.toStdString()));
  form_.SetMachinePositionSource([&]() -> std::optional<MachinePoint> {
    const tav::Point2 p = design[static_cast<std::size_t>(asked++)];
    return MachinePoint{p.x + 100, p.y + 50, 0};
  });
  EXPECT_TRUE(ui.Punkt1_Uebernehmen->isVisibleTo(&dialog));
  ui.Punkt1_Uebernehmen->click();
  ui.Punkt2_Uebernehmen->click();
  ASSERT_TRUE(dialog.Result()) << ui.Ergebnis->text().toStdString();
  EXPECT_TRUE(ui.Uebernehmen->isEnabled());
  tav::MachineSettings settings;
  tav::ApplyAlignment(*dialog.Result(), settings);
  EXPECT_NEAR(std::stod(settings.originX), 100, 0.002);
  EXPECT_NEAR(std::stod(settings.originY), 50, 0.002);
  EXPECT_NEAR(std::stod(settings.boardRotation), 0, 0.01);

  // A typo in one coordinate: refused, "Übernehmen" stays off.
  ui.Punkt2_X->setText(QString::number(design[1].x + 100 + 25, 'f', 3));
  EXPECT_FALSE(dialog.Result());
  EXPECT_FALSE(ui.Uebernehmen->isEnabled());
  EXPECT_TRUE(ui.Ergebnis->text().contains(QStringLiteral("Tippfehler")));
}

TEST_F(PlacementUi, PreviewShowsARealBoardOnTheBedAndFollowsTheJob) {
  ImportRealBoard();
  tav::MachineSettings settings = form_.ReadSettingsFields();
  const char* feederX[] = {"10", "40", "70", "100"};
  for (int i = 0; i < 4; ++i) {
    settings.feeders[static_cast<std::size_t>(i)].x = feederX[i];
    settings.feeders[static_cast<std::size_t>(i)].y = "-20";
    settings.feeders[static_cast<std::size_t>(i)].direction = i % 2 == 0 ? "Oben" : "Rechts";
  }
  settings.originX = "60";
  settings.originY = "30";
  settings.boardRotation = "15";
  settings.workXMin = "-5";
  settings.workXMax = "300";
  settings.workYMin = "-40";
  settings.workYMax = "200,5";
  form_.WriteSettingsFields(settings);

  QAction* show = form_.findChild<QAction*>(QStringLiteral("Vorschau1"));
  ASSERT_NE(show, nullptr);
  EXPECT_EQ(show->shortcut(), QKeySequence(Qt::Key_F6));
  show->trigger();
  BedPreview& preview = form_.PreviewWindow();
  EXPECT_TRUE(preview.isVisible());
  EXPECT_EQ(preview.windowTitle(), QStringLiteral("Vorschau"));
  const tav::BedScene& scene = preview.Canvas().Scene();
  EXPECT_EQ(scene.parts.size(), static_cast<std::size_t>(form_.Tree().TopLevelCount()));
  EXPECT_GT(scene.parts.size(), 20u);
  ASSERT_TRUE(scene.feeders[3]);
  EXPECT_EQ(scene.feeders[3]->at.x, 100);
  ASSERT_TRUE(scene.workArea);
  EXPECT_EQ((*scene.workArea)[0].x, -5);
  EXPECT_EQ((*scene.workArea)[1].y, 200.5);

  // Selecting in the tree highlights; a click on the part selects it back.
  auto* tree = Child<QTreeView>("TreeView1");
  tree->setCurrentIndex(form_.TreeModel().index(2, 0));
  preview.resize(760, 560);
  QApplication::processEvents();
  const tav::BedScene::Part& part = scene.parts[5];
  tree->setCurrentIndex(form_.TreeModel().index(0, 0));
  emit preview.Canvas().PartClicked(part.top);
  EXPECT_EQ(form_.TreeModel().NodeOf(tree->currentIndex()), part.top);

  // A changed setting moves the board at once.
  const tav::Point2 was = preview.Canvas().Scene().parts[0].at;
  settings.originX = "70";
  form_.WriteSettingsFields(settings);
  QApplication::processEvents();
  EXPECT_NEAR(preview.Canvas().Scene().parts[0].at.x, was.x + 10, 1e-9);

  const QString folder = QStringLiteral(TAV_BINARY_DIR "/screenshots");
  ASSERT_TRUE(QDir().mkpath(folder));
  preview.SaveImage(folder + "/bed-preview.png");
  const QImage saved(folder + "/bed-preview.png");
  ASSERT_FALSE(saved.isNull());
  // Parts of feeder 1 (red) are drawn.
  int red = 0;
  for (int y = 0; y < saved.height(); ++y)
    for (int x = 0; x < saved.width(); ++x) red += saved.pixelColor(x, y) == QColor(220, 40, 40);
  EXPECT_GT(red, 20);
}

}  // namespace
}  // namespace tav::ui::test
