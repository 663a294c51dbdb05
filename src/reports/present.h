// The one door callers use to put a report out: it lays the report out under the status window,
// asks where it goes ("Opções de Impressão") and sends it to the preview, the printer or a PDF
// file. The report module calls it after it has filled the report's data and parameters.
#pragma once

#include "document.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace reports {

// Lays a report out; calls the progress callback with each page number as the page is laid out.
using Generator = std::function<std::unique_ptr<Document>(const Progress &)>;

// Runs `generate` while "Status do Relatório" shows "Processando página %p", then the options
// dialog, then the chosen output, and returns when the user has finished with it: the preview
// closed, the printing done, the file written (and the user told where), or Cancel pressed in
// the options dialog or the file dialog (then nothing is produced).
// Throws what `generate` throws (the status window is closed first) and app::Error when the
// PDF file cannot be written (no file is left behind, an existing one is kept); the caller's
// slot passes it on to the application's error handler. A document without pages is not an
// error: the options are still offered and the preview shows a blank page.
void present(const Generator &generate, QWidget *parent = nullptr);

// The PDF side of present(), for tests and for callers that offer only a file.
// The file name proposed for a report's PDF: its title, with characters that file names cannot
// hold replaced by "-", and the ".PDF" extension.
QString proposedPdfName(const QString &title);
// The PDF save dialog ("Adobe Acrobat (PDF) (*.PDF *.pdf)", suffix PDF, overwrite prompt);
// empty when the user cancels.
QString askPdfFileName(QWidget *parent, const QString &proposed);
// The message that tells where the file was written.
QString pdfSavedText(const QString &path);

} // namespace reports
