// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgramEditor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "ui/TextCodec.h"

namespace tav::ui {
namespace {

// Space between the viewport's edge and the text, as a text document keeps it.
constexpr int kMargin = 4;
// How often a drag held outside the view scrolls on, in milliseconds.
constexpr int kDragScrollInterval = 50;

bool IsWordByte(char byte) { return byte != ' ' && byte != '\t' && byte != '\n'; }

bool IsEditingKey(const QKeyEvent& key) {
  for (const QKeySequence::StandardKey standard :
       {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::SelectAll,
        QKeySequence::Undo, QKeySequence::Redo})
    if (key.matches(standard)) return true;
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
  UpdateScrollBars();
  EnsureCaretVisible();
  RestartBlink();
  viewport()->update();
  emit textChanged();
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
      while (target > 0 && !IsWordByte(text_.Slice(target - 1, 1)[0])) --target;
      while (target > 0 && IsWordByte(text_.Slice(target - 1, 1)[0])) --target;
      break;
    case QTextCursor::WordRight:
    case QTextCursor::NextWord:
      while (target < text_.Size() && IsWordByte(text_.Slice(target, 1)[0])) ++target;
      while (target < text_.Size() && !IsWordByte(text_.Slice(target, 1)[0])) ++target;
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
    painter.drawText(left, y + metrics.ascent(), shown);

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
  UpdateScrollBars();
}

void ProgramEditor::scrollContentsBy(int /*dx*/, int /*dy*/) { viewport()->update(); }

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
  if (event->matches(QKeySequence::Redo)) return redo();

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
      return EraseSelectionOr(caret_ > 0 ? caret_ - 1 : 0, caret_ > 0 ? 1 : 0);
    case Qt::Key_Delete:
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
  if (!event->commitString().isEmpty()) ReplaceSelection(FromQString(event->commitString()));
  event->accept();
}

// --- Mouse and focus --------------------------------------------------------

void ProgramEditor::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  SetCaret(PositionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void ProgramEditor::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
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
  event->accept();
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
  add(QStringLiteral("&Wiederherstellen"), QKeySequence::Redo, history_.CanRedo(),
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
