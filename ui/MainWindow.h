// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "boards/PickPlaceImport.h"
#include "core/ComponentTree.h"
#include "project/JobChanges.h"
#include "settings/MachineSettings.h"
#include "ui/FileDialog.h"
#include "ui/MachinePositionSource.h"

class QCloseEvent;
class QDockWidget;
class QMenu;

namespace Ui {
class TForm1;
}

namespace tav::ui {

class BedPreview;
class BoardAlignmentDialog;
class ComponentTreeModel;
class FeederTeaching;
class MachinePanel;
class PlanDialog;
class PositionDisplay;
class RecentFiles;
class TreePopupCommands;

// The main window. It owns all working state of a run: the component tree
// shown in TreeView1, the settings fields, the G-code editor Memo1, the
// summary of the last import and ProjectPath. Every command slot runs to its
// end; an error ends the command and goes to the error display.
class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the window with its default texts and runs FormCreate with the
  // program's arguments (argument 1 names a project to open).
  explicit MainWindow(const QStringList& arguments = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Start-up step after FormCreate: the position display window, hidden.
  void CreateDisplayWindow();
  PositionDisplay* DisplayWindow() const noexcept { return display_.get(); }

  // Shows the window centred on its screen.
  void ShowCentred();

  tav::ComponentTree& Tree() noexcept { return tree_; }
  const tav::ImportSummary& LastImport() const noexcept { return lastImport_; }
  const QString& ProjectPath() const noexcept { return projectPath_; }
  // Unsaved changes of the job and whether the editor's program still fits it.
  const tav::JobChanges& Changes() const noexcept { return changes_; }
  ComponentTreeModel& TreeModel() noexcept { return *model_; }
  QMenu* PopupMenu() const noexcept { return popupMenu_; }

  // The settings fields as a snapshot, and back (after a project load).
  tav::MachineSettings ReadSettingsFields() const;
  void WriteSettingsFields(const tav::MachineSettings& settings);

  // Tests script the file dialogs; nullptr restores Qt's dialogs.
  void SetFileDialogRunner(std::unique_ptr<FileDialogRunner> runner);
  const FileDialog& OpenDialog1() const noexcept { return openDialog1_; }
  const FileDialog& SaveDialog1() const noexcept { return saveDialog1_; }
  const FileDialog& OpenDialog2() const noexcept { return openDialog2_; }
  const FileDialog& SaveDialog2() const noexcept { return saveDialog2_; }
  const FileDialog& OpenDialog3() const noexcept { return openDialog3_; }
  const FileDialog& SaveDialog3() const noexcept { return saveDialog3_; }
  PlanDialog& PlanWindow() const noexcept { return *planDialog_; }
  BedPreview& PreviewWindow() const noexcept { return *preview_; }
  BoardAlignmentDialog& AlignmentDialog() const noexcept { return *alignmentDialog_; }
  // Where "Ausrichten…" takes measured positions from; empty: typed only.
  void SetMachinePositionSource(MachinePositionSource source);

  // The machine link: the panel "Maschinensteuerung" in its dock, and the
  // position it reports for dialogs that take measured points.
  MachinePanel& MachineControl() const noexcept { return *machinePanel_; }
  QDockWidget* MachineDock() const noexcept { return machineDock_; }
  MachinePositionSource MachinePosition() const;

  // Where the decimal separator is read from on a locale change; tests
  // replace the system locale.
  void SetLocaleSource(std::function<QLocale()> source);

 public slots:
  void FormCreate(const QStringList& arguments);
  void NewJob();
  void ImportBoardFile();
  void GenerateProgram();
  void SaveProgramAs();
  void ShowPositionDisplay();
  void OpenProjectFile();
  void SaveProjectFile();
  void SaveProjectAs();
  void Quit();
  void ShowAbout();
  void ShowBoardFileHelp();
  void IncludeSelected();
  void ExcludeSelected();
  void SortTree();
  void AssignFeeder1();
  void AssignFeeder2();
  void AssignFeeder3();
  void AssignFeeder4();
  void ShowPassPlan();
  void SaveMachineFile();
  void OpenMachineFile();
  // A file dropped onto the window: a project (.tav) is opened, anything
  // else imported as a board file, each after the usual question.
  void OpenDroppedFile(const QString& path);
  void OpenRecentProject(const QString& path);
  void ConnectMachine();
  void DisconnectMachine();

 protected:
  void changeEvent(QEvent* event) override;
  // Closing the window asks about unsaved changes first.
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetUpWindow();
  void SetUpTree();
  void SetUpPopupMenu();
  void SetUpPlanning();
  void SetUpPlacement();
  void ConnectCommands();
  void SetUpShortcuts();
  void SetUpNewJob();
  void SetUpRecentFiles();
  void WatchSettingsFields();
  void SetUpMachineLink();
  void ShowPopupMenu(const QPoint& position);

  bool MayReplaceJob();
  bool SaveProjectCommand();
  bool SaveToProjectPath();
  void ImportPickPlace();
  void ImportFile(const QString& path);
  void ShowComponentCount();
  void ShowDimensions();
  void GenerateGCode();
  void ExportGCodeFile();
  void OpenProject(const QString& path);
  void SaveProject(const QString& path);
  void SetProjectPathAndTitle(const QString& path);
  void SetTitleFor(const QString& path);
  void AssignFeeder(int feeder);
  void SuggestPassProgramName(int pass);

  std::unique_ptr<Ui::TForm1> ui_;
  tav::ComponentTree tree_;
  tav::JobChanges changes_{tree_};
  tav::ImportSummary lastImport_;
  QString projectPath_;
  std::unique_ptr<ComponentTreeModel> model_;  // destroyed before tree_
  QMenu* popupMenu_ = nullptr;
  TreePopupCommands* popupCommands_ = nullptr;
  std::unique_ptr<PositionDisplay> display_;
  std::unique_ptr<PlanDialog> planDialog_;  // observes tree_, so destroyed before it
  std::unique_ptr<BedPreview> preview_;     // observes tree_ too
  std::unique_ptr<BoardAlignmentDialog> alignmentDialog_;
  std::unique_ptr<FileDialogRunner> dialogRunner_;
  FileDialog openDialog1_;
  FileDialog saveDialog1_;
  FileDialog openDialog2_;
  FileDialog saveDialog2_;
  FileDialog openDialog3_;
  FileDialog saveDialog3_;
  std::function<QLocale()> localeSource_;
  RecentFiles* recent_ = nullptr;
  // The machine link (owned by the window as Qt children).
  QDockWidget* machineDock_ = nullptr;
  MachinePanel* machinePanel_ = nullptr;
  FeederTeaching* feederTeaching_ = nullptr;
  std::optional<double> programSeconds_;  // the last generated program's estimate
};

}  // namespace tav::ui
