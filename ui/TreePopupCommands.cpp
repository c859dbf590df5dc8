// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TreePopupCommands.h"

#include <QAction>
#include <QMenu>

#include <functional>

#include "core/BulkEditCommands.h"
#include "ui/ComponentTreeView.h"
#include "ui/ErrorDisplay.h"
#include "ui/ImageList.h"

namespace tav::ui {

TreePopupCommands::TreePopupCommands(tav::ComponentTree& tree, const ComponentTreeView& view,
                                     QMenu& menu, QObject* parent)
    : QObject(parent), tree_(tree), view_(view) {
  AddItems(menu);
}

void TreePopupCommands::AddItems(QMenu& menu) {
  const auto add = [this](QMenu& to, const char* name, const QString& caption, int icon,
                          std::function<void()> command) {
    QAction* action = to.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (icon >= 0) action->setIcon(ImageList::Icon(icon));
    connect(action, &QAction::triggered, this,
            [command = std::move(command)] { ErrorDisplay::Run(command); });
  };

  menu.addSeparator();
  QMenu* sameKind = menu.addMenu(QStringLiteral("Gleiche Bauteile"));
  sameKind->setObjectName(QStringLiteral("GleicheBauteile1"));
  sameKind->menuAction()->setObjectName(QStringLiteral("GleicheBauteile1"));
  static const char* const kSameKindNames[] = {"GleicheFeeder11", "GleicheFeeder21",
                                               "GleicheFeeder31", "GleicheFeeder41"};
  for (int feeder = 1; feeder <= 4; ++feeder) {
    add(*sameKind, kSameKindNames[feeder - 1], QStringLiteral("Feeder %1").arg(feeder), -1,
        [this, feeder] { AssignFeederToSameKind(feeder); });
  }
  add(menu, "AlleEinschliessen1", QStringLiteral("Alle einschliessen"), 0,
      [this] { tav::IncludeAllComponents(tree_); });
  add(menu, "AlleAusschliessen1", QStringLiteral("Alle ausschliessen"), 1,
      [this] { tav::ExcludeAllComponents(tree_); });
  add(menu, "OberseiteAusschliessen1", QStringLiteral("Oberseite ausschliessen"), 1,
      [this] { tav::ExcludeSide(tree_, tav::ComponentSide::kTop); });
  add(menu, "UnterseiteAusschliessen1", QStringLiteral("Unterseite ausschliessen"), 1,
      [this] { tav::ExcludeSide(tree_, tav::ComponentSide::kBottom); });
  add(menu, "NichtBestueckteAusschliessen1", QStringLiteral("Nicht best\u00fcckte ausschliessen"),
      1, [this] { tav::ExcludeNotFitted(tree_); });
}

std::vector<int> TreePopupCommands::SelectedIndices() const {
  std::vector<int> indices;
  for (const tav::TreeNode* node : view_.SelectedNodes()) indices.push_back(tree_.IndexOf(node));
  return indices;
}

void TreePopupCommands::Include() { tav::IncludeComponents(tree_, SelectedIndices()); }

void TreePopupCommands::Exclude() { tav::ExcludeComponents(tree_, SelectedIndices()); }

void TreePopupCommands::AssignFeeder(int feeder) {
  tav::AssignFeederToComponents(tree_, SelectedIndices(), feeder);
}

void TreePopupCommands::AssignFeederToSameKind(int feeder) {
  tav::AssignFeederToSameKind(tree_, SelectedIndices(), feeder);
}

}  // namespace tav::ui
