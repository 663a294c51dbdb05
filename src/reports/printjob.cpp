#include "printjob.h"

#include "pagepaint.h"

#include <app/error.h>

#include <QPainter>
#include <QPrinter>

namespace reports {

namespace {

void applyOptions(const Document &doc, QPrinter &printer, const OutputOptions &options)
{
    printer.setDocName(kPrintJobName);
    printer.setCreator("Quorvila");
    printer.setCopyCount(qMax(1, options.copies));
    printer.setCollateCopies(options.collate);
    printer.setDuplex(options.duplex ? QPrinter::DuplexLongSide : QPrinter::DuplexNone);
    // The Document places everything from the paper's corner, so the printer must not shift
    // it by its own margins.
    printer.setFullPage(true);
    printer.setResolution(kPointsPerInch);
    printer.setPageLayout(doc.pageLayout());
}

} // namespace

void printDocument(const Document &doc, QPrinter &printer, const OutputOptions &options,
                   const Progress &progress)
{
    // Without a printer installed Qt offers a PDF printer with no file; opening it would fail and
    // leave the printer unusable for the next try, so say what is missing instead.
    if (printer.printerName().isEmpty() && printer.outputFileName().isEmpty())
        QUORVILA_THROW(app::Error, QString("Nenhuma impressora foi encontrada.\r\n"
                                           "Instale uma impressora ou escolha outro destino "
                                           "para o relatório."));
    applyOptions(doc, printer, options);
    QPainter painter;
    if (!painter.begin(&printer))
        QUORVILA_THROW(app::Error,
                       QString("Não foi possível iniciar a impressão na impressora\r\n") +
                           printer.printerName() + ".");
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0 && !printer.newPage())
            break;
        if (progress)
            progress(i + 1);
        paintPage(doc, i, painter);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        QUORVILA_THROW(app::Error, QString("A impressão na impressora\r\n") +
                                       printer.printerName() + "\r\nnão foi concluída.");
}

} // namespace reports
