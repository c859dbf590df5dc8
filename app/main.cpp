// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program `tavoline`: tavoline [project.tav]
#include <QApplication>

#include <cstdio>
#include <cstring>

#include "core/FileSizeLimit.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

namespace {

// --version and --help are answered before the application object exists,
// so they work without a display (in scripts, over ssh, for packaging).
bool AnsweredWithoutWindow(int argc, char** argv) {
  if (argc != 2) return false;
  if (std::strcmp(argv[1], "--version") == 0) {
    std::fputs("tavoline " TAV_VERSION "\n", stdout);
    return true;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    // UTF-8: terminals show it as it is.
    std::fputs(
        "Aufruf: tavoline [PROJEKT.tav]\n"
        "        tavoline --version | --help\n"
        "\n"
        "Startet das Hauptfenster von Tavoline; ein angegebenes Projekt wird sofort ge\xC3\xB6"
        "ffnet.\n",
        stdout);
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (AnsweredWithoutWindow(argc, argv)) return std::fflush(stdout) == 0 ? 0 : 1;
  tav::TreatFileSizeLimitAsWriteError();
  QApplication application(argc, argv);
  // Closing the main window ends the program; the display window is its child.
  const auto form = tav::ui::StartMainWindow(QApplication::arguments());
  return QApplication::exec();
}
