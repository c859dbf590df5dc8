// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/MachineSettings.h"

namespace Ui {
class TForm1;
}

namespace tav::ui {

// The settings live in the main window's fields, where the user sees and edits
// them; commands take a MachineSettings snapshot of them and a project load
// writes its result back. This is the only place that maps fields to settings.
tav::MachineSettings ReadSettings(const Ui::TForm1& form);

// Writes only the fields whose text differs, so fields the load left alone keep
// even characters that Windows-1252 cannot hold.
void WriteSettings(Ui::TForm1& form, const tav::MachineSettings& settings);

}  // namespace tav::ui
