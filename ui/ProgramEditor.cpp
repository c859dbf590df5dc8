// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgramEditor.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDropEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "ui/FindBar.h"
#include "ui/GoToLineDialog.h"
#include "ui/LineNumberMargin.h"
#include "ui/ProgramEditorAccessible.h"
#include "ui/TextCodec.h"

namespace tav::ui {
namespace {

// Space between the viewport's edge and the text, as a text document keeps it.
constexpr int kMargin = 4;
// How often a drag held outside the view scrolls on, in milliseconds.
constexpr int kDragScrollInterval = 50;

bool IsWordByte(char byte) { return byte != ' ' && byte != '\t' && byte != '\n'; }

// Ctrl+Y redoes as well as the platform's redo key (Ctrl+Shift+Z here).
bool IsRedo(const QKeyEvent& key) {
  return key.matches(QKeySequence::Redo) ||
         (key.key() == Qt::Key_Y && key.modifiers() == Qt::ControlModifier);
}

// The editor's own commands with a Ctrl key: find, go to line.
bool IsEditorCommand(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::ControlModifier && (key.key() == Qt::Key_F || key.key() == Qt::Key_G))
    return true;
  return key.key() == Qt::Key_F3 && (modifiers & ~Qt::ShiftModifier) == Qt::NoModifier;
}

bool IsEditingKey(const QKeyEvent& key) {
  for (const QKeySequence::StandardKey standard :
       {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::SelectAll,
        QKeySequence::Undo})
    if (key.matches(standard)) return true;
  if (IsRedo(key) || IsEditorCommand(key)) return true;
  switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
      return true;
    default:
      break;
  }
  const bool command = key.modifiers() & (Qt::ControlModifier | Qt::AltModifier);
  return !command && !key.text().isEmpty() && key.text().at(0).isPrint();
}

}  // namespace

ProgramEditor::ProgramEditor(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  verticalScrollBar()->setSingleStep(1);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  ProgramEditorAccessible::Install();
  lineNumbers_ = new LineNumberMargin(*this);
  findBar_ = new FindBar(*this);
  LayOutMargins();
  UpdateScrollBars();
}

// --- Text in and out --------------------------------------------------------

void ProgramEditor::SetProgram(std::string_view bytes) {
  text_.SetText(bytes);
  history_.Clear();
  caret_ = anchor_ = 0;
  preferredX_ = -1;
  widest_ = 0;
  // In a proportional font the longest line is nearly always the widest;
  // lines painted later widen the range if not.
  MeasureLines(text_.LongestLine(), text_.LongestLine());
  LayOutMargins();
  UpdateScrollBars();
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  viewport()->update();
  emit textChanged();
}

std::string ProgramEditor::SelectedBytes() const {
  const std::size_t start = std::min(caret_, anchor_);
  return text_.Slice(start, std::max(caret_, anchor_) - start);
}

void ProgramEditor::setPlainText(const QString& text) { SetProgram(FromQString(text)); }

QString ProgramEditor::toPlainText() const { return ToQString(text_.Text()); }

void ProgramEditor::appendPlainText(const QString& text) {
  std::string added = FromQString(text);
  if (text_.Size() > 0) added.insert(added.begin(), '\n');
  const std::size_t lastLine = text_.LineCount() - 1;
  Replace(text_.Size(), 0, added, false);
  TextEdited(lastLine);
}

void ProgramEditor::insertPlainText(const QString& text) { ReplaceSelection(FromQString(text)); }

void ProgramEditor::selectAll() {
  anchor_ = 0;
  caret_ = text_.Size();
  viewport()->update();
  CaretMoved();
}

void ProgramEditor::Select(std::size_t anchor, std::size_t caret) {
  SetCaret(anchor, false);
  SetCaret(caret, true);
}

void ProgramEditor::GoToLine(std::size_t line) {
  line = std::min(line, text_.LineCount() - 1);
  SetCaret(text_.LineStart(line), false);
  // The line comes into view with some lines above it, not at the bottom edge.
  QScrollBar* vertical = verticalScrollBar();
  const auto target = static_cast<int>(line);
  if (target < vertical->value() || target >= vertical->value() + VisibleLines())
    vertical->setValue(target - VisibleLines() / 3);
}

void ProgramEditor::ReplaceRange(std::size_t position, std::size_t count, std::string_view bytes) {
  position = std::min(position, text_.Size());
  count = std::min(count, text_.Size() - position);
  caret_ = anchor_ = position + Replace(position, count, bytes, true);
  TextEdited(text_.LineOf(position));
}

