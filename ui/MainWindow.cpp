// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QScreen>

#include <filesystem>
#include <limits>
#include <system_error>

#include "boards/TreeSummary.h"
#include "core/DecimalSeparator.h"
#include "core/EditCommands.h"
#include "core/Error.h"
#include "core/NumberConversion.h"
#include "gcode/GCodeGenerator.h"
#include "plan/PassPrograms.h"
#include "project/MachineProfile.h"
#include "project/ProjectFile.h"
#include "ui/AboutBox.h"
#include "ui/BedPreview.h"
#include "ui/BoardAlignmentDialog.h"
#include "ui/ComponentTreeModel.h"
#include "ui/ComponentTreeView.h"
#include "ui/ConnectDialog.h"
#include "ui/EditorText.h"
#include "ui/ErrorDisplay.h"
#include "ui/FeederTeaching.h"
#include "ui/FileDropHandler.h"
#include "ui/FilePath.h"
#include "ui/ImageList.h"
#include "ui/LocaleDecimalSeparator.h"
#include "ui/LocaleTextLess.h"
#include "ui/MachinePanel.h"
#include "ui/PickPlaceFileHelp.h"
#include "ui/PlanDialog.h"
#include "ui/PositionDisplay.h"
#include "ui/ProgramEditor.h"
#include "ui/QuestionBox.h"
#include "ui/RecentFiles.h"
#include "ui/SettingsFields.h"
#include "ui/TextCodec.h"
#include "ui/TreePopupCommands.h"
#include "ui/UnitLabels.h"
#include "ui/ValveProposal.h"
#include "ui/WindowFont.h"
#include "ui/WindowGrowth.h"
#include "ui/WindowShortcuts.h"
#include "ui_MainWindow.h"

