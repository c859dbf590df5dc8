// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <memory>
#include <vector>

#include "boards/PickPlaceImport.h"
#include "core/ComponentTree.h"

namespace Ui {
class TForm2;
}

namespace tav::ui {

// The position display window: plots every included component as a white
// pixel on black, to scale with the last import's largest X and Y. It only
// reads the main window's tree and import summary.
class PositionDisplay : public QWidget {
  Q_OBJECT

 public:
  // `tree` and `lastImport` belong to the main window and must outlive this
  // window; the maxima are read anew at every show and resize.
  PositionDisplay(const tav::ComponentTree& tree, const tav::ImportSummary& lastImport,
                  QWidget* parent = nullptr);
  ~PositionDisplay() override;

  // "Display Öffnen": shows the window non-modally and brings it to the front;
  // never a second window. A window that is already visible is only raised
  // (and restored when minimised), without the show handling.
  void ShowAndRaise();

  // Pixels per millimetre of the last show or resize handling.
  double VerX() const noexcept { return Ver_X; }
  double VerY() const noexcept { return Ver_Y; }
  // The drawing surface shown in Image1; a null image while Image1 has no area.
  const QImage& Surface() const noexcept { return surface_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private slots:
  void DrawPositions();

 private:
  // The edges a control keeps its distance to when the window changes size.
  enum class Follow { LeftTop, RightTop, RightBottom, AllEdges };
  struct Anchored {
    QWidget* widget;
    QRect design;
    Follow follow;
  };

  void FormShow();
  void FormResize();
  void Scale();
  void FollowEdges();

  void FillSurface();
  void SetSurfacePixel(int x, int y, const QColor& color);

  const tav::ComponentTree& tree_;
  const tav::ImportSummary& lastImport_;
  std::unique_ptr<::Ui::TForm2> ui_;
  std::vector<Anchored> anchored_;
  QSize designSize_;

  QImage surface_;
  QColor fillColor_ = Qt::white;  // until the first show handling
  double Ver_X = 0;
  double Ver_Y = 0;
};

}  // namespace tav::ui