void ProgramEditor::ScrollTo(std::size_t position) {
  const std::size_t caret = caret_;
  caret_ = std::min(position, text_.Size());
  EnsureCaretVisible();
  caret_ = caret;
  viewport()->update();
}

int ProgramEditor::TextTopInPixels() const { return kMargin; }

QRect ProgramEditor::CharacterRect(std::size_t position) const {
  position = std::min(position, text_.Size());
  const std::size_t line = text_.LineOf(position);
  const QString shown = LineString(line);
  const std::size_t column = position - text_.LineStart(line);
  const int x = kMargin - horizontalScrollBar()->value() + XOf(shown, column);
  const int y = kMargin + (static_cast<int>(line) - FirstVisibleLine()) * LineHeight();
  const int width = column < static_cast<std::size_t>(shown.size())
                        ? fontMetrics().horizontalAdvance(shown.at(static_cast<qsizetype>(column)))
                        : 1;
  return QRect(x, y, std::max(1, width), LineHeight()).translated(viewport()->pos());
}

std::size_t ProgramEditor::PositionAtPoint(const QPoint& point) const {
  return PositionAt(point - viewport()->pos());
}

void ProgramEditor::OpenFind() { findBar_->Open(); }

void ProgramEditor::FindNext() {
  if (findBar_->isHidden()) findBar_->Open();
  findBar_->FindNext();
}

void ProgramEditor::FindPrevious() {
  if (findBar_->isHidden()) findBar_->Open();
  findBar_->FindPrevious();
}

void ProgramEditor::AskGoToLine() {
  const std::optional<std::size_t> line =
      GoToLineDialog::Ask(text_.LineOf(caret_) + 1, text_.LineCount(), this);
  if (line) GoToLine(*line - 1);
  setFocus(Qt::OtherFocusReason);
}

void ProgramEditor::LayOutMargins() {
  const int numbers = lineNumbers_->WidthNeeded();
  const int bar = findBar_->isHidden() ? 0 : findBar_->sizeHint().height();
  if (viewportMargins() != QMargins(numbers, 0, 0, bar)) setViewportMargins(numbers, 0, 0, bar);
  const QRect text = viewport()->geometry();
  lineNumbers_->setGeometry(text.left() - numbers, text.top(), numbers, text.height());
  if (bar > 0)
    findBar_->setGeometry(text.left() - numbers, text.bottom() + 1, text.width() + numbers, bar);
  lineNumbers_->update();
}

void ProgramEditor::copy() const {
  if (HasSelection()) QGuiApplication::clipboard()->setText(ToQString(SelectedBytes()));
}

void ProgramEditor::cut() {
  copy();
  if (HasSelection()) ReplaceSelection({});
}

void ProgramEditor::paste() {
  const QString pasted = QGuiApplication::clipboard()->text();
  if (!pasted.isEmpty()) ReplaceSelection(FromQString(pasted));
}

void ProgramEditor::undo() {
  const std::optional<EditHistory::Edit> edit = history_.Undo();
  if (!edit) return;
  text_.Erase(edit->position, edit->inserted.size());
  text_.Insert(edit->position, edit->removed);
  caret_ = edit->caretBefore;
  anchor_ = edit->anchorBefore;
  TextEdited(text_.LineOf(edit->position));
}

void ProgramEditor::redo() {
  const std::optional<EditHistory::Edit> edit = history_.Redo();
  if (!edit) return;
  text_.Erase(edit->position, edit->removed.size());
  text_.Insert(edit->position, edit->inserted);
  caret_ = anchor_ = edit->position + edit->inserted.size();
  TextEdited(text_.LineOf(edit->position));
}

// --- Editing ----------------------------------------------------------------

std::size_t ProgramEditor::Replace(std::size_t position, std::size_t count, std::string_view bytes,
                                   bool typed) {
  EditHistory::Edit edit{position, text_.Slice(position, count), {}, caret_, anchor_};
  text_.Erase(position, count);
  const std::size_t inserted = text_.Insert(position, bytes);
  edit.inserted = text_.Slice(position, inserted);
  if (QAccessible::isActive()) {
    QAccessibleTextUpdateEvent update(this, static_cast<int>(position), ToQString(edit.removed),
                                      ToQString(edit.inserted));
    QAccessible::updateAccessibility(&update);
  }
  if (!edit.removed.empty() || !edit.inserted.empty()) history_.Record(std::move(edit), typed);
  return inserted;
}

