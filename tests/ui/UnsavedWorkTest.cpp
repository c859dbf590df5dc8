// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing the user did is lost: questions before a job is closed or replaced,
// the "*" in the title, the stale-program question, failed opens that change
// nothing, what an opened project shows, and the keyboard.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <cerrno>
#include <cmath>
#include <filesystem>

#include "UiTestSupport.h"
#include "core/ComponentBlock.h"
#include "core/FileAccess.h"
#include "core/NumberConversion.h"
#include "ui/ApplicationTitle.h"
#include "ui/ComponentTreeModel.h"
#include "ui/PositionDisplay.h"
#include "ui/ProgramEditor.h"
#include "ui/Startup.h"

namespace tav::ui::test {
namespace {

using Answer = QuestionBox::Answer;

const QString kSaveChanges = QStringLiteral("\u00c4nderungen am Projekt speichern?");
const QString kStale = QStringLiteral(
    "Der G-Code passt nicht mehr zu Bauteilen und Einstellungen. Trotzdem speichern?");
const QString kPrefix = QStringLiteral("TAV - Tavoline - ");

class UnsavedWork : public MainWindowTest {
 protected:
  const std::vector<Row> board_{{"R1", "0805", "10.16mm", "5.08mm"}, {"C1", "0603", "3mm", "2mm"}};

