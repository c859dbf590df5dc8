// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace tav::ui {

// Lets the window's shortcuts (its actions with a window or application
// context) work whatever field has the focus. A line edit claims some Ctrl
// keys for itself (Ctrl+E moves to the line's end on Unix desktops), which
// would swallow "G-Code speichern unter" while the cursor is in a settings
// field. Watches every field of the window that exists when it is made.
class WindowShortcuts final : public QObject {
  Q_OBJECT

 public:
  explicit WindowShortcuts(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
};

}  // namespace tav::ui
