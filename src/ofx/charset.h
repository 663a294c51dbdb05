// Turning the bytes of an OFX file into text in the character set the file declares: the
// ENCODING and CHARSET lines of the SGML header, or the encoding of the XML declaration.
// Conversion itself is Qt's (ICU for the Windows code pages); nothing here is a codec.
#pragma once

#include <QByteArray>
#include <QString>

namespace ofx {

// The name of the character set `bytes` declare, ready for QStringDecoder: a byte-order mark
// wins; then the XML declaration (UTF-8 when it names none); then the SGML header, where
// ENCODING:UTF-8 (or UNICODE) means UTF-8 and CHARSET:1252, NONE or a missing header mean
// Windows-1252, the code page Brazilian banks write. Declared names with characters outside
// letters, digits and "-_.:" are ignored as if absent.
QByteArray declaredCharset(const QByteArray &bytes);

// The whole file as text. A declared character set that Qt does not know falls back to the
// form's default (UTF-8 for XML, Windows-1252 for SGML); bytes invalid in the character set
// become U+FFFD. Never throws.
QString decodeStatementText(const QByteArray &bytes);

} // namespace ofx
