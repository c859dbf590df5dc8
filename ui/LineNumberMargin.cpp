// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LineNumberMargin.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "ui/ProgramEditor.h"

namespace tav::ui {
namespace {

constexpr int kPadding = 4;
const QColor kNumbers(70, 90, 130);
const QColor kBackground(168, 200, 250);  // a lighter shade beside the text's blue

}  // namespace

LineNumberMargin::LineNumberMargin(ProgramEditor& editor) : QWidget(&editor), editor_(editor) {
  setObjectName(QStringLiteral("LineNumbers"));
  setCursor(Qt::ArrowCursor);
}

int LineNumberMargin::WidthNeeded() const {
  int digits = 1;
  for (std::size_t lines = editor_.Text().LineCount(); lines >= 10; lines /= 10) ++digits;
  digits = std::max(digits, 3);  // the margin does not jump for the first 999 lines
  return 2 * kPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void LineNumberMargin::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  const int height = editor_.LineHeightInPixels();
  const std::size_t caretLine = editor_.Text().LineOf(editor_.CaretPosition());
  QFont bold = font();
  bold.setBold(true);
  int y = editor_.TextTopInPixels();
  for (std::size_t line = editor_.FirstLineInView();
       line < editor_.Text().LineCount() && y < this->height(); ++line, y += height) {
    painter.setFont(line == caretLine ? bold : font());
    painter.setPen(kNumbers);
    painter.drawText(QRect(0, y, width() - kPadding, height), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(line + 1));
  }
}

// A click on a number puts the caret at the start of that line.
void LineNumberMargin::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const int row = (event->position().toPoint().y() - editor_.TextTopInPixels()) /
                  std::max(1, editor_.LineHeightInPixels());
  editor_.GoToLine(editor_.FirstLineInView() + static_cast<std::size_t>(std::max(0, row)));
  editor_.setFocus(Qt::MouseFocusReason);
}

}  // namespace tav::ui
