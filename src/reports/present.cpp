#include "present.h"

#include "optionsdialog.h"
#include "pdfwriter.h"
#include "previewwindow.h"
#include "statuswindow.h"

#include <app/csvsave.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>

#include <QDir>
#include <QPrinter>

namespace reports {

namespace {

std::unique_ptr<Document> generateWithStatus(const Generator &generate, QWidget *parent)
{
    // The window closes when this scope ends, also when `generate` throws.
    StatusWindow status(parent);
    status.showProcessing(1);
    return generate([&status](int page) { status.showProcessing(page); });
}

void saveAsPdf(const Document &doc, QWidget *parent)
{
    const QString path = askPdfFileName(parent, proposedPdfName(doc.title()));
    if (path.isEmpty())
        return;
    {
        app::WaitCursor wait;
        StatusWindow status(parent);
        writePdf(doc, path, [&status](int page) { status.showPrinting(page); });
    }
    app::Mensagem(pdfSavedText(path), 0);
}

} // namespace

QString proposedPdfName(const QString &title)
{
    QString name = title.simplified();
    // Characters no file system of the program's users accepts in a name.
    static const QString forbidden = "\\/:*?\"<>|";
    for (QChar &c : name)
        if (forbidden.contains(c) || c.unicode() < 0x20)
            c = '-';
    if (name.isEmpty())
        name = "Relatorio";
    return name + ".PDF";
}

QString askPdfFileName(QWidget *parent, const QString &proposed)
{
    return app::askSaveFileName(parent, proposed, "Adobe Acrobat (PDF) (*.PDF *.pdf)", "PDF");
}

QString pdfSavedText(const QString &path)
{
    return "OK. Relatório gravado no arquivo\r\n" + QDir::toNativeSeparators(path) + "!";
}

void present(const Generator &generate, QWidget *parent)
{
    const std::unique_ptr<Document> doc = generateWithStatus(generate, parent);
    if (!doc)
        return;
    QPrinter printer(QPrinter::HighResolution);
    OptionsDialog options(printer, parent);
    if (options.exec() != QDialog::Accepted)
        return;
    const OutputOptions chosen = options.options();
    switch (chosen.destination) {
    case Destination::Preview: {
        PreviewWindow preview(*doc, printer, chosen, parent);
        preview.exec();
        break;
    }
    case Destination::Printer:
        printWithStatus(*doc, printer, chosen, parent);
        break;
    case Destination::File:
        saveAsPdf(*doc, parent);
        break;
    }
}

} // namespace reports
