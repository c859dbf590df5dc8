// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <memory>

namespace tav::ui {

class MainWindow;

// The desktop program's look: the window font everywhere, and the classic
// Windows style, whose compact metrics the fixed pixel layout is made for
// (unless the user chose a style through QT_STYLE_OVERRIDE).
void ApplyDesktopLook();

// Qt's own German texts (qtbase_de.qm from Qt's translations folder, Debian
// package qt6-translations-l10n), so standard dialogs and buttons speak the
// program's language whatever the user's locale. Installed once for the
// application; false when the file is missing, and Qt then stays English.
bool InstallQtTranslations();

// The start-up of the desktop program once the application object exists:
// reads the decimal separator from the user's locale, installs Qt's German
// texts, creates the main window (whose FormCreate opens the project named by
// argument 1, showing any error), creates the position display window hidden
// and shows the main window centred.
std::unique_ptr<MainWindow> StartMainWindow(const QStringList& arguments);

}  // namespace tav::ui