namespace tav::ui {
namespace {

const QString kTitle = QStringLiteral("TAV - Tavoline");
const QString kTitlePrefix = QStringLiteral("TAV - Tavoline - ");
// Where Qt shows "*" while the window is modified.
const QString kModifiedMark = QStringLiteral("[*]");

const QColor kSilver(192, 192, 192);
const QColor kBlue(0, 0, 255);
const QColor kLightBlue(124, 175, 252);

void SetBackground(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette colours = widget->palette();
  colours.setColor(role, colour);
  widget->setPalette(colours);
  if (role == QPalette::Window) widget->setAutoFillBackground(true);
}

}  // namespace

MainWindow::MainWindow(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::TForm1>()),
      dialogRunner_(std::make_unique<QtFileDialogRunner>()),
      openDialog1_({QStringLiteral("OpenDialog1"), FileDialogSettings::Mode::Open, QString()}),
      saveDialog1_({QStringLiteral("SaveDialog1"), FileDialogSettings::Mode::Save,
                    QStringLiteral("G-Code File (*.nc)")}),
      openDialog2_({QStringLiteral("OpenDialog2"), FileDialogSettings::Mode::Open,
                    QStringLiteral("TAV Projekt File (*.tav)")}),
      saveDialog2_({QStringLiteral("SaveDialog2"), FileDialogSettings::Mode::Save,
                    QStringLiteral("TAV Projekt File (*.tav)")}),
      openDialog3_({QStringLiteral("OpenDialog3"), FileDialogSettings::Mode::Open,
                    QStringLiteral("TAV Maschine (*.tavm)")}),
      saveDialog3_({QStringLiteral("SaveDialog3"), FileDialogSettings::Mode::Save,
                    QStringLiteral("TAV Maschine (*.tavm)")}),
      localeSource_([] { return QLocale::system(); }),
      recent_(new RecentFiles(this)) {
  ui_->setupUi(this);
  SetUpWindow();
  SetUpTree();
  SetUpPopupMenu();
  SetUpPlanning();
  SetUpPlacement();
  ConnectCommands();
  SetUpShortcuts();
  SetUpNewJob();
  SetUpRecentFiles();
  WatchSettingsFields();
  new ValveProposal(*ui_, this);
  SetUpMachineLink();
  // Last, so that it knows every field and every shortcut.
  new WindowShortcuts(*this);
  new FileDropHandler(*this, [this](const QString& path) { OpenDroppedFile(path); });
  new WindowGrowth(*this, *ui_->ClientArea, *ui_->PageControl1, *ui_->TreeView1, *ui_->Memo1);
  changes_.OnModifiedChanged([this](bool modified) { setWindowModified(modified); });
  setWindowTitle(kTitle + kModifiedMark);
  FormCreate(arguments);
  UnitLabels::AddTo(*this);  // after FormCreate, which colours the page they stand on
}

MainWindow::~MainWindow() {
  // The view lets go of the model before the model and the tree go.
  ui_->TreeView1->setModel(nullptr);
}

void MainWindow::SetUpWindow() {
  // System menu, maximise and close button; the window grows from its
  // designed size (WindowGrowth) but never gets smaller.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(WindowFont());
  SetBackground(this, QPalette::Window, kSilver);
  SetBackground(ui_->Memo1, QPalette::Base, kLightBlue);
  // Fields take any length of text, as a project file may hold it.
  for (QLineEdit* field : findChildren<QLineEdit*>())
    field->setMaxLength(std::numeric_limits<int>::max());
  // The drop-down lists are 55 pixels wide, like the fields above them. Qt's
  // line edit pads its text by 2 pixels on each side, which a classic edit
  // control does not, and "Rechts" would then scroll out at the left edge.
  // Negative margins give that padding back to the text.
  for (QComboBox* list : findChildren<QComboBox*>()) {
    if (QLineEdit* edit = list->lineEdit()) edit->setTextMargins(-2, 0, -2, 0);
  }
}

void MainWindow::SetUpTree() {
  model_ = std::make_unique<ComponentTreeModel>(tree_);
  ui_->TreeView1->SetComponentModel(model_.get());
  ui_->TreeView1->SetBackground(kSilver);
  connect(ui_->TreeView1, &QWidget::customContextMenuRequested, this, &MainWindow::ShowPopupMenu);
}

void MainWindow::SetUpPopupMenu() {
  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
  ui_->Einschliessen1->setIcon(ImageList::Icon(0));
  ui_->Ausschliessen1->setIcon(ImageList::Icon(1));
  popupMenu_->addAction(ui_->Einschliessen1);
  popupMenu_->addAction(ui_->Ausschliessen1);
  popupMenu_->addAction(ui_->Sortieren1);
  popupMenu_->addSeparator();
  popupMenu_->addAction(ui_->Feeder11);
  popupMenu_->addAction(ui_->Feeder21);
  popupMenu_->addAction(ui_->Feeder31);
  popupMenu_->addAction(ui_->Feeder41);
  popupCommands_ = new TreePopupCommands(tree_, *ui_->TreeView1, *popupMenu_, this);
}

void MainWindow::ConnectCommands() {
  connect(ui_->Button1, &QPushButton::clicked, this, &MainWindow::ImportBoardFile);
  connect(ui_->Button2, &QPushButton::clicked, this, &MainWindow::GenerateProgram);
  connect(ui_->Button3, &QPushButton::clicked, this, &MainWindow::SaveProgramAs);
  connect(ui_->Button4, &QPushButton::clicked, this, &MainWindow::ShowPositionDisplay);
  connect(ui_->Laden1, &QAction::triggered, this, &MainWindow::OpenProjectFile);
  connect(ui_->Speicher1, &QAction::triggered, this, &MainWindow::SaveProjectFile);
  connect(ui_->Projektspeichernunter1, &QAction::triggered, this, &MainWindow::SaveProjectAs);
  connect(ui_->Beenden1, &QAction::triggered, this, &MainWindow::Quit);
  connect(ui_->About1, &QAction::triggered, this, &MainWindow::ShowAbout);
  connect(ui_->PickandPlaceFileAufbau1, &QAction::triggered, this, &MainWindow::ShowBoardFileHelp);
  connect(ui_->Einschliessen1, &QAction::triggered, this, &MainWindow::IncludeSelected);
  connect(ui_->Ausschliessen1, &QAction::triggered, this, &MainWindow::ExcludeSelected);
  connect(ui_->Sortieren1, &QAction::triggered, this, &MainWindow::SortTree);
  connect(ui_->Feeder11, &QAction::triggered, this, &MainWindow::AssignFeeder1);
  connect(ui_->Feeder21, &QAction::triggered, this, &MainWindow::AssignFeeder2);
  connect(ui_->Feeder31, &QAction::triggered, this, &MainWindow::AssignFeeder3);
  connect(ui_->Feeder41, &QAction::triggered, this, &MainWindow::AssignFeeder4);
  connect(ui_->Speichern1, &QAction::triggered, this, &MainWindow::SaveMachineFile);
  connect(ui_->Laden2, &QAction::triggered, this, &MainWindow::OpenMachineFile);
  connect(ui_->Memo1, &ProgramEditor::edited, this, [this] { changes_.MarkProgramEdited(); });
}

void MainWindow::SetUpRecentFiles() {
  // Right after "Projekt öffnen".
  auto* recent = new QMenu(QStringLiteral("&Zuletzt ge\u00f6ffnet"), this);
  recent->setObjectName(QStringLiteral("ZuletztGeoeffnet1"));
  recent->menuAction()->setObjectName(recent->objectName());
  QMenu* project = ui_->Projekt1;
  const QList<QAction*> items = project->actions();
  const qsizetype open = items.indexOf(ui_->Laden1);
  project->insertMenu(items.value(open + 1), recent);
  connect(recent, &QMenu::aboutToShow, this, [this, recent] {
    recent_->FillMenu(*recent, [this](const QString& path) { OpenRecentProject(path); });
  });
  dialogRunner_ = std::make_unique<RememberingDialogRunner>(std::move(dialogRunner_), *recent_);
}

void MainWindow::OpenRecentProject(const QString& path) {
  ErrorDisplay::Run([&] {
    if (!MayReplaceJob()) return;
    OpenProject(path);
    openDialog2_.SetFileName(path);
  });
}

void MainWindow::OpenDroppedFile(const QString& path) {
  ErrorDisplay::Run([&] {
    if (!MayReplaceJob()) return;
    if (QFileInfo(path).suffix().compare(QStringLiteral("tav"), Qt::CaseInsensitive) == 0) {
      OpenProject(path);
      openDialog2_.SetFileName(path);
    } else {
      openDialog1_.SetFileName(path);
      ImportFile(path);
    }
  });
}

void MainWindow::SetUpNewJob() {
  auto* item = new QAction(QStringLiteral("Neu"), this);
  item->setObjectName(QStringLiteral("Neu1"));
  item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  QMenu* project = ui_->Projekt1;
  project->insertAction(project->actions().value(0), item);
  connect(item, &QAction::triggered, this, &MainWindow::NewJob);
}

void MainWindow::SetUpShortcuts() {
  // The buttons' commands also work while their page is hidden, so their keys
  // belong to the window rather than to the buttons.
  const auto command = [this](const char* name, const QKeySequence& key, QPushButton* button,
                              void (MainWindow::*slot)()) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, slot);
    button->setToolTip(key.toString(QKeySequence::NativeText));
  };
  command("Button1Key", QKeySequence(Qt::CTRL | Qt::Key_I), ui_->Button1,
          &MainWindow::ImportBoardFile);
  command("Button2Key", QKeySequence(Qt::Key_F5), ui_->Button2, &MainWindow::GenerateProgram);
  command("Button3Key", QKeySequence(Qt::CTRL | Qt::Key_E), ui_->Button3,
          &MainWindow::SaveProgramAs);
}