  QTreeView* TreeView() { return Child<QTreeView>("TreeView1"); }
  void Select(int row) { TreeView()->setCurrentIndex(form_.TreeModel().index(row, 0)); }
  // Excludes the first component, as the popup menu does.
  void ExcludeFirst() {
    Select(0);
    form_.ExcludeSelected();
  }
  // An imported board saved as job.tav: a job without unsaved changes.
  std::string SavedJob() {
    Import(board_);
    const std::string path = folder_ / "job.tav";
    dialogs_->Answer("SaveDialog2", Q(path));
    form_.SaveProjectAs();
    return path;
  }
};

// --- Closing ----------------------------------------------------------------

TEST_F(UnsavedWork, AFreshImportedOrJustSavedJobClosesWithoutAQuestion) {
  form_.show();
  EXPECT_TRUE(form_.close());
  form_.show();
  Import(board_);
  EXPECT_TRUE(form_.close());
  form_.show();
  SavedJob();
  ExcludeFirst();
  form_.SaveProjectFile();
  EXPECT_TRUE(form_.close());
  EXPECT_TRUE(questions_.TakeAsked().isEmpty());
  EXPECT_TRUE(errors_.All().empty());
}

struct CloseCase {
  const char* name;
  Answer answer;
  bool withProjectPath;
  std::optional<QString> saveDialog;  // the answer of SaveDialog2, when it comes up
  bool closed;
  bool written;
};

class ClosingWithChanges : public UnsavedWork, public ::testing::WithParamInterface<CloseCase> {};

// clang-format off
const CloseCase kCloseCases[] = {
    {"Abbrechen", Answer::Abbrechen, true, std::nullopt, false, false},
    {"Verwerfen", Answer::Verwerfen, true, std::nullopt, true, false},
    {"SpeichernToTheProject", Answer::Speichern, true, std::nullopt, true, true},
    {"SpeichernUnderANewName", Answer::Speichern, false, QString("neu"), true, true},
    {"SpeichernButTheDialogIsCancelled", Answer::Speichern, false, std::nullopt, false, false},
};
// clang-format on

TEST_P(ClosingWithChanges, AskFirst) {
  const CloseCase& c = GetParam();
  std::string before;
  if (c.withProjectPath) {
    before = tav::test::ReadBytes(SavedJob());
  } else {
    Import(board_);
  }
  ExcludeFirst();
  form_.show();
  const int entries = folder_.EntryCount();
  questions_.SetNextAnswer(c.answer);
  if (!c.withProjectPath && c.answer == Answer::Speichern)
    dialogs_->Answer("SaveDialog2",
                     c.saveDialog ? std::optional(Q(folder_ / "neu")) : std::nullopt);

  EXPECT_EQ(form_.close(), c.closed);
  EXPECT_EQ(questions_.TakeAsked(), QStringList{kSaveChanges});
  EXPECT_EQ(form_.isVisible(), !c.closed);
  if (c.withProjectPath) {
    EXPECT_EQ(tav::test::ReadBytes(folder_ / "job.tav") != before, c.written);
    EXPECT_EQ(folder_.EntryCount(), entries);
  } else {
    EXPECT_EQ(std::filesystem::exists(folder_ / "neu.tav"), c.written);
  }
  EXPECT_EQ(form_.Changes().Modified(), !c.written);
  EXPECT_TRUE(errors_.All().empty());
}

INSTANTIATE_TEST_SUITE_P(Answers, ClosingWithChanges, ::testing::ValuesIn(kCloseCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(UnsavedWork, AFailedSaveKeepsTheWindowOpen) {
  SavedJob();
  ExcludeFirst();
  form_.show();
  tav::SetWriteFailureForTesting(10, ENOSPC);
  questions_.SetNextAnswer(Answer::Speichern);
  const bool closed = form_.close();
  tav::SetWriteFailureForTesting(-1, 0);
  EXPECT_FALSE(closed);
  EXPECT_TRUE(form_.isVisible());
  EXPECT_EQ(errors_.All().size(), 1u);
  EXPECT_TRUE(form_.Changes().Modified());
}

TEST_F(UnsavedWork, BeendenIsTheLastItemOfProjektAndAsksAsClosingDoes) {
  auto* beenden = Child<QAction>("Beenden1");
  EXPECT_EQ(form_.menuBar()->actions()[0]->menu()->actions().last(), beenden);
  Import(board_);
  ExcludeFirst();
  form_.show();
  questions_.SetNextAnswer(Answer::Abbrechen);
  beenden->trigger();
  EXPECT_TRUE(form_.isVisible());
  questions_.SetNextAnswer(Answer::Verwerfen);
  beenden->trigger();
  EXPECT_FALSE(form_.isVisible());
  EXPECT_EQ(questions_.TakeAsked(), QStringList({kSaveChanges, kSaveChanges}));
}

// --- What counts as a change ------------------------------------------------

TEST_F(UnsavedWork, TheTitleShowsAStarWhileTheJobHasUnsavedChanges) {
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline");
  Import(board_);
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline");
  ExcludeFirst();
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline*");
  dialogs_->Answer("SaveDialog2", Q(folder_ / "job"));
  form_.SaveProjectFile();
  EXPECT_EQ(ShownTitle(form_), kPrefix + "job.tav");

  // Each kind of change, and a save after it.
  const std::vector<std::pair<const char*, std::function<void()>>> changes{
      {"include", [&] { form_.IncludeSelected(); }},
      {"feeder", [&] { form_.AssignFeeder3(); }},
      {"sort", [&] { form_.SortTree(); }},
      {"node text",
       [&] { form_.TreeModel().setData(form_.TreeModel().index(0, 0), QStringLiteral("R9")); }},
      {"field", [&] { Child<QLineEdit>("SpeedFahren")->setText("35"); }},
      {"typed", [&] { QTest::keyClicks(Child<QLineEdit>("Feeder4_Z"), "1"); }},
      {"direction", [&] { Child<QComboBox>("Feeder2_Richtung")->setCurrentText("Oben"); }},
      {"angle", [&] { Child<QComboBox>("ComboBox3")->setCurrentIndex(2); }},
  };
  for (const auto& [name, change] : changes) {
    change();
    EXPECT_EQ(ShownTitle(form_), kPrefix + "job.tav*") << name;
    form_.SaveProjectFile();
    EXPECT_EQ(ShownTitle(form_), kPrefix + "job.tav") << name;
  }

  // The editor's program is no part of the job.
  Child<ProgramEditor>("Memo1")->setPlainText("M30");
  form_.GenerateProgram();
  EXPECT_EQ(ShownTitle(form_), kPrefix + "job.tav");
  EXPECT_TRUE(errors_.All().empty());
  EXPECT_TRUE(questions_.TakeAsked().isEmpty());
}

TEST_F(UnsavedWork, ImportAndOpenAskBeforeTheyReplaceAChangedJob) {
  const std::string job = SavedJob();
  ExcludeFirst();
  const std::string other = folder_ / "other.csv";
  tav::test::WriteBytes(other, PickPlaceText({{"Q1", "SOT", "1mm", "1mm"}}));

  // Abbrechen: no dialog, nothing changes.
  questions_.SetNextAnswer(Answer::Abbrechen);
  form_.ImportBoardFile();
  questions_.SetNextAnswer(Answer::Abbrechen);
  form_.OpenProjectFile();
  EXPECT_EQ(form_.Tree().NodeAt(0)->ImageIndex(), 1);
  EXPECT_EQ(questions_.TakeAsked(), QStringList({kSaveChanges, kSaveChanges}));

  // Speichern saves to the project first, then imports.
  questions_.SetNextAnswer(Answer::Speichern);
  dialogs_->Answer("OpenDialog1", Q(other));
  form_.ImportBoardFile();
  EXPECT_EQ(form_.Tree().NodeAt(0)->Text(), "Q1");
  EXPECT_NE(tav::test::ReadBytes(job).find("0=false\r\n"), std::string::npos);

  // Verwerfen opens without saving.
  Select(0);
  form_.ExcludeSelected();
  questions_.SetNextAnswer(Answer::Verwerfen);
  dialogs_->Answer("OpenDialog2", Q(job));
  form_.OpenProjectFile();
  EXPECT_EQ(form_.Tree().NodeAt(0)->Text(), "R1");
  EXPECT_EQ(form_.Tree().Count(), 26);
  EXPECT_EQ(questions_.TakeAsked(), QStringList({kSaveChanges, kSaveChanges}));
  EXPECT_FALSE(form_.Changes().Modified());

  // An unchanged job is replaced without a question.
  dialogs_->Answer("OpenDialog1", Q(other));
  form_.ImportBoardFile();
  EXPECT_TRUE(questions_.TakeAsked().isEmpty());
  EXPECT_TRUE(errors_.All().empty());
}

// --- The stale program ------------------------------------------------------

TEST_F(UnsavedWork, AStaleProgramIsOnlySavedAfterAsking) {
  const auto exportAs = [&](const char* name, std::optional<Answer> answer) {
    if (answer) questions_.SetNextAnswer(*answer);
    if (!answer || *answer == Answer::Ja) dialogs_->Answer("SaveDialog1", Q(folder_ / name));
    form_.SaveProgramAs();
    return questions_.TakeAsked();
  };
  // Nothing generated and nothing imported: the empty editor fits.
  EXPECT_TRUE(exportAs("empty.nc", std::nullopt).isEmpty());

  form_.GenerateProgram();
  Import(board_);  // the editor still holds the program of the empty job
  EXPECT_EQ(exportAs("stale.nc", Answer::Nein), QStringList{kStale});
  EXPECT_FALSE(std::filesystem::exists(folder_ / "stale.nc"));
  EXPECT_EQ(exportAs("stale.nc", Answer::Ja), QStringList{kStale});
  EXPECT_TRUE(std::filesystem::exists(folder_ / "stale.nc"));

  form_.GenerateProgram();
  EXPECT_TRUE(exportAs("fresh.nc", std::nullopt).isEmpty());
  // The user's own edits of the program are not stale.
  Child<ProgramEditor>("Memo1")->appendPlainText("M30");
  EXPECT_TRUE(exportAs("edited.nc", std::nullopt).isEmpty());

  // Settings and tree changes after generating make it stale again.
  Child<QLineEdit>("SpeedSetzen")->setText("3");
  EXPECT_EQ(exportAs("a.nc", Answer::Nein), QStringList{kStale});
  questions_.SetNextAnswer(Answer::Ja);  // the program edited by hand is replaced
  form_.GenerateProgram();
  EXPECT_EQ(questions_.TakeAsked(), QStringList{QuestionBox::HandEditsText()});
  ExcludeFirst();
  EXPECT_EQ(exportAs("b.nc", Answer::Nein), QStringList{kStale});

  // A generation that stopped part-way leaves no complete program.
  Child<QLineEdit>("BauteilMaxHeight")->setText("hoch");
  form_.GenerateProgram();
  EXPECT_EQ(errors_.All().size(), 1u);
  EXPECT_EQ(exportAs("c.nc", Answer::Nein), QStringList{kStale});
}

// --- Opening ----------------------------------------------------------------

TEST_F(UnsavedWork, AFailedOpenLeavesEverythingAndTheFileItNamedUntouched) {
  const std::string job = SavedJob();
  Child<QLineEdit>("SpeedHeben")->setText("7");
  form_.SaveProjectFile();
  const std::string notes = folder_ / "notizen.txt";
  const std::string text = "Einkaufsliste\r\nMilch\r\n";
  tav::test::WriteBytes(notes, text);

  dialogs_->Answer("OpenDialog2", Q(notes));
  form_.OpenProjectFile();
  EXPECT_EQ(errors_.Texts(), QStringList({"Datei \"" + Q(notes) + "\" ist keine Projektdatei."}));
  EXPECT_EQ(ShownTitle(form_), kPrefix + "job.tav");
  EXPECT_EQ(form_.ProjectPath(), Q(job));
  EXPECT_EQ(form_.Tree().Count(), 26);
  EXPECT_EQ(Text("SpeedHeben"), "7");
  EXPECT_FALSE(form_.Changes().Modified());

  // "Projekt speichern" writes the job's own file, not the text file.
  ExcludeFirst();
  form_.SaveProjectFile();
  EXPECT_EQ(tav::test::ReadBytes(notes), text);
  EXPECT_NE(tav::test::ReadBytes(job).find("0=false\r\n"), std::string::npos);

  // The offered name is the file the user chose, for another try.
  dialogs_->Answer("OpenDialog2", std::nullopt);
  form_.OpenProjectFile();
  EXPECT_EQ(dialogs_->Calls().back().offered, Q(notes));
}

TEST_F(UnsavedWork, AnOpenedProjectIsShownAndDrawnWhole) {
  dialogs_->Answer("OpenDialog1", QString(TAV_SOURCE_DIR "/examples/example-board.csv"));
  form_.ImportBoardFile();
  const ImportSummary imported = form_.LastImport();
  ExcludeFirst();
  dialogs_->Answer("SaveDialog2", Q(folder_ / "board.tav"));
  form_.SaveProjectAs();

  MainWindow opened({"tavoline", Q(folder_ / "board.tav")});
  opened.CreateDisplayWindow();
  EXPECT_EQ(opened.findChild<QLabel*>("BauelementeLabel")->text(),
            QString::number(imported.componentCount));
  EXPECT_EQ(opened.findChild<QLabel*>("DimLabel_X")->text(),
            QString::fromStdString(DimensionLabel(imported.largestX)));
  EXPECT_EQ(opened.findChild<QLabel*>("DimLabel_Y")->text(),
            QString::fromStdString(DimensionLabel(imported.largestY)));
  EXPECT_EQ(opened.LastImport().largestX, imported.largestX);
  EXPECT_EQ(opened.LastImport().largestY, imported.largestY);
  EXPECT_EQ(ShownTitle(opened), kPrefix + "board.tav");

  opened.ShowPositionDisplay();
  PositionDisplay* display = opened.DisplayWindow();
  display->findChild<QPushButton*>("Button1")->click();
  EXPECT_EQ(display->findChild<QLabel*>("Label_Bauteile")->text(),
            QString::number(imported.componentCount - 1));
  // Every included component lands on a white pixel inside the surface.
  const QImage& surface = display->Surface();
  const ComponentTree& tree = opened.Tree();
  for (int row = 1; row < tree.TopLevelCount(); ++row) {
    const int i = tree.IndexOf(tree.TopLevel(row));
    const auto coordinate = [&](int offset) {
      std::string text = tree.NodeAt(i + offset)->Text();
      text.erase(text.find("mm"));
      return static_cast<double>(tav::TextToNumber(text));
    };
    const int x = static_cast<int>(std::nearbyint(coordinate(block::kX) * display->VerX())) + 10;
    const int y = static_cast<int>(std::nearbyint(coordinate(block::kY) * display->VerY())) + 10;
    ASSERT_TRUE(surface.rect().contains(x, y)) << tree.NodeAt(i)->Text();
    EXPECT_EQ(surface.pixel(x, y), qRgb(255, 255, 255)) << tree.NodeAt(i)->Text();
  }
  EXPECT_TRUE(errors_.All().empty()) << errors_.Texts().join('\n').toStdString();
}

TEST_F(UnsavedWork, AStartWithAFileThatIsNoProjectDoesNotAdoptIt) {
  const std::string notes = folder_ / "notizen.txt";
  tav::test::WriteBytes(notes, "Einkaufsliste\r\n");
  MainWindow form({"tavoline", Q(notes)});
  EXPECT_EQ(errors_.Texts(), QStringList({"Datei \"" + Q(notes) + "\" ist keine Projektdatei."}));
  EXPECT_EQ(ShownTitle(form), "TAV - Tavoline");
  EXPECT_TRUE(form.ProjectPath().isEmpty());
  EXPECT_FALSE(form.Changes().Modified());

  // A name of a file that does not exist yet is the new project's name.
  errors_.Clear();
  MainWindow fresh({"tavoline", Q(folder_ / "neu.tav")});
  EXPECT_EQ(ShownTitle(fresh), kPrefix + "neu.tav");
  EXPECT_EQ(errors_.All().size(), 1u);
}

// --- Keyboard ---------------------------------------------------------------

TEST_F(UnsavedWork, EveryShortcutRunsItsCommandWhateverPageIsShown) {
  form_.show();
  form_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  Child<QTabWidget>("PageControl1")->setCurrentIndex(0);  // the buttons are hidden

  const std::string board = folder_ / "board.csv";
  tav::test::WriteBytes(board, PickPlaceText(board_));
  dialogs_->Answer("OpenDialog1", Q(board));
  QTest::keyClick(&form_, Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(form_.Tree().Count(), 26);
  QTest::keyClick(&form_, Qt::Key_F5);
  EXPECT_NE(Child<ProgramEditor>("Memo1")->toPlainText().indexOf("X10.16"), -1);
  dialogs_->Answer("SaveDialog1", Q(folder_ / "board"));
  QTest::keyClick(&form_, Qt::Key_E, Qt::ControlModifier);
  EXPECT_TRUE(std::filesystem::exists(folder_ / "board.nc"));
  dialogs_->Answer("SaveDialog2", Q(folder_ / "board"));
  QTest::keyClick(&form_, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(std::filesystem::exists(folder_ / "board.tav"));
  ExcludeFirst();
  QTest::keyClick(&form_, Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(form_.Changes().Modified());
  dialogs_->Answer("OpenDialog2", std::nullopt);
  QTest::keyClick(&form_, Qt::Key_O, Qt::ControlModifier);
  QTest::keyClick(&form_, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(form_.isVisible());
  EXPECT_TRUE(errors_.All().empty());
}

// --- German -----------------------------------------------------------------

TEST(GermanQt, StandardTextsAreGerman) {
  ASSERT_TRUE(InstallQtTranslations());
  EXPECT_TRUE(InstallQtTranslations());  // once is enough
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Suchen in:");
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
}

// The real message box: its texts and buttons, answered by a click (or by
// Escape for `click` nullptr) once it is up.
struct Shown {
  QString caption, text;
  QStringList buttons;
  QString byDefault;
};
template <typename Ask>
Answer AnswerTheBox(Ask ask, const char* click, Shown& shown) {
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shown = {box->windowTitle(), box->text(), {}, box->defaultButton()->text()};
    QAbstractButton* chosen = nullptr;
    for (QAbstractButton* button : box->buttons()) {
      shown.buttons << button->text();
      if (click != nullptr && button->text() == QString::fromUtf8(click)) chosen = button;
    }
    if (chosen != nullptr)
      chosen->click();
    else
      QTest::keyClick(box, Qt::Key_Escape);
  });
  return ask(nullptr);
}

TEST(QuestionBoxes, AskInGermanAndAnswerByTheButtonClicked) {
  Shown shown;
  EXPECT_EQ(AnswerTheBox(&QuestionBox::AskToSaveChanges, "Verwerfen", shown), Answer::Verwerfen);
  EXPECT_EQ(shown.text, kSaveChanges);
  EXPECT_EQ(shown.caption, ApplicationTitle());
  shown.buttons.sort();
  EXPECT_EQ(shown.buttons, QStringList({"Abbrechen", "Speichern", "Verwerfen"}));
  EXPECT_EQ(shown.byDefault, "Speichern");
  EXPECT_EQ(AnswerTheBox(&QuestionBox::AskToSaveChanges, "Speichern", shown), Answer::Speichern);
  EXPECT_EQ(AnswerTheBox(&QuestionBox::AskToSaveChanges, nullptr, shown), Answer::Abbrechen);

  EXPECT_EQ(AnswerTheBox(&QuestionBox::AskToSaveStaleProgram, "Ja", shown), Answer::Ja);
  EXPECT_EQ(shown.text, kStale);
  shown.buttons.sort();
  EXPECT_EQ(shown.buttons, QStringList({"Ja", "Nein"}));
  EXPECT_EQ(shown.byDefault, "Nein");
  EXPECT_EQ(AnswerTheBox(&QuestionBox::AskToSaveStaleProgram, nullptr, shown), Answer::Nein);
}

// --- Drop-down lists --------------------------------------------------------

// The columns of an image that hold dark (text) pixels: first and last.
std::pair<int, int> InkColumns(const QImage& image) {
  int first = -1, last = -1;
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (qGray(image.pixel(x, y)) < 128) {
        if (first < 0) first = x;
        last = x;
        break;
      }
    }
  }
  return {first, last};
}

class DropDowns : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ApplyDesktopLook(); }
  static void TearDownTestSuite() { QApplication::setStyle(QStringLiteral("Fusion")); }
};

TEST_F(DropDowns, ShowTheirWholeTextInTheDesktopLook) {
  MainWindow form;
  form.show();
  form.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
  for (const char* name : {"Feeder1_Richtung", "Feeder2_Richtung", "Feeder3_Richtung",
                           "Feeder4_Richtung", "ComboBox1", "ComboBox4"}) {
    auto* list = form.findChild<QComboBox*>(name);
    ASSERT_NE(list, nullptr) << name;
    EXPECT_EQ(list->size(), QSize(55, 21)) << name;
    for (int item = 0; item < list->count(); ++item) {
      list->setCurrentIndex(item);
      // The same text in a line edit wide enough for it is the reference.
      QLineEdit wide(list->currentText());
      wide.setFont(list->lineEdit()->font());
      wide.setFrame(false);
      wide.resize(200, list->lineEdit()->height());
      const auto [first, last] = InkColumns(list->lineEdit()->grab().toImage());
      const auto [wideFirst, wideLast] = InkColumns(wide.grab().toImage());
      EXPECT_GE(first, 0) << name << " " << list->currentText().toStdString();
      EXPECT_EQ(last - first, wideLast - wideFirst)
          << name << " " << list->currentText().toStdString();
    }
  }
}

}  // namespace
}  // namespace tav::ui::test
