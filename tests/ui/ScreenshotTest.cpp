// SPDX-License-Identifier: GPL-3.0-or-later
// Renders every page of the main window, filled with the example board, to
// PNG files under the build folder (screenshots/) for a look by eye.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>

#include "UiTestSupport.h"
#include "ui/ComponentTreeModel.h"
#include "ui/FileDialogRunner.h"
#include "ui/FindBar.h"
#include "ui/ProgramEditor.h"
#include "ui/Startup.h"

namespace tav::ui::test {
namespace {

// Shown in the desktop program's look; later tests get the default style back.
class Screenshots : public MainWindowTest {
 protected:
  static void SetUpTestSuite() { ApplyDesktopLook(); }
  static void TearDownTestSuite() { QApplication::setStyle(QStringLiteral("Fusion")); }

  // The shown window with the example board imported.
  void ShowExampleBoard() {
    form_.show();
    dialogs_->Answer("OpenDialog1", QStringLiteral(TAV_SOURCE_DIR "/examples/example-board.csv"));
    form_.ImportBoardFile();
  }
};

TEST_F(Screenshots, EveryPageRendersToAPng) {
  const QString folder = QStringLiteral(TAV_BINARY_DIR "/screenshots");
  ASSERT_TRUE(QDir().mkpath(folder));

  form_.show();
  const QImage empty = form_.grab().toImage();
  EXPECT_EQ(empty.size(), form_.size());
  EXPECT_TRUE(empty.save(folder + "/main-start.png"));

  dialogs_->Answer("OpenDialog1", QStringLiteral(TAV_SOURCE_DIR "/examples/example-board.csv"));
  form_.ImportBoardFile();
  form_.GenerateProgram();
  auto* tree = Child<QTreeView>("TreeView1");
  const QModelIndex second = form_.TreeModel().index(1, 0);
  tree->expand(second);
  tree->expand(form_.TreeModel().index(5, 0, second));
  tree->setCurrentIndex(second);
  tree->setFocus();

  auto* pages = Child<QTabWidget>("PageControl1");
  for (int page = 0; page < pages->count(); ++page) {
    pages->setCurrentIndex(page);
    const QImage shot = form_.grab().toImage();
    EXPECT_TRUE(shot.save(QStringLiteral("%1/main-page%2-%3.png")
                              .arg(folder)
                              .arg(page + 1)
                              .arg(pages->widget(page)->objectName())));
  }
  // The blue page really is blue where no control covers it.
  pages->setCurrentIndex(0);
  const QImage general = Child<QWidget>("TabSheet1")->grab().toImage();
  EXPECT_EQ(general.pixelColor(300, 300), QColor(0, 0, 255));
}

TEST_F(Screenshots, TheProgramShowsItsSelectionAndCaret) {
  const QString folder = QStringLiteral(TAV_BINARY_DIR "/screenshots");
  ASSERT_TRUE(QDir().mkpath(folder));
  ShowExampleBoard();
  form_.GenerateProgram();
  auto* memo = Child<ProgramEditor>("Memo1");
  memo->setFocus();
  for (int line = 0; line < 8; ++line) memo->moveCursor(QTextCursor::Down);
  memo->moveCursor(QTextCursor::Right);
  memo->moveCursor(QTextCursor::Down, QTextCursor::KeepAnchor);
  memo->moveCursor(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
  EXPECT_FALSE(memo->SelectedBytes().empty());
  EXPECT_TRUE(form_.grab().toImage().save(folder + "/main-program-selected.png"));
}

TEST_F(Screenshots, TheFindBarAndTheGrownWindow) {
  const QString folder = QStringLiteral(TAV_BINARY_DIR "/screenshots");
  ASSERT_TRUE(QDir().mkpath(folder));
  ShowExampleBoard();
  form_.GenerateProgram();
  auto* memo = Child<ProgramEditor>("Memo1");
  memo->setFocus();
  memo->OpenFind();
  memo->Find().Field().setText(QStringLiteral("z-"));
  memo->FindNext();
  memo->FindNext();
  EXPECT_FALSE(memo->Find().NotFoundShown());
  EXPECT_TRUE(form_.grab().toImage().save(folder + "/main-program-find.png"));
  memo->Find().Field().setText(QStringLiteral("kein Treffer"));
  memo->FindNext();
  EXPECT_TRUE(memo->grab().toImage().save(folder + "/main-program-not-found.png"));

  memo->Find().Close();
  form_.resize(1200, 800);
  QApplication::processEvents();
  EXPECT_TRUE(form_.grab().toImage().save(folder + "/main-grown-1200x800.png"));
}

// The window as the window system frames it: a title bar with the title it
// receives from Qt (offscreen windows have no frame of their own), above the
// client area.
QImage WithTitleBar(QWidget& window) {
  const QImage client = window.grab().toImage();
  const int bar = 22;
  QImage framed(client.width(), client.height() + bar, QImage::Format_RGB32);
  QPainter painter(&framed);
  painter.fillRect(0, 0, framed.width(), bar, QColor(0, 0, 128));
  painter.setPen(Qt::white);
  QFont bold = window.font();
  bold.setBold(true);
  painter.setFont(bold);
  painter.drawText(QRect(6, 0, framed.width() - 12, bar), Qt::AlignVCenter | Qt::AlignLeft,
                   ShownTitle(window));
  painter.drawImage(0, bar, client);
  return framed;
}

TEST_F(Screenshots, TheTitleShowsUnsavedChanges) {
  const QString folder = QStringLiteral(TAV_BINARY_DIR "/screenshots");
  ASSERT_TRUE(QDir().mkpath(folder));
  ShowExampleBoard();
  dialogs_->Answer("SaveDialog2", Q(folder_ / "Platine"));
  form_.SaveProjectAs();
  Child<QTreeView>("TreeView1")->setCurrentIndex(form_.TreeModel().index(0, 0));
  form_.ExcludeSelected();
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline - Platine.tav*");
  EXPECT_TRUE(WithTitleBar(form_).save(folder + "/main-title-modified.png"));
}

TEST_F(Screenshots, TheOpenDialogSpeaksGerman) {
  const QString folder = QStringLiteral(TAV_BINARY_DIR "/screenshots");
  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(InstallQtTranslations());
  tav::test::WriteBytes(folder_ / "Platine.tav", "");
  tav::test::WriteBytes(folder_ / "Steuerung.tav", "");
  form_.show();

  // "Projekt öffnen" as the program shows it, in a folder with two projects.
  QFileDialog box(&form_);
  QtFileDialogRunner::SetUp(box, form_.OpenDialog2().Settings(), Q(folder_ / "Platine.tav"));
  box.show();
  QApplication::processEvents();
  EXPECT_TRUE(box.isVisible());  // Qt's own dialog: offscreen has no native one
  QStringList labels;
  for (const QLabel* label : box.findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains(QStringLiteral("Suchen in:"))) << labels.join('|').toStdString();
  QStringList buttons;
  for (const QPushButton* button : box.findChild<QDialogButtonBox*>()->findChildren<QPushButton*>())
    buttons << button->text();
  EXPECT_TRUE(buttons.contains(QStringLiteral("Abbrechen"))) << buttons.join('|').toStdString();
  EXPECT_TRUE(box.grab().toImage().save(folder + "/open-project-dialog.png"));
  box.reject();
}

}  // namespace
}  // namespace tav::ui::test
