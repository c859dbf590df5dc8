// SPDX-License-Identifier: GPL-3.0-or-later
// The user's work is safe: hand edits of the program, "Neu", imports into an
// open project, the window's keys from any field, and a tree selection that
// is what it looks like. The window grows, shows units, remembers recent
// projects and opens dropped files.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include <filesystem>

#include "UiTestSupport.h"
#include "ui/ComponentTreeModel.h"
#include "ui/ProgramEditor.h"
#include "ui/QuestionBox.h"
#include "ui/RecentFiles.h"

namespace tav::ui::test {
namespace {

using Answer = QuestionBox::Answer;

class DesktopCommands : public MainWindowTest {
 protected:
  const std::vector<Row> board_{{"R1", "0805", "10.16mm", "5.08mm"}, {"C1", "0603", "3mm", "2mm"}};
  ProgramEditor* Editor() { return Child<ProgramEditor>("Memo1"); }
  // Whether an item's rename box is open.
  static bool Renaming(const QTreeView& view) {
    const auto* box = view.viewport()->findChild<QLineEdit*>();
    return box != nullptr && box->isVisible();
  }
};

TEST_F(DesktopCommands, GeneratingOverAHandEditAsksAndNeinKeepsIt) {
  Import(board_);
  form_.GenerateProgram();
  EXPECT_TRUE(questions_.TakeAsked().isEmpty());  // a generated program is replaced silently
  form_.GenerateProgram();
  EXPECT_TRUE(questions_.TakeAsked().isEmpty());

  Editor()->setFocus();
  Editor()->moveCursor(QTextCursor::End);
  QTest::keyClicks(Editor(), "M30");
  const QString edited = Editor()->toPlainText();
  questions_.SetNextAnswer(Answer::Nein);
  form_.GenerateProgram();
  EXPECT_EQ(questions_.TakeAsked(), QStringList{QuestionBox::HandEditsText()});
  EXPECT_EQ(Editor()->toPlainText(), edited);

  questions_.SetNextAnswer(Answer::Ja);
  form_.GenerateProgram();
  EXPECT_FALSE(Editor()->toPlainText().endsWith("M30"));
  form_.GenerateProgram();  // the new program is no hand edit
  EXPECT_EQ(questions_.TakeAsked(), QStringList{QuestionBox::HandEditsText()});
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(DesktopCommands, NeuAsksAboutChangesAndStartsAnEmptyJobWithDefaults) {
  auto* neu = Child<QAction>("Neu1");
  ASSERT_NE(neu, nullptr);
  EXPECT_EQ(Child<QMenu>("Projekt1")->actions().value(0), neu);
  EXPECT_EQ(neu->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));

  Import(board_);
  dialogs_->Answer("SaveDialog2", Q(folder_ / "job.tav"));
  form_.SaveProjectAs();
  Child<QLineEdit>("SpeedFahren")->setText("99");
  form_.GenerateProgram();

  questions_.SetNextAnswer(Answer::Abbrechen);
  neu->trigger();
  EXPECT_EQ(form_.Tree().Count(), 26);
  questions_.SetNextAnswer(Answer::Verwerfen);
  neu->trigger();
  EXPECT_EQ(questions_.TakeAsked().size(), 2);
  EXPECT_EQ(form_.Tree().Count(), 0);
  EXPECT_EQ(Text("SpeedFahren"), QString::fromStdString(tav::MachineSettings{}.travelFeed));
  EXPECT_EQ(Text("BauelementeLabel"), "0");
  EXPECT_TRUE(Editor()->toPlainText().isEmpty());
  EXPECT_TRUE(form_.ProjectPath().isEmpty());
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline");
  EXPECT_FALSE(form_.Changes().Modified());

  // Unchanged: no question; the project file was not touched by Verwerfen.
  neu->trigger();
  EXPECT_TRUE(questions_.TakeAsked().isEmpty());
  EXPECT_EQ(tav::test::ReadBytes(folder_ / "job.tav").find("99"), std::string::npos);
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(DesktopCommands, AnImportIntoAnOpenProjectIsAChange) {
  Import(board_);
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline");  // no project: the job is the file
  dialogs_->Answer("SaveDialog2", Q(folder_ / "solar.tav"));
  form_.SaveProjectAs();
  Import({{"Q1", "SOT", "1mm", "1mm"}}, "other.csv");
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline - solar.tav*");
  EXPECT_TRUE(form_.Changes().Modified());
  questions_.SetNextAnswer(Answer::Abbrechen);
  EXPECT_FALSE(form_.close());
  EXPECT_EQ(questions_.TakeAsked().size(), 1);
}

TEST_F(DesktopCommands, TheWindowsKeysWorkFromEverySettingsField) {
  form_.show();
  form_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  Import(board_);
  form_.GenerateProgram();
  for (const char* name : {"SpeedFahren", "Feeder2_X", "GCode_Delay"}) {
    auto* field = Child<QLineEdit>(name);
    field->window()->activateWindow();
    field->setFocus();
    const std::string program = folder_ / (std::string(name) + ".nc");
    dialogs_->Answer("SaveDialog1", Q(program));
    QTest::keyClick(field, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(std::filesystem::exists(program)) << name;
  }
  // Ctrl+N from a field too.
  auto* field = Child<QLineEdit>("SpeedHeben");
  field->setFocus();
  QTest::keyClick(field, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(form_.Tree().Count(), 0);
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(DesktopCommands, AClickInsideAMultiSelectionSelectsThatItemAlone) {
  Import(
      {{"R1", "0805", "1mm", "1mm"}, {"C1", "0603", "3mm", "2mm"}, {"L1", "1206", "1mm", "1mm"}});
  form_.show();
  auto* view = Child<QTreeView>("TreeView1");
  view->setFocus();
  view->selectAll();
  ASSERT_EQ(view->selectionModel()->selectedIndexes().size(), 3);
  const QModelIndex second = form_.TreeModel().index(1, 0);
  const QPoint at = view->visualRect(second).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  QTest::qWait(QApplication::doubleClickInterval() + 100);
  EXPECT_EQ(view->selectionModel()->selectedIndexes(), QModelIndexList{second});
  EXPECT_FALSE(Renaming(*view));

  // A second click on the single selection renames.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  QTest::qWait(QApplication::doubleClickInterval() + 100);
  EXPECT_TRUE(Renaming(*view));
}

// The rectangle of every control in `parent` that shows something.
QList<QRect> SiblingRects(const QWidget& parent) {
  QList<QRect> rects;
  for (const QObject* child : parent.children()) {
    const auto* widget = qobject_cast<const QWidget*>(child);
    const auto* label = qobject_cast<const QLabel*>(child);
    if (label != nullptr && label->text().isEmpty()) continue;  // shows nothing
    if (widget != nullptr && !widget->isWindow() && !widget->isHidden())
      rects << widget->geometry();
  }
  return rects;
}

TEST_F(DesktopCommands, AtTwelveHundredByEightHundredTreeAndEditorGrowAndNothingOverlaps) {
  form_.show();
  auto* area = form_.centralWidget();
  auto* tree = Child<QWidget>("TreeView1");
  auto* editor = Child<QWidget>("Memo1");
  auto* ventil = Child<QWidget>("GCode_Ventil");
  auto* speed = Child<QWidget>("SpeedFahren");
  const QRect designedTree = tree->geometry();
  const QRect designedEditor = editor->geometry();
  const QRect designedSpeed = speed->geometry();
  EXPECT_EQ(designedTree, QRect(575, 8, 260, 464));
  EXPECT_EQ(designedEditor, QRect(3, 3, 390, 398));

  form_.resize(1200, 800);
  QApplication::processEvents();
  const int wider = area->width() - 840;
  const int taller = area->height() - 481;
  ASSERT_EQ(wider, 360);
  EXPECT_EQ(tree->height(), 464 + taller);
  EXPECT_EQ(tree->width(), 260 + wider / 2);
  EXPECT_EQ(tree->geometry().right(), area->width() - 6);  // the margin stays
  EXPECT_EQ(editor->size(), QSize(390 + wider / 2, 398 + taller));
  EXPECT_EQ(ventil->x(), 492 + wider / 2);   // beside the editor still
  EXPECT_EQ(ventil->size(), QSize(38, 21));  // fields keep their size
  EXPECT_EQ(Child<QWidget>("Button2")->y(), 347 + taller);
  EXPECT_EQ(speed->geometry(), designedSpeed);
  for (const QWidget* parent :
       {area, static_cast<QWidget*>(Child<QWidget>("TabSheet1")), Child<QWidget>("TabSheet2"),
        Child<QWidget>("TabSheet3"), Child<QWidget>("TabSheet4")}) {
    const QList<QRect> rects = SiblingRects(*parent);
    for (qsizetype i = 0; i < rects.size(); ++i)
      for (qsizetype j = i + 1; j < rects.size(); ++j)
        EXPECT_FALSE(rects[i].intersects(rects[j]))
            << parent->objectName().toStdString() << " " << i << " " << j;
    for (const QRect& rect : rects)
      EXPECT_TRUE(QRect(QPoint(), parent->size()).contains(rect))
          << parent->objectName().toStdString();
  }

  form_.resize(840, 481 + form_.menuBar()->height());
  QApplication::processEvents();
  EXPECT_EQ(tree->geometry(), designedTree);
  EXPECT_EQ(editor->geometry(), designedEditor);
}

TEST_F(DesktopCommands, UnitsStandRightOfTheFields) {
  for (const auto& [field, unit] :
       std::vector<std::pair<const char*, QString>>{{"SpeedFahren", "mm/min"},
                                                    {"Feeder3_Versatz", "mm"},
                                                    {"GCode_Delay", "s"},
                                                    {"ComboBox2", QStringLiteral("\u00b0")}}) {
    auto* label = Child<QLabel>((std::string(field) + "_Einheit").c_str());
    ASSERT_NE(label, nullptr) << field;
    EXPECT_EQ(label->text(), unit);
    const QRect at = Child<QWidget>(field)->geometry();
    EXPECT_GT(label->x(), at.right());
    EXPECT_EQ(label->y(), at.y());
  }
}

TEST_F(DesktopCommands, RecentProjectsAreListedNewestFirstMissingOnesGreyed) {
  Import(board_);
  for (const char* name : {"a.tav", "b.tav", "gone.tav"}) {
    dialogs_->Answer("SaveDialog2", Q(folder_ / name));
    form_.SaveProjectAs();
  }
  std::filesystem::remove(folder_ / "gone.tav");
  auto* recent = Child<QMenu>("ZuletztGeoeffnet1");
  emit recent->aboutToShow();
  const QList<QAction*> items = recent->actions();
  ASSERT_GE(items.size(), 3);
  EXPECT_EQ(items[0]->text(), "&1 gone.tav");
  EXPECT_FALSE(items[0]->isEnabled());
  EXPECT_EQ(items[1]->text(), "&2 b.tav");
  EXPECT_TRUE(items[1]->isEnabled());
  Child<QLineEdit>("SpeedFahren")->setText("12");
  questions_.SetNextAnswer(Answer::Verwerfen);
  items[2]->trigger();  // a.tav, after the question
  EXPECT_EQ(form_.ProjectPath(), Q(folder_ / "a.tav"));
  EXPECT_EQ(questions_.TakeAsked().size(), 1);
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(DesktopCommands, DialogsStartInTheFolderTheyLastUsed) {
  RecentFiles recent;
  auto scripted = std::make_unique<ScriptedFileDialogs>();
  ScriptedFileDialogs& dialogs = *scripted;
  RememberingDialogRunner runner(std::move(scripted), recent);
  const FileDialogSettings open{QStringLiteral("OpenDialog1"), FileDialogSettings::Mode::Open, {}};
  std::filesystem::create_directory(folder_ / "boards");
  dialogs.Answer("OpenDialog1", Q(folder_ / "boards/x.csv"));
  runner.Run(open, {}, nullptr);
  dialogs.Answer("OpenDialog1", std::nullopt);
  runner.Run(open, {}, nullptr);
  EXPECT_EQ(dialogs.Calls().back().offered, Q(folder_ / "boards") + "/");
  dialogs.Answer("OpenDialog1", std::nullopt);
  runner.Run(open, Q(folder_ / "y.csv"), nullptr);  // a name of its own wins
  EXPECT_EQ(dialogs.Calls().back().offered, Q(folder_ / "y.csv"));
}

TEST_F(DesktopCommands, ADroppedProjectOpensAndADroppedBoardImports) {
  Import(board_);
  dialogs_->Answer("SaveDialog2", Q(folder_ / "job.tav"));
  form_.SaveProjectAs();
  const std::string board = folder_ / "other.csv";
  tav::test::WriteBytes(board, PickPlaceText({{"Q1", "SOT", "1mm", "1mm"}}));
  form_.OpenDroppedFile(Q(board));
  EXPECT_EQ(form_.Tree().NodeAt(0)->Text(), "Q1");
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline - job.tav*");  // into the open project

  // Dropped through the window's events, after the question.
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(Q(folder_ / "job.tav"))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form_, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form_, &drop);
  questions_.SetNextAnswer(Answer::Verwerfen);
  QApplication::processEvents();
  EXPECT_EQ(form_.Tree().NodeAt(0)->Text(), "R1");
  EXPECT_FALSE(form_.Changes().Modified());
  EXPECT_EQ(questions_.TakeAsked().size(), 1);
  EXPECT_TRUE(errors_.All().empty());
}

}  // namespace
}  // namespace tav::ui::test
