// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace tav::ui {

class ProgramEditor;

// The line numbers left of the G-code editor's text, for the lines in view
// only; the caret's line number is drawn in bold. As wide as the program's
// largest line number needs.
class LineNumberMargin final : public QWidget {
  Q_OBJECT

 public:
  explicit LineNumberMargin(ProgramEditor& editor);

  // The width for the editor's current number of lines.
  int WidthNeeded() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  ProgramEditor& editor_;
};

}  // namespace tav::ui
