// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowGrowth.h"

#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QWidget>

#include <algorithm>

namespace tav::ui {

WindowGrowth::WindowGrowth(QMainWindow& window, QWidget& area, QWidget& pages, QWidget& tree,
                           QWidget& editor)
    : QObject(&area),
      window_(window),
      area_(area),
      pages_(pages),
      tree_(tree),
      editor_(editor),
      designed_(area.minimumSize().isEmpty() ? area.size() : area.minimumSize()) {
  area.setMinimumSize(designed_);
  area.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  // The window opens at its designed size, menu bar included; once shown it
  // may grow from there.
  if (QLayout* layout = window.layout()) layout->setSizeConstraint(QLayout::SetFixedSize);
  Designed(pages);
  Designed(tree);
  Designed(editor);
  area.installEventFilter(this);
  window.installEventFilter(this);
}

bool WindowGrowth::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &area_ && event->type() == QEvent::Resize) LayOut();
  if (watched == &window_ && event->type() == QEvent::Show) {
    window_.removeEventFilter(this);
    if (QLayout* layout = window_.layout()) layout->setSizeConstraint(QLayout::SetMinimumSize);
    window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  return QObject::eventFilter(watched, event);
}

QRect WindowGrowth::Designed(QWidget& widget) {
  const auto known = geometries_.constFind(&widget);
  if (known != geometries_.constEnd()) return *known;
  geometries_.insert(&widget, widget.geometry());
  connect(&widget, &QObject::destroyed, this, [this](QObject* gone) { geometries_.remove(gone); });
  return widget.geometry();
}

void WindowGrowth::Place(QWidget& widget, const QRect& geometry) {
  if (widget.geometry() != geometry) widget.setGeometry(geometry);
}

void WindowGrowth::LayOut() {
  const int wider = std::max(0, area_.width() - designed_.width());
  const int taller = std::max(0, area_.height() - designed_.height());
  // The page control takes the odd pixel, the tree the rest of the half.
  const int treeWider = wider / 2;
  const int pagesWider = wider - treeWider;

  Place(pages_, Designed(pages_).adjusted(0, 0, pagesWider, taller));
  Place(tree_, Designed(tree_).translated(pagesWider, 0).adjusted(0, 0, treeWider, taller));
  const QRect editor = Designed(editor_);
  Place(editor_, editor.adjusted(0, 0, pagesWider, taller));

  // The editor's neighbours on its page.
  QWidget* page = editor_.parentWidget();
  if (page == nullptr) return;
  for (QObject* child : page->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget == nullptr || widget == &editor_ || widget->isWindow()) continue;
    QRect geometry = Designed(*widget);
    if (geometry.left() > editor.right()) geometry.translate(pagesWider, 0);
    if (geometry.top() > editor.center().y()) geometry.translate(0, taller);
    Place(*widget, geometry);
  }
}

}  // namespace tav::ui