void MainWindow::WatchSettingsFields() {
  // Every field on the pages counts, whatever it is and whoever adds it; the
  // editor Memo1 holds the program, which is not part of the job.
  const auto changed = [this] { changes_.SettingsChanged(); };
  for (QLineEdit* field : ui_->PageControl1->findChildren<QLineEdit*>())
    connect(field, &QLineEdit::textChanged, this, changed);
  for (QComboBox* list : ui_->PageControl1->findChildren<QComboBox*>())
    connect(list, &QComboBox::currentTextChanged, this, changed);
  for (QAbstractButton* button : ui_->PageControl1->findChildren<QAbstractButton*>()) {
    if (button->isCheckable()) connect(button, &QAbstractButton::toggled, this, changed);
  }
}

void MainWindow::CreateDisplayWindow() {
  if (!display_) display_ = std::make_unique<PositionDisplay>(tree_, lastImport_, this);
}

void MainWindow::ShowCentred() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    QRect frame = frameGeometry();
    if (frame.size().isEmpty()) frame.setSize(sizeHint());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
}

tav::MachineSettings MainWindow::ReadSettingsFields() const { return ReadSettings(*ui_); }

void MainWindow::WriteSettingsFields(const tav::MachineSettings& settings) {
  WriteSettings(*ui_, settings);
}

