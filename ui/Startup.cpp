#include "ui/Startup.h"

#include <QApplication>
#include <QLocale>

#include "core/DecimalSeparator.h"
#include "ui/LocaleDecimalSeparator.h"
#include "ui/MainWindow.h"
#include "ui/WindowFont.h"

namespace tav::ui {

std::unique_ptr<TForm1> StartMainWindow(const QStringList& arguments) {
  tav::SetDecimalSeparator(DecimalSeparatorOf(QLocale::system()));
  QApplication::setFont(WindowFont());
  auto form = std::make_unique<TForm1>(arguments);
  form->CreateDisplayWindow();
  form->ShowCentred();
  return form;
}

}  // namespace tav::ui
