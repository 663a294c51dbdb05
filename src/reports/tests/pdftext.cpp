#include "pdftext.h"

#include <reports/pdfwriter.h>

#include <QProcess>
#include <QTemporaryDir>

namespace testsupport {

QString pdfText(const reports::Document &doc, const QString &path)
{
    QTemporaryDir dir;
    const QString file = path.isEmpty() ? dir.filePath("report.pdf") : path;
    reports::writePdf(doc, file);
    QProcess p;
    p.start("pdftotext", {"-layout", file, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace testsupport