void MainWindow::SetFileDialogRunner(std::unique_ptr<FileDialogRunner> runner) {
  dialogRunner_ = runner ? std::move(runner)
                         : std::make_unique<RememberingDialogRunner>(
                               std::make_unique<QtFileDialogRunner>(), *recent_);
}

void MainWindow::SetLocaleSource(std::function<QLocale()> source) {
  localeSource_ = std::move(source);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (MayReplaceJob())
    event->accept();
  else
    event->ignore();
}

void MainWindow::changeEvent(QEvent* event) {
  // The user's regional settings changed: numbers are read and written with
  // the new separator from the next conversion on.
  if (event->type() == QEvent::LocaleChange)
    tav::SetDecimalSeparator(DecimalSeparatorOf(localeSource_()));
  QMainWindow::changeEvent(event);
}

// --- Start-up ---------------------------------------------------------------

void MainWindow::FormCreate(const QStringList& arguments) {
  SetBackground(ui_->TabSheet1, QPalette::Window, kBlue);
  const QString project = arguments.value(1);
  if (project.isEmpty()) return;
  std::error_code error;
  const bool existed = std::filesystem::exists(ToCorePath(project), error);
  ErrorDisplay::Run([&] { OpenProject(project); });
  // A name of a file that does not exist yet still becomes the project, so
  // that "Projekt speichern" creates it; an existing file that is no project
  // never does, so it cannot be written over.
  if (projectPath_ != project && !existed) SetProjectPathAndTitle(project);
}

// --- Pick-and-place import --------------------------------------------------

void MainWindow::ImportBoardFile() {
  ErrorDisplay::Run([this] {
    if (MayReplaceJob()) ImportPickPlace();
  });
}

void MainWindow::ImportPickPlace() {
  if (openDialog1_.Execute(*dialogRunner_, this)) ImportFile(openDialog1_.FileName());
  ShowDimensions();
}

void MainWindow::ImportFile(const QString& path) {
  // The import replaces the tree only when the whole file was read.
  lastImport_ = tav::PickPlaceImport(ToCorePath(path), tree_);
  ShowComponentCount();
  ShowDimensions();
  // Without a project the new job is what the file holds. Into an open
  // project it is a change: a save would replace the project's board.
  if (projectPath_.isEmpty()) changes_.MarkSaved();
}

void MainWindow::ShowComponentCount() {
  ui_->BauelementeLabel->setText(ToQString(tav::IntegerToText(lastImport_.componentCount)));
}

void MainWindow::ShowDimensions() {
  ui_->DimLabel_X->setText(ToQString(tav::DimensionLabel(lastImport_.largestX)));
  ui_->DimLabel_Y->setText(ToQString(tav::DimensionLabel(lastImport_.largestY)));
}

// --- G-code -----------------------------------------------------------------

