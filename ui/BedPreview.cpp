// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BedPreview.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "core/Error.h"
#include "core/Messages.h"
#include "gcode/BedScene.h"
#include "ui/BedCanvas.h"
#include "ui/ErrorDisplay.h"
#include "ui/FilePath.h"
#include "ui/TextCodec.h"
#include "ui_BedPreview.h"

namespace tav::ui {

BedPreview::BedPreview(tav::ComponentTree& tree, std::function<tav::MachineSettings()> settings,
                       QWidget* parent)
    : QWidget(parent, Qt::Window),
      ui_(std::make_unique<Ui::BedPreviewForm>()),
      tree_(tree),
      settings_(std::move(settings)) {
  ui_->setupUi(this);
  connect(ui_->Reihenfolge, &QCheckBox::toggled, ui_->Zeichenflaeche, &BedCanvas::SetShowOrder);
  connect(ui_->Einpassen, &QPushButton::clicked, ui_->Zeichenflaeche, &BedCanvas::ResetView);
  connect(ui_->BildSpeichern, &QPushButton::clicked, this,
          [this] { ErrorDisplay::Run([this] { AskForImageFile(); }); });
  connect(ui_->Zeichenflaeche, &BedCanvas::PartClicked, this, &BedPreview::PartClicked);
  tree_.AddObserver(this);
}

BedPreview::~BedPreview() { tree_.RemoveObserver(this); }

BedCanvas& BedPreview::Canvas() const noexcept { return *ui_->Zeichenflaeche; }

void BedPreview::TreeAboutToReset() {
  // The scene points at the nodes about to go.
  ui_->Zeichenflaeche->SetScene({});
  ui_->Zeichenflaeche->SetSelected(nullptr);
}

void BedPreview::SettingsChanged(bool now) {
  if (now) return Rebuild();
  // Many changes in one command (an import, "Alle ausschliessen") give one rebuild.
  if (rebuildPending_ || !isVisible()) return;
  rebuildPending_ = true;
  QTimer::singleShot(0, this, [this] {
    rebuildPending_ = false;
    Rebuild();
  });
}

void BedPreview::SetSelected(const tav::TreeNode* top) { ui_->Zeichenflaeche->SetSelected(top); }

void BedPreview::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Rebuild();
}

void BedPreview::Rebuild() {
  try {
    ui_->Zeichenflaeche->SetScene(tav::MakeBedScene(tree_, settings_()));
    ui_->Meldung->setText(QStringLiteral("%1 Bauteile").arg(Canvas().Scene().parts.size()));
  } catch (const tav::Error& error) {
    // Unusable placement settings: say so and keep the last picture.
    ui_->Meldung->setText(ToQString(error.message()));
  }
}

void BedPreview::SaveImage(const QString& path) const {
  QImage image(ui_->Zeichenflaeche->size(), QImage::Format_RGB32);
  QPainter painter(&image);
  ui_->Zeichenflaeche->Render(painter, image.size());
  painter.end();
  if (!image.save(path, "PNG"))
    throw tav::Error(tav::FormatMessage(tav::msg::kCannotCreate, {ToCorePath(path), ""}));
}

void BedPreview::AskForImageFile() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Bild speichern"),
                                                    QStringLiteral("vorschau.png"),
                                                    QStringLiteral("PNG-Bild (*.png)"));
  if (!path.isEmpty()) SaveImage(path);
}

}  // namespace tav::ui
