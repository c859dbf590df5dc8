// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

#include "core/ComponentTree.h"
#include "plan/PassPlan.h"
#include "settings/MachineSettings.h"
#include "ui/FileDialog.h"

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QTableView;

namespace tav::ui {

class PlanTableModel;

// "Durchgänge planen": shows the plan of the included components in passes of
// at most four part kinds (pass, feeder, value, footprint, count,
// designators), applies a chosen pass to the tree, so that "G-Code generieren"
// makes that pass's program, and prints or saves the setup sheet.
//
// The window is not modal, so the user can apply a pass, generate and save
// its program and come back for the next. The plan is kept until the user
// plans anew or the tree gets other components (import, project load, sort):
// applying a pass excludes the other components, and a plan made afresh from
// that state would know only the applied pass.
class PlanDialog final : public QDialog, private tav::TreeObserver {
  Q_OBJECT

 public:
  using DialogRunnerSource = std::function<FileDialogRunner&()>;

  // `tree` belongs to the main window and must outlive this window; the file
  // dialog for the setup sheet runs through the runner `dialogs` gives.
  PlanDialog(tav::ComponentTree& tree, DialogRunnerSource dialogs, QWidget* parent = nullptr);
  ~PlanDialog() override;

  // Where the plan reads the settings (board placement, rotation axis) and
  // where "Durchgang anwenden" writes the feeders' angles; without them the
  // plan uses the default settings.
  void SetSettingsAccess(std::function<tav::MachineSettings()> read,
                         std::function<void(const tav::MachineSettings&)> write);

  // "Durchgänge planen…": plans when there is no plan yet, then shows the
  // window and brings it to the front. Throws what PassPlan::Make throws.
  void ShowPlan();
  // "Neu planen": plans the components included now. Throws as ShowPlan.
  void Replan();
  // "Durchgang anwenden" for pass `pass` (from 1). Throws PassPlan::ApplyPass's errors.
  void ApplyPass(int pass);
  // "Einrichtung speichern…": asks for a file and writes the setup sheet.
  void SaveSetupSheet();
  // Prints the setup sheet on `printer` ("Drucken…" asks for it first).
  void PrintSetupSheet(QPrinter& printer) const;

  // The current plan; nullptr when there is none (never planned, or the tree
  // got other components since).
  const tav::PassPlan* Plan() const noexcept { return plan_ ? &*plan_ : nullptr; }
  // The setup sheet of the current plan, as saved and printed.
  std::string SetupSheetText() const;
  const FileDialog& SaveDialog4() const noexcept { return saveDialog4_; }

 signals:
  // Pass `pass` (from 1) is now the included set of components.
  void PassApplied(int pass);

 private:
  void Build();
  void Show();
  void Forget();
  void ApplyChosenPass();
  void Print();

  void TreeReset() override { Forget(); }
  void NodeAdded(const tav::TreeNode* /*node*/) override { Forget(); }

  tav::ComponentTree& tree_;
  DialogRunnerSource dialogs_;
  FileDialog saveDialog4_;
  std::optional<tav::PassPlan> plan_;
  std::function<tav::MachineSettings()> readSettings_;
  std::function<void(const tav::MachineSettings&)> writeSettings_;
  std::unique_ptr<PlanTableModel> model_;
  QLabel* summary_ = nullptr;
  QTableView* table_ = nullptr;
  QComboBox* passes_ = nullptr;
  QPushButton* apply_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* save_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace tav::ui
