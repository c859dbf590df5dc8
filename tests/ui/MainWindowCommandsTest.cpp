// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands driven through their handlers and the real widgets:
// import, the popup menu, in-place editing, G-code generation and export.
#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTreeView>

#include "UiTestSupport.h"
#include "core/DecimalSeparator.h"
#include "core/Error.h"
#include "gcode/GCodeGenerator.h"
#include "ui/ComponentTreeModel.h"
#include "ui/EditorText.h"
#include "ui/FindBar.h"
#include "ui/PositionDisplay.h"
#include "ui/ProgramEditor.h"
#include "ui/TextCodec.h"

namespace tav::ui::test {
namespace {

class MainWindowCommands : public MainWindowTest {
 protected:
  QTreeView* Tree() { return Child<QTreeView>("TreeView1"); }
  ComponentTreeModel& Model() { return form_.TreeModel(); }
  QModelIndex Item(int top, int child = -1, int grandchild = -1) {
    QModelIndex index = Model().index(top, 0);
    if (child >= 0) index = Model().index(child, 0, index);
    if (grandchild >= 0) index = Model().index(grandchild, 0, index);
    return index;
  }
  // Selects an item by a left click, as the user does.
  void ClickOn(const QModelIndex& index) {
    Tree()->scrollTo(index);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualRect(index).center());
  }
  // A right click through the window system's path, which also sends the
  // context menu event.
  void RightClickOn(const QModelIndex& index) {
    const QPoint position = Tree()->visualRect(index).center();
    QTest::mouseClick(form_.windowHandle(), Qt::RightButton, {},
                      Tree()->viewport()->mapTo(&form_, position));
  }
  std::string ExpectedProgram() {
    return tav::GCodeGenerator::Generate(form_.Tree(), form_.ReadSettingsFields());
  }
  std::string MemoText() { return EditorTextWithCrLf(*Child<ProgramEditor>("Memo1")); }
  std::string TextAt(int absoluteIndex) { return form_.Tree().NodeAt(absoluteIndex)->Text(); }

