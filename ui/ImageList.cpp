#include "ui/ImageList.h"

#include <QPixmap>
#include <QString>

#include <array>

// The resources live in this static library; referencing them here keeps the
// linker from dropping them.
static void InitImageListResources() { Q_INIT_RESOURCE(ImageList1); }

namespace tav::ui {

QIcon ImageList::Icon(int index) {
  if (index < 0 || index >= kCount) return {};
  static const std::array<QIcon, kCount> icons = [] {
    InitImageListResources();
    std::array<QIcon, kCount> loaded;
    for (int i = 0; i < kCount; ++i) {
      const QPixmap picture(QStringLiteral(":/ImageList1/%1.png").arg(i));
      // The same picture when selected: the tree shows it untinted.
      QIcon& icon = loaded[static_cast<std::size_t>(i)];
      icon.addPixmap(picture, QIcon::Normal);
      icon.addPixmap(picture, QIcon::Selected);
    }
    return loaded;
  }();
  return icons[static_cast<std::size_t>(index)];
}

}  // namespace tav::ui