void ProgramEditor::ReplaceSelection(std::string_view bytes, bool typed) {
  const std::size_t start = std::min(caret_, anchor_);
  caret_ = anchor_ = start + Replace(start, std::max(caret_, anchor_) - start, bytes, typed);
  TextEdited(text_.LineOf(start));
}

// Erases the selection if there is one, else `count` bytes from `position`.
void ProgramEditor::EraseSelectionOr(std::size_t position, std::size_t count) {
  if (HasSelection()) {
    ReplaceSelection({});
    return;
  }
  if (count == 0) return;
  Replace(position, count, {}, false);
  caret_ = anchor_ = position;
  TextEdited(text_.LineOf(position));
}

void ProgramEditor::TextEdited(std::size_t firstLine) {
  caret_ = std::min(caret_, text_.Size());
  anchor_ = std::min(anchor_, text_.Size());
  preferredX_ = -1;
  MeasureLines(firstLine, text_.LineOf(std::max(caret_, anchor_)));
  if (lineNumbers_->WidthNeeded() != viewportMargins().left()) LayOutMargins();
  UpdateScrollBars();
  EnsureCaretVisible();
  RestartBlink();
  viewport()->update();
  lineNumbers_->update();
  CaretMoved();
  emit textChanged();
  emit edited();
}

// --- Caret movement ---------------------------------------------------------

void ProgramEditor::moveCursor(QTextCursor::MoveOperation operation, QTextCursor::MoveMode mode) {
  const bool keep = mode == QTextCursor::KeepAnchor;
  const std::size_t line = text_.LineOf(caret_);
  std::size_t target = caret_;
  switch (operation) {
    case QTextCursor::Start:
      target = 0;
      break;
    case QTextCursor::End:
      target = text_.Size();
      break;
    case QTextCursor::StartOfLine:
    case QTextCursor::StartOfBlock:
      target = text_.LineStart(line);
      break;
    case QTextCursor::EndOfLine:
    case QTextCursor::EndOfBlock:
      target = text_.LineEnd(line);
      break;
    case QTextCursor::Left:
    case QTextCursor::PreviousCharacter:
      // Without Shift a selection collapses to its start.
      if (HasSelection() && !keep)
        target = std::min(caret_, anchor_);
      else if (caret_ > 0)
        target = caret_ - 1;
      break;
    case QTextCursor::Right:
    case QTextCursor::NextCharacter:
      if (HasSelection() && !keep)
        target = std::max(caret_, anchor_);
      else
        target = std::min(caret_ + 1, text_.Size());
      break;
    case QTextCursor::WordLeft:
    case QTextCursor::PreviousWord:
      target = WordStartBefore(target);
      break;
    case QTextCursor::WordRight:
    case QTextCursor::NextWord:
      target = WordStartAfter(target);
      break;
    case QTextCursor::Up:
    case QTextCursor::Down: {
      const std::size_t moved = VerticalMove(operation == QTextCursor::Up ? -1 : 1);
      const int keptX = preferredX_;
      SetCaret(moved, keep);
      preferredX_ = keptX;
      return;
    }
    default:
      return;
  }
  SetCaret(target, keep);
}

std::size_t ProgramEditor::WordStartBefore(std::size_t position) const {
  while (position > 0 && !IsWordByte(text_.Slice(position - 1, 1)[0])) --position;
  while (position > 0 && IsWordByte(text_.Slice(position - 1, 1)[0])) --position;
  return position;
}

std::size_t ProgramEditor::WordStartAfter(std::size_t position) const {
  while (position < text_.Size() && IsWordByte(text_.Slice(position, 1)[0])) ++position;
  while (position < text_.Size() && !IsWordByte(text_.Slice(position, 1)[0])) ++position;
  return position;
}

std::size_t ProgramEditor::VerticalMove(std::ptrdiff_t lines) {
  const std::size_t line = text_.LineOf(caret_);
  if (preferredX_ < 0) preferredX_ = XOf(LineString(line), caret_ - text_.LineStart(line));
  const auto last = static_cast<std::ptrdiff_t>(text_.LineCount()) - 1;
  const auto target = static_cast<std::size_t>(
      std::clamp(static_cast<std::ptrdiff_t>(line) + lines, std::ptrdiff_t{0}, last));
  return PositionInLineAt(target, preferredX_);
}

