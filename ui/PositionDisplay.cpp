// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PositionDisplay.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>

#include <algorithm>
#include <string>

#include "core/NumberConversion.h"
#include "core/PositionPlot.h"
#include "ui/ErrorDisplay.h"
#include "ui/TextCodec.h"
#include "ui/WindowFont.h"
#include "ui_PositionDisplay.h"

namespace tav::ui {
namespace {

// Labels size themselves to their text, growing to the right from where they stand.
void SetAutoSizedText(QLabel* label, const std::string& text) {
  label->setText(ToQString(text));
  label->resize(label->sizeHint().width(), label->height());
}

}  // namespace

PositionDisplay::PositionDisplay(const tav::ComponentTree& tree,
                                 const tav::ImportSummary& lastImport, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      tree_(tree),
      lastImport_(lastImport),
      ui_(std::make_unique<::Ui::TForm2>()) {
  ui_->setupUi(this);
  // The form names Tahoma in points; at run time the windows share the font of
  // exactly 11 pixels, and the axis letters have 20 pixels.
  setFont(WindowFont());
  QFont axisFont = WindowFont();
  axisFont.setPixelSize(20);
  ui_->Label3->setFont(axisFont);
  ui_->Label4->setFont(axisFont);
  // Closing this window only hides it, and it must not keep the program alive
  // once the main window is closed.
  setAttribute(Qt::WA_QuitOnClose, false);

  designSize_ = size();
  const auto anchor = [this](QWidget* widget, Follow follow) {
    anchored_.push_back({widget, widget->geometry(), follow});
  };
  anchor(ui_->Panel1, Follow::AllEdges);
  anchor(ui_->Button1, Follow::RightTop);
  anchor(ui_->Label3, Follow::LeftTop);
  for (QWidget* w : {static_cast<QWidget*>(ui_->Label4), static_cast<QWidget*>(ui_->Label5),
                     static_cast<QWidget*>(ui_->Label_Bauteile), static_cast<QWidget*>(ui_->Label1),
                     static_cast<QWidget*>(ui_->Label_Ver_X), static_cast<QWidget*>(ui_->Label2),
                     static_cast<QWidget*>(ui_->Label_Ver_Y)}) {
    anchor(w, Follow::RightBottom);
  }

  // Image1 shows the surface: it paints it itself, every pixel of it opaque.
  ui_->Image1->setAttribute(Qt::WA_OpaquePaintEvent);
  ui_->Image1->installEventFilter(this);

  connect(ui_->Button1, &QPushButton::clicked, this, &PositionDisplay::DrawPositions);

  surface_ = QImage(ui_->Image1->size(), QImage::Format_RGB888);
  FillSurface();
}

PositionDisplay::~PositionDisplay() = default;

void PositionDisplay::ShowAndRaise() {
  if (!isVisible()) {
    show();
  } else if (windowState() & Qt::WindowMinimized) {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  }
  raise();
  activateWindow();
}

bool PositionDisplay::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->Image1 && event->type() == QEvent::Paint) {
    QPainter painter(ui_->Image1);
    if (!surface_.isNull()) painter.drawImage(0, 0, surface_);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void PositionDisplay::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FollowEdges();
  FormResize();
}

void PositionDisplay::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // A spontaneous show comes from the window system, for example when a
  // minimised window is restored; the window was never hidden for the program,
  // so this is a size notification.
  if (event->spontaneous()) {
    FormResize();
  } else {
    FormShow();
  }
}

void PositionDisplay::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Minimising, maximising and restoring are size notifications too, even
  // when the client area keeps its size.
  if (event->type() == QEvent::WindowStateChange) FormResize();
}

void PositionDisplay::FormShow() {
  fillColor_ = Qt::black;
  // Normally the resize that precedes the first show has sized the surface already.
  if (surface_.size() != ui_->Image1->size()) {
    surface_ = QImage(ui_->Image1->size(), QImage::Format_RGB888);
  }
  FillSurface();
  SetSurfacePixel(0, 0, Qt::white);
  Scale();
}

void PositionDisplay::FormResize() {
  // A surface without area is a null image: there is nothing to fill or draw.
  surface_ = QImage(ui_->Image1->size(), QImage::Format_RGB888);
  FillSurface();
  SetSurfacePixel(0, 0, Qt::white);
  Scale();
}

void PositionDisplay::Scale() {
  const tav::Number quotientX = tav::ScaleQuotient(ui_->Image1->width(), lastImport_.largestX);
  const tav::Number quotientY = tav::ScaleQuotient(ui_->Image1->height(), lastImport_.largestY);
  Ver_X = static_cast<double>(quotientX);
  Ver_Y = static_cast<double>(quotientY);
  SetAutoSizedText(ui_->Label_Ver_X, tav::ScaleLabel(quotientX));
  SetAutoSizedText(ui_->Label_Ver_Y, tav::ScaleLabel(quotientY));
}

void PositionDisplay::FollowEdges() {
  if (anchored_.empty()) return;  // still inside setupUi
  const int dx = width() - designSize_.width();
  const int dy = height() - designSize_.height();
  for (const Anchored& a : anchored_) {
    switch (a.follow) {
      case Follow::LeftTop:
        break;
      case Follow::RightTop:
        a.widget->move(a.design.x() + dx, a.design.y());
        break;
      case Follow::RightBottom:
        a.widget->move(a.design.x() + dx, a.design.y() + dy);
        break;
      case Follow::AllEdges:
        a.widget->setGeometry(a.design.x(), a.design.y(), std::max(0, a.design.width() + dx),
                              std::max(0, a.design.height() + dy));
        break;
    }
  }
  // The image area fills the inside of the panel's 1-pixel bevel.
  const QSize panel = ui_->Panel1->size();
  ui_->Image1->setGeometry(1, 1, std::max(0, panel.width() - 2), std::max(0, panel.height() - 2));
}

void PositionDisplay::FillSurface() {
  if (surface_.isNull()) return;
  surface_.fill(fillColor_);
  ui_->Image1->update();
}

void PositionDisplay::SetSurfacePixel(int x, int y, const QColor& color) {
  if (!surface_.valid(x, y)) return;
  surface_.setPixelColor(x, y, color);
  ui_->Image1->update(x, y, 1, 1);
}

void PositionDisplay::DrawPositions() {
  ErrorDisplay::Run([this] {
    const int count = tav::PlotComponents(
        tree_, Ver_X, Ver_Y, surface_.width(), surface_.height(),
        [this](int column, int row) { SetSurfacePixel(column, row, Qt::white); });
    // Only a completed drawing changes the count.
    SetAutoSizedText(ui_->Label_Bauteile, tav::IntegerToText(count));
  });
}

}  // namespace tav::ui
