// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BedCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "ui/TextCodec.h"

namespace tav::ui {
namespace {

// Feeders 1 to 4, then parts whose feeder is unknown.
const std::array<QColor, 5> kFeederColours{QColor(220, 40, 40), QColor(30, 120, 220),
                                           QColor(20, 160, 60), QColor(230, 150, 0),
                                           QColor(140, 60, 170)};
const QColor kExcluded(150, 150, 150);
const QColor kBed(250, 250, 245);
constexpr double kMarginShare = 0.06;
constexpr double kClickPixels = 6;

}  // namespace

BedCanvas::BedCanvas(QWidget* parent) : QWidget(parent) {
  setMinimumSize(200, 150);
  setMouseTracking(false);
}

void BedCanvas::SetScene(tav::BedScene scene) {
  scene_ = std::move(scene);
  update();
}

void BedCanvas::SetSelected(const tav::TreeNode* top) {
  if (selected_ == top) return;
  selected_ = top;
  update();
}

void BedCanvas::SetShowOrder(bool show) {
  showOrder_ = show;
  update();
}

void BedCanvas::ResetView() {
  zoom_ = 1;
  pan_ = {};
  update();
}

BedCanvas::View BedCanvas::ViewFor(const QSize& size) const {
  View view;
  tav::Point2 low{0, 0};
  tav::Point2 high{100, 100};
  if (scene_.bounds) {
    low = (*scene_.bounds)[0];
    high = (*scene_.bounds)[1];
  }
  const double width = std::max(high.x - low.x, 1.0);
  const double height = std::max(high.y - low.y, 1.0);
  const double usableW = size.width() * (1 - 2 * kMarginShare);
  const double usableH = size.height() * (1 - 2 * kMarginShare);
  view.scale = std::min(usableW / width, usableH / height) * zoom_;
  const QPointF centre(size.width() / 2.0, size.height() / 2.0);
  view.origin = QPointF(centre.x() - (low.x + width / 2) * view.scale,
                        centre.y() + (low.y + height / 2) * view.scale) +
                pan_;
  return view;
}

void BedCanvas::Render(QPainter& painter, const QSize& size) const {
  painter.fillRect(QRect(QPoint(0, 0), size), kBed);
  const View view = ViewFor(size);

  if (scene_.workArea) {
    const QRectF travel(view.ToPixel((*scene_.workArea)[0]), view.ToPixel((*scene_.workArea)[1]));
    painter.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
    painter.setBrush(QColor(250, 250, 245));
    painter.drawRect(travel.normalized());
  }

  if (scene_.board) {
    QPolygonF outline;
    for (const tav::Point2& corner : *scene_.board) outline << view.ToPixel(corner);
    painter.setPen(QPen(QColor(0, 110, 60), 1.5));
    painter.setBrush(QColor(200, 235, 210));
    painter.drawPolygon(outline);
  }

  // Parts as squares, one batch per colour: thousands of parts stay fast.
  const double side = std::clamp(view.scale * 1.0, 3.0, 12.0);
  std::array<std::vector<QRectF>, 5> filled;
  std::vector<QRectF> excluded;
  QPolygonF order;
  for (const tav::BedScene::Part& part : scene_.parts) {
    const QPointF at = view.ToPixel(part.at);
    const QRectF box(at.x() - side / 2, at.y() - side / 2, side, side);
    if (!part.included) {
      excluded.push_back(box);
      continue;
    }
    const std::size_t colour = part.feeder >= 1 && part.feeder <= 4 ? part.feeder - 1 : 4;
    filled[colour].push_back(box);
    if (showOrder_) order << at;
  }
  painter.setPen(Qt::NoPen);
  for (std::size_t c = 0; c < filled.size(); ++c) {
    painter.setBrush(kFeederColours[c]);
    painter.drawRects(filled[c].data(), static_cast<int>(filled[c].size()));
  }
  painter.setPen(QPen(kExcluded, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRects(excluded.data(), static_cast<int>(excluded.size()));
  if (showOrder_ && order.size() > 1) {
    painter.setPen(QPen(QColor(60, 60, 60, 140), 0.8));
    painter.drawPolyline(order);
  }

  // Feeders: a ring, the number and an arrow along the sideways move.
  for (int i = 0; i < 4; ++i) {
    const auto& feeder = scene_.feeders[static_cast<std::size_t>(i)];
    if (!feeder) continue;
    const QPointF at = view.ToPixel(feeder->at);
    painter.setPen(QPen(kFeederColours[static_cast<std::size_t>(i)], 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, 7, 7);
    painter.drawText(QRectF(at.x() - 7, at.y() - 7, 14, 14), Qt::AlignCenter,
                     QString::number(i + 1));
    const QPointF d(feeder->direction.x, -feeder->direction.y);
    if (d.isNull()) continue;
    const QPointF tip = at + d * 24;
    painter.drawLine(at + d * 8, tip);
    const QPointF normal(-d.y(), d.x());
    painter.drawLine(tip, tip - d * 6 + normal * 4);
    painter.drawLine(tip, tip - d * 6 - normal * 4);
  }

  if (selected_ != nullptr) {
    for (const tav::BedScene::Part& part : scene_.parts) {
      if (part.top != selected_) continue;
      const QPointF at = view.ToPixel(part.at);
      painter.setPen(QPen(Qt::black, 2));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(QRectF(at.x() - side, at.y() - side, 2 * side, 2 * side));
      painter.drawText(at + QPointF(side + 3, -side - 3), ToQString(part.top->Text()));
      break;
    }
  }
}

const tav::TreeNode* BedCanvas::PartAt(const QPointF& point) const {
  const View view = ViewFor(size());
  const tav::TreeNode* best = nullptr;
  double bestDistance = kClickPixels;
  for (const tav::BedScene::Part& part : scene_.parts) {
    const QPointF d = view.ToPixel(part.at) - point;
    const double distance = std::hypot(d.x(), d.y());
    if (distance <= bestDistance) {
      bestDistance = distance;
      best = part.top;
    }
  }
  return best;
}

void BedCanvas::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  Render(painter, size());
}

void BedCanvas::wheelEvent(QWheelEvent* event) {
  const double factor = std::pow(1.0015, event->angleDelta().y());
  const double zoom = std::clamp(zoom_ * factor, 0.2, 500.0);
  // Keep the point under the cursor where it is.
  const QPointF cursor = event->position();
  const View before = ViewFor(size());
  const tav::Point2 world{(cursor.x() - before.origin.x()) / before.scale,
                          (before.origin.y() - cursor.y()) / before.scale};
  zoom_ = zoom;
  const View after = ViewFor(size());
  pan_ += cursor - after.ToPixel(world);
  update();
  event->accept();
}

void BedCanvas::mousePressEvent(QMouseEvent* event) {
  pressedAt_ = lastDrag_ = event->position();
  dragged_ = false;
}

void BedCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPointF moved = event->position() - pressedAt_;
  if (!dragged_ && std::hypot(moved.x(), moved.y()) < 3) return;
  dragged_ = true;
  pan_ += event->position() - lastDrag_;
  lastDrag_ = event->position();
  update();
}

void BedCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (dragged_) return;
  if (const tav::TreeNode* part = PartAt(event->position())) emit PartClicked(part);
}

}  // namespace tav::ui