void MainWindow::GenerateProgram() {
  ErrorDisplay::Run([this] {
    // What the user typed into the program is not thrown away unasked.
    if (changes_.ProgramEdited() &&
        QuestionBox::AskToDiscardHandEdits(this) != QuestionBox::Answer::Ja)
      return;
    GenerateGCode();
  });
}

void MainWindow::GenerateGCode() {
  const tav::MachineSettings settings = ReadSettingsFields();
  // The estimate describes the last program generated; a failed run has none.
  ui_->GCode_Summary->clear();
  std::string program;
  tav::JobSummary summary;
  try {
    summary = tav::GCodeGenerator::Generate(tree_, settings, program);
  } catch (...) {
    // A refused program writes no line: the previous program stays in the
    // editor, marked as not made from these settings.
    changes_.MarkProgramStale();
    throw;
  }
  SetEditorText(*ui_->Memo1, program);
  ui_->GCode_Summary->setText(ToQString(tav::JobSummaryText(summary)));
  programSeconds_.reset();
  if (summary.minutes) programSeconds_ = static_cast<double>(*summary.minutes) * 60;
  changes_.MarkProgramGenerated();
}

void MainWindow::SaveProgramAs() {
  ErrorDisplay::Run([this] {
    // A program generated for another board or other settings would make the
    // machine place the wrong job.
    if (changes_.ProgramStale() &&
        QuestionBox::AskToSaveStaleProgram(this) != QuestionBox::Answer::Ja)
      return;
    ExportGCodeFile();
  });
}

void MainWindow::ExportGCodeFile() {
  if (!saveDialog1_.Execute(*dialogRunner_, this)) return;
  saveDialog1_.SetFileName(FromCorePath(GCodeFileName(ToCorePath(saveDialog1_.FileName()))));
  tav::ExportGCode(EditorTextWithCrLf(*ui_->Memo1), ToCorePath(saveDialog1_.FileName()));
}

// --- Machine link -------------------------------------------------------------

void MainWindow::SetUpMachineLink() {
  machinePanel_ = new MachinePanel(this);
  machineDock_ = new QDockWidget(QStringLiteral("Maschinensteuerung"), this);
  machineDock_->setObjectName(QStringLiteral("Maschinensteuerung"));
  machineDock_->setWidget(machinePanel_);
  addDockWidget(Qt::RightDockWidgetArea, machineDock_);
  machineDock_->hide();
  machinePanel_->SetProgramSource([this] {
    return MachinePanel::Program{EditorTextWithCrLf(*ui_->Memo1), changes_.ProgramStale(),
                                 programSeconds_};
  });
  feederTeaching_ = new FeederTeaching(
      {{{ui_->Feeder1_Uebernehmen, ui_->Feeder1_X, ui_->Feeder1_Y, ui_->Feeder1_Z},
        {ui_->Feeder2_Uebernehmen, ui_->Feeder2_X, ui_->Feeder2_Y, ui_->Feeder2_Z},
        {ui_->Feeder3_Uebernehmen, ui_->Feeder3_X, ui_->Feeder3_Y, ui_->Feeder3_Z},
        {ui_->Feeder4_Uebernehmen, ui_->Feeder4_X, ui_->Feeder4_Y, ui_->Feeder4_Z}}},
      ui_->Feeder_ZUebernehmen, machinePanel_->PositionSource(), this);
  connect(machinePanel_, &MachinePanel::connectionChanged, this, [this](bool connected) {
    feederTeaching_->SetAvailable(connected);
    // The alignment dialog takes its measured points from the machine while connected.
    SetMachinePositionSource(connected ? machinePanel_->PositionSource() : MachinePositionSource());
    if (connected) machineDock_->show();
  });
  connect(ui_->Verbinden1, &QAction::triggered, this, &MainWindow::ConnectMachine);
  connect(ui_->Trennen1, &QAction::triggered, this, &MainWindow::DisconnectMachine);
}

MachinePositionSource MainWindow::MachinePosition() const {
  return machinePanel_->PositionSource();
}

