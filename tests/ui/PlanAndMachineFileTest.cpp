// SPDX-License-Identifier: GPL-3.0-or-later
// "Durchgänge planen…" and the machine files of "Einstellungen" in the window.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "UiTestSupport.h"
#include "boards/PickPlaceImport.h"
#include "core/FileAccess.h"
#include "plan/PassPrograms.h"
#include "plan/SetupSheet.h"
#include "ui/EditorText.h"
#include "ui/PlanDialog.h"
#include "ui/ProgramEditor.h"

namespace tav::ui::test {
namespace {

const std::string kExampleBoard = TAV_SOURCE_DIR "/examples/sensor-node-40.csv";

class Planning : public MainWindowTest {
 protected:
  void ImportExample() {
    dialogs_->Answer("OpenDialog1", Q(kExampleBoard));
    form_.ImportBoardFile();
  }
  void OpenPlan() { Child<QAction>("DurchgaengePlanen1")->trigger(); }
  PlanDialog& Dialog() { return form_.PlanWindow(); }
  template <typename T>
  T* InDialog(const char* name) {
    T* child = Dialog().findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  void Apply(int pass) {
    InDialog<QComboBox>("PlanPass")->setCurrentIndex(pass - 1);
    InDialog<QPushButton>("PlanApply")->click();
  }
  std::string MemoText() { return EditorTextWithCrLf(*Child<ProgramEditor>("Memo1")); }
  // The programs `tav plan` writes for the example, from a tree of its own.
  std::vector<std::string> ExpectedPrograms() {
    ComponentTree tree;
    PickPlaceImport(kExampleBoard, tree);
    return GeneratePassPrograms(tree, form_.ReadSettingsFields(), PassPlan::Make(tree));
  }
};

TEST_F(Planning, ShowsTheExamplesPlanAndEachAppliedPassGeneratesItsProgram) {
  ImportExample();
  Child<QLineEdit>("SpeedFahren")->setText("35");
  OpenPlan();
  ASSERT_TRUE(Dialog().isVisible());
  ASSERT_NE(Dialog().Plan(), nullptr);
  EXPECT_EQ(Dialog().Plan()->PassCount(), 3);
  const QAbstractItemModel* table = InDialog<QTableView>("PlanTable")->model();
  ASSERT_EQ(table->rowCount(), 11);
  EXPECT_EQ(table->columnCount(), 6);
  EXPECT_EQ(table->headerData(5, Qt::Horizontal).toString(), "Bauteile");
  // Row 5 is the second kind of pass 2, on feeder 2.
  EXPECT_EQ(table->index(5, 0).data().toInt(), 2);
  EXPECT_EQ(table->index(5, 1).data().toInt(), 2);
  const PartKind& kind = Dialog().Plan()->Kinds()[5];
  EXPECT_EQ(table->index(5, 4).data().toInt(), kind.Count());
  EXPECT_TRUE(table->index(5, 5).data().toString().startsWith(Q(kind.designators.front()) + ", "));
  EXPECT_EQ(InDialog<QComboBox>("PlanPass")->count(), 3);

  // Passes in any order; the plan keeps what was included when it was made.
  const std::vector<std::string> expected = ExpectedPrograms();
  for (int pass : {2, 1}) {
    Apply(pass);
    form_.GenerateProgram();
    EXPECT_EQ(MemoText(), expected[static_cast<std::size_t>(pass - 1)]) << "pass " << pass;
  }
  // Its program is offered under the pass's own name, beside the program saved last.
  dialogs_->Answer("SaveDialog1", Q(folder_ / "prog.nc"));
  form_.SaveProgramAs();
  Apply(3);
  form_.GenerateProgram();
  dialogs_->Answer("SaveDialog1", std::nullopt);
  form_.SaveProgramAs();
  EXPECT_EQ(dialogs_->Calls().back().offered, Q(folder_ / "durchgang-3.nc"));
  // A double click on a row applies its pass (row 9 is on pass 3).
  auto* rows = InDialog<QTableView>("PlanTable");
  rows->scrollTo(table->index(9, 2));
  const QPoint row9 = rows->visualRect(table->index(9, 2)).center();
  QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, row9);
  QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, row9);
  EXPECT_EQ(InDialog<QComboBox>("PlanPass")->currentIndex(), 2);
  form_.GenerateProgram();
  EXPECT_EQ(MemoText(), expected[2]);
  // Reopening shows the same plan, not one of the applied pass alone.
  Dialog().close();
  OpenPlan();
  EXPECT_EQ(Dialog().Plan()->PassCount(), 3);
  EXPECT_TRUE(errors_.All().empty()) << errors_.Texts().join('\n').toStdString();
}

TEST_F(Planning, ComponentsExcludedBeforePlanningAreNeverPlanned) {
  Import({{"R1", "0805", "1mm", "1mm", "TopLayer", "0", "10k"},
          {"R2", "0805", "2mm", "1mm", "TopLayer", "0", "10k"},
          {"C1", "0603", "3mm", "1mm", "TopLayer", "0", "100n"}});
  form_.Tree().SetImageIndex(form_.Tree().TopLevel(1), 1);
  OpenPlan();
  EXPECT_EQ(Dialog().Plan()->ComponentCount(), 2);
  EXPECT_TRUE(InDialog<QLabel>("PlanSummary")->text().contains("ausgeschlossen: 1 Bauteil"));
  Apply(1);
  EXPECT_EQ(form_.Tree().TopLevel(1)->ImageIndex(), 1);
  EXPECT_EQ(form_.Tree().TopLevel(2)->Child(4)->Text(), "Feeder: 2");
  EXPECT_TRUE(InDialog<QLabel>("PlanStatus")->text().startsWith("Durchgang 1 ist angewendet"));
}

TEST_F(Planning, ANewTreeDropsThePlanUntilPlannedAgain) {
  ImportExample();
  OpenPlan();
  ImportExample();
  EXPECT_EQ(Dialog().Plan(), nullptr);
  EXPECT_FALSE(InDialog<QPushButton>("PlanApply")->isEnabled());
  EXPECT_EQ(InDialog<QTableView>("PlanTable")->model()->rowCount(), 0);
  EXPECT_TRUE(InDialog<QLabel>("PlanSummary")->text().contains("neu planen"));
  InDialog<QPushButton>("PlanReplan")->click();
  ASSERT_NE(Dialog().Plan(), nullptr);
  EXPECT_EQ(Dialog().Plan()->KindCount(), 11);
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(Planning, AnEmptyBoardHasNothingToApply) {
  OpenPlan();
  ASSERT_NE(Dialog().Plan(), nullptr);
  EXPECT_TRUE(Dialog().Plan()->Empty());
  EXPECT_FALSE(InDialog<QPushButton>("PlanApply")->isEnabled());
  EXPECT_TRUE(InDialog<QLabel>("PlanSummary")->text().startsWith("Kein Bauteil"));
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(Planning, TheSetupSheetIsSavedAndPrinted) {
  ImportExample();
  OpenPlan();
  const std::string sheet = SetupSheet(*Dialog().Plan(), false);
  dialogs_->Answer("SaveDialog4", std::nullopt);
  InDialog<QPushButton>("PlanSave")->click();
  EXPECT_EQ(dialogs_->Calls().back().offered, "einrichtung.txt");
  dialogs_->Answer("SaveDialog4", Q(folder_ / "blatt"));
  InDialog<QPushButton>("PlanSave")->click();
  EXPECT_EQ(tav::test::ReadBytes(folder_ / "blatt.txt"), sheet);

  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Q(folder_ / "blatt.pdf"));
  Dialog().PrintSetupSheet(printer);
  EXPECT_EQ(tav::ReadFileBytes(folder_ / "blatt.pdf").substr(0, 4), "%PDF");
  EXPECT_TRUE(errors_.All().empty());
}

class MachineFiles : public MainWindowTest {};

TEST_F(MachineFiles, SaveAndLoadCarryTheSettingsAndLeaveTheTreeAlone) {
  Import({{"R1", "0805", "1mm", "1mm"}});
  Child<QLineEdit>("Feeder3_X")->setText("123.4");
  Child<QComboBox>("Feeder2_Richtung")->setCurrentText("Oben");
  Child<QLineEdit>("GCode_Delay")->setText("0.8");
  const MachineSettings saved = form_.ReadSettingsFields();

  dialogs_->Answer("SaveDialog3", Q(folder_ / "werkstatt"));
  Child<QAction>("Speichern1")->trigger();
  EXPECT_EQ(dialogs_->Calls().back().dialog.filter, "TAV Maschine (*.tavm)");
  ASSERT_TRUE(tav::test::ReadBytes(folder_ / "werkstatt.tavm").find("F3X=123.4\r\n") !=
              std::string::npos);

  form_.WriteSettingsFields(MachineSettings{});
  form_.Tree().SetText(form_.Tree().NodeAt(0), "R9");
  dialogs_->Answer("OpenDialog3", Q(folder_ / "werkstatt.tavm"));
  Child<QAction>("Laden2")->trigger();
  EXPECT_EQ(form_.ReadSettingsFields(), saved);
  EXPECT_EQ(form_.Tree().NodeAt(0)->Text(), "R9");
  EXPECT_EQ(form_.Tree().Count(), 13);
  EXPECT_TRUE(errors_.All().empty()) << errors_.Texts().join('\n').toStdString();
}

TEST_F(MachineFiles, AFileWithoutSettingsChangesNothing) {
  Child<QLineEdit>("SpeedHeben")->setText("7");
  const MachineSettings before = form_.ReadSettingsFields();
  tav::test::WriteBytes(folder_ / "leer.tavm", "[Sonstiges]\r\nA=1\r\n");
  dialogs_->Answer("OpenDialog3", Q(folder_ / "leer.tavm"));
  form_.OpenMachineFile();
  dialogs_->Answer("OpenDialog3", Q(folder_ / "fehlt.tavm"));
  form_.OpenMachineFile();
  dialogs_->Answer("OpenDialog3", std::nullopt);
  form_.OpenMachineFile();
  ASSERT_EQ(errors_.All().size(), 2u);
  EXPECT_TRUE(errors_.All()[0].text.contains("keine Maschineneinstellungen"))
      << errors_.All()[0].text.toStdString();
  EXPECT_TRUE(errors_.All()[1].text.startsWith("Datei ")) << errors_.All()[1].text.toStdString();
  EXPECT_EQ(form_.ReadSettingsFields(), before);
}

}  // namespace
}  // namespace tav::ui::test
