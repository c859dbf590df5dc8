// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PickPlaceFileHelp.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "boards/BoardFormatHelp.h"
#include "ui/TextCodec.h"

namespace tav::ui {
namespace {

DialogSink testSink;

}  // namespace

QString PickPlaceFileHelp::Caption() { return QStringLiteral("Pick and Place File Aufbau"); }

QString PickPlaceFileHelp::Text() { return ToQString(tav::BoardFormatHelp()); }

void PickPlaceFileHelp::Show(QWidget* parent) {
  if (testSink.Take(Caption(), Text())) return;
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("PickPlaceFileHelp"));
  dialog.setWindowTitle(Caption());
  auto* layout = new QVBoxLayout(&dialog);
  auto* text = new QPlainTextEdit(Text(), &dialog);
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schlie\u00dfen"));
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.resize(620, 460);
  dialog.exec();
}

void PickPlaceFileHelp::SetSinkForTesting(Sink sink) { testSink.Set(std::move(sink)); }

}  // namespace tav::ui