  const std::vector<Row> board_{{"R1", "0805", "10.16mm", "5.08mm"},
                                {"C1", "0603", "-3mm", "20.5MM"},
                                {"U1", "SOIC-8", "7.5mm", "1mm"}};
};

TEST_F(MainWindowCommands, ImportFillsTreeCounterAndDimensions) {
  Import(board_);
  EXPECT_TRUE(errors_.All().empty()) << errors_.Texts().join('\n').toStdString();
  EXPECT_EQ(form_.Tree().Count(), 39);
  EXPECT_EQ(Text("BauelementeLabel"), "3");
  EXPECT_EQ(Text("DimLabel_X"), "10.16 mm");
  EXPECT_EQ(Text("DimLabel_Y"), "20.5 mm");
  EXPECT_EQ(form_.LastImport().componentCount, 3);
  EXPECT_DOUBLE_EQ(form_.LastImport().largestY, 20.5);
  ASSERT_EQ(Model().rowCount(), 3);
  EXPECT_EQ(Item(1).data().toString(), "C1");
  for (int row = 0; row < 3; ++row) EXPECT_FALSE(Tree()->isExpanded(Item(row)));
  EXPECT_EQ(dialogs_->Calls().at(0).dialog.filter, "");  // OpenDialog1 has no filter
}

TEST_F(MainWindowCommands, CancelledImportStillShowsTheLastDimensions) {
  dialogs_->Answer("OpenDialog1", std::nullopt);
  form_.ImportBoardFile();
  EXPECT_EQ(Text("DimLabel_X"), "0 mm");
  EXPECT_EQ(Text("DimLabel_Y"), "0 mm");

  const std::string first = Import(board_);
  dialogs_->Answer("OpenDialog1", std::nullopt);
  form_.ImportBoardFile();
  EXPECT_EQ(form_.Tree().Count(), 39);
  EXPECT_EQ(Text("DimLabel_X"), "10.16 mm");
  // The dialog offers the last name again.
  EXPECT_EQ(dialogs_->Calls().back().offered, Q(first));
}

TEST_F(MainWindowCommands, FailedImportChangesNothing) {
  Import(board_);
  Import({{"R9", "0805", "1mm", "1mm"}, {"R10", "0805", "zwei", "1mm"}}, "bad.csv");
  EXPECT_EQ(errors_.Texts(),
            QStringList({QStringLiteral(
                "Zeile 4, Spalte \"Mid X\": 'zwei' ist kein g\u00fcltiger Gleitkommawert.")}));

  dialogs_->Answer("OpenDialog1", Q(folder_ / "missing.csv"));
  form_.ImportBoardFile();
  ASSERT_EQ(errors_.All().size(), 2u);
  EXPECT_TRUE(errors_.All()[1].text.startsWith("Datei ")) << errors_.All()[1].text.toStdString();
  EXPECT_TRUE(errors_.All()[1].text.contains("missing.csv"));

  EXPECT_EQ(form_.Tree().Count(), 39);
  EXPECT_EQ(TextAt(0), "R1");
  EXPECT_EQ(Text("BauelementeLabel"), "3");
  EXPECT_EQ(Text("DimLabel_X"), "10.16 mm");
}

TEST_F(MainWindowCommands, PopupCommandsActOnTheSelectionAndARightClickKeepsIt) {
  Import(board_);
  form_.show();
  ClickOn(Item(1));
  ASSERT_EQ(form_.Tree().NodeAt(13), Model().NodeOf(Tree()->currentIndex()));

  // A right click elsewhere opens the popup menu and leaves the selection alone.
  RightClickOn(Item(2));
  EXPECT_TRUE(form_.PopupMenu()->isVisible());
  form_.PopupMenu()->hide();
  EXPECT_EQ(Model().NodeOf(Tree()->selectionModel()->selectedIndexes().value(0)),
            form_.Tree().NodeAt(13));

  Child<QAction>("Ausschliessen1")->trigger();
  EXPECT_EQ(form_.Tree().NodeAt(13)->ImageIndex(), 1);
  EXPECT_EQ(form_.Tree().NodeAt(13)->SelectedIndex(), 1);
  EXPECT_EQ(Item(1).data(ComponentTreeModel::ShownIconIndexRole).toInt(), 1);
  Child<QAction>("Einschliessen1")->trigger();
  EXPECT_EQ(form_.Tree().NodeAt(13)->ImageIndex(), 0);

  // Feeder commands: the component itself, an attribute of it, not a value below one.
  Child<QAction>("Feeder21")->trigger();
  EXPECT_EQ(TextAt(13 + 5), "Feeder: 2");
  Tree()->expand(Item(1));
  ClickOn(Item(1, 5));  // "Position"
  form_.AssignFeeder3();
  EXPECT_EQ(TextAt(13 + 5), "Feeder: 3");
  Tree()->expand(Item(1, 5));
  ClickOn(Item(1, 5, 0));  // the X value
  form_.AssignFeeder4();
  form_.ExcludeSelected();
  EXPECT_EQ(TextAt(13 + 5), "Feeder: 3");
  EXPECT_EQ(form_.Tree().NodeAt(13 + 7)->ImageIndex(), 2);
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(MainWindowCommands, TheSelectedItemShowsItsSelectedIcon) {
  Import(board_);
  form_.show();
  form_.Tree().SetSelectedIndex(form_.Tree().NodeAt(0), 5);
  EXPECT_EQ(Item(0).data(ComponentTreeModel::ShownIconIndexRole).toInt(), 0);
  ClickOn(Item(0));
  EXPECT_EQ(Item(0).data(ComponentTreeModel::ShownIconIndexRole).toInt(), 5);
  ClickOn(Item(2));
  EXPECT_EQ(Item(0).data(ComponentTreeModel::ShownIconIndexRole).toInt(), 0);
}

TEST_F(MainWindowCommands, CommandsWithoutASelectionChangeNothing) {
  Import(board_);
  form_.ExcludeSelected();
  form_.AssignFeeder4();
  for (int row = 0; row < 3; ++row) EXPECT_EQ(form_.Tree().NodeAt(13 * row)->ImageIndex(), 0);
  EXPECT_EQ(TextAt(5), "Feeder: 1");
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(MainWindowCommands, SortKeepsBlocksAndTheSelection) {
  Import({{"R2", "a", "1", "1"}, {"C1", "b", "2", "2"}, {"R10", "c", "3", "3"}});
  form_.show();
  ClickOn(Item(0));  // R2
  form_.SortTree();
  EXPECT_EQ(TextAt(0), "C1");
  EXPECT_EQ(TextAt(13), "R10");
  EXPECT_EQ(TextAt(26), "R2");
  EXPECT_EQ(TextAt(26 + 2), "Footprint: a");
  EXPECT_EQ(Model().NodeOf(Tree()->currentIndex())->Text(), "R2");
}

TEST_F(MainWindowCommands, InPlaceEditReplacesTheTextAndEscapeCancels) {
  Import(board_);
  form_.show();
  Tree()->expand(Item(0));
  Tree()->expand(Item(0, 5));
  ClickOn(Item(0, 5, 0));

  const auto editInPlace = [&](const QString& text, Qt::Key finish) {
    QTest::keyClick(Tree(), Qt::Key_F2);
    QLineEdit* editor = nullptr;  // closed editors linger until deleted later
    for (QLineEdit* open : Tree()->viewport()->findChildren<QLineEdit*>()) {
      if (open->isVisible()) editor = open;
    }
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, finish);
    QCoreApplication::processEvents();  // the delegate commits through a queued call
  };
  editInPlace("abc", Qt::Key_Escape);
  EXPECT_EQ(TextAt(7), "10.16mm");
  editInPlace(QStringLiteral("12,7 \u00b5m"), Qt::Key_Return);
  EXPECT_EQ(TextAt(7), "12,7 \xB5m");

  // What later commands read follows the edit: a text that is no number is
  // refused, a number with "," is written with ".".
  form_.GenerateProgram();
  ASSERT_EQ(errors_.Texts().size(), 1);
  EXPECT_TRUE(errors_.Texts()[0].contains(QStringLiteral("'12,7 \u00b5m'")))
      << errors_.Texts()[0].toStdString();
  editInPlace(QStringLiteral("12,7"), Qt::Key_Return);
  form_.GenerateProgram();
  EXPECT_NE(MemoText().find("G00 X12.7 Y5.08 F20"), std::string::npos);
}

TEST_F(MainWindowCommands, GenerateWritesTheCoresProgramIntoMemo1) {
  form_.GenerateProgram();
  EXPECT_EQ(MemoText(), ExpectedProgram());  // the header only

  Import(board_);
  Child<QLineEdit>("SpeedFahren")->setText("35");
  Child<QComboBox>("Feeder1_Richtung")->setCurrentText("Oben");
  form_.GenerateProgram();
  const std::string program = MemoText();
  EXPECT_EQ(program, ExpectedProgram());
  EXPECT_NE(program.find("G00 Y+0.00 F2."), std::string::npos);
  EXPECT_NE(program.find("G00 X10.16 Y5.08 F35\r\n"), std::string::npos);
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(MainWindowCommands, AFailedGenerationKeepsThePreviousProgram) {
  Import(board_);
  form_.GenerateProgram();
  const std::string program = MemoText();
  Child<QLineEdit>("BauteilMaxHeight")->setText("hoch");
  form_.GenerateProgram();
  EXPECT_EQ(errors_.Texts(),
            QStringList({QStringLiteral(
                "Maximale Bauteilh\u00f6he: 'hoch' ist kein g\u00fcltiger Gleitkommawert.")}));
  EXPECT_EQ(MemoText(), program);
}

TEST_F(MainWindowCommands, ExportWritesTheEditorsTextWithCrLf) {
  Import(board_);
  form_.GenerateProgram();
  const std::string program = ExpectedProgram();

  dialogs_->Answer("SaveDialog1", Q(folder_ / "job"));
  form_.SaveProgramAs();
  EXPECT_EQ(tav::test::ReadBytes(folder_ / "job.nc"), program);
  EXPECT_EQ(dialogs_->Calls().back().dialog.filter, "G-Code File (*.nc)");

  // The user's edits are part of the file, with CR LF line ends.
  auto* memo = Child<ProgramEditor>("Memo1");
  memo->moveCursor(QTextCursor::End);
  memo->insertPlainText("M30\n");
  dialogs_->Answer("SaveDialog1", Q(folder_ / "job.txt"));
  form_.SaveProgramAs();
  EXPECT_EQ(dialogs_->Calls().back().offered, Q(folder_ / "job.nc"));
  EXPECT_EQ(tav::test::ReadBytes(folder_ / "job.txt"), program + "M30\r\n");

  dialogs_->Answer("SaveDialog1", std::nullopt);
  form_.SaveProgramAs();
  dialogs_->Answer("SaveDialog1", Q(folder_ / "no-such-folder/job.nc"));
  form_.SaveProgramAs();
  ASSERT_EQ(errors_.All().size(), 1u);
  EXPECT_TRUE(errors_.All()[0].text.startsWith("Datei \"")) << errors_.All()[0].text.toStdString();
  EXPECT_EQ(folder_.EntryCount(), 3);  // board.csv, job.nc, job.txt
}

TEST_F(MainWindowCommands, TheUserTypesIntoTheProgramAndSavesIt) {
  Import(board_);
  form_.GenerateProgram();
  const std::string program = ExpectedProgram();
  ASSERT_EQ(MemoText(), program);
  ASSERT_EQ(Child<ProgramEditor>("Memo1")->toPlainText(),
            ToQString(program).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

  // A comment typed in front of the first line and a last line typed at the end.
  form_.show();
  auto* memo = Child<ProgramEditor>("Memo1");
  QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::keyClick(memo, Qt::Key_Home);
  QTest::keyClicks(memo, "(Platine 1)");
  QTest::keyClick(memo, Qt::Key_Return);
  QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(memo, "M30");
  QTest::keyClick(memo, Qt::Key_Return);
  // Editing the program changes neither the job nor the program's fit to it.
  EXPECT_FALSE(form_.Changes().Modified());
  EXPECT_FALSE(form_.Changes().ProgramStale());

  dialogs_->Answer("SaveDialog1", Q(folder_ / "job.nc"));
  form_.SaveProgramAs();
  EXPECT_EQ(tav::test::ReadBytes(folder_ / "job.nc"), "(Platine 1)\r\n" + program + "M30\r\n");
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(MainWindowCommands, AHundredThousandRowImportIsShownWhole) {
  std::vector<Row> rows;
  for (int i = 0; i < 100000; ++i) rows.push_back({"R" + std::to_string(i), "0805", "1mm", "2mm"});
  const std::string path = folder_ / "large.csv";
  tav::test::WriteBytes(path, PickPlaceText(rows));
  form_.show();
  QElapsedTimer timer;
  timer.start();
  dialogs_->Answer("OpenDialog1", Q(path));
  form_.ImportBoardFile();
  form_.grab();
  const qint64 elapsed = timer.elapsed();
  EXPECT_EQ(Model().rowCount(), 100000);
  // The time is recorded, not asserted: it depends on the machine's load.
  RecordProperty("milliseconds", static_cast<int>(elapsed));
}

TEST_F(MainWindowCommands, AHundredThousandPartProgramIsShownWhole) {
  std::vector<Row> rows;
  for (int i = 0; i < 100000; ++i) rows.push_back({"R" + std::to_string(i), "0805", "1mm", "2mm"});
  Import(rows);
  form_.show();
  QElapsedTimer timer;
  timer.start();
  form_.GenerateProgram();
  form_.grab();
  const qint64 elapsed = timer.elapsed();
  EXPECT_EQ(MemoText(), ExpectedProgram());
  // The times are recorded, not asserted: they depend on the machine's load.
  RecordProperty("milliseconds", static_cast<int>(elapsed));

  // Typing at the top of the million lines and at the bottom, twice.
  auto* memo = Child<ProgramEditor>("Memo1");
  timer.restart();
  for (int round = 0; round < 2; ++round) {
    QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClicks(memo, "(1234567890)");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(memo, "M30");
    QTest::keyClick(memo, Qt::Key_Return);
    form_.grab();
  }
  RecordProperty("typing_milliseconds", static_cast<int>(timer.elapsed()));
  // Finding the program's last line from its top, with a repaint.
  memo->moveCursor(QTextCursor::Start);
  timer.restart();
  QTest::keyClick(memo, Qt::Key_F, Qt::ControlModifier);
  QTest::keyClicks(&memo->Find().Field(), "M30");
  QTest::keyClick(&memo->Find().Field(), Qt::Key_Return);
  form_.grab();
  RecordProperty("find_milliseconds", static_cast<int>(timer.elapsed()));
  EXPECT_GE(memo->Text().LineOf(memo->CaretPosition()), memo->Text().LineCount() - 4);
  EXPECT_EQ(memo->SelectedBytes(), "M30");
  EXPECT_EQ(memo->Text().Line(0), "(1234567890)");
  EXPECT_EQ(memo->Text().Line(1), "(1234567890)");
  EXPECT_EQ(memo->Text().Line(memo->Text().LineCount() - 2), "M30");
}

TEST_F(MainWindowCommands, DisplayOpensOnceAndComesToTheFront) {
  form_.CreateDisplayWindow();
  PositionDisplay* display = form_.DisplayWindow();
  ASSERT_NE(display, nullptr);
  EXPECT_FALSE(display->isVisible());
  form_.ShowPositionDisplay();
  form_.ShowPositionDisplay();
  EXPECT_TRUE(display->isVisible());
  EXPECT_EQ(form_.findChildren<PositionDisplay*>().size(), 1);
  display->close();
  EXPECT_FALSE(display->isVisible());
  form_.ShowPositionDisplay();
  EXPECT_TRUE(display->isVisible());
}

TEST_F(MainWindowCommands, ALocaleChangeSwitchesTheDecimalSeparator) {
  form_.SetLocaleSource([] { return QLocale(QLocale::German, QLocale::Germany); });
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(&form_, &change);
  EXPECT_EQ(tav::DecimalSeparator(), ',');
  Import({{"R1", "a", "12mm", "1"}});
  Child<QLineEdit>("BauteilMaxHeight")->setText("1,5");
  Child<QLineEdit>("Feeder1_Z")->setText("2");
  form_.GenerateProgram();
  // Read with ",", written with "." for the controller.
  EXPECT_NE(MemoText().find("G01 Z-3.5 F2\r\n"), std::string::npos);

  form_.SetLocaleSource([] { return QLocale(QLocale::English, QLocale::UnitedStates); });
  QCoreApplication::sendEvent(&form_, &change);
  EXPECT_EQ(tav::DecimalSeparator(), '.');
  EXPECT_TRUE(errors_.All().empty());
}

}  // namespace
}  // namespace tav::ui::test