void ProgramEditor::SetCaret(std::size_t position, bool keepAnchor) {
  caret_ = std::min(position, text_.Size());
  if (!keepAnchor) anchor_ = caret_;
  preferredX_ = -1;
  EnsureCaretVisible();
  RestartBlink();
  viewport()->update();
  lineNumbers_->update();
  CaretMoved();
}

void ProgramEditor::CaretMoved() {
  if (QAccessible::isActive()) {
    QAccessibleTextCursorEvent moved(this, static_cast<int>(caret_));
    QAccessible::updateAccessibility(&moved);
  }
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
}

// --- Geometry ---------------------------------------------------------------

// A text document spaces lines by the font's height and leaves out a
// negative leading; the lines then look as they did in a plain text editor.
int ProgramEditor::LineHeight() const {
  const QFontMetrics metrics = fontMetrics();
  return std::max({1, metrics.height(), metrics.lineSpacing()});
}

int ProgramEditor::VisibleLines() const {
  return std::max(1, (viewport()->height() - kMargin) / LineHeight());
}

int ProgramEditor::FirstVisibleLine() const { return verticalScrollBar()->value(); }

QString ProgramEditor::LineString(std::size_t line) const { return ToQString(text_.Line(line)); }

int ProgramEditor::XOf(const QString& line, std::size_t column) const {
  return fontMetrics().horizontalAdvance(line.left(static_cast<qsizetype>(column)));
}

// The character boundary nearest to x (in text coordinates, 0 at the line's start).
std::size_t ProgramEditor::ColumnAt(const QString& line, int x) const {
  // The prefix widths grow with the prefix, so a binary search finds the
  // first boundary at or right of x.
  std::size_t low = 0;
  auto high = static_cast<std::size_t>(line.size());
  if (x <= 0) return 0;
  if (XOf(line, high) <= x) return high;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (XOf(line, middle) < x)
      low = middle + 1;
    else
      high = middle;
  }
  if (low > 0 && x - XOf(line, low - 1) < XOf(line, low) - x) return low - 1;
  return low;
}

std::size_t ProgramEditor::PositionInLineAt(std::size_t line, int x) const {
  return text_.LineStart(line) + ColumnAt(LineString(line), x);
}

std::size_t ProgramEditor::PositionAt(const QPoint& point) const {
  const auto row = static_cast<std::ptrdiff_t>(
      std::floor(static_cast<double>(point.y() - kMargin) / LineHeight()));
  const auto last = static_cast<std::ptrdiff_t>(text_.LineCount()) - 1;
  const auto line =
      static_cast<std::size_t>(std::clamp(FirstVisibleLine() + row, std::ptrdiff_t{0}, last));
  return PositionInLineAt(line, point.x() - kMargin + horizontalScrollBar()->value());
}

void ProgramEditor::MeasureLines(std::size_t first, std::size_t last) {
  const QFontMetrics metrics = fontMetrics();
  for (std::size_t line = first; line <= last && line < text_.LineCount(); ++line)
    widest_ = std::max(widest_, metrics.horizontalAdvance(LineString(line)));
}

void ProgramEditor::UpdateScrollBars() {
  const int visible = VisibleLines();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, std::max(0, static_cast<int>(text_.LineCount()) - visible));
  vertical->setPageStep(visible);
  QScrollBar* horizontal = horizontalScrollBar();
  const int page = viewport()->width();
  // Room for the caret behind the widest line.
  horizontal->setRange(0, std::max(0, widest_ + 2 * kMargin + 1 - page));
  horizontal->setPageStep(page);
  horizontal->setSingleStep(std::max(1, fontMetrics().averageCharWidth() * 2));
}

void ProgramEditor::EnsureCaretVisible() {
  const auto line = static_cast<int>(text_.LineOf(caret_));
  QScrollBar* vertical = verticalScrollBar();
  if (line < vertical->value())
    vertical->setValue(line);
  else if (line >= vertical->value() + VisibleLines())
    vertical->setValue(line - VisibleLines() + 1);

  const int x = kMargin + XOf(LineString(static_cast<std::size_t>(line)),
                              caret_ - text_.LineStart(static_cast<std::size_t>(line)));
  QScrollBar* horizontal = horizontalScrollBar();
  const int width = viewport()->width();
  if (x - kMargin < horizontal->value())
    horizontal->setValue(x - kMargin);
  else if (x + kMargin + 1 > horizontal->value() + width)
    horizontal->setValue(x + kMargin + 1 - width);
}

// --- Painting ---------------------------------------------------------------

