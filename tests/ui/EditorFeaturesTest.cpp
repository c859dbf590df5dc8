// SPDX-License-Identifier: GPL-3.0-or-later
// The G-code editor's find bar, "Gehe zu Zeile", line numbers, the further
// keys and clicks of a text editor, dropped text, input methods and what a
// screen reader is told.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <string>

#include "ui/FindBar.h"
#include "ui/GoToLineDialog.h"
#include "ui/ProgramEditor.h"

namespace tav::ui {
namespace {

class EditorFeatures : public ::testing::Test {
 protected:
  EditorFeatures() {
    editor_.resize(300, 200);
    editor_.show();
    editor_.activateWindow();
    editor_.setFocus();
    editor_.SetProgram("G00 X1 Y2\r\n(Teil R1)\r\nG01 y2 Z-3\r\nM30\r\n");
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &editor_,
                    static_cast<Qt::Key>(key), modifiers);
  }
  std::string Selected() const { return editor_.SelectedBytes(); }
  std::size_t CaretLine() const { return editor_.Text().LineOf(editor_.CaretPosition()); }
  // Where a character of a visible line begins, in the viewport.
  QPoint PointAt(std::size_t line, std::size_t column) {
    const QRect cell = editor_.CharacterRect(editor_.Text().LineStart(line) + column);
    return QPoint(cell.left() + 1, cell.center().y()) - editor_.viewport()->pos();
  }

  ProgramEditor editor_;
};

TEST_F(EditorFeatures, FindSelectsMatchesBothWaysAndSaysWhenThereIsNone) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&editor_));
  Key(Qt::Key_F, Qt::ControlModifier);
  FindBar& bar = editor_.Find();
  ASSERT_TRUE(bar.isVisible());
  EXPECT_TRUE(bar.Field().hasFocus());
  // The bar sits below the text, which gives up its room.
  EXPECT_LE(editor_.viewport()->geometry().bottom(), bar.geometry().top());
  QTest::keyClicks(&bar.Field(), "Y2");
  Key(Qt::Key_Return);  // case-insensitive: the first "Y2", then "y2"
  EXPECT_EQ(editor_.CaretPosition(), std::string("G00 X1 Y2").size());
  Key(Qt::Key_F3);
  EXPECT_EQ(Selected(), "y2");
  EXPECT_EQ(CaretLine(), 2u);
  Key(Qt::Key_F3);  // wraps round to the top
  EXPECT_EQ(CaretLine(), 0u);
  Key(Qt::Key_F3, Qt::ShiftModifier);  // and back past the start
  EXPECT_EQ(Selected(), "y2");
  EXPECT_FALSE(bar.NotFoundShown());

  bar.findChild<QCheckBox*>("FindMatchCase")->setChecked(true);
  EXPECT_TRUE(bar.FindNext());
  EXPECT_EQ(Selected(), "Y2");
  bar.Field().setText("Q9");
  EXPECT_FALSE(bar.FindNext());
  EXPECT_TRUE(bar.NotFoundShown());
  EXPECT_EQ(bar.findChild<QLabel*>("FindNotFound")->text(), "Nicht gefunden");

  Key(Qt::Key_Escape);
  EXPECT_FALSE(bar.isVisible());
  EXPECT_TRUE(editor_.hasFocus());
  // F3 in the editor searches on; the selection is offered as the next text.
  editor_.Select(editor_.Text().LineStart(3), editor_.Text().LineStart(3) + 3);
  Key(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(bar.Field().text(), "M30");
}

TEST_F(EditorFeatures, GoToLineMovesTheCaretToThatLine) {
  std::string program;
  for (int i = 1; i <= 500; ++i) program += "N" + std::to_string(i) + " G01\r\n";
  editor_.SetProgram(program);
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<GoToLineDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Number().maximum(), 501);
    dialog->Number().setValue(321);
    dialog->accept();
  });
  Key(Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(CaretLine(), 320u);
  EXPECT_EQ(editor_.Text().Line(CaretLine()), "N321 G01");
  EXPECT_EQ(editor_.CaretPosition(), editor_.Text().LineStart(320));
  // The line is in view.
  const int first = editor_.verticalScrollBar()->value();
  EXPECT_LE(first, 320);
  EXPECT_GT(first + editor_.viewport()->height() / editor_.LineHeightInPixels(), 320);

  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  editor_.AskGoToLine();  // cancelled: the caret stays
  EXPECT_EQ(CaretLine(), 320u);
}

TEST_F(EditorFeatures, LineNumbersStandLeftOfTheTextAndWidenWithTheProgram) {
  auto* numbers = editor_.findChild<QWidget*>("LineNumbers");
  ASSERT_NE(numbers, nullptr);
  EXPECT_TRUE(numbers->isVisible());
  EXPECT_LE(numbers->geometry().right(), editor_.viewport()->geometry().left());
  const int narrow = numbers->width();
  editor_.SetProgram(std::string(100000, '\n'));
  EXPECT_GT(numbers->width(), narrow);
  EXPECT_LE(numbers->geometry().right(), editor_.viewport()->geometry().left());
}

