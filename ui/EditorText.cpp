#include "ui/EditorText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "ui/TextCodec.h"

namespace tav::ui {

void SetEditorText(QPlainTextEdit& editor, std::string_view crlfText) {
  QString text = ToQString(crlfText);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  editor.setPlainText(text);
}

std::string EditorTextWithCrLf(const QPlainTextEdit& editor) {
  // toRawText keeps every character as typed (toPlainText would turn a
  // no-break space into a blank); only the paragraph breaks need converting.
  QString text = editor.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  return FromQString(text);
}

}  // namespace tav::ui