void ProgramEditor::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  const QFontMetrics metrics = fontMetrics();
  const QPalette& colours = palette();
  const int height = LineHeight();
  const int left = kMargin - horizontalScrollBar()->value();
  const std::size_t selectionStart = std::min(caret_, anchor_);
  const std::size_t selectionEnd = std::max(caret_, anchor_);
  const std::size_t caretLine = text_.LineOf(caret_);
  const int widestBefore = widest_;

  int y = kMargin;
  for (auto line = static_cast<std::size_t>(FirstVisibleLine());
       line < text_.LineCount() && y < viewport()->height(); ++line, y += height) {
    const QString shown = LineString(line);
    const std::size_t start = text_.LineStart(line);
    const std::size_t end = text_.LineEnd(line);
    widest_ = std::max(widest_, metrics.horizontalAdvance(shown));
    painter.setPen(colours.color(QPalette::Text));
    if (line == caretLine && !preedit_.isEmpty()) {
      // The text being composed stands underlined at the caret, pushing the
      // rest of the line to the right.
      const auto column = static_cast<qsizetype>(caret_ - start);
      const int at = left + XOf(shown, caret_ - start);
      const int composed = metrics.horizontalAdvance(preedit_);
      painter.drawText(left, y + metrics.ascent(), shown.left(column));
      painter.drawText(at, y + metrics.ascent(), preedit_);
      painter.drawText(at + composed, y + metrics.ascent(), shown.mid(column));
      painter.drawLine(at, y + height - 1, at + composed, y + height - 1);
      painter.fillRect(at + metrics.horizontalAdvance(preedit_.left(preeditCursor_)), y, 1, height,
                       colours.brush(QPalette::Text));
      continue;
    }
    painter.drawText(left, y + metrics.ascent(), shown);
    if (dropPosition_ >= start && dropPosition_ <= end && dropPosition_ != std::string::npos)
      painter.fillRect(left + XOf(shown, dropPosition_ - start), y, 2, height,
                       colours.brush(QPalette::Text));

    // A selected line break shows as a space's width of highlight.
    if (selectionStart < selectionEnd && selectionStart <= end && selectionEnd > start) {
      const int from = left + XOf(shown, std::max(selectionStart, start) - start);
      int to = left + XOf(shown, std::min(selectionEnd, end) - start);
      if (selectionEnd > end) to += metrics.horizontalAdvance(QLatin1Char(' '));
      const QRect selected(from, y, to - from, height);
      painter.fillRect(selected, colours.brush(QPalette::Highlight));
      painter.save();
      painter.setClipRect(selected);
      painter.setPen(colours.color(QPalette::HighlightedText));
      painter.drawText(left, y + metrics.ascent(), shown);
      painter.restore();
    }
    if (line == caretLine && caretShown_ && hasFocus())
      painter.fillRect(left + XOf(shown, caret_ - start), y, 1, height,
                       colours.brush(QPalette::Text));
  }
  // A line wider than any measured so far widens the horizontal range.
  if (widest_ != widestBefore)
    QMetaObject::invokeMethod(
        this, [this] { UpdateScrollBars(); }, Qt::QueuedConnection);
}

void ProgramEditor::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  LayOutMargins();
  UpdateScrollBars();
}

void ProgramEditor::scrollContentsBy(int /*dx*/, int /*dy*/) {
  viewport()->update();
  lineNumbers_->update();
}

// --- Keyboard ---------------------------------------------------------------

