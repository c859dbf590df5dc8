// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ComponentTreeModel.h"

#include "ui/ImageList.h"
#include "ui/TextCodec.h"

namespace tav::ui {

ComponentTreeModel::ComponentTreeModel(tav::ComponentTree& tree, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree) {
  tree_.AddObserver(this);
}

ComponentTreeModel::~ComponentTreeModel() { tree_.RemoveObserver(this); }

tav::TreeNode* ComponentTreeModel::NodeOf(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return nullptr;
  return static_cast<tav::TreeNode*>(index.internalPointer());
}

QModelIndex ComponentTreeModel::IndexOf(const tav::TreeNode* node) const {
  if (node == nullptr) return {};
  return createIndex(tree_.RowOf(node), 0, const_cast<tav::TreeNode*>(node));
}

void ComponentTreeModel::SetSelectedNode(const tav::TreeNode* node) {
  if (node == selected_) return;
  const tav::TreeNode* previous = selected_;
  selected_ = node;
  // Both items change their icon: the old one back to ImageIndex, the new one to SelectedIndex.
  for (const tav::TreeNode* changed : {previous, node}) {
    if (changed == nullptr) continue;
    const QModelIndex index = IndexOf(changed);
    emit dataChanged(index, index, {Qt::DecorationRole, ShownIconIndexRole});
  }
}

QModelIndex ComponentTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0 || row >= rowCount(parent)) return {};
  const tav::TreeNode* parentNode = NodeOf(parent);
  tav::TreeNode* node = parentNode == nullptr ? tree_.TopLevel(row) : parentNode->Child(row);
  return createIndex(row, 0, node);
}

QModelIndex ComponentTreeModel::parent(const QModelIndex& child) const {
  const tav::TreeNode* node = NodeOf(child);
  if (node == nullptr || node->Parent() == nullptr) return {};
  return IndexOf(node->Parent());
}

int ComponentTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  const tav::TreeNode* node = NodeOf(parent);
  return node == nullptr ? tree_.TopLevelCount() : node->ChildCount();
}

int ComponentTreeModel::columnCount(const QModelIndex& /*parent*/) const { return 1; }

bool ComponentTreeModel::hasChildren(const QModelIndex& parent) const {
  return rowCount(parent) > 0;
}

QVariant ComponentTreeModel::data(const QModelIndex& index, int role) const {
  const tav::TreeNode* node = NodeOf(index);
  if (node == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return ToQString(node->Text());
    case Qt::DecorationRole:
    case ShownIconIndexRole: {
      const int shown = node == selected_ ? node->SelectedIndex() : node->ImageIndex();
      if (role == ShownIconIndexRole) return shown;
      return ImageList::Icon(shown);
    }
    default:
      return {};
  }
}

bool ComponentTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  tav::TreeNode* node = NodeOf(index);
  if (node == nullptr || role != Qt::EditRole) return false;
  // In-place editing takes any text; the tree reports the change back.
  tree_.SetText(node, FromQString(value.toString()));
  return true;
}

Qt::ItemFlags ComponentTreeModel::flags(const QModelIndex& index) const {
  if (NodeOf(index) == nullptr) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void ComponentTreeModel::TreeAboutToReset() { beginResetModel(); }

void ComponentTreeModel::TreeReset() {
  // The nodes may be gone; the view's selection is cleared by the reset as well.
  selected_ = nullptr;
  endResetModel();
}

void ComponentTreeModel::NodeAboutToBeAdded(const tav::TreeNode* parent, int row) {
  beginInsertRows(IndexOf(parent), row, row);
}

void ComponentTreeModel::NodeAdded(const tav::TreeNode* /*node*/) { endInsertRows(); }

void ComponentTreeModel::NodeChanged(const tav::TreeNode* node) {
  const QModelIndex index = IndexOf(node);
  emit dataChanged(index, index);
  // A component's item shows its feeder (child 4), so it is drawn anew as well.
  if (node->Level() == 1) {
    const QModelIndex component = IndexOf(node->Parent());
    emit dataChanged(component, component, {Qt::DecorationRole});
  }
}

}  // namespace tav::ui
