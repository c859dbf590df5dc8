// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and saving projects from the menu and the command line: paths,
// titles, dialogs, and what a failure leaves behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTreeView>

#include <cerrno>
#include <filesystem>

#include "UiTestSupport.h"
#include "core/DecimalSeparator.h"
#include "core/FileAccess.h"
#include "gcode/GCodeGenerator.h"
#include "ui/ComponentTreeModel.h"
#include "ui/EditorText.h"
#include "ui/PositionDisplay.h"
#include "ui/ProgramEditor.h"
#include "ui/Startup.h"

namespace tav::ui::test {
namespace {

const QString kPrefix = "TAV - Tavoline - ";

class ProjectCommands : public MainWindowTest {
 protected:
  const std::vector<Row> board_{{"R1", "0805", "10.16mm", "5.08mm"}, {"C1", "0603", "3mm", "2mm"}};
};

TEST_F(ProjectCommands, SaveAsAppendsTavAndAdoptsTheNameFirst) {
  Import(board_);
  dialogs_->Answer("SaveDialog2", Q(folder_ / "Platine"));
  form_.SaveProjectAs();
  EXPECT_TRUE(std::filesystem::exists(folder_ / "Platine.tav"));
  EXPECT_EQ(form_.ProjectPath(), Q(folder_ / "Platine.tav"));
  EXPECT_EQ(ShownTitle(form_), kPrefix + "Platine.tav");
  EXPECT_EQ(dialogs_->Calls().back().dialog.filter, "TAV Projekt File (*.tav)");

  // The dialog offers the name with the appended extension; another extension stays.
  dialogs_->Answer("SaveDialog2", Q(folder_ / "Platine.txt"));
  form_.SaveProjectAs();
  EXPECT_EQ(dialogs_->Calls().back().offered, Q(folder_ / "Platine.tav"));
  EXPECT_TRUE(std::filesystem::exists(folder_ / "Platine.txt"));
  EXPECT_EQ(ShownTitle(form_), kPrefix + "Platine.txt");

  std::filesystem::create_directory(folder_ / "Platinen.alt");
  dialogs_->Answer("SaveDialog2", Q(folder_ / "Platinen.alt/Platine"));
  form_.SaveProjectAs();
  EXPECT_TRUE(std::filesystem::exists(folder_ / "Platinen.alt/Platine.tav"));

  dialogs_->Answer("SaveDialog2", std::nullopt);
  form_.SaveProjectAs();
  EXPECT_EQ(form_.ProjectPath(), Q(folder_ / "Platinen.alt/Platine.tav"));
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(ProjectCommands, SaveAsksOnlyWhileThereIsNoProjectPath) {
  Import(board_);
  dialogs_->Answer("SaveDialog2", std::nullopt);
  form_.SaveProjectFile();
  EXPECT_TRUE(form_.ProjectPath().isEmpty());
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline");
  EXPECT_EQ(folder_.EntryCount(), 1);  // only the board

  dialogs_->Answer("SaveDialog2", Q(folder_ / "job"));
  form_.SaveProjectFile();
  EXPECT_EQ(form_.ProjectPath(), Q(folder_ / "job.tav"));
  EXPECT_EQ(ShownTitle(form_), kPrefix + "job.tav");
  const std::string first = tav::test::ReadBytes(folder_ / "job.tav");

  // Saved again without a dialog, even after a new import.
  Import({{"Q1", "SOT", "1mm", "1mm"}}, "other.csv");
  form_.SaveProjectFile();
  const std::string second = tav::test::ReadBytes(folder_ / "job.tav");
  EXPECT_NE(first, second);
  EXPECT_NE(second.find("Node0=Q1\r\n"), std::string::npos);
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(ProjectCommands, AFailedSaveChangesNeitherPathNorTitle) {
  Import(board_);
  const QString unwritable = Q(folder_ / "no-such-folder/job.tav");
  dialogs_->Answer("SaveDialog2", unwritable);
  form_.SaveProjectFile();
  ASSERT_EQ(errors_.All().size(), 1u);
  EXPECT_TRUE(errors_.All()[0].text.startsWith("In ")) << errors_.All()[0].text.toStdString();
  EXPECT_TRUE(errors_.All()[0].text.endsWith("kann nicht geschrieben werden."));
  EXPECT_TRUE(form_.ProjectPath().isEmpty());
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline");

  dialogs_->Answer("SaveDialog2", unwritable);
  form_.SaveProjectAs();
  EXPECT_EQ(errors_.All().size(), 2u);
  EXPECT_TRUE(form_.ProjectPath().isEmpty());
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline");

  // A name that is a folder, with a project open: it stays open under its name.
  dialogs_->Answer("SaveDialog2", Q(folder_ / "job.tav"));
  form_.SaveProjectAs();
  std::filesystem::create_directory(folder_ / "folder.tav");
  dialogs_->Answer("SaveDialog2", Q(folder_ / "folder.tav"));
  form_.SaveProjectAs();
  EXPECT_EQ(errors_.All().size(), 3u);
  EXPECT_EQ(form_.ProjectPath(), Q(folder_ / "job.tav"));
  EXPECT_EQ(ShownTitle(form_), kPrefix + "job.tav");
}

TEST_F(ProjectCommands, AFailedSaveLeavesTheFileAsItWas) {
  const std::string path = folder_ / "full.tav";
  tav::test::WriteBytes(path, "[Fremd]\r\nx=1\r\n");
  Import(board_);
  tav::SetWriteFailureForTesting(10, ENOSPC);  // the disk fills up during the save
  dialogs_->Answer("SaveDialog2", Q(path));
  form_.SaveProjectAs();
  tav::SetWriteFailureForTesting(-1, 0);
  EXPECT_EQ(errors_.All().size(), 1u);
  EXPECT_EQ(tav::test::ReadBytes(path), "[Fremd]\r\nx=1\r\n");
  EXPECT_EQ(folder_.EntryCount(), 2);  // no temporary file left
}

TEST_F(ProjectCommands, OpenReplacesTreeAndStoredSettingsAndShowsWhatTheProjectHolds) {
  Import(board_);
  form_.Tree().SetImageIndex(form_.Tree().NodeAt(13), 1);
  Child<QLineEdit>("Feeder2_X")->setText("42.5");
  Child<QComboBox>("Feeder3_Richtung")->setCurrentText("Unten");
  Child<QLineEdit>("GCode_Delay")->setText("0.75");
  dialogs_->Answer("SaveDialog2", Q(folder_ / "saved.tav"));
  form_.SaveProjectAs();

  Import({{"Z9", "x", "99mm", "99mm"}}, "other.csv");
  Child<QLineEdit>("Feeder2_X")->setText("0");
  Child<QComboBox>("Feeder3_Richtung")->setCurrentText("Links");
  Child<QComboBox>("ComboBox1")->setCurrentText("180");  // stored: the project's comes back

  questions_.SetNextAnswer(QuestionBox::Answer::Verwerfen);
  dialogs_->Answer("OpenDialog2", Q(folder_ / "saved.tav"));
  form_.OpenProjectFile();
  EXPECT_TRUE(errors_.All().empty()) << errors_.Texts().join('\n').toStdString();
  EXPECT_EQ(form_.Tree().Count(), 26);
  EXPECT_EQ(form_.Tree().NodeAt(0)->Text(), "R1");
  EXPECT_EQ(form_.Tree().NodeAt(13)->ImageIndex(), 1);
  EXPECT_EQ(form_.Tree().NodeAt(13)->SelectedIndex(), 1);
  EXPECT_EQ(Text("Feeder2_X"), "42.5");
  EXPECT_EQ(Text("Feeder3_Richtung"), "Unten");
  EXPECT_EQ(Text("GCode_Delay"), "0.75");
  EXPECT_EQ(Text("ComboBox1"), "0");
  // Counter and dimensions as an import of these components would show them.
  EXPECT_EQ(Text("BauelementeLabel"), "2");
  EXPECT_EQ(Text("DimLabel_X"), "10.16 mm");
  EXPECT_EQ(Text("DimLabel_Y"), "5.08 mm");
  EXPECT_EQ(form_.LastImport().largestX, 10.16);
  EXPECT_EQ(ShownTitle(form_), kPrefix + "saved.tav");
  EXPECT_EQ(form_.ProjectPath(), Q(folder_ / "saved.tav"));

  dialogs_->Answer("OpenDialog2", std::nullopt);
  form_.OpenProjectFile();
  EXPECT_EQ(dialogs_->Calls().back().offered, Q(folder_ / "saved.tav"));
  EXPECT_EQ(form_.Tree().Count(), 26);
}

TEST_F(ProjectCommands, OpeningAMissingFileChangesNothing) {
  Import(board_);
  Child<QLineEdit>("SpeedHeben")->setText("7");
  questions_.SetNextAnswer(QuestionBox::Answer::Verwerfen);
  dialogs_->Answer("OpenDialog2", Q(folder_ / "neu.tav"));
  form_.OpenProjectFile();
  EXPECT_EQ(errors_.Texts(),
            QStringList({"Datei \"" + Q(folder_ / "neu.tav") + "\" nicht gefunden."}));
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline*");  // still the changed job, still unsaved
  EXPECT_TRUE(form_.ProjectPath().isEmpty());
  EXPECT_EQ(form_.Tree().Count(), 26);
  EXPECT_EQ(Text("SpeedHeben"), "7");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "neu.tav"));
}

// --- Start-up ---------------------------------------------------------------

class StartUp : public ::testing::Test {
 protected:
  ErrorCapture errors_;
  ScriptedQuestions questions_;
  tav::test::TempFolder folder_;
};

TEST_F(StartUp, WithoutArgumentsEverythingIsDefault) {
  MainWindow form({"tavoline"});
  EXPECT_EQ(ShownTitle(form), "TAV - Tavoline");
  EXPECT_TRUE(form.ProjectPath().isEmpty());
  EXPECT_EQ(form.Tree().Count(), 0);
  EXPECT_EQ(form.ReadSettingsFields(), tav::MachineSettings{});
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(StartUp, ArgumentOneIsOpenedBeforeTheWindowIsShown) {
  tav::ComponentTree tree;
  {
    MainWindow saver;
    auto dialogs = std::make_unique<ScriptedFileDialogs>();
    const std::string csv = folder_ / "b.csv";
    tav::test::WriteBytes(csv, PickPlaceText({{"R1", "0805", "1mm", "2mm"}}));
    dialogs->Answer("OpenDialog1", Q(csv));
    dialogs->Answer("SaveDialog2", Q(folder_ / "Platine 1.tav"));
    saver.SetFileDialogRunner(std::move(dialogs));
    saver.ImportBoardFile();
    saver.findChild<QLineEdit*>("SpeedSetzen")->setText("9");
    saver.SaveProjectAs();
  }
  const QString path = Q(folder_ / "Platine 1.tav");
  auto form = StartMainWindow({"tavoline", path, "ignored"});
  tav::SetDecimalSeparator('.');
  EXPECT_TRUE(errors_.All().empty());
  EXPECT_EQ(ShownTitle(*form), kPrefix + "Platine 1.tav");
  EXPECT_EQ(form->ProjectPath(), path);
  EXPECT_EQ(form->Tree().Count(), 13);
  EXPECT_EQ(form->ReadSettingsFields().placeFeed, "9");
  EXPECT_TRUE(form->isVisible());
  ASSERT_NE(form->DisplayWindow(), nullptr);
  EXPECT_FALSE(form->DisplayWindow()->isVisible());
}

TEST_F(StartUp, AMissingProjectIsReportedAndTheWindowStillComesUp) {
  bool windowShownAtError = true;
  ErrorDisplay::SetSinkForTesting([&](const QString&, const QString& text) {
    EXPECT_EQ(text, QStringLiteral("Datei \"Platine.tav\" nicht gefunden."));
    windowShownAtError = false;
    for (const QWidget* window : QApplication::topLevelWidgets())
      windowShownAtError = windowShownAtError || window->isVisible();
  });
  auto form = StartMainWindow({"tavoline", "Platine.tav"});
  tav::SetDecimalSeparator('.');
  EXPECT_FALSE(windowShownAtError);
  EXPECT_EQ(ShownTitle(*form), kPrefix + "Platine.tav");
  EXPECT_EQ(form->ProjectPath(), "Platine.tav");
  EXPECT_EQ(form->Tree().Count(), 0);
  EXPECT_TRUE(form->isVisible());
  EXPECT_NE(form->DisplayWindow(), nullptr);
}

TEST_F(StartUp, AnEmptyArgumentCountsAsNone) {
  MainWindow form({"tavoline", ""});
  EXPECT_EQ(ShownTitle(form), "TAV - Tavoline");
  EXPECT_TRUE(errors_.All().empty());
}

// --- The whole job ----------------------------------------------------------

TEST(Workflow, ImportEditGenerateExportSaveAndReopen) {
  ErrorCapture errors;
  ScriptedQuestions questions;
  tav::test::TempFolder folder;
  auto dialogs = std::make_unique<ScriptedFileDialogs>();
  ScriptedFileDialogs& script = *dialogs;
  MainWindow form;
  form.SetFileDialogRunner(std::move(dialogs));

  script.Answer("OpenDialog1", QString(TAV_SOURCE_DIR "/examples/example-board.csv"));
  form.ImportBoardFile();
  ASSERT_TRUE(errors.All().empty()) << errors.Texts().join('\n').toStdString();
  const int components = form.LastImport().componentCount;
  ASSERT_GT(components, 2);

  ComponentTreeModel& model = form.TreeModel();
  auto* view = form.findChild<QTreeView*>("TreeView1");
  view->setCurrentIndex(model.index(1, 0));
  form.ExcludeSelected();
  view->setCurrentIndex(model.index(2, 0));
  form.AssignFeeder2();
  form.SortTree();
  form.findChild<QLineEdit*>("Feeder2_X")->setText("100");
  form.findChild<QLineEdit*>("Feeder2_Versatz")->setText("4");
  form.findChild<QComboBox*>("Feeder2_Richtung")->setCurrentText("Oben");
  form.findChild<QLineEdit*>("BauteilMaxHeight")->setText("1.6");
  form.GenerateProgram();
  const std::string program = EditorTextWithCrLf(*form.findChild<ProgramEditor*>("Memo1"));
  EXPECT_EQ(program, tav::GCodeGenerator::Generate(form.Tree(), form.ReadSettingsFields()));
  EXPECT_NE(program.find("G00 X100 Y0.00 F20\r\n"), std::string::npos);
  EXPECT_NE(program.find("G00 Y+4 F2.\r\n"), std::string::npos);

  script.Answer("SaveDialog1", Q(folder / "board"));
  form.SaveProgramAs();
  script.Answer("SaveDialog2", Q(folder / "board"));
  form.SaveProjectFile();
  EXPECT_EQ(tav::test::ReadBytes(folder / "board.nc"), program);

  MainWindow reopened({"tavoline", Q(folder / "board.tav")});
  reopened.GenerateProgram();
  EXPECT_EQ(EditorTextWithCrLf(*reopened.findChild<ProgramEditor*>("Memo1")), program);
  EXPECT_TRUE(errors.All().empty()) << errors.Texts().join('\n').toStdString();
  EXPECT_TRUE(script.Exhausted());
}

}  // namespace
}  // namespace tav::ui::test
