// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

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

bool InstallQtTranslations() {
  static QTranslator* installed = nullptr;
  if (installed != nullptr) return true;
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  installed = translator;
  return true;
}

std::unique_ptr<MainWindow> StartMainWindow(const QStringList& arguments) {
  tav::SetDecimalSeparator(DecimalSeparatorOf(QLocale::system()));
  InstallQtTranslations();
  ApplyDesktopLook();
  auto form = std::make_unique<MainWindow>(arguments);
  form->CreateDisplayWindow();
  form->ShowCentred();
  return form;
}

}  // namespace tav::ui
