// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UnitLabels.h"

#include <QLabel>
#include <QPalette>
#include <QString>
#include <QWidget>

#include <algorithm>

namespace tav::ui {
namespace {

struct Unit {
  const char* field;
  const char* unit;
};

// clang-format off
constexpr Unit kUnits[] = {
    {"BauteilMaxHeight", "mm"}, {"SpeedFahren", "mm/min"}, {"SpeedHeben", "mm/min"},
    {"SpeedSetzen", "mm/min"}, {"GCode_Delay", "s"},
    {"Feeder1_X", "mm"}, {"Feeder1_Y", "mm"}, {"Feeder1_Z", "mm"}, {"Feeder1_Versatz", "mm"},
    {"Feeder2_X", "mm"}, {"Feeder2_Y", "mm"}, {"Feeder2_Z", "mm"}, {"Feeder2_Versatz", "mm"},
    {"Feeder3_X", "mm"}, {"Feeder3_Y", "mm"}, {"Feeder3_Z", "mm"}, {"Feeder3_Versatz", "mm"},
    {"Feeder4_X", "mm"}, {"Feeder4_Y", "mm"}, {"Feeder4_Z", "mm"}, {"Feeder4_Versatz", "mm"},
    {"ComboBox1", "\u00b0"}, {"ComboBox2", "\u00b0"}, {"ComboBox3", "\u00b0"},
    {"ComboBox4", "\u00b0"},
};
// clang-format on

constexpr int kGap = 1;
constexpr int kPixelSize = 9;

}  // namespace

void UnitLabels::AddTo(QWidget& window) {
  for (const Unit& entry : kUnits) {
    auto* field = window.findChild<QWidget*>(QString::fromLatin1(entry.field));
    if (field == nullptr || field->parentWidget() == nullptr) continue;
    auto* label = new QLabel(QString::fromUtf8(entry.unit), field->parentWidget());
    label->setObjectName(QStringLiteral("%1_Einheit").arg(QString::fromLatin1(entry.field)));
    QWidget& parent = *field->parentWidget();
    QFont small = label->font();
    small.setPixelSize(kPixelSize);
    label->setFont(small);
    // Dark grey, or light grey on a dark page such as the blue "Allgemein".
    const bool dark = parent.palette().color(parent.backgroundRole()).lightness() < 128;
    QPalette grey = label->palette();
    grey.setColor(QPalette::WindowText, dark ? QColor(210, 210, 210) : QColor(96, 96, 96));
    label->setPalette(grey);
    const QRect at = field->geometry();
    // Within the group box's frame, never over it.
    const int room = parent.contentsRect().right() - (at.right() + kGap);
    label->setGeometry(at.right() + 1 + kGap, at.top(),
                       std::min(label->sizeHint().width(), std::max(0, room)), at.height());
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->show();
  }
}

}  // namespace tav::ui
