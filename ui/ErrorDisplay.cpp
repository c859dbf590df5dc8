// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ErrorDisplay.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include <exception>

#include "core/Error.h"
#include "core/UserMessage.h"
#include "ui/ApplicationTitle.h"
#include "ui/TextCodec.h"

namespace tav::ui {
namespace {

DialogSink testSink;

}  // namespace

void ErrorDisplay::Show(const std::string& message) {
  // A drag or a pressed button must not keep the mouse while the box is up.
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();

  const QString caption = ApplicationTitle();
  const QString text = ToQString(WithFinalFullStop(message));
  if (testSink.Take(caption, text)) return;
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void ErrorDisplay::Run(const std::function<void()>& command) {
  // Exceptions must not unwind through Qt's event loop; every one ends here.
  try {
    command();
  } catch (...) {
    Show(UserMessageOf(std::current_exception()));
  }
}

void ErrorDisplay::SetSinkForTesting(Sink sink) { testSink.Set(std::move(sink)); }

}  // namespace tav::ui
