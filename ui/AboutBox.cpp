// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AboutBox.h"

#include <QMessageBox>

#include "ui/ApplicationTitle.h"

namespace tav::ui {
namespace {

DialogSink testSink;

}  // namespace

QString AboutBox::CreditText() {
  return QStringLiteral("Tavoline " TAV_VERSION
                        " \u2013 G-Code f\u00fcr Pick and Place, 2026 \u2013 Lizenz: GNU GPL "
                        "Version 3 oder sp\u00e4ter (GPL-3.0-or-later)");
}

void AboutBox::Show(QWidget* parent) {
  if (testSink.Take(ApplicationTitle(), CreditText())) return;
  QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), CreditText(), QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void AboutBox::SetSinkForTesting(Sink sink) { testSink.Set(std::move(sink)); }

}  // namespace tav::ui
