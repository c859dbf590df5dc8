// SPDX-License-Identifier: GPL-3.0-or-later
// The popup menu on a selection of several components, its items for the
// whole board and the feeder badges of the tree.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTreeView>

#include "UiTestSupport.h"
#include "ui/ComponentTreeModel.h"
#include "ui/FeederBadgeDelegate.h"

namespace tav::ui::test {
namespace {

class BulkEditing : public MainWindowTest {
 protected:
  void SetUp() override {
    Import({{"R1", "0805", "1mm", "1mm", "TopLayer", "0", "10k"},
            {"R2", "0805", "2mm", "1mm", "BottomLayer", "0", "10k"},
            {"C1", "0603", "3mm", "1mm", "Top", "0", "100n"},
            {"C2", "0603", "4mm", "1mm", "B.Cu", "0", "100n"},
            {"U1", "SOIC-8", "5mm", "1mm", "Inner1", "0", "NE555"}});
    form_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
  }

  QTreeView* Tree() { return Child<QTreeView>("TreeView1"); }
  ComponentTreeModel& Model() { return form_.TreeModel(); }
  // Top-level rows in file order: R1, R2, C1, C2, U1.
  QModelIndex Item(int top, int child = -1) {
    QModelIndex index = Model().index(top, 0);
    return child < 0 ? index : Model().index(child, 0, index);
  }
  void ClickOn(const QModelIndex& index, Qt::KeyboardModifiers modifiers = {}) {
    Tree()->scrollTo(index);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, modifiers,
                      Tree()->visualRect(index).center());
  }
  void Trigger(const char* name) { Child<QAction>(name)->trigger(); }
  const TreeNode* Component(int row) { return form_.Tree().TopLevel(row); }
  // One letter per component: 'i' included, 'x' excluded.
  std::string States() {
    std::string states;
    for (int row = 0; row < Model().rowCount(); ++row)
      states += Component(row)->ImageIndex() == 0 ? 'i' : 'x';
    return states;
  }
  std::string Badges() {
    std::string badges;
    for (int row = 0; row < Model().rowCount(); ++row)
      badges += FeederBadgeDelegate::BadgeOf(Model().NodeOf(Item(row))).toStdString();
    return badges;
  }
};

TEST_F(BulkEditing, CtrlAndShiftClickSelectSeveralComponentsForThePopupCommands) {
  ClickOn(Item(0));
  ClickOn(Item(2), Qt::ControlModifier);
  Tree()->expand(Item(4));
  ClickOn(Item(4, 1), Qt::ControlModifier);  // an attribute stands for its component
  EXPECT_EQ(Tree()->selectionModel()->selectedIndexes().size(), 3);
  Trigger("Ausschliessen1");
  EXPECT_EQ(States(), "xixix");
  Trigger("Feeder31");
  EXPECT_EQ(Badges(), "31313");

  ClickOn(Item(1));
  ClickOn(Item(3), Qt::ShiftModifier);  // C2, C1 and R2
  Trigger("Einschliessen1");
  EXPECT_EQ(States(), "xiiix");
  form_.AssignFeeder2();
  EXPECT_EQ(Badges(), "32223");
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(BulkEditing, ARightClickKeepsASelectionOfSeveralComponents) {
  ClickOn(Item(0));
  ClickOn(Item(1), Qt::ControlModifier);
  const QPoint position = Tree()->visualRect(Item(3)).center();
  QTest::mouseClick(form_.windowHandle(), Qt::RightButton, {},
                    Tree()->viewport()->mapTo(&form_, position));
  EXPECT_TRUE(form_.PopupMenu()->isVisible());
  form_.PopupMenu()->hide();
  Trigger("Ausschliessen1");
  EXPECT_EQ(States(), "xxiii");
}

TEST_F(BulkEditing, TheAddedItemsFollowTheFirstEightAfterASeparator) {
  QStringList items;
  for (const QAction* action : form_.PopupMenu()->actions().mid(8))
    items << (action->isSeparator() ? "-" : action->objectName() + "=" + action->text());
  EXPECT_EQ(items, QStringList({"-", "GleicheBauteile1=Gleiche Bauteile",
                                "AlleEinschliessen1=Alle einschliessen",
                                "AlleAusschliessen1=Alle ausschliessen",
                                "OberseiteAusschliessen1=Oberseite ausschliessen",
                                "UnterseiteAusschliessen1=Unterseite ausschliessen",
                                QStringLiteral("NichtBestueckteAusschliessen1=Nicht "
                                               "best\u00fcckte ausschliessen")}));
  QStringList feeders;
  for (const QAction* action : Child<QMenu>("GleicheBauteile1")->actions())
    feeders << action->text();
  EXPECT_EQ(feeders, QStringList({"Feeder 1", "Feeder 2", "Feeder 3", "Feeder 4"}));
}

TEST_F(BulkEditing, SortingKeepsASelectionOfSeveralComponents) {
  ClickOn(Item(0));                       // R1
  ClickOn(Item(4), Qt::ControlModifier);  // U1
  Trigger("Sortieren1");                  // C1, C2, R1, R2, U1
  Trigger("Ausschliessen1");
  EXPECT_EQ(States(), "iixix");
}

TEST_F(BulkEditing, WholeBoardItems) {
  ClickOn(Item(0));  // R1: 10k 0805, like R2
  Trigger("GleicheFeeder41");
  EXPECT_EQ(Badges(), "44111");

  Trigger("OberseiteAusschliessen1");
  EXPECT_EQ(States(), "xixii");
  Trigger("UnterseiteAusschliessen1");
  EXPECT_EQ(States(), "xxxxi");  // U1's inner layer is neither side
  Trigger("AlleEinschliessen1");
  EXPECT_EQ(States(), "iiiii");
  Trigger("AlleAusschliessen1");
  EXPECT_EQ(States(), "xxxxx");
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(BulkEditing, TheBadgeFollowsEveryChangeOfTheFeederNode) {
  EXPECT_EQ(Badges(), "11111");
  form_.Tree().SetText(form_.Tree().NodeAt(5), "Feeder: 7");  // as an in-place edit can
  form_.Tree().SetText(form_.Tree().NodeAt(13 + 5), "Feeder: 4");
  EXPECT_EQ(Badges(), "?4111");
  EXPECT_EQ(FeederBadgeDelegate::BadgeOf(Model().NodeOf(Item(0, 4))), "");  // not a component
  // The tree draws badges for included, excluded and selected components.
  ClickOn(Item(1));
  Trigger("Ausschliessen1");
  EXPECT_FALSE(Tree()->grab().isNull());
}

}  // namespace
}  // namespace tav::ui::test
