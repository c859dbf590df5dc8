#pragma once

#include <QString>

#include <string>
#include <string_view>

class QPlainTextEdit;

namespace tav::ui {

// Memo1 holds the program with "\n" line breaks; the core's text ends every
// line with CR LF. These two conversions make an unedited program export byte
// for byte as generated.
void SetEditorText(QPlainTextEdit& editor, std::string_view crlfText);
std::string EditorTextWithCrLf(const QPlainTextEdit& editor);

}  // namespace tav::ui
