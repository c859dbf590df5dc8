// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ComponentTreeModel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QIcon>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include "core/ComponentTree.h"
#include "core/EditCommands.h"
#include "support/ByteTextLess.h"
#include "support/ComponentBlocks.h"
#include "ui/ComponentTreeView.h"

namespace tav::ui {
namespace {

using tav::test::AddComponent;
using tav::test::ByteTextLess;

// Turns the model tester's complaints into test failures.
class ModelWarnings final {
 public:
  ModelWarnings() { previous_ = qInstallMessageHandler(&Handler); }
  ~ModelWarnings() { qInstallMessageHandler(previous_); }
  static QStringList& Messages() {
    static QStringList messages;
    return messages;
  }

 private:
  static void Handler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg) Messages() << message;
  }
  QtMessageHandler previous_;
};

TEST(ComponentTreeModelTest, PassesTheModelTesterThroughEveryKindOfChange) {
  ModelWarnings warnings;
  ModelWarnings::Messages().clear();
  ComponentTree tree;
  ComponentTreeModel model(tree);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);

  AddComponent(tree, "R2", "1mm", "2mm");
  AddComponent(tree, "C1", "3mm", "4mm");
  TreeNode* first = tree.AddFirst("U1");
  tree.AddChild(first, "Comment: x");
  tree.SetText(tree.NodeAt(1), "R2 edited");
  ExcludeComponent(tree, tree.TopLevel(1));
  SortComponents(tree, ByteTextLess);
  ComponentTree replacement;
  AddComponent(replacement, "Q1", "0", "0");
  tree.Swap(replacement);
  tree.Clear();

  EXPECT_TRUE(ModelWarnings::Messages().isEmpty())
      << ModelWarnings::Messages().join('\n').toStdString();
}

TEST(ComponentTreeModelTest, AnswersFromTheTreeWithoutACopy) {
  ComponentTree tree;
  ComponentTreeModel model(tree);
  TreeNode* r1 = AddComponent(tree, "R1", "10.16mm", "5.08mm");
  AddComponent(tree, "R2", "1", "2");

  EXPECT_EQ(model.rowCount(), 2);
  const QModelIndex top = model.index(0, 0);
  EXPECT_EQ(model.NodeOf(top), r1);
  EXPECT_EQ(model.rowCount(top), 7);
  const QModelIndex size = model.index(6, 0, top);
  EXPECT_EQ(size.data().toString(), QStringLiteral("Gr\u00f6sse"));
  EXPECT_EQ(model.parent(model.index(2, 0, size)), size);
  EXPECT_EQ(model.parent(size), top);
  EXPECT_EQ(model.IndexOf(tree.NodeAt(20)),
            model.index(0, 0, model.index(5, 0, model.index(1, 0))));

  // A change in the tree is visible at once and announced.
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  tree.SetText(r1, "R1a");
  EXPECT_EQ(top.data().toString(), "R1a");
  EXPECT_EQ(changed.count(), 1);
}

TEST(ComponentTreeModelTest, TheSelectedNodeShowsItsSelectedIndex) {
  ComponentTree tree;
  ComponentTreeModel model(tree);
  TreeNode* r1 = AddComponent(tree, "R1", "1", "2");
  tree.SetImageIndex(r1, 1);  // SelectedIndex stays 0
  const QModelIndex top = model.index(0, 0);
  const QModelIndex feeder = model.index(4, 0, top);

  EXPECT_EQ(top.data(ComponentTreeModel::ShownIconIndexRole).toInt(), 1);
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  model.SetSelectedNode(r1);
  EXPECT_EQ(top.data(ComponentTreeModel::ShownIconIndexRole).toInt(), 0);
  model.SetSelectedNode(model.NodeOf(feeder));
  EXPECT_EQ(top.data(ComponentTreeModel::ShownIconIndexRole).toInt(), 1);
  EXPECT_EQ(changed.count(), 3);  // select r1; then r1 back and the feeder node

  EXPECT_FALSE(top.data(Qt::DecorationRole).value<QIcon>().isNull());
  tree.SetImageIndex(r1, 42);  // a project file may hold any index
  EXPECT_TRUE(top.data(Qt::DecorationRole).value<QIcon>().isNull());
}

TEST(ComponentTreeModelTest, EditingReplacesTheTextUnchecked) {
  ComponentTree tree;
  ComponentTreeModel model(tree);
  AddComponent(tree, "R1", "1", "2");
  const QModelIndex x = model.index(0, 0, model.index(5, 0, model.index(0, 0)));
  EXPECT_TRUE(model.flags(x) & Qt::ItemIsEditable);
  EXPECT_TRUE(model.setData(x, QStringLiteral("kein Wert \u00b5 \u2192")));
  EXPECT_EQ(tree.NodeAt(7)->Text(), "kein Wert \xB5 ?");
}

TEST(ComponentTreeModelTest, AResetForgetsTheSelectedNode) {
  ComponentTree tree;
  ComponentTreeModel model(tree);
  TreeNode* r1 = AddComponent(tree, "R1", "1", "2");
  model.SetSelectedNode(r1);
  tree.Clear();
  EXPECT_EQ(model.SelectedNode(), nullptr);
  EXPECT_EQ(model.rowCount(), 0);
}

TEST(ComponentTreeViewTest, TheSelectionIsHiddenWhileTheTreeHasNoFocus) {
  ComponentTree tree;
  ComponentTreeModel model(tree);
  AddComponent(tree, "R1", "1", "2");
  QWidget window;
  ComponentTreeView view(&window);
  QLineEdit elsewhere(&window);
  elsewhere.move(0, 200);
  view.SetComponentModel(&model);
  view.SetBackground(QColor(192, 192, 192));
  view.resize(200, 100);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  view.setCurrentIndex(model.index(0, 0));

  const auto rowColour = [&] {
    const QRect row = view.visualRect(model.index(0, 0));
    return view.viewport()->grab().toImage().pixelColor(row.right() - 2, row.center().y());
  };
  view.setFocus();
  EXPECT_EQ(rowColour(), view.palette().color(QPalette::Active, QPalette::Highlight));
  elsewhere.setFocus();
  EXPECT_EQ(rowColour(), QColor(192, 192, 192));
  EXPECT_EQ(view.SelectedNode(), tree.NodeAt(0));  // still selected for the commands
}

TEST(ComponentTreeModelTest, AHundredThousandComponentsAppearAndScrollQuickly) {
  ComponentTree tree;
  ComponentTreeModel model(tree);
  ComponentTreeView view;
  view.SetComponentModel(&model);
  view.resize(260, 464);
  view.show();

  ComponentTree imported;
  for (int i = 0; i < 100000; ++i) AddComponent(imported, "R" + std::to_string(i), "1", "2");

  QElapsedTimer timer;
  timer.start();
  tree.Swap(imported);  // what an import does at its end
  view.grab();
  const qint64 shown = timer.elapsed();
  EXPECT_EQ(model.rowCount(), 100000);
  // Times are recorded, not asserted: they depend on the machine's load.
  RecordProperty("shown_milliseconds", static_cast<int>(shown));

  timer.restart();
  for (int step = 0; step < 50; ++step) {
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() * step / 49);
    view.grab();
  }
  RecordProperty("scrolled_milliseconds", static_cast<int>(timer.elapsed()));
  view.expand(model.index(99999, 0));
  view.scrollToBottom();
  EXPECT_TRUE(view.isExpanded(model.index(99999, 0)));
}

}  // namespace
}  // namespace tav::ui
