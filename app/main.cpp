// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program `tavoline`: tavoline [project.tav]
#include <QApplication>

#include "core/FileSizeLimit.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

int main(int argc, char** argv) {
  tav::TreatFileSizeLimitAsWriteError();
  QApplication application(argc, argv);
  // Closing the main window ends the program; the display window is its child.
  const auto form = tav::ui::StartMainWindow(QApplication::arguments());
  return QApplication::exec();
}
