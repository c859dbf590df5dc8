// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tav::ui {

class ProgramEditor;

// Memo1 holds the program with "\n" line breaks; the core's text ends every
// line with CR LF. These two conversions make an unedited program export byte
// for byte as generated.
void SetEditorText(ProgramEditor& editor, std::string_view crlfText);
std::string EditorTextWithCrLf(const ProgramEditor& editor);

}  // namespace tav::ui
