// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tav::ui {

class ProgramEditor;

// The G-code editor's find bar, shown below its text with Ctrl+F: a field
// "Suchen", the buttons "Weiter" (F3, Enter) and "Zurück" (Shift+F3,
// Shift+Enter), a check box for matching case (off: case-insensitive) and
// "Nicht gefunden" when the text does not occur. A search wraps around the
// program's end; a match is selected in the editor.
class FindBar final : public QWidget {
  Q_OBJECT

 public:
  explicit FindBar(ProgramEditor& editor);

  // Shows the bar with the editor's selection (of one line) as the text to
  // find, and puts the focus into its field.
  void Open();
  // Hides the bar and gives the focus back to the editor.
  void Close();
  // Selects the next (previous) match; false, and "Nicht gefunden", if none.
  bool FindNext();
  bool FindPrevious();

  QLineEdit& Field() const { return *field_; }
  bool NotFoundShown() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Find(bool forward);

  ProgramEditor& editor_;
  QLineEdit* field_;
  QPushButton* next_;
  QPushButton* previous_;
  QCheckBox* matchCase_;
  QLabel* notFound_;
};

}  // namespace tav::ui