void MainWindow::ConnectMachine() {
  ErrorDisplay::Run([this] {
    ConnectDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (dialog.Baud() == 0) throw tav::Error("Die Baudrate muss eine positive ganze Zahl sein");
    machinePanel_->Connect(dialog.Port(), dialog.Baud());
    machineDock_->show();
  });
}

void MainWindow::DisconnectMachine() {
  machinePanel_->Disconnect();
  machineDock_->hide();
}

// --- Position display -------------------------------------------------------

void MainWindow::ShowPositionDisplay() {
  ErrorDisplay::Run([this] {
    if (display_) display_->ShowAndRaise();
  });
}

// --- Project commands -------------------------------------------------------

void MainWindow::SetTitleFor(const QString& path) {
  // A "[*]" in the file name itself is doubled, so Qt shows it as it is.
  QString name = FileNamePartOf(path);
  name.replace(kModifiedMark, kModifiedMark + kModifiedMark);
  setWindowTitle(kTitlePrefix + name + kModifiedMark);
}

void MainWindow::SetProjectPathAndTitle(const QString& path) {
  projectPath_ = path;
  SetTitleFor(path);
}

void MainWindow::OpenProject(const QString& path) {
  // Read into a tree and settings of their own; only a load that fully
  // succeeds replaces the job, the project path and the title. Fields the
  // file lacks keep what the user sees.
  tav::ComponentTree loaded;
  tav::MachineSettings settings = ReadSettingsFields();
  tav::LoadProject(ToCorePath(path), loaded, settings);
  tree_.Swap(loaded);
  WriteSettingsFields(settings);
  SetProjectPathAndTitle(path);
  // The window shows what the project holds, as if it had been imported.
  lastImport_ = tav::SummaryOfTree(tree_);
  ShowComponentCount();
  ShowDimensions();
  changes_.MarkSaved();
  recent_->AddProject(path);
}

void MainWindow::SaveProject(const QString& path) {
  tav::SaveProject(ToCorePath(path), tree_, ReadSettingsFields());
  changes_.MarkSaved();
  recent_->AddProject(path);
  // "Projekt öffnen" starts where the last project was opened or saved.
  recent_->SetFolder(openDialog2_.Settings().name, QFileInfo(path).absolutePath());
}

bool MainWindow::MayReplaceJob() {
  if (!changes_.Modified()) return true;
  switch (QuestionBox::AskToSaveChanges(this)) {
    case QuestionBox::Answer::Speichern:
      return SaveProjectCommand();  // a cancelled or failed save keeps the job
    case QuestionBox::Answer::Verwerfen:
      return true;
    default:
      return false;
  }
}

void MainWindow::OpenProjectFile() {
  ErrorDisplay::Run([this] {
    if (!MayReplaceJob()) return;
    if (!openDialog2_.Execute(*dialogRunner_, this)) return;
    OpenProject(openDialog2_.FileName());
  });
}

bool MainWindow::SaveProjectCommand() {
  bool saved = false;
  ErrorDisplay::Run([&] { saved = SaveToProjectPath(); });
  return saved;
}

bool MainWindow::SaveToProjectPath() {
  if (!projectPath_.isEmpty()) {
    SaveProject(projectPath_);
    return true;
  }
  if (!saveDialog2_.Execute(*dialogRunner_, this)) return false;
  saveDialog2_.SetFileName(FromCorePath(ProjectFileName(ToCorePath(saveDialog2_.FileName()))));
  const QString path = saveDialog2_.FileName();
  // Written first: a failed first save leaves the window without a project path.
  SaveProject(path);
  SetProjectPathAndTitle(path);
  return true;
}

void MainWindow::SaveProjectFile() { SaveProjectCommand(); }

void MainWindow::SaveProjectAs() {
  ErrorDisplay::Run([this] {
    if (!saveDialog2_.Execute(*dialogRunner_, this)) return;
    saveDialog2_.SetFileName(FromCorePath(ProjectFileName(ToCorePath(saveDialog2_.FileName()))));
    const QString path = saveDialog2_.FileName();
    // Written first: a failed save leaves the window with the project it had.
    SaveProject(path);
    SetProjectPathAndTitle(path);
  });
}

