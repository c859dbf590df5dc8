// SPDX-License-Identifier: GPL-3.0-or-later
// The user guide's walk through one job, window by window: import a board,
// load the workshop's machine file, plan the passes, generate the first
// pass's program and look at the positions. Each step is checked and rendered
// to screenshots/anleitung-N-*.png (scripts/dev.sh screenshots copies them
// into docs/img/).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>

#include "UiTestSupport.h"
#include "ui/ComponentTreeModel.h"
#include "ui/PlanDialog.h"
#include "ui/PositionDisplay.h"
#include "ui/ProgramEditor.h"
#include "ui/Startup.h"

namespace tav::ui::test {
namespace {

const QString kFolder = QStringLiteral(TAV_BINARY_DIR "/screenshots");

class GuideScreenshots : public MainWindowTest {
 protected:
  static void SetUpTestSuite() { ApplyDesktopLook(); }
  static void TearDownTestSuite() { QApplication::setStyle(QStringLiteral("Fusion")); }

  void ShowPage(const char* name) {
    auto* pages = Child<QTabWidget>("PageControl1");
    pages->setCurrentWidget(Child<QWidget>(name));
  }
  static void Save(QWidget& window, const QString& name) {
    EXPECT_TRUE(window.grab().toImage().save(kFolder + "/" + name)) << name.toStdString();
  }
};

TEST_F(GuideScreenshots, AWholeJobWithTheWorkshopMachineFile) {
  ASSERT_TRUE(QDir().mkpath(kFolder));
  form_.show();

  dialogs_->Answer("OpenDialog1", QStringLiteral(TAV_SOURCE_DIR "/examples/sensor-node-40.csv"));
  form_.ImportBoardFile();
  ASSERT_GT(form_.Tree().Count(), 0);
  auto* tree = Child<QTreeView>("TreeView1");
  tree->expand(form_.TreeModel().index(0, 0));
  tree->setCurrentIndex(form_.TreeModel().index(0, 0));
  Save(form_, "anleitung-1-import.png");

  dialogs_->Answer("OpenDialog3", QStringLiteral(TAV_SOURCE_DIR "/examples/werkstatt.tavm"));
  Child<QAction>("Laden2")->trigger();
  EXPECT_EQ(Child<QLineEdit>("Feeder1_X")->text(), "150.0");
  ShowPage("TabSheet2");
  Save(form_, "anleitung-2-maschine.png");

  Child<QAction>("DurchgaengePlanen1")->trigger();
  PlanDialog& plan = form_.PlanWindow();
  ASSERT_NE(plan.Plan(), nullptr);
  EXPECT_EQ(plan.Plan()->PassCount(), 3);
  Save(plan, "anleitung-3-durchgaenge.png");
  plan.findChild<QComboBox*>(QStringLiteral("PlanPass"))->setCurrentIndex(0);
  plan.findChild<QPushButton*>(QStringLiteral("PlanApply"))->click();
  plan.close();

  form_.GenerateProgram();
  EXPECT_GT(Child<ProgramEditor>("Memo1")->Text().LineCount(), 100u);
  ShowPage("TabSheet3");
  Save(form_, "anleitung-4-gcode.png");

  form_.CreateDisplayWindow();
  form_.ShowPositionDisplay();
  ASSERT_TRUE(form_.DisplayWindow()->isVisible());
  Save(*form_.DisplayWindow(), "anleitung-5-anzeige.png");
  EXPECT_TRUE(errors_.All().empty()) << errors_.Texts().join('\n').toStdString();
}

}  // namespace
}  // namespace tav::ui::test
