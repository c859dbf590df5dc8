#include "ui/MainWindow.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QScreen>

#include <limits>

#include "core/DecimalSeparator.h"
#include "core/EditCommands.h"
#include "core/NumberConversion.h"
#include "gcode/GCodeGenerator.h"
#include "project/ProjectFile.h"
#include "ui/AboutBox.h"
#include "ui/ComponentTreeModel.h"
#include "ui/ComponentTreeView.h"
#include "ui/EditorText.h"
#include "ui/ErrorDisplay.h"
#include "ui/FilePath.h"
#include "ui/ImageList.h"
#include "ui/LocaleDecimalSeparator.h"
#include "ui/LocaleTextLess.h"
#include "ui/PickPlaceFileHelp.h"
#include "ui/SettingsFields.h"
#include "ui/TextCodec.h"
#include "ui/VirtualDisplay.h"
#include "ui/WindowFont.h"
#include "ui_MainWindow.h"

namespace tav::ui {
namespace {

const QString kTitle = QStringLiteral("TAV - Tavoline");
const QString kTitlePrefix = QStringLiteral("TAV - Tavoline - ");

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

TForm1::TForm1(const QStringList& arguments, QWidget* parent)
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
      localeSource_([] { return QLocale::system(); }) {
  ui_->setupUi(this);
  SetUpWindow();
  SetUpTree();
  SetUpPopupMenu();
  ConnectCommands();
  FormCreate(arguments);
}

TForm1::~TForm1() {
  // The view lets go of the model before the model and the tree go.
  ui_->TreeView1->setModel(nullptr);
}

void TForm1::SetUpWindow() {
  // System menu and close button only; the size is fixed.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  setFont(WindowFont());
  SetBackground(this, QPalette::Window, kSilver);
  SetBackground(ui_->Memo1, QPalette::Base, kLightBlue);
  // Fields take any length of text, as a project file may hold it.
  for (QLineEdit* field : findChildren<QLineEdit*>())
    field->setMaxLength(std::numeric_limits<int>::max());
}

void TForm1::SetUpTree() {
  model_ = std::make_unique<ComponentTreeModel>(tree_);
  ui_->TreeView1->SetComponentModel(model_.get());
  ui_->TreeView1->SetBackground(kSilver);
  connect(ui_->TreeView1, &QWidget::customContextMenuRequested, this, &TForm1::ShowPopupMenu);
}

void TForm1::SetUpPopupMenu() {
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
}

void TForm1::ConnectCommands() {
  connect(ui_->Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(ui_->Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(ui_->Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(ui_->Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(ui_->Laden1, &QAction::triggered, this, &TForm1::Laden1Click);
  connect(ui_->Speicher1, &QAction::triggered, this, &TForm1::Speicher1Click);
  connect(ui_->Projektspeichernunter1, &QAction::triggered, this,
          &TForm1::Projektspeichernunter1Click);
  connect(ui_->About1, &QAction::triggered, this, &TForm1::About1Click);
  connect(ui_->PickandPlaceFileAufbau1, &QAction::triggered, this,
          &TForm1::PickandPlaceFileAufbau1Click);
  connect(ui_->Einschliessen1, &QAction::triggered, this, &TForm1::Einschliessen1Click);
  connect(ui_->Ausschliessen1, &QAction::triggered, this, &TForm1::Ausschliessen1Click);
  connect(ui_->Sortieren1, &QAction::triggered, this, &TForm1::Sortieren1Click);
  connect(ui_->Feeder11, &QAction::triggered, this, &TForm1::Feeder11Click);
  connect(ui_->Feeder21, &QAction::triggered, this, &TForm1::Feeder21Click);
  connect(ui_->Feeder31, &QAction::triggered, this, &TForm1::Feeder31Click);
  connect(ui_->Feeder41, &QAction::triggered, this, &TForm1::Feeder41Click);
  // "Speichern" and "Laden" under "Einstellungen" are shown and enabled but
  // carry no command.
}

void TForm1::CreateDisplayWindow() {
  if (!display_) display_ = std::make_unique<TForm2>(tree_, lastImport_, this);
}

void TForm1::ShowCentred() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    QRect frame = frameGeometry();
    if (frame.size().isEmpty()) frame.setSize(sizeHint());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
}

tav::MachineSettings TForm1::ReadSettingsFields() const { return ReadSettings(*ui_); }

void TForm1::WriteSettingsFields(const tav::MachineSettings& settings) {
  WriteSettings(*ui_, settings);
}

void TForm1::SetFileDialogRunner(std::unique_ptr<FileDialogRunner> runner) {
  dialogRunner_ = runner ? std::move(runner) : std::make_unique<QtFileDialogRunner>();
}

void TForm1::SetLocaleSource(std::function<QLocale()> source) { localeSource_ = std::move(source); }

void TForm1::changeEvent(QEvent* event) {
  // The user's regional settings changed: numbers are read and written with
  // the new separator from the next conversion on.
  if (event->type() == QEvent::LocaleChange)
    tav::SetDecimalSeparator(DecimalSeparatorOf(localeSource_()));
  QMainWindow::changeEvent(event);
}

// --- Start-up ---------------------------------------------------------------

void TForm1::FormCreate(const QStringList& arguments) {
  ErrorDisplay::Run([&] {
    SetBackground(ui_->TabSheet1, QPalette::Window, kBlue);
    const QString project = arguments.value(1);
    if (project.isEmpty()) return;
    SetProjectPathAndTitle(project);
    OpenProject(project);
  });
}

// --- Pick-and-place import --------------------------------------------------

void TForm1::Button1Click() {
  ErrorDisplay::Run([this] { ImportPickPlace(); });
}

void TForm1::ImportPickPlace() {
  if (openDialog1_.Execute(*dialogRunner_, this)) {
    // The import replaces the tree only when the whole file was read.
    lastImport_ = tav::PickPlaceImport(ToCorePath(openDialog1_.FileName()), tree_);
    ui_->BauelementeLabel->setText(ToQString(tav::IntegerToText(lastImport_.componentCount)));
  }
  ShowDimensions();
}

void TForm1::ShowDimensions() {
  ui_->DimLabel_X->setText(ToQString(tav::DimensionLabel(lastImport_.largestX)));
  ui_->DimLabel_Y->setText(ToQString(tav::DimensionLabel(lastImport_.largestY)));
}

// --- G-code -----------------------------------------------------------------

void TForm1::Button2Click() {
  ErrorDisplay::Run([this] { GenerateGCode(); });
}

void TForm1::GenerateGCode() {
  const tav::MachineSettings settings = ReadSettingsFields();
  std::string program;
  try {
    tav::GCodeGenerator::Generate(tree_, settings, program);
  } catch (...) {
    // The lines written before the error stay in the editor.
    SetEditorText(*ui_->Memo1, program);
    throw;
  }
  SetEditorText(*ui_->Memo1, program);
}

void TForm1::Button3Click() {
  ErrorDisplay::Run([this] { ExportGCodeFile(); });
}

void TForm1::ExportGCodeFile() {
  if (!saveDialog1_.Execute(*dialogRunner_, this)) return;
  saveDialog1_.SetFileName(WithDefaultExtensionOf(saveDialog1_.FileName(), ".nc"));
  tav::ExportGCode(EditorTextWithCrLf(*ui_->Memo1), ToCorePath(saveDialog1_.FileName()));
}

// --- Position display -------------------------------------------------------

void TForm1::Button4Click() {
  ErrorDisplay::Run([this] {
    if (display_) display_->ShowAndRaise();
  });
}

// --- Project commands -------------------------------------------------------

void TForm1::SetTitleFor(const QString& path) {
  setWindowTitle(kTitlePrefix + FileNamePartOf(path));
}

void TForm1::SetProjectPathAndTitle(const QString& path) {
  projectPath_ = path;
  SetTitleFor(path);
}

void TForm1::OpenProject(const QString& path) {
  // Fields the file lacks keep what the user sees; all or nothing.
  tav::MachineSettings settings = ReadSettingsFields();
  tav::load_project(ToCorePath(path), tree_, settings);
  WriteSettingsFields(settings);
}

void TForm1::SaveProject(const QString& path) {
  tav::save_project(ToCorePath(path), tree_, ReadSettingsFields());
}

void TForm1::Laden1Click() {
  ErrorDisplay::Run([this] {
    if (!openDialog2_.Execute(*dialogRunner_, this)) return;
    const QString path = openDialog2_.FileName();
    SetProjectPathAndTitle(path);
    OpenProject(path);
  });
}

void TForm1::Speicher1Click() {
  ErrorDisplay::Run([this] {
    if (!projectPath_.isEmpty()) {
      SaveProject(projectPath_);
      return;
    }
    if (!saveDialog2_.Execute(*dialogRunner_, this)) return;
    saveDialog2_.SetFileName(WithDefaultExtensionOf(saveDialog2_.FileName(), ".tav"));
    const QString path = saveDialog2_.FileName();
    // Written first: a failed first save leaves the window without a project path.
    SaveProject(path);
    SetTitleFor(path);
    projectPath_ = path;
  });
}

void TForm1::Projektspeichernunter1Click() {
  ErrorDisplay::Run([this] {
    if (!saveDialog2_.Execute(*dialogRunner_, this)) return;
    saveDialog2_.SetFileName(WithDefaultExtensionOf(saveDialog2_.FileName(), ".tav"));
    const QString path = saveDialog2_.FileName();
    SetProjectPathAndTitle(path);
    SaveProject(path);
  });
}

// --- Help -------------------------------------------------------------------

void TForm1::About1Click() {
  ErrorDisplay::Run([this] { AboutBox::Show(this); });
}

void TForm1::PickandPlaceFileAufbau1Click() {
  ErrorDisplay::Run([this] { PickPlaceFileHelp::Show(this); });
}

// --- Tree popup menu --------------------------------------------------------

void TForm1::ShowPopupMenu(const QPoint& position) {
  popupMenu_->popup(ui_->TreeView1->viewport()->mapToGlobal(position));
}

void TForm1::Einschliessen1Click() {
  ErrorDisplay::Run([this] { tav::IncludeComponent(tree_, ui_->TreeView1->SelectedNode()); });
}

void TForm1::Ausschliessen1Click() {
  ErrorDisplay::Run([this] { tav::ExcludeComponent(tree_, ui_->TreeView1->SelectedNode()); });
}

void TForm1::Sortieren1Click() {
  ErrorDisplay::Run([this] {
    // Sorting reorders the same nodes; the view keeps what was open and selected.
    const ComponentTreeView::State state = ui_->TreeView1->SaveState();
    tav::SortComponents(tree_, LocaleTextLess());
    ui_->TreeView1->RestoreState(state);
  });
}

void TForm1::AssignFeeder(int feeder) {
  ErrorDisplay::Run([&] { tav::AssignFeeder(tree_, ui_->TreeView1->SelectedNode(), feeder); });
}

void TForm1::Feeder11Click() { AssignFeeder(1); }
void TForm1::Feeder21Click() { AssignFeeder(2); }
void TForm1::Feeder31Click() { AssignFeeder(3); }
void TForm1::Feeder41Click() { AssignFeeder(4); }

}  // namespace tav::ui