bool ProgramEditor::event(QEvent* event) {
  // Keys the editor handles itself go to it, not to a shortcut of the window.
  if (event->type() == QEvent::ShortcutOverride && IsEditingKey(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  // Widths and line heights follow a new font, such as the window's.
  if (event->type() == QEvent::FontChange) {
    widest_ = 0;
    MeasureLines(text_.LongestLine(), text_.LongestLine());
    UpdateScrollBars();
  }
  return QAbstractScrollArea::event(event);
}

void ProgramEditor::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::SelectAll)) return selectAll();
  if (event->matches(QKeySequence::Copy)) return copy();
  if (event->matches(QKeySequence::Cut)) return cut();
  if (event->matches(QKeySequence::Paste)) return paste();
  if (event->matches(QKeySequence::Undo)) return undo();
  if (IsRedo(*event)) return redo();
  if (IsEditorCommand(*event)) {
    if (event->key() == Qt::Key_F) return OpenFind();
    if (event->key() == Qt::Key_G) return AskGoToLine();
    return (event->modifiers() & Qt::ShiftModifier) ? FindPrevious() : FindNext();
  }

  const QTextCursor::MoveMode mode =
      (event->modifiers() & Qt::ShiftModifier) ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
  const bool control = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_Left:
      return moveCursor(control ? QTextCursor::WordLeft : QTextCursor::Left, mode);
    case Qt::Key_Right:
      return moveCursor(control ? QTextCursor::WordRight : QTextCursor::Right, mode);
    case Qt::Key_Up:
      return moveCursor(QTextCursor::Up, mode);
    case Qt::Key_Down:
      return moveCursor(QTextCursor::Down, mode);
    case Qt::Key_Home:
      return moveCursor(control ? QTextCursor::Start : QTextCursor::StartOfLine, mode);
    case Qt::Key_End:
      return moveCursor(control ? QTextCursor::End : QTextCursor::EndOfLine, mode);
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      // The page scrolls and the caret keeps its place in the view.
      const int page = event->key() == Qt::Key_PageUp ? -VisibleLines() : VisibleLines();
      const std::size_t target = VerticalMove(page);
      const int keptX = preferredX_;
      verticalScrollBar()->setValue(verticalScrollBar()->value() + page);
      SetCaret(target, mode == QTextCursor::KeepAnchor);
      preferredX_ = keptX;
      return;
    }
    case Qt::Key_Backspace:
      if (control) {
        const std::size_t word = WordStartBefore(caret_);
        return EraseSelectionOr(word, caret_ - word);
      }
      return EraseSelectionOr(caret_ > 0 ? caret_ - 1 : 0, caret_ > 0 ? 1 : 0);
    case Qt::Key_Delete:
      if (control) return EraseSelectionOr(caret_, WordStartAfter(caret_) - caret_);
      return EraseSelectionOr(caret_, caret_ < text_.Size() ? 1 : 0);
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return ReplaceSelection("\n");
    case Qt::Key_Tab:
      if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return ReplaceSelection("\t", true);
      break;
    default:
      break;
  }
  const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
  if (!command && !event->text().isEmpty() && event->text().at(0).isPrint()) {
    ReplaceSelection(FromQString(event->text()), true);
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

// Tab types a tab as in any text editor; Shift+Tab still leaves the editor.
bool ProgramEditor::focusNextPrevChild(bool next) {
  return next ? false : QAbstractScrollArea::focusNextPrevChild(next);
}

void ProgramEditor::inputMethodEvent(QInputMethodEvent* event) {
  // Text around the caret the input method replaces (relative to the caret).
  if (event->replacementLength() > 0 && !HasSelection()) {
    const auto from = static_cast<std::ptrdiff_t>(caret_) + event->replacementStart();
    const auto start = static_cast<std::size_t>(
        std::clamp(from, std::ptrdiff_t{0}, static_cast<std::ptrdiff_t>(text_.Size())));
    anchor_ = start;
    caret_ = std::min(text_.Size(), start + static_cast<std::size_t>(event->replacementLength()));
  }
  if (!event->commitString().isEmpty() || event->replacementLength() > 0)
    ReplaceSelection(FromQString(event->commitString()), true);
  preedit_ = event->preeditString();
  preeditCursor_ = static_cast<int>(preedit_.size());
  for (const QInputMethodEvent::Attribute& attribute : event->attributes())
    if (attribute.type == QInputMethodEvent::Cursor)
      preeditCursor_ = std::clamp(attribute.start, 0, static_cast<int>(preedit_.size()));
  viewport()->update();
  QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
  event->accept();
}

QVariant ProgramEditor::inputMethodQuery(Qt::InputMethodQuery query) const {
  const std::size_t line = text_.LineOf(caret_);
  const std::size_t start = text_.LineStart(line);
  const auto column = static_cast<int>(caret_ - start);
  switch (query) {
    case Qt::ImEnabled:
      return true;
    case Qt::ImCursorRectangle: {
      // The candidate window opens below the caret, behind any composed text.
      QRect caret = CharacterRect(caret_);
      caret.translate(fontMetrics().horizontalAdvance(preedit_.left(preeditCursor_)), 0);
      caret.setWidth(1);
      return caret;
    }
    case Qt::ImFont:
      return font();
    case Qt::ImCursorPosition:
      return column;
    case Qt::ImAnchorPosition:
      return text_.LineOf(anchor_) == line ? static_cast<int>(anchor_ - start) : column;
    case Qt::ImSurroundingText:
      return LineString(line);
    case Qt::ImCurrentSelection:
      return text_.LineOf(anchor_) == line ? ToQString(SelectedBytes()) : QString();
    case Qt::ImTextBeforeCursor:
      return LineString(line).left(column);
    case Qt::ImTextAfterCursor:
      return LineString(line).mid(column);
    case Qt::ImAbsolutePosition:
      return static_cast<qlonglong>(caret_);
    case Qt::ImHints:
      return static_cast<int>(Qt::ImhNoAutoUppercase | Qt::ImhNoPredictiveText | Qt::ImhMultiLine);
    default:
      return QAbstractScrollArea::inputMethodQuery(query);
  }
}

// --- Mouse and focus --------------------------------------------------------

void ProgramEditor::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  const QPoint point = event->position().toPoint();
  // A third click soon after a double click, in the same place, selects the line.
  if (sinceDoubleClick_.isValid() &&
      sinceDoubleClick_.elapsed() < QApplication::doubleClickInterval() &&
      (point - doubleClickPoint_).manhattanLength() < QApplication::startDragDistance()) {
    sinceDoubleClick_.invalidate();
    const std::size_t line = text_.LineOf(PositionAt(point));
    const std::size_t end =
        line + 1 < text_.LineCount() ? text_.LineStart(line + 1) : text_.LineEnd(line);
    Select(text_.LineStart(line), end);
    return;
  }
  const std::size_t at = PositionAt(point);
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  // A press inside the selection may become a drag of the selected text.
  if (!shift && HasSelection() && at >= std::min(caret_, anchor_) &&
      at < std::max(caret_, anchor_)) {
    mayDrag_ = true;
    pressPoint_ = point;
    return;
  }
  SetCaret(at, shift);
}

