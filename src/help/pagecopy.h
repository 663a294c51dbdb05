// Copying a page to the clipboard and saving it as an RTF file, the way the help viewer, the
// Bible reader and the calculators' texts do it: the page composed with the program's banner and
// motto (pagedocument.h), then the clipboard (RTF, HTML and plain text) or the save dialog.
#pragma once

#include "pagedocument.h"

class QWidget;

namespace help {

// Puts the composed page on the clipboard as "text/rtf" (our RTF writer), HTML and plain text,
// then shows "OK. Texto copiado para \r\na área de transferência.\r\n\r\nUse Ctrl+V para colar
// em outro programa.".
void copyPage(const PageText &page, MottoLetter letter, QWidget *parent);

// Puts the composed page on the clipboard (RTF, HTML and plain text) without a message, for
// screens that word their own.
void putOnClipboard(const PageText &page, MottoLetter letter);

// Offers the save dialog (filter "Formato RichText (*.RTF *.rtf)", suffix RTF, asks before
// overwriting) proposing `defaultFileName`; when confirmed writes the RTF under a temporary name
// renamed at the end and shows "OK. Texto gravado no arquivo \r\n" + file name + "!". A failure
// to write throws app::Error (the slot's guard takes it to the error handler) and leaves any
// earlier file of that name as it was.
void savePage(const PageText &page, MottoLetter letter, const QString &defaultFileName,
              QWidget *parent);

// The write step of savePage, for callers and tests that have the path already.
void writeRtfFile(const PageText &page, MottoLetter letter, const QString &path);

} // namespace help
