#include "ui/Startup.h"

#include <QApplication>
#include <QLocale>
#include <QStyleFactory>

#include "core/DecimalSeparator.h"
#include "ui/LocaleDecimalSeparator.h"
#include "ui/MainWindow.h"
#include "ui/WindowFont.h"

namespace tav::ui {

void ApplyDesktopLook() {
  QApplication::setFont(WindowFont());
  if (qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE")) {
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows")))
      QApplication::setStyle(classic);
  }
}

std::unique_ptr<TForm1> StartMainWindow(const QStringList& arguments) {
  tav::SetDecimalSeparator(DecimalSeparatorOf(QLocale::system()));
  ApplyDesktopLook();
  auto form = std::make_unique<TForm1>(arguments);
  form->CreateDisplayWindow();
  form->ShowCentred();
  return form;
}

}  // namespace tav::ui