void MainWindow::NewJob() {
  ErrorDisplay::Run([this] {
    if (!MayReplaceJob()) return;
    // An empty job with the settings a job without a project has.
    tav::ComponentTree empty;
    tree_.Swap(empty);
    WriteSettingsFields(tav::MachineSettings{});
    lastImport_ = {};
    ShowComponentCount();
    ShowDimensions();
    ui_->Memo1->clear();
    ui_->GCode_Summary->clear();
    projectPath_.clear();
    setWindowTitle(kTitle + kModifiedMark);
    changes_.MarkSaved();
    changes_.MarkProgramGenerated();  // the empty editor fits the empty job
  });
}

// "Beenden" closes the window as its close button does, with the same question.
void MainWindow::Quit() { close(); }

// --- Help -------------------------------------------------------------------

void MainWindow::ShowAbout() {
  ErrorDisplay::Run([this] { AboutBox::Show(this); });
}

void MainWindow::ShowBoardFileHelp() {
  ErrorDisplay::Run([this] { PickPlaceFileHelp::Show(this); });
}

// --- Tree popup menu --------------------------------------------------------

void MainWindow::ShowPopupMenu(const QPoint& position) {
  popupMenu_->popup(ui_->TreeView1->viewport()->mapToGlobal(position));
}

void MainWindow::IncludeSelected() {
  ErrorDisplay::Run([this] { popupCommands_->Include(); });
}

void MainWindow::ExcludeSelected() {
  ErrorDisplay::Run([this] { popupCommands_->Exclude(); });
}

void MainWindow::SortTree() {
  ErrorDisplay::Run([this] {
    // Sorting reorders the same nodes; the view keeps what was open and selected.
    const ComponentTreeView::State state = ui_->TreeView1->SaveState();
    tav::SortComponents(tree_, LocaleTextLess());
    ui_->TreeView1->RestoreState(state);
  });
}

void MainWindow::AssignFeeder(int feeder) {
  ErrorDisplay::Run([&] { popupCommands_->AssignFeeder(feeder); });
}

void MainWindow::AssignFeeder1() { AssignFeeder(1); }
void MainWindow::AssignFeeder2() { AssignFeeder(2); }
void MainWindow::AssignFeeder3() { AssignFeeder(3); }
void MainWindow::AssignFeeder4() { AssignFeeder(4); }

// --- Passes ---------------------------------------------------------------

void MainWindow::SetUpPlanning() {
  planDialog_ = std::make_unique<PlanDialog>(
      tree_, [this]() -> FileDialogRunner& { return *dialogRunner_; }, this);
  // After "Projekt speichern unter", so that items added at the menu's end stay last.
  auto* plan = new QAction(QStringLiteral("Durchg\u00e4nge planen\u2026"), this);
  plan->setObjectName(QStringLiteral("DurchgaengePlanen1"));
  QMenu* project = ui_->Projekt1;
  const QList<QAction*> items = project->actions();
  const qsizetype after = items.indexOf(ui_->Projektspeichernunter1);
  QAction* before = after >= 0 && after + 1 < items.size() ? items[after + 1] : nullptr;
  project->insertSeparator(before);
  project->insertAction(before, plan);
  connect(plan, &QAction::triggered, this, &MainWindow::ShowPassPlan);
  connect(planDialog_.get(), &PlanDialog::PassApplied, this, &MainWindow::SuggestPassProgramName);
  planDialog_->SetSettingsAccess([this] { return ReadSettingsFields(); },
                                 [this](const tav::MachineSettings& s) { WriteSettingsFields(s); });
}

// --- Board placement --------------------------------------------------------

