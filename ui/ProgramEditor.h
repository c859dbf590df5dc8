// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QElapsedTimer>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTextCursor>
#include <QVariant>

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/EditHistory.h"
#include "ui/ProgramText.h"

namespace tav::ui {

class FindBar;
class LineNumberMargin;

// The G-code editor: a plain text editor that keeps its text as Windows-1252
// bytes (ProgramText) and lays out and paints only the lines in view, so a
// program of a million lines is shown at once and stays editable. Lines do
// not wrap. The text is drawn in the widget's font on the palette's Base
// colour, with the line numbers left of it and a find bar (Ctrl+F) below it.
class ProgramEditor : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit ProgramEditor(QWidget* parent = nullptr);

  // The text as bytes; any line breaks are taken, and the caret goes to the start.
  void SetProgram(std::string_view bytes);
  const ProgramText& Text() const { return text_; }
  std::size_t CaretPosition() const { return caret_; }
  std::size_t AnchorPosition() const { return anchor_; }
  std::string SelectedBytes() const;

  // The part of QPlainTextEdit's interface the window and its users rely on;
  // line breaks are "\n".
  void setPlainText(const QString& text);
  QString toPlainText() const;
  void clear() { SetProgram({}); }
  // Adds the text as a new line after the last one (as the first, when empty).
  void appendPlainText(const QString& text);
  void insertPlainText(const QString& text);
  int blockCount() const { return static_cast<int>(text_.LineCount()); }
  // Moves the caret; KeepAnchor extends the selection.
  void moveCursor(QTextCursor::MoveOperation operation,
                  QTextCursor::MoveMode mode = QTextCursor::MoveAnchor);
  void selectAll();
  void copy() const;
  void cut();
  void paste();
  void undo();
  void redo();

  // Selects from `anchor` to `caret` (equal: just the caret) and shows the caret.
  void Select(std::size_t anchor, std::size_t caret);
  // The caret to the start of `line` (from 0; past the last: the last).
  void GoToLine(std::size_t line);
  // Replaces `count` bytes at `position`, as a typed edit that can be undone;
  // the caret goes behind the new bytes.
  void ReplaceRange(std::size_t position, std::size_t count, std::string_view bytes);
  // Scrolls `position` into view without moving the caret.
  void ScrollTo(std::size_t position);
  // The character cell at `position` and the position at `point`, both in
  // the editor's own coordinates.
  QRect CharacterRect(std::size_t position) const;
  std::size_t PositionAtPoint(const QPoint& point) const;

  // Ctrl+F, F3 / Shift+F3 and Ctrl+G.
  void OpenFind();
  void FindNext();
  void FindPrevious();
  void AskGoToLine();
  FindBar& Find() const { return *findBar_; }

  // For the line-number margin: the lines it numbers and where they are.
  std::size_t FirstLineInView() const { return static_cast<std::size_t>(FirstVisibleLine()); }
  int LineHeightInPixels() const { return LineHeight(); }
  int TextTopInPixels() const;
  // Places the margin and the find bar around the text after either changed.
  void LayOutMargins();

  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 signals:
  void textChanged();
  // The user changed the text (typing, pasting, deleting, undo); a new
  // program set with SetProgram does not count.
  void edited();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  int LineHeight() const;
  // Lines that fit into the viewport in full; at least one.
  int VisibleLines() const;
  int FirstVisibleLine() const;
  QString LineString(std::size_t line) const;
  int XOf(const QString& line, std::size_t column) const;
  std::size_t ColumnAt(const QString& line, int x) const;
  std::size_t PositionAt(const QPoint& point) const;
  std::size_t PositionInLineAt(std::size_t line, int x) const;
  // Where the caret lands moved by `lines` (negative: up), keeping its x.
  std::size_t VerticalMove(std::ptrdiff_t lines);

  bool HasSelection() const { return caret_ != anchor_; }
  // Every change of the text goes through Replace, which records it for undo
  // and returns the number of bytes inserted.
  std::size_t Replace(std::size_t position, std::size_t count, std::string_view bytes, bool typed);
  void ReplaceSelection(std::string_view bytes, bool typed = false);
  void EraseSelectionOr(std::size_t position, std::size_t count);
  void TextEdited(std::size_t firstLine);
  void SetCaret(std::size_t position, bool keepAnchor);
  void MeasureLines(std::size_t first, std::size_t last);
  void UpdateScrollBars();
  void EnsureCaretVisible();
  void RestartBlink();
  // The start of the word left of `position`, and of the word after it.
  std::size_t WordStartBefore(std::size_t position) const;
  std::size_t WordStartAfter(std::size_t position) const;
  void StartDrag();
  // Tells screen readers and input methods where the caret is now.
  void CaretMoved();

  ProgramText text_;
  EditHistory history_;
  std::size_t caret_ = 0;
  std::size_t anchor_ = 0;
  // The x the caret keeps moving up and down; -1 until set.
  int preferredX_ = -1;
  // The widest line seen so far in pixels; it only grows while editing.
  int widest_ = 0;
  bool caretShown_ = true;
  QBasicTimer blink_;
  // Scrolls on while a selecting drag is held outside the view.
  QBasicTimer dragScroll_;
  QPoint dragPoint_;
  // A third click soon after a double click selects the line.
  QElapsedTimer sinceDoubleClick_;
  QPoint doubleClickPoint_;
  // A press inside the selection may start dragging the selected text.
  bool mayDrag_ = false;
  QPoint pressPoint_;
  bool droppedOnSelf_ = false;
  // Where dragged text would land; npos while nothing is dragged over.
  std::size_t dropPosition_ = std::string::npos;
  // The input method's text being composed, shown at the caret.
  QString preedit_;
  int preeditCursor_ = 0;
  LineNumberMargin* lineNumbers_ = nullptr;
  FindBar* findBar_ = nullptr;
};

}  // namespace tav::ui
