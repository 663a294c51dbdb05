// The program's one RTF writer: a QTextDocument (the information base's rich text) as an RTF
// document in Windows-1252, for every "Salvar RTF" and every rich-text copy to the clipboard.
// Writes paragraphs (alignment, indents, list bullets), runs (font family and size, bold,
// italic, underline, colour) and line breaks; pictures and tables' borders are left out, the
// text of table cells is kept as paragraphs.
#pragma once

#include <QByteArray>

class QTextDocument;

namespace help {

// The document as RTF text (ASCII only: characters of Windows-1252 above 127 as \'hh escapes,
// any other character as \uN with a "?" for readers without Unicode).
QByteArray toRtf(const QTextDocument &doc);

} // namespace help
