// SPDX-License-Identifier: GPL-3.0-or-later
// The G-code editor driven by keys and the mouse as the user drives it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <string>

#include "ui/ProgramEditor.h"

namespace tav::ui {
namespace {

class ProgramEditorTest : public ::testing::Test {
 protected:
  ProgramEditorTest() {
    editor_.resize(200, 120);
    editor_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor_.show();
    editor_.setFocus();
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&editor_, static_cast<Qt::Key>(key), modifiers);
  }
  void Keys(QKeySequence::StandardKey keys) {
    QTest::keySequence(&editor_, QKeySequence::keyBindings(keys).value(0));
  }
  void Type(const char* text) { QTest::keyClicks(&editor_, QString::fromLatin1(text)); }
  std::string Text() const { return editor_.Text().Text(); }
  // The point in the viewport where a character of a visible line begins.
  QPoint PointAt(int line, int column) {
    const std::string text = editor_.Text().Line(static_cast<std::size_t>(line));
    const int row = line - editor_.verticalScrollBar()->value();
    const QFontMetrics metrics = editor_.fontMetrics();
    const int height = std::max(metrics.height(), metrics.lineSpacing());
    return {4 + metrics.horizontalAdvance(QString::fromLatin1(text.substr(0, column).c_str())),
            4 + row * height + height / 2};
  }

  ProgramEditor editor_;
};

TEST_F(ProgramEditorTest, TypingAndErasingWithTheKeys) {
  editor_.SetProgram("G00 X1\r\nG01 Y2\r\n");
  Key(Qt::Key_End);
  Type(" F5");
  Key(Qt::Key_Down);  // keeps the x: to the end of the shorter line below
  Key(Qt::Key_Return);
  Type("M3");
  Key(Qt::Key_Backspace);
  Type("5");
  Key(Qt::Key_Home, Qt::ControlModifier);
  Key(Qt::Key_Delete);
  Key(Qt::Key_Right);
  Type("1");
  EXPECT_EQ(Text(), "010 X1 F5\nG01 Y2\nM5\n");
  EXPECT_EQ(editor_.Text().CrLfText(), "010 X1 F5\r\nG01 Y2\r\nM5\r\n");

  // Erasing a line break joins two lines; at either end nothing happens.
  Key(Qt::Key_End);
  Key(Qt::Key_Delete);
  Key(Qt::Key_End, Qt::ControlModifier);
  Key(Qt::Key_Delete);
  Key(Qt::Key_Home, Qt::ControlModifier);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(Text(), "010 X1 F5G01 Y2\nM5\n");
  EXPECT_EQ(editor_.blockCount(), 3);
  // Umlauts and other Windows-1252 characters are kept as bytes.
  QKeyEvent umlauts(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                    QStringLiteral("\u00b5\u00e4"));
  QApplication::sendEvent(&editor_, &umlauts);
  EXPECT_EQ(Text().substr(0, 2), "\xB5\xE4");

  // Tab types a tab and keeps the focus; Shift+Tab leaves the editor.
  QWidget window;
  QLineEdit other(&window);
  editor_.setParent(&window);
  window.show();
  editor_.setFocus();
  Key(Qt::Key_Tab);
  EXPECT_EQ(Text().substr(0, 3), "\xB5\xE4\t");
  EXPECT_EQ(window.focusWidget(), &editor_);
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(window.focusWidget(), &other);
  editor_.setParent(nullptr);
}

TEST_F(ProgramEditorTest, SelectingWithShiftAndReplacingTheSelection) {
  editor_.SetProgram("G00 X1\nG01 Y2\nG02\n");
  Key(Qt::Key_Right);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(editor_.SelectedBytes(), "00 X1\nG01 Y2");
  Type("X");
  EXPECT_EQ(Text(), "GX\nG02\n");
  EXPECT_EQ(editor_.CaretPosition(), 2u);

  // Left without Shift leaves a selection at its start; Backspace takes it.
  Key(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(editor_.SelectedBytes(), "\nG02\n");
  Key(Qt::Key_Left);
  EXPECT_EQ(editor_.CaretPosition(), 2u);
  Key(Qt::Key_Right, Qt::ShiftModifier);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(Text(), "GXG02\n");
  Key(Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(editor_.CaretPosition(), 0u);
}

TEST_F(ProgramEditorTest, UndoTakesBackEditsAndRedoMakesThemAgain) {
  editor_.SetProgram("G00\nG01\n");
  Key(Qt::Key_End);
  Type("X1");
  Key(Qt::Key_Return);
  Type("M3");
  Key(Qt::Key_Home, Qt::ControlModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Text(), "M3\nG01\n");

  // Back step by step; the characters typed in one go come back together.
  Keys(QKeySequence::Undo);
  EXPECT_EQ(Text(), "G00X1\nM3\nG01\n");
  EXPECT_EQ(editor_.SelectedBytes(), "G00X1\n");
  Keys(QKeySequence::Undo);
  EXPECT_EQ(Text(), "G00X1\n\nG01\n");
  Keys(QKeySequence::Undo);
  Keys(QKeySequence::Undo);
  EXPECT_EQ(Text(), "G00\nG01\n");
  EXPECT_EQ(editor_.CaretPosition(), 3u);
  Keys(QKeySequence::Undo);
  EXPECT_EQ(Text(), "G00\nG01\n");

  Keys(QKeySequence::Redo);
  Keys(QKeySequence::Redo);
  EXPECT_EQ(Text(), "G00X1\n\nG01\n");
  EXPECT_EQ(editor_.CaretPosition(), 6u);
  // A new edit ends what could be redone; a new program ends what could be undone.
  Type("Z");
  Keys(QKeySequence::Redo);
  EXPECT_EQ(Text(), "G00X1\nZ\nG01\n");
  editor_.SetProgram("M30");
  Keys(QKeySequence::Undo);
  EXPECT_EQ(Text(), "M30");
}

TEST_F(ProgramEditorTest, ClipboardCommands) {
  editor_.SetProgram("G00\r\nG01\r\n");
  Key(Qt::Key_A, Qt::ControlModifier);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "G00\nG01\n");
  Key(Qt::Key_End, Qt::ControlModifier);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(), "G00\nG01\nG00\nG01\n");
  EXPECT_EQ(editor_.blockCount(), 5);

  Key(Qt::Key_Home, Qt::ControlModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "G00\n");
  EXPECT_EQ(Text(), "G01\nG00\nG01\n");
  // Pasted CR LF and CR become line breaks; a character Windows-1252 lacks becomes "?".
  QApplication::clipboard()->setText(QStringLiteral("a\r\nb\r\u20ac\u4e00"));
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(), "a\nb\n\x80?G01\nG00\nG01\n");
}

