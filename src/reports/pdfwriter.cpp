#include "pdfwriter.h"

#include "pagepaint.h"

#include <app/error.h>

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace reports {

namespace {

QString cannotWrite(const QString &path, const QString &reason)
{
    return "Não foi possível gravar o arquivo\r\n" + QDir::toNativeSeparators(path) + "\r\n\r\n" +
           reason;
}

// Why a file in `path`'s folder cannot be created, in the user's words. A missing folder can be
// told for certain; a read-only folder, a full disk or a file held open by another program all
// look alike from here.
QString reasonFor(const QString &path)
{
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir())
        return "A pasta\r\n" + QDir::toNativeSeparators(folder.filePath()) + "\r\nnão existe.";
    return "Verifique se a pasta permite gravar arquivos, se há espaço livre no disco\r\n"
           "e se este arquivo não está aberto em outro programa.";
}

// The PDF pages are painted into the QSaveFile's temporary file; QPdfWriter writes to the
// device as it goes and finishes the file when the painter ends.
bool paintAll(const Document &doc, QIODevice &out, const Progress &progress)
{
    QPdfWriter writer(&out);
    writer.setResolution(kPointsPerInch);
    writer.setTitle(doc.title());
    writer.setCreator("Quorvila");
    // The Document places everything from the paper's corner, margins included; the writer
    // would offset it by the margins again, so its own margins are zero.
    const QPageLayout layout = doc.pageLayout();
    writer.setPageLayout(QPageLayout(layout.pageSize(), layout.orientation(), QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0)
            writer.newPage();
        if (progress)
            progress(i + 1);
        paintPage(doc, i, painter);
    }
    return painter.end();
}

} // namespace

void writePdf(const Document &doc, const QString &path, const Progress &progress)
{
    QSaveFile file(path);
    // A half-written temporary file must never replace the target, not even if a callback
    // throws: QSaveFile drops it unless commit() runs.
    if (!file.open(QIODevice::WriteOnly))
        QUORVILA_THROW(app::Error, cannotWrite(path, reasonFor(path)));
    const bool painted = paintAll(doc, file, progress);
    if (!painted || file.error() != QFileDevice::NoError || !file.commit())
        QUORVILA_THROW(app::Error, cannotWrite(path, reasonFor(path)));
}

} // namespace reports
