// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PlanDialog.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>

#include "core/Error.h"
#include "core/LineList.h"
#include "core/PathRules.h"
#include "plan/PassPrograms.h"
#include "plan/SetupSheet.h"
#include "ui/ErrorDisplay.h"
#include "ui/FilePath.h"
#include "ui/PlanTableModel.h"
#include "ui/TextCodec.h"

namespace tav::ui {
namespace {

QString Counted(int count, const char* one, const char* many) {
  return QStringLiteral("%1 %2").arg(count).arg(QString::fromUtf8(count == 1 ? one : many));
}

QString Summary(const tav::PassPlan& plan) {
  if (plan.Empty())
    return QStringLiteral("Kein Bauteil ist eingeschlossen; es gibt nichts zu planen.");
  QString text = Counted(plan.ComponentCount(), "Bauteil", "Bauteile") + QStringLiteral(" in ") +
                 Counted(plan.KindCount(), "Bauteilart", "Bauteilarten") + QStringLiteral(", ") +
                 Counted(plan.PassCount(), "Durchgang", "Durchgänge") + QStringLiteral(".");
  if (plan.ExcludedCount() > 0)
    text += QStringLiteral(" Nicht eingeplant, weil ausgeschlossen: %1.")
                .arg(Counted(plan.ExcludedCount(), "Bauteil", "Bauteile"));
  if (plan.TopSideCount() > 0 && plan.BottomSideCount() > 0)
    text += QStringLiteral(
                "\nAchtung: Bauteile auf Ober- und Unterseite (%1 oben, %2 unten); jede Seite "
                "getrennt planen, die andere vorher ausschliessen.")
                .arg(plan.TopSideCount())
                .arg(plan.BottomSideCount());
  return text;
}

}  // namespace

PlanDialog::PlanDialog(tav::ComponentTree& tree, DialogRunnerSource dialogs, QWidget* parent)
    : QDialog(parent),
      tree_(tree),
      dialogs_(std::move(dialogs)),
      saveDialog4_({QStringLiteral("SaveDialog4"), FileDialogSettings::Mode::Save,
                    QStringLiteral("Einrichtung (*.txt)")}),
      model_(std::make_unique<PlanTableModel>()) {
  setObjectName(QStringLiteral("PlanDialog"));
  setWindowTitle(QStringLiteral("Durchgänge planen"));
  setModal(false);
  Build();
  Show();
  tree_.AddObserver(this);
}

PlanDialog::~PlanDialog() {
  tree_.RemoveObserver(this);
  table_->setModel(nullptr);
}

void PlanDialog::Build() {
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("PlanSummary"));
  summary_->setWordWrap(true);

  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("PlanTable"));
  table_->setModel(model_.get());
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setWordWrap(false);

  passes_ = new QComboBox(this);
  passes_->setObjectName(QStringLiteral("PlanPass"));
  apply_ = new QPushButton(QStringLiteral("Durchgang anwenden"), this);
  apply_->setObjectName(QStringLiteral("PlanApply"));
  auto* replan = new QPushButton(QStringLiteral("Neu planen"), this);
  replan->setObjectName(QStringLiteral("PlanReplan"));
  print_ = new QPushButton(QStringLiteral("Drucken…"), this);
  print_->setObjectName(QStringLiteral("PlanPrint"));
  save_ = new QPushButton(QStringLiteral("Einrichtung speichern…"), this);
  save_->setObjectName(QStringLiteral("PlanSave"));
  auto* close = new QPushButton(QStringLiteral("Schliessen"), this);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("PlanStatus"));
  status_->setWordWrap(true);

  auto* passRow = new QHBoxLayout;
  passRow->addWidget(new QLabel(QStringLiteral("Durchgang:"), this));
  passRow->addWidget(passes_, 1);
  passRow->addWidget(apply_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(replan);
  buttons->addStretch(1);
  buttons->addWidget(print_);
  buttons->addWidget(save_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(table_, 1);
  layout->addLayout(passRow);
  layout->addWidget(status_);
  layout->addLayout(buttons);
  resize(720, 420);

  connect(apply_, &QPushButton::clicked, this,
          [this] { ErrorDisplay::Run([this] { ApplyChosenPass(); }); });
  connect(replan, &QPushButton::clicked, this, [this] { ErrorDisplay::Run([this] { Replan(); }); });
  connect(print_, &QPushButton::clicked, this, [this] { ErrorDisplay::Run([this] { Print(); }); });
  connect(save_, &QPushButton::clicked, this,
          [this] { ErrorDisplay::Run([this] { SaveSetupSheet(); }); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  // A double click on a row applies its pass.
  connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    ErrorDisplay::Run([&] { ApplyPass(tav::PassPlan::PassOfKind(index.row())); });
  });
  // Choosing a row of the table chooses its pass.
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid())
              passes_->setCurrentIndex(tav::PassPlan::PassOfKind(current.row()) - 1);
          });
}