TEST_F(ProgramEditorTest, TheMousePlacesTheCaretAndSelects) {
  editor_.SetProgram("G00 X1\nG01 Y22\nG02\n");
  QTest::mouseClick(editor_.viewport(), Qt::LeftButton, {}, PointAt(1, 4));
  EXPECT_EQ(editor_.CaretPosition(), 11u);
  QTest::mouseClick(editor_.viewport(), Qt::LeftButton, Qt::ShiftModifier, PointAt(0, 1));
  EXPECT_EQ(editor_.SelectedBytes(), "00 X1\nG01 ");

  QTest::mousePress(editor_.viewport(), Qt::LeftButton, {}, PointAt(2, 1));
  QMouseEvent drag(QEvent::MouseMove, PointAt(1, 5), editor_.viewport()->mapToGlobal(PointAt(1, 5)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor_.viewport(), &drag);
  QTest::mouseRelease(editor_.viewport(), Qt::LeftButton, {}, PointAt(1, 5));
  EXPECT_EQ(editor_.SelectedBytes(), "22\nG");
  // Below the last line is the last line.
  QTest::mouseClick(editor_.viewport(), Qt::LeftButton, {}, QPoint(2, 115));
  EXPECT_EQ(editor_.CaretPosition(), editor_.Text().Size());
}

TEST_F(ProgramEditorTest, ScrollingFollowsTheCaretAndCoversEveryLine) {
  std::string program;
  for (int line = 0; line < 1000; ++line) program += "G00 X" + std::to_string(line) + "\r\n";
  program += std::string(300, 'W');
  editor_.SetProgram(program);
  QScrollBar* vertical = editor_.verticalScrollBar();
  QScrollBar* horizontal = editor_.horizontalScrollBar();
  const int page = vertical->pageStep();
  ASSERT_GT(page, 1);
  EXPECT_EQ(vertical->maximum(), 1001 - page);  // the last line can come into view
  EXPECT_GT(horizontal->maximum(), 0);          // so can the end of the long last line

  Key(Qt::Key_PageDown);
  EXPECT_EQ(vertical->value(), page);
  EXPECT_EQ(editor_.Text().LineOf(editor_.CaretPosition()), static_cast<std::size_t>(page));
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(vertical->value(), vertical->maximum());
  EXPECT_EQ(horizontal->value(), horizontal->maximum());
  Key(Qt::Key_Home);
  EXPECT_EQ(horizontal->value(), 0);
  Key(Qt::Key_PageUp);
  EXPECT_EQ(vertical->value(), vertical->maximum() - page);
  Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(vertical->value(), 0);

  // A selecting drag held below the view keeps scrolling and selecting.
  Key(Qt::Key_Home, Qt::ControlModifier);
  QTest::mousePress(editor_.viewport(), Qt::LeftButton, {}, PointAt(0, 0));
  const QPoint below(20, editor_.viewport()->height() + 10);
  QMouseEvent drag(QEvent::MouseMove, below, editor_.viewport()->mapToGlobal(below), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor_.viewport(), &drag);
  const int afterMove = vertical->value();
  QTest::qWait(300);
  EXPECT_GT(vertical->value(), afterMove);
  QTest::mouseRelease(editor_.viewport(), Qt::LeftButton, {}, below);
  const int afterRelease = vertical->value();
  QTest::qWait(150);
  EXPECT_EQ(vertical->value(), afterRelease);
  EXPECT_EQ(editor_.AnchorPosition(), 0u);
  EXPECT_GT(editor_.Text().LineOf(editor_.CaretPosition()), static_cast<std::size_t>(page));
  Key(Qt::Key_Home, Qt::ControlModifier);

  // The wheel scrolls the view; the caret stays.
  QWheelEvent wheel(QPointF(50, 50), editor_.viewport()->mapToGlobal(QPointF(50, 50)), {},
                    QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(editor_.viewport(), &wheel);
  EXPECT_EQ(vertical->value(), QApplication::wheelScrollLines());
  EXPECT_EQ(editor_.CaretPosition(), 0u);
}

}  // namespace
}  // namespace tav::ui