void MainWindow::SetUpPlacement() {
  alignmentDialog_ = std::make_unique<BoardAlignmentDialog>(this);
  connect(ui_->Platine_Ausrichten, &QPushButton::clicked, this, [this] {
    ErrorDisplay::Run([this] {
      tav::MachineSettings settings = ReadSettingsFields();
      if (alignmentDialog_->Run(tree_, settings)) WriteSettingsFields(settings);
    });
  });

  preview_ = std::make_unique<BedPreview>(
      tree_, [this] { return ReadSettingsFields(); }, this);
  auto* show = new QAction(QStringLiteral("Vorschau"), this);
  show->setObjectName(QStringLiteral("Vorschau1"));
  show->setShortcut(QKeySequence(Qt::Key_F6));
  // Right after "Durchgänge planen…", so that "Beenden" stays last.
  const QList<QAction*> items = ui_->Projekt1->actions();
  const QAction* plan = findChild<QAction*>(QStringLiteral("DurchgaengePlanen1"));
  const qsizetype after = items.indexOf(plan);
  ui_->Projekt1->insertAction(after >= 0 && after + 1 < items.size() ? items[after + 1] : nullptr,
                              show);
  connect(show, &QAction::triggered, this, [this] {
    preview_->show();
    preview_->raise();
  });
  const auto changed = [this] { preview_->SettingsChanged(); };
  for (QLineEdit* field : ui_->PageControl1->findChildren<QLineEdit*>())
    connect(field, &QLineEdit::textChanged, preview_.get(), changed);
  for (QComboBox* list : ui_->PageControl1->findChildren<QComboBox*>())
    connect(list, &QComboBox::currentTextChanged, preview_.get(), changed);
  connect(ui_->TreeView1->selectionModel(), &QItemSelectionModel::currentChanged, preview_.get(),
          [this](const QModelIndex& current) {
            const tav::TreeNode* node = model_->NodeOf(current);
            while (node != nullptr && node->Parent() != nullptr) node = node->Parent();
            preview_->SetSelected(node);
          });
  connect(preview_.get(), &BedPreview::PartClicked, this, [this](const tav::TreeNode* top) {
    const QModelIndex index = model_->IndexOf(top);
    ui_->TreeView1->setCurrentIndex(index);
    ui_->TreeView1->scrollTo(index);
  });
}

void MainWindow::SetMachinePositionSource(MachinePositionSource source) {
  alignmentDialog_->SetPositionSource(std::move(source));
}

// The program of an applied pass is offered under the name `tav plan` gives
// it, in the folder of the last program saved or else the project's, so the
// passes of a board don't overwrite each other's programs.
void MainWindow::SuggestPassProgramName(int pass) {
  const QString name = FromCorePath(tav::PassProgramFileName(pass));
  const QString& beside =
      saveDialog1_.FileName().isEmpty() ? projectPath_ : saveDialog1_.FileName();
  saveDialog1_.SetFileName(beside.isEmpty() ? name : QFileInfo(beside).dir().filePath(name));
}

void MainWindow::ShowPassPlan() {
  ErrorDisplay::Run([this] { planDialog_->ShowPlan(); });
}

// --- Machine files ----------------------------------------------------------

void MainWindow::SaveMachineFile() {
  ErrorDisplay::Run([this] {
    if (!saveDialog3_.Execute(*dialogRunner_, this)) return;
    saveDialog3_.SetFileName(
        FromCorePath(tav::MachineProfileFileName(ToCorePath(saveDialog3_.FileName()))));
    tav::SaveMachineProfile(ToCorePath(saveDialog3_.FileName()), ReadSettingsFields());
  });
}

void MainWindow::OpenMachineFile() {
  ErrorDisplay::Run([this] {
    if (!openDialog3_.Execute(*dialogRunner_, this)) return;
    // Only the stored settings change, and only when the whole file was read.
    tav::MachineSettings settings = ReadSettingsFields();
    tav::LoadMachineProfile(ToCorePath(openDialog3_.FileName()), settings);
    WriteSettingsFields(settings);
  });
}

}  // namespace tav::ui
