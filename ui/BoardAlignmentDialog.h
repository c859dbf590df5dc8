// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>
#include <optional>
#include <vector>

#include "core/ComponentTree.h"
#include "settings/BoardAlignment.h"
#include "settings/MachineSettings.h"
#include "ui/MachinePositionSource.h"

namespace Ui {
class BoardAlignmentForm;
}

namespace tav::ui {

// "Ausrichten…": two included parts are chosen (preset: two far apart), the
// machine X/Y of each part's centre is typed (or taken from the machine while
// a position source is set), and the board's origin and turn follow
// (AlignBoard). "Übernehmen" is offered only for a usable result.
class BoardAlignmentDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit BoardAlignmentDialog(QWidget* parent = nullptr);
  ~BoardAlignmentDialog() override;

  // Offers "Position übernehmen" while `source` is set; an empty function hides it.
  void SetPositionSource(MachinePositionSource source);

  // Fills the part lists from the tree's included parts for the side in
  // `settings`. Throws Error when fewer than two parts are included.
  void Prepare(const tav::ComponentTree& tree, const tav::MachineSettings& settings);
  // Prepares, runs the dialog and on "Übernehmen" sets origin and turn in
  // `settings`. Returns whether it did.
  bool Run(const tav::ComponentTree& tree, tav::MachineSettings& settings);

  // The alignment of the fields as they stand; nothing when they give none
  // (the reason is shown in the dialog).
  const std::optional<tav::BoardAlignment>& Result() const noexcept { return result_; }

 private:
  void Recompute();
  void TakePosition(int point);

  std::unique_ptr<Ui::BoardAlignmentForm> ui_;
  MachinePositionSource source_;
  std::vector<tav::Point2> design_;  // design positions of the listed parts
  tav::BoardSide side_ = tav::BoardSide::kUnset;
  std::optional<tav::BoardAlignment> result_;
};

}  // namespace tav::ui
