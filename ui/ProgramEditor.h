// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPoint>
#include <QString>
#include <QTextCursor>

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/EditHistory.h"
#include "ui/ProgramText.h"

namespace tav::ui {

// The G-code editor: a plain text editor that keeps its text as Windows-1252
// bytes (ProgramText) and lays out and paints only the lines in view, so a
// program of a million lines is shown at once and stays editable. Lines do
// not wrap. The text is drawn in the widget's font on the palette's Base
// colour.
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

 signals:
  void textChanged();

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
};

}  // namespace tav::ui