// Shows the current plan, or why there is none.
void PlanDialog::Show() {
  model_->SetPlan(Plan());
  passes_->clear();
  if (plan_) {
    for (int pass = 1; pass <= plan_->PassCount(); ++pass) {
      passes_->addItem(QStringLiteral("Durchgang %1 (%2)")
                           .arg(pass)
                           .arg(Counted(plan_->ComponentCountOfPass(pass), "Bauteil", "Bauteile")));
    }
    summary_->setText(Summary(*plan_));
  } else {
    summary_->setText(
        QStringLiteral("Die Bauteile haben sich geändert; bitte die Durchgänge neu planen."));
  }
  table_->resizeColumnsToContents();
  const bool hasPasses = plan_ && !plan_->Empty();
  passes_->setEnabled(hasPasses);
  apply_->setEnabled(hasPasses);
  print_->setEnabled(plan_.has_value());
  save_->setEnabled(plan_.has_value());
}

void PlanDialog::Forget() {
  // Called from the tree's notifications: no reading of the tree here.
  if (!plan_) return;
  plan_.reset();
  status_->clear();
  Show();
}

void PlanDialog::ShowPlan() {
  if (!plan_) Replan();
  show();
  raise();
  activateWindow();
}

void PlanDialog::SetSettingsAccess(std::function<tav::MachineSettings()> read,
                                   std::function<void(const tav::MachineSettings&)> write) {
  readSettings_ = std::move(read);
  writeSettings_ = std::move(write);
}

void PlanDialog::Replan() {
  // Made in full before it replaces the shown plan.
  tav::PassPlan plan =
      tav::PassPlan::Make(tree_, readSettings_ ? readSettings_() : tav::MachineSettings{});
  model_->SetPlan(nullptr);
  plan_ = std::move(plan);
  status_->clear();
  Show();
}

void PlanDialog::ApplyPass(int pass) {
  if (!plan_)
    throw tav::Error(
        "Die Bauteile haben sich seit der Planung ge\xE4ndert; bitte die Durchg\xE4nge neu planen");
  plan_->ApplyPass(tree_, pass);
  if (readSettings_ && writeSettings_) {
    tav::MachineSettings settings = readSettings_();
    plan_->ApplyPassAngles(settings, pass);
    if (!(settings == readSettings_())) writeSettings_(settings);
  }
  status_->setText(QStringLiteral("Durchgang %1 ist angewendet: %2 eingeschlossen, alle anderen "
                                  "ausgeschlossen. Jetzt \"G-Code generieren\".")
                       .arg(pass)
                       .arg(Counted(plan_->ComponentCountOfPass(pass), "Bauteil", "Bauteile")));
  emit PassApplied(pass);
}

void PlanDialog::ApplyChosenPass() { ApplyPass(passes_->currentIndex() + 1); }

std::string PlanDialog::SetupSheetText() const {
  // The desktop names no program files; the user saves each program himself.
  return plan_ ? tav::SetupSheet(*plan_, false) : std::string();
}

void PlanDialog::SaveSetupSheet() {
  if (!plan_) return;
  if (saveDialog4_.FileName().isEmpty())
    saveDialog4_.SetFileName(QString::fromLatin1(tav::kSetupSheetFileName));
  if (!saveDialog4_.Execute(dialogs_(), this)) return;
  saveDialog4_.SetFileName(
      FromCorePath(tav::WithDefaultExtension(ToCorePath(saveDialog4_.FileName()), ".txt")));
  tav::SaveText(SetupSheetText(), ToCorePath(saveDialog4_.FileName()));
}

void PlanDialog::PrintSetupSheet(QPrinter& printer) const {
  QTextDocument document;
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(9);
  document.setDefaultFont(font);
  QString text = ToQString(SetupSheetText());
  text.remove(QLatin1Char('\r'));
  document.setPlainText(text);
  document.print(&printer);
}

void PlanDialog::Print() {
  if (!plan_) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QStringLiteral("Einrichtung"));
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(QStringLiteral("Einrichtung drucken"));
  if (dialog.exec() == QDialog::Accepted) PrintSetupSheet(printer);
}

}  // namespace tav::ui
