// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowShortcuts.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QWidget>

namespace tav::ui {

WindowShortcuts::WindowShortcuts(QWidget& window) : QObject(&window), window_(window) {
  for (QLineEdit* field : window.findChildren<QLineEdit*>()) field->installEventFilter(this);
  for (QComboBox* list : window.findChildren<QComboBox*>()) list->installEventFilter(this);
  for (QAbstractSpinBox* box : window.findChildren<QAbstractSpinBox*>())
    box->installEventFilter(this);
}

bool WindowShortcuts::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
  const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
  for (const QAction* action : window_.findChildren<QAction*>()) {
    if (!action->isEnabled() || action->shortcutContext() == Qt::WidgetShortcut ||
        action->shortcutContext() == Qt::WidgetWithChildrenShortcut)
      continue;
    if (action->shortcuts().contains(pressed)) {
      // Not overridden: the key goes on to the window's shortcut.
      event->ignore();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tav::ui