void ProgramEditor::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  if (mayDrag_) {
    if ((event->position().toPoint() - pressPoint_).manhattanLength() >=
        QApplication::startDragDistance())
      StartDrag();
    return;
  }
  // Dragging selects. Held outside the view, it keeps scrolling towards the
  // mouse, a line (or a stretch of the line) each tick, as text editors do.
  dragPoint_ = event->position().toPoint();
  SetCaret(PositionAt(dragPoint_), true);
  if (viewport()->rect().contains(dragPoint_))
    dragScroll_.stop();
  else if (!dragScroll_.isActive())
    dragScroll_.start(kDragScrollInterval, this);
}

void ProgramEditor::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
  dragScroll_.stop();
  // A click into the selection without a drag places the caret there.
  if (mayDrag_) {
    mayDrag_ = false;
    SetCaret(PositionAt(event->position().toPoint()), false);
  }
  event->accept();
}

void ProgramEditor::StartDrag() {
  mayDrag_ = false;
  const std::size_t start = std::min(caret_, anchor_);
  const std::size_t end = std::max(caret_, anchor_);
  auto* dragged = new QMimeData;
  dragged->setText(ToQString(SelectedBytes()));
  auto* drag = new QDrag(this);
  drag->setMimeData(dragged);
  droppedOnSelf_ = false;
  const Qt::DropAction done = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
  // Moved elsewhere: the text leaves the program. Moved within the editor,
  // the drop has done the move itself.
  if (done == Qt::MoveAction && !droppedOnSelf_) {
    Replace(start, end - start, {}, false);
    caret_ = anchor_ = start;
    TextEdited(text_.LineOf(start));
  }
}

void ProgramEditor::dragEnterEvent(QDragEnterEvent* event) {
  // Files dropped go to the window, which opens them.
  if (!event->mimeData()->hasText() || event->mimeData()->hasUrls()) return event->ignore();
  event->acceptProposedAction();
}

void ProgramEditor::dragMoveEvent(QDragMoveEvent* event) {
  if (!event->mimeData()->hasText() || event->mimeData()->hasUrls()) return event->ignore();
  dropPosition_ = PositionAt(event->position().toPoint());
  viewport()->update();
  if (event->source() == this && !(event->modifiers() & Qt::ControlModifier)) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
  } else {
    event->acceptProposedAction();
  }
}

void ProgramEditor::dragLeaveEvent(QDragLeaveEvent* event) {
  dropPosition_ = std::string::npos;
  viewport()->update();
  event->accept();
}

