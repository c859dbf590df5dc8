#include "ui/EditorText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "ui/TextCodec.h"

namespace tav::ui {

void SetEditorText(QPlainTextEdit& editor, std::string_view crlfText) {
  QString text = ToQString(crlfText);
  // CR LF and a lone CR each become one "\n", in one pass: programs run to
  // millions of lines.
  QChar* const begin = text.data();
  const qsizetype size = text.size();
  qsizetype kept = 0;
  for (qsizetype i = 0; i < size; ++i) {
    if (begin[i] == u'\r') {
      if (i + 1 < size && begin[i + 1] == u'\n') continue;
      begin[kept++] = u'\n';
    } else {
      begin[kept++] = begin[i];
    }
  }
  text.truncate(kept);
  editor.setPlainText(text);
}

std::string EditorTextWithCrLf(const QPlainTextEdit& editor) {
  // toRawText keeps every character as typed (toPlainText would turn a
  // no-break space into a blank); the editor separates lines with U+2029.
  QString text = editor.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, u'\n');
  text.replace(QChar::LineSeparator, u'\n');
  const std::string bytes = FromQString(text);
  std::string result;
  result.reserve(bytes.size() + bytes.size() / 16);
  for (const char byte : bytes) {
    if (byte == '\n') result.push_back('\r');
    result.push_back(byte);
  }
  return result;
}

}  // namespace tav::ui
