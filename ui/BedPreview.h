// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>
#include <memory>

#include "core/ComponentTree.h"
#include "settings/MachineSettings.h"

namespace Ui {
class BedPreviewForm;
}

namespace tav::ui {

class BedCanvas;

// "Vorschau": a window of its own that shows the bed in machine coordinates
// (BedCanvas) and follows every change of the tree, the settings (through
// SettingsChanged) and the selection (SetSelected). "Bild speichern…" writes
// what it shows as a PNG.
class BedPreview final : public QWidget, private tav::TreeObserver {
  Q_OBJECT

 public:
  // `tree` must outlive this window; `settings` reads the settings fields.
  BedPreview(tav::ComponentTree& tree, std::function<tav::MachineSettings()> settings,
             QWidget* parent = nullptr);
  ~BedPreview() override;

  BedCanvas& Canvas() const noexcept;
  // Rebuilds the scene soon (at once when `now`), while the window is shown.
  void SettingsChanged(bool now = false);
  void SetSelected(const tav::TreeNode* top);
  // Writes the drawing as a PNG; throws Error when the file cannot be written.
  void SaveImage(const QString& path) const;

 signals:
  void PartClicked(const tav::TreeNode* top);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Rebuild();
  void AskForImageFile();

  void TreeAboutToReset() override;
  void TreeReset() override { SettingsChanged(); }
  void NodeAdded(const tav::TreeNode* /*node*/) override { SettingsChanged(); }
  void NodeChanged(const tav::TreeNode* /*node*/) override { SettingsChanged(); }

  std::unique_ptr<Ui::BedPreviewForm> ui_;
  tav::ComponentTree& tree_;
  std::function<tav::MachineSettings()> settings_;
  bool rebuildPending_ = false;
};

}  // namespace tav::ui
