// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FeederBadgeDelegate.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

#include <array>

#include "core/ComponentBlock.h"
#include "ui/ComponentTreeModel.h"
#include "ui/ImageList.h"

namespace tav::ui {
namespace {

constexpr int kIconSize = 16;
constexpr int kGap = 2;
constexpr int kBadgeWidth = 10;
constexpr QSize kDecorationSize(kIconSize + kGap + kBadgeWidth, kIconSize);

// One colour per feeder, so equal feeders are easy to spot down the list.
QColor BadgeColour(const QString& badge) {
  static const std::array<QColor, 4> kColours{QColor(30, 90, 200), QColor(20, 140, 60),
                                              QColor(210, 110, 0), QColor(140, 40, 160)};
  const int feeder = badge.toInt();
  if (feeder >= 1 && feeder <= 4) return kColours[static_cast<std::size_t>(feeder - 1)];
  return QColor(110, 110, 110);
}

}  // namespace

FeederBadgeDelegate::FeederBadgeDelegate(const ComponentTreeModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

QString FeederBadgeDelegate::BadgeOf(const tav::TreeNode* node) {
  if (node == nullptr || node->Level() != 0 || node->ChildCount() <= block::kFeederChild) return {};
  const std::string& text = node->Child(block::kFeederChild)->Text();
  // Exactly what the generator recognises: "Feeder: 1" to "Feeder: 4".
  if (text.size() == 9 && text.starts_with("Feeder: ") && text[8] >= '1' && text[8] <= '4')
    return QString(QChar::fromLatin1(text[8]));
  return QStringLiteral("?");
}

void FeederBadgeDelegate::initStyleOption(QStyleOptionViewItem* option,
                                          const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  const QString badge = BadgeOf(model_.NodeOf(index));
  if (badge.isEmpty()) return;
  const int shown = index.data(ComponentTreeModel::ShownIconIndexRole).toInt();
  option->icon = IconWithBadge(shown, badge);
  option->decorationSize = kDecorationSize;
  option->features |= QStyleOptionViewItem::HasDecoration;
}

QIcon FeederBadgeDelegate::IconWithBadge(int iconIndex, const QString& badge) const {
  const QString key = QString::number(iconIndex) + badge;
  const auto cached = icons_.constFind(key);
  if (cached != icons_.constEnd()) return *cached;

  QPixmap picture(kDecorationSize);
  picture.fill(Qt::transparent);
  {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(0, 0, ImageList::Icon(iconIndex).pixmap(kIconSize, kIconSize));
    const QRectF box(kIconSize + kGap, 1, kBadgeWidth, kIconSize - 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(BadgeColour(badge));
    painter.drawRoundedRect(box, 2, 2);
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, badge);
  }
  QIcon icon;
  icon.addPixmap(picture, QIcon::Normal);
  icon.addPixmap(picture, QIcon::Selected);
  icons_.insert(key, icon);
  return icon;
}

}  // namespace tav::ui
