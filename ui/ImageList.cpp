// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ImageList.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QString>

#include <array>

// The resources live in this static library; referencing them here keeps the
// linker from dropping them.
static void InitImageListResources() { Q_INIT_RESOURCE(ImageList1); }

namespace tav::ui {
namespace {

std::array<QIcon, ImageList::kCount>& LoadedIcons() {
  static std::array<QIcon, ImageList::kCount> icons;
  return icons;
}

// Pixmaps must not outlive the application object.
void ReleaseIcons() { LoadedIcons().fill(QIcon()); }

void LoadIcons() {
  InitImageListResources();
  auto& icons = LoadedIcons();
  for (int i = 0; i < ImageList::kCount; ++i) {
    const QPixmap picture(QStringLiteral(":/ImageList1/%1.png").arg(i));
    // The same picture when selected: the tree shows it untinted.
    QIcon& icon = icons[static_cast<std::size_t>(i)];
    icon.addPixmap(picture, QIcon::Normal);
    icon.addPixmap(picture, QIcon::Selected);
  }
  qAddPostRoutine(&ReleaseIcons);
}

}  // namespace

QIcon ImageList::Icon(int index) {
  if (index < 0 || index >= kCount) return {};
  if (LoadedIcons().front().isNull()) LoadIcons();
  return LoadedIcons()[static_cast<std::size_t>(index)];
}

}  // namespace tav::ui
