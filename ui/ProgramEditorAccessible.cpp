// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgramEditorAccessible.h"

#include <algorithm>
#include <string>

#include "ui/ProgramEditor.h"
#include "ui/TextCodec.h"

namespace tav::ui {
namespace {

QAccessibleInterface* Create(const QString& className, QObject* object) {
  if (className == QLatin1String("tav::ui::ProgramEditor"))
    if (auto* editor = qobject_cast<ProgramEditor*>(object))
      return new ProgramEditorAccessible(editor);
  return nullptr;
}

bool ByLine(QAccessible::TextBoundaryType type) {
  return type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary;
}

}  // namespace

ProgramEditorAccessible::ProgramEditorAccessible(ProgramEditor* editor)
    : QAccessibleWidget(editor, QAccessible::EditableText) {}

void ProgramEditorAccessible::Install() {
  static const bool installed = [] {
    QAccessible::installFactory(&Create);
    return true;
  }();
  (void)installed;
}

ProgramEditor& ProgramEditorAccessible::Editor() const {
  return *static_cast<ProgramEditor*>(widget());
}

void* ProgramEditorAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface)
    return static_cast<QAccessibleEditableTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QString ProgramEditorAccessible::text(QAccessible::Text type) const {
  if (type == QAccessible::Value) return text(0, characterCount());
  if (type == QAccessible::Name && widget()->accessibleName().isEmpty())
    return QStringLiteral("G-Code");
  return QAccessibleWidget::text(type);
}

QAccessible::State ProgramEditorAccessible::state() const {
  QAccessible::State shown = QAccessibleWidget::state();
  shown.editable = true;
  shown.multiLine = true;
  shown.selectableText = true;
  return shown;
}

void ProgramEditorAccessible::selection(int selectionIndex, int* startOffset,
                                        int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || selectionCount() == 0) return;
  *startOffset = static_cast<int>(std::min(Editor().CaretPosition(), Editor().AnchorPosition()));
  *endOffset = static_cast<int>(std::max(Editor().CaretPosition(), Editor().AnchorPosition()));
}

int ProgramEditorAccessible::selectionCount() const {
  return Editor().CaretPosition() != Editor().AnchorPosition() ? 1 : 0;
}

void ProgramEditorAccessible::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void ProgramEditorAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) Editor().Select(Editor().CaretPosition(), Editor().CaretPosition());
}

void ProgramEditorAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex != 0) return;
  Editor().Select(static_cast<std::size_t>(std::max(0, startOffset)),
                  static_cast<std::size_t>(std::max(0, endOffset)));
}

int ProgramEditorAccessible::cursorPosition() const {
  return static_cast<int>(Editor().CaretPosition());
}

void ProgramEditorAccessible::setCursorPosition(int position) {
  const auto at = static_cast<std::size_t>(std::max(0, position));
  Editor().Select(at, at);
}

QString ProgramEditorAccessible::text(int startOffset, int endOffset) const {
  const int size = characterCount();
  startOffset = std::clamp(startOffset, 0, size);
  endOffset = std::clamp(endOffset, startOffset, size);
  return ToQString(Editor().Text().Slice(static_cast<std::size_t>(startOffset),
                                         static_cast<std::size_t>(endOffset - startOffset)));
}

void ProgramEditorAccessible::LineAround(int offset, int* startOffset, int* endOffset) const {
  const ProgramText& program = Editor().Text();
  const std::size_t line = program.LineOf(static_cast<std::size_t>(std::max(0, offset)));
  *startOffset = static_cast<int>(program.LineStart(line));
  // With its line break, as other text widgets report a line.
  *endOffset = static_cast<int>(line + 1 < program.LineCount() ? program.LineStart(line + 1)
                                                               : program.Size());
}

QString ProgramEditorAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType type,
                                              int* startOffset, int* endOffset) const {
  const int size = characterCount();
  if (offset < 0 || offset > size) {
    *startOffset = *endOffset = -1;
    return {};
  }
  if (ByLine(type)) {
    LineAround(offset, startOffset, endOffset);
  } else if (type == QAccessible::CharBoundary) {
    *startOffset = offset;
    *endOffset = std::min(offset + 1, size);
  } else {
    return QAccessibleTextInterface::textAtOffset(offset, type, startOffset, endOffset);
  }
  return text(*startOffset, *endOffset);
}

QString ProgramEditorAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType type,
                                                  int* startOffset, int* endOffset) const {
  if (ByLine(type)) {
    int start = 0;
    int end = 0;
    LineAround(offset, &start, &end);
    if (start == 0) {
      *startOffset = *endOffset = -1;
      return {};
    }
    return textAtOffset(start - 1, type, startOffset, endOffset);
  }
  if (type == QAccessible::CharBoundary) {
    if (offset <= 0) {
      *startOffset = *endOffset = -1;
      return {};
    }
    return textAtOffset(offset - 1, type, startOffset, endOffset);
  }
  return QAccessibleTextInterface::textBeforeOffset(offset, type, startOffset, endOffset);
}

QString ProgramEditorAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType type,
                                                 int* startOffset, int* endOffset) const {
  const int size = characterCount();
  if (ByLine(type)) {
    int start = 0;
    int end = 0;
    LineAround(offset, &start, &end);
    if (end >= size) {
      *startOffset = *endOffset = -1;
      return {};
    }
    return textAtOffset(end, type, startOffset, endOffset);
  }
  if (type == QAccessible::CharBoundary) {
    if (offset + 1 >= size) {
      *startOffset = *endOffset = -1;
      return {};
    }
    return textAtOffset(offset + 1, type, startOffset, endOffset);
  }
  return QAccessibleTextInterface::textAfterOffset(offset, type, startOffset, endOffset);
}

int ProgramEditorAccessible::characterCount() const {
  return static_cast<int>(Editor().Text().Size());
}

QRect ProgramEditorAccessible::characterRect(int offset) const {
  const QRect local = Editor().CharacterRect(static_cast<std::size_t>(std::max(0, offset)));
  return QRect(Editor().mapToGlobal(local.topLeft()), local.size());
}

int ProgramEditorAccessible::offsetAtPoint(const QPoint& point) const {
  const QPoint local = Editor().mapFromGlobal(point);
  if (!Editor().rect().contains(local)) return -1;
  return static_cast<int>(Editor().PositionAtPoint(local));
}

void ProgramEditorAccessible::scrollToSubstring(int startIndex, int endIndex) {
  Editor().Select(static_cast<std::size_t>(std::max(0, startIndex)),
                  static_cast<std::size_t>(std::max(0, endIndex)));
}

QString ProgramEditorAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = offset;
  return {};
}

void ProgramEditorAccessible::deleteText(int startOffset, int endOffset) {
  replaceText(startOffset, endOffset, {});
}

void ProgramEditorAccessible::insertText(int offset, const QString& text) {
  replaceText(offset, offset, text);
}

void ProgramEditorAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
  const int size = characterCount();
  startOffset = std::clamp(startOffset, 0, size);
  endOffset = std::clamp(endOffset, startOffset, size);
  Editor().ReplaceRange(static_cast<std::size_t>(startOffset),
                        static_cast<std::size_t>(endOffset - startOffset), FromQString(text));
}

}  // namespace tav::ui
