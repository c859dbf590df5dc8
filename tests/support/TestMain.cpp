// SPDX-License-Identifier: GPL-3.0-or-later
// Common main for every test program: fixes the locale and the decimal
// separator so results never depend on the machine the tests run on.
#include <gtest/gtest.h>

#include <clocale>

#include "core/DecimalSeparator.h"

#ifdef TAV_TEST_WITH_QT
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#endif

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C");
  tav::SetDecimalSeparator('.');
  ::testing::InitGoogleTest(&argc, argv);
#ifdef TAV_TEST_WITH_QT
  // GUI tests never need a real display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // What the program remembers between runs goes to a folder of the test
  // run's own, never into the user's configuration.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
#endif
  return RUN_ALL_TESTS();
}
