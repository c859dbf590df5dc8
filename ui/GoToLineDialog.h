// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <cstddef>
#include <optional>

class QSpinBox;

namespace tav::ui {

// "Gehe zu Zeile" (Ctrl+G in the G-code editor): asks for a line number from
// 1 to the program's last line, offering the caret's line.
class GoToLineDialog final : public QDialog {
  Q_OBJECT

 public:
  GoToLineDialog(std::size_t currentLine, std::size_t lineCount, QWidget* parent);

  // The chosen line, counted from 1; nothing when cancelled.
  static std::optional<std::size_t> Ask(std::size_t currentLine, std::size_t lineCount,
                                        QWidget* parent);
  QSpinBox& Number() const { return *number_; }

 private:
  QSpinBox* number_;
};

}  // namespace tav::ui
