// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EditorText.h"

#include "ui/ProgramEditor.h"

namespace tav::ui {

// The editor keeps the core's bytes as they are, so no conversion to Unicode
// and back stands between the generator and the file.
void SetEditorText(ProgramEditor& editor, std::string_view crlfText) {
  editor.SetProgram(crlfText);
}

std::string EditorTextWithCrLf(const ProgramEditor& editor) { return editor.Text().CrLfText(); }

}  // namespace tav::ui
