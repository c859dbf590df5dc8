// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QRect>
#include <QSize>

class QMainWindow;
class QWidget;

namespace tav::ui {

// Lets the main window grow beyond its designed size without a layout: at
// the designed size every control keeps the geometry it was designed with;
// larger, the tree grows in height and shares the extra width with the page
// control, and the editor grows with its page. The controls beside the
// editor move along with its right edge (those in its lower half also with
// its bottom edge); every other control keeps its place and size. The
// designed size is the smallest. A control is taken at its designed
// geometry when first seen, so controls added later take part as well.
class WindowGrowth final : public QObject {
  Q_OBJECT

 public:
  // `area` is the client area; `pages`, `tree` and `editor` lie in it.
  WindowGrowth(QMainWindow& window, QWidget& area, QWidget& pages, QWidget& tree, QWidget& editor);

  // Places the controls for the client area's current size.
  void LayOut();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QRect Designed(QWidget& widget);
  void Place(QWidget& widget, const QRect& geometry);

  QMainWindow& window_;
  QWidget& area_;
  QWidget& pages_;
  QWidget& tree_;
  QWidget& editor_;
  QSize designed_;
  QHash<const QObject*, QRect> geometries_;
};

}  // namespace tav::ui