TEST_F(EditorFeatures, MoreKeysOfATextEditor) {
  editor_.moveCursor(QTextCursor::End);
  QTest::keyClicks(&editor_, "G04 P1");
  Key(Qt::Key_Backspace, Qt::ControlModifier);  // the word "P1"
  EXPECT_EQ(editor_.Text().Line(4), "G04 ");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor_.Text().Line(4), "G04 P1");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor_.Text().Line(4), "");
  Key(Qt::Key_Y, Qt::ControlModifier);  // Ctrl+Y redoes
  EXPECT_EQ(editor_.Text().Line(4), "G04 P1");
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // and so does Ctrl+Shift+Z
  EXPECT_EQ(editor_.Text().Line(4), "G04 P1");

  editor_.Select(0, 0);
  Key(Qt::Key_Delete, Qt::ControlModifier);  // "G00 " up to the next word
  EXPECT_EQ(editor_.Text().Line(0), "X1 Y2");
}

TEST_F(EditorFeatures, ATripleClickSelectsTheLine) {
  const QPoint at = PointAt(1, 3);
  QTest::mouseDClick(editor_.viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(Selected(), "(Teil");
  QTest::mouseClick(editor_.viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(Selected(), "(Teil R1)\n");
  // Later, a click is a click again.
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  QTest::mouseClick(editor_.viewport(), Qt::LeftButton, {}, at);
  EXPECT_TRUE(Selected().empty());
}

TEST_F(EditorFeatures, DroppedTextIsInsertedAndDroppedFilesAreLeftToTheWindow) {
  QMimeData text;
  text.setText("G28");
  const QPointF at = PointAt(3, 0);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor_.viewport(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor_.viewport(), &drop);
  EXPECT_EQ(editor_.Text().Line(3), "G28M30");
  EXPECT_EQ(Selected(), "G28");

  QMimeData file;
  file.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/board.csv"))});
  QDragEnterEvent fileEnter(at.toPoint(), Qt::CopyAction, &file, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor_.viewport(), &fileEnter);
  EXPECT_FALSE(fileEnter.isAccepted());
}

TEST_F(EditorFeatures, InputMethodsComposeAtTheCaret) {
  editor_.Select(editor_.Text().LineStart(1) + 1, editor_.Text().LineStart(1) + 1);
  const QRect caret = editor_.inputMethodQuery(Qt::ImCursorRectangle).toRect();
  EXPECT_EQ(caret.top(), editor_.CharacterRect(editor_.CaretPosition()).top());
  EXPECT_GT(caret.top(), editor_.LineHeightInPixels() / 2);  // not the widget's middle
  EXPECT_EQ(editor_.inputMethodQuery(Qt::ImSurroundingText).toString(), "(Teil R1)");
  EXPECT_EQ(editor_.inputMethodQuery(Qt::ImCursorPosition).toInt(), 1);

  QInputMethodEvent compose(QStringLiteral("\u00fc"), {});
  QApplication::sendEvent(&editor_, &compose);
  EXPECT_EQ(editor_.Text().Line(1), "(Teil R1)");  // composing changes nothing yet
  EXPECT_GT(editor_.inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), caret.left());
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("\u00e4"));
  QApplication::sendEvent(&editor_, &commit);
  EXPECT_EQ(editor_.Text().Line(1), "(\xE4Teil R1)");
  EXPECT_EQ(editor_.inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);
}

TEST_F(EditorFeatures, AScreenReaderReadsTheTextLinesAndCaretAndCanEdit) {
  QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(&editor_);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->role(), QAccessible::EditableText);
  EXPECT_TRUE(shown->state().editable);
  EXPECT_TRUE(shown->state().multiLine);
  QAccessibleTextInterface* text = shown->textInterface();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->characterCount(), static_cast<int>(editor_.Text().Size()));
  EXPECT_EQ(shown->text(QAccessible::Value), editor_.toPlainText());

  editor_.Select(12, 14);
  EXPECT_EQ(text->cursorPosition(), 14);
  int start = 0;
  int end = 0;
  EXPECT_EQ(text->selectionCount(), 1);
  text->selection(0, &start, &end);
  EXPECT_EQ(start, 12);
  EXPECT_EQ(end, 14);
  EXPECT_EQ(text->textAtOffset(14, QAccessible::LineBoundary, &start, &end), "(Teil R1)\n");
  EXPECT_EQ(start, 10);
  EXPECT_EQ(text->textAfterOffset(14, QAccessible::LineBoundary, &start, &end), "G01 y2 Z-3\n");
  EXPECT_EQ(text->textBeforeOffset(14, QAccessible::LineBoundary, &start, &end), "G00 X1 Y2\n");
  EXPECT_EQ(text->textAtOffset(1, QAccessible::CharBoundary, &start, &end), "0");
  EXPECT_TRUE(editor_.rect().contains(editor_.mapFromGlobal(text->characterRect(0).center())));
  text->setCursorPosition(3);
  EXPECT_EQ(editor_.CaretPosition(), 3u);

  QAccessibleEditableTextInterface* editable = shown->editableTextInterface();
  ASSERT_NE(editable, nullptr);
  editable->replaceText(0, 3, QStringLiteral("G01"));
  EXPECT_EQ(editor_.Text().Line(0), "G01 X1 Y2");
  editor_.undo();
  EXPECT_EQ(editor_.Text().Line(0), "G00 X1 Y2");
}

}  // namespace
}  // namespace tav::ui