void ProgramEditor::dropEvent(QDropEvent* event) {
  dropPosition_ = std::string::npos;
  if (!event->mimeData()->hasText() || event->mimeData()->hasUrls()) return event->ignore();
  const std::string dropped = FromQString(event->mimeData()->text());
  std::size_t at = PositionAt(event->position().toPoint());
  const std::size_t start = std::min(caret_, anchor_);
  const std::size_t end = std::max(caret_, anchor_);
  const bool move = event->source() == this && !(event->modifiers() & Qt::ControlModifier);
  if (move) {
    droppedOnSelf_ = true;
    event->setDropAction(Qt::MoveAction);
    event->accept();
    if (at >= start && at <= end) return SetCaret(at, false);  // dropped onto itself
    Replace(start, end - start, {}, false);
    if (at > end) at -= end - start;
  } else {
    event->acceptProposedAction();
  }
  caret_ = anchor_ = at;
  const std::size_t inserted = Replace(at, 0, dropped, false);
  anchor_ = at;
  caret_ = at + inserted;
  TextEdited(text_.LineOf(std::min(at, start)));
  anchor_ = at;
  viewport()->update();
  setFocus(Qt::MouseFocusReason);
}

void ProgramEditor::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  // A double click selects the word under the mouse.
  const std::size_t at = PositionAt(event->position().toPoint());
  std::size_t start = at;
  std::size_t end = at;
  while (start > 0 && IsWordByte(text_.Slice(start - 1, 1)[0])) --start;
  while (end < text_.Size() && IsWordByte(text_.Slice(end, 1)[0])) ++end;
  SetCaret(start, false);
  SetCaret(end, true);
  sinceDoubleClick_.start();
  doubleClickPoint_ = event->position().toPoint();
}

void ProgramEditor::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  const auto add = [&menu](const QString& text, const QKeySequence& keys, bool enabled,
                           const std::function<void()>& action) {
    QAction* item = menu.addAction(text, action);
    item->setShortcut(keys);
    item->setEnabled(enabled);
  };
  add(QStringLiteral("&R\u00fcckg\u00e4ngig"), QKeySequence::Undo, history_.CanUndo(),
      [this] { undo(); });
  add(QStringLiteral("&Wiederherstellen"), QKeySequence(Qt::CTRL | Qt::Key_Y), history_.CanRedo(),
      [this] { redo(); });
  menu.addSeparator();
  add(QStringLiteral("&Ausschneiden"), QKeySequence::Cut, HasSelection(), [this] { cut(); });
  add(QStringLiteral("&Kopieren"), QKeySequence::Copy, HasSelection(), [this] { copy(); });
  add(QStringLiteral("E&inf\u00fcgen"), QKeySequence::Paste,
      !QGuiApplication::clipboard()->text().isEmpty(), [this] { paste(); });
  add(QStringLiteral("&L\u00f6schen"), QKeySequence::Delete, HasSelection(),
      [this] { ReplaceSelection({}); });
  menu.addSeparator();
  add(QStringLiteral("Alles a&usw\u00e4hlen"), QKeySequence::SelectAll, text_.Size() > 0,
      [this] { selectAll(); });
  menu.addSeparator();
  add(QStringLiteral("&Suchen\u2026"), QKeySequence(Qt::CTRL | Qt::Key_F), true,
      [this] { OpenFind(); });
  add(QStringLiteral("&Gehe zu Zeile\u2026"), QKeySequence(Qt::CTRL | Qt::Key_G), true,
      [this] { AskGoToLine(); });
  menu.exec(event->globalPos());
}

void ProgramEditor::focusInEvent(QFocusEvent* event) {
  RestartBlink();
  viewport()->update();
  QAbstractScrollArea::focusInEvent(event);
}

void ProgramEditor::focusOutEvent(QFocusEvent* event) {
  blink_.stop();
  dragScroll_.stop();
  viewport()->update();
  QAbstractScrollArea::focusOutEvent(event);
}

void ProgramEditor::RestartBlink() {
  caretShown_ = true;
  const int flash = QApplication::cursorFlashTime();
  if (hasFocus() && flash > 0)
    blink_.start(flash / 2, this);
  else
    blink_.stop();
}

void ProgramEditor::timerEvent(QTimerEvent* event) {
  if (event->timerId() == dragScroll_.timerId()) {
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) return dragScroll_.stop();
    SetCaret(PositionAt(dragPoint_), true);
    return;
  }
  if (event->timerId() != blink_.timerId()) return QAbstractScrollArea::timerEvent(event);
  caretShown_ = !caretShown_;
  viewport()->update();
}

}  // namespace tav::ui
