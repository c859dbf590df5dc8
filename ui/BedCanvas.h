// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QWidget>

#include "gcode/BedScene.h"

class QPainter;

namespace tav::ui {

// Draws a BedScene to scale, Y upwards: the board's outline, each part as a
// small square coloured by its feeder (excluded parts as grey outlines), the
// feeders as rings with their number and an arrow along their direction, the
// selected part highlighted with its designator and, on request, the
// placement order as a thin path. The mouse wheel zooms about the cursor,
// dragging pans, a click on a part reports it.
class BedCanvas final : public QWidget {
  Q_OBJECT

 public:
  explicit BedCanvas(QWidget* parent = nullptr);

  void SetScene(tav::BedScene scene);
  const tav::BedScene& Scene() const noexcept { return scene_; }
  void SetSelected(const tav::TreeNode* top);
  void SetShowOrder(bool show);
  // Back to the whole scene in view.
  void ResetView();

  // Draws the scene into `painter` on an area of `size` pixels.
  void Render(QPainter& painter, const QSize& size) const;

  // The part drawn within a few pixels of `point`, or nullptr.
  const tav::TreeNode* PartAt(const QPointF& point) const;

 signals:
  void PartClicked(const tav::TreeNode* top);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Pixels per mm and the pixel of the machine origin for an area of `size`.
  struct View {
    double scale = 1;
    QPointF origin;
    QPointF ToPixel(tav::Point2 p) const {
      return {origin.x() + p.x * scale, origin.y() - p.y * scale};
    }
  };
  View ViewFor(const QSize& size) const;

  tav::BedScene scene_;
  const tav::TreeNode* selected_ = nullptr;
  bool showOrder_ = false;
  double zoom_ = 1;
  QPointF pan_;
  QPointF pressedAt_;
  QPointF lastDrag_;
  bool dragged_ = false;
};

}  // namespace tav::ui
