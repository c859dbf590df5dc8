// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace tav::ui {
namespace {

bool TahomaAvailable() {
  if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return true;
  // fonts-wine installs its fonts outside fontconfig's search path.
  for (const char* file :
       {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/fonts/truetype/wine/tahoma.ttf"}) {
    if (QFontDatabase::addApplicationFont(QString::fromLatin1(file)) >= 0) return true;
  }
  return false;
}

}  // namespace

QFont WindowFont() {
  static const bool tahoma = TahomaAvailable();
  QFont font;
  if (tahoma) {
    font.setFamily(QStringLiteral("Tahoma"));
  } else {
    font.setFamily(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
  }
  font.setPixelSize(11);
  return font;
}

}  // namespace tav::ui
