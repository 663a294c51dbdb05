#include "pdftext.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

namespace testsupport {

QString pdfText(const reports::Document &doc, const QString &path)
{
    QTemporaryDir dir;
    const QString file = path.isEmpty() ? dir.filePath("report.pdf") : path;
    {
        QPdfWriter writer(file);
        // The document paints from the paper's corner, so the writer's origin must be there too.
        QPageLayout paper = doc.pageLayout();
        paper.setMinimumMargins(QMarginsF());
        paper.setMargins(QMarginsF());
        writer.setPageLayout(paper);
        writer.setResolution(72); // painter units are points, as the document expects
        QPainter painter(&writer);
        for (int i = 0; i < doc.pageCount(); ++i) {
            if (i > 0)
                writer.newPage();
            doc.paintPage(i, painter);
        }
    }
    QProcess p;
    p.start("pdftotext", {"-layout", file, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace testsupport
