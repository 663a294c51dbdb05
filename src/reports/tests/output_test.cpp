// The Gui tier of the report outputs without a screen: the PDF file as another program reads it
// back (poppler's pdftotext and pdfinfo), its atomic replacement and failures, and a print job on
// a PDF-mode printer.
#include "fakedocument.h"

#include <reports/pdfwriter.h>
#include <reports/printjob.h>

#include <app/error.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

using testsupport::FakeDocument;

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return "(" + program + " failed: " + QString::fromLocal8Bit(p.readAllStandardError()) + ")";
    return QString::fromUtf8(p.readAllStandardOutput());
}

// pdftotext separates pages with a form feed.
QStringList pagesOf(const QString &pdf)
{
    QStringList pages = run("pdftotext", {"-layout", pdf, "-"}).split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QString infoLine(const QString &pdf, const QString &key)
{
    for (const QString &line : run("pdfinfo", {pdf}).split('\n'))
        if (line.startsWith(key + ":"))
            return line.mid(key.size() + 1).trimmed();
    return {};
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Root writes into read-only folders; for the read-only case the test gives up the override
// capability for a moment, as an ordinary user has none.
class WithoutRootOverride
{
public:
    WithoutRootOverride()
    {
        m_header = {_LINUX_CAPABILITY_VERSION_3, 0};
        m_saved = syscall(SYS_capget, &m_header, m_data) == 0;
        if (!m_saved)
            return;
        __user_cap_data_struct dropped[2] = {m_data[0], m_data[1]};
        dropped[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        syscall(SYS_capset, &m_header, dropped);
    }
    ~WithoutRootOverride()
    {
        if (m_saved)
            syscall(SYS_capset, &m_header, m_data);
    }

private:
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_data[2]{};
    bool m_saved = false;
};

class ReportOutput : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "reports_test";
        static char *argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(ReportOutput, PdfHasEveryPageWithItsTextTitleAndPaper)
{
    const FakeDocument doc(3, "Plano de Contas");
    std::vector<int> progress;
    reports::writePdf(doc, file("r.pdf"), [&](int page) { progress.push_back(page); });

    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3}));
    const QStringList pages = pagesOf(file("r.pdf"));
    ASSERT_EQ(pages.size(), 3) << pages.join("|").toStdString();
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        EXPECT_TRUE(pages[i].contains("Página " + n)) << pages[i].toStdString();
        EXPECT_TRUE(pages[i].contains("Linha 3 da página " + n)) << pages[i].toStdString();
    }
    EXPECT_EQ(infoLine(file("r.pdf"), "Title"), "Plano de Contas");
    EXPECT_TRUE(infoLine(file("r.pdf"), "Page size").startsWith("595")) << "A4 portrait";
}

// A font sized in points must come out that size in the PDF, not scaled once more by the
// writer's resolution.
TEST_F(ReportOutput, PdfTextHasItsPointSize)
{
    const FakeDocument doc(1);
    reports::writePdf(doc, file("r.pdf"));
    const QString html = run("pdftotext", {"-bbox", file("r.pdf"), "-"});
    const QRegularExpression word(
        R"re(yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">P\S*gina</word>)re");
    const auto m = word.match(html);
    ASSERT_TRUE(m.hasMatch()) << html.toStdString();
    const double height = m.captured(2).toDouble() - m.captured(1).toDouble();
    EXPECT_GT(height, 12.0);
    EXPECT_LT(height, 22.0);
    EXPECT_NEAR(m.captured(2).toDouble(), 72.0 + 14 * 0.25, 5.0) << "baseline at 72 pt";
}

TEST_F(ReportOutput, PdfReplacesAnExistingFileWhenComplete)
{
    reports::writePdf(FakeDocument(1), file("r.pdf"));
    reports::writePdf(FakeDocument(2), file("r.pdf"));
    EXPECT_EQ(pagesOf(file("r.pdf")).size(), 2);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"r.pdf"});
}

// A failure half-way leaves the good file as it was and no temporary file beside it.
TEST_F(ReportOutput, PdfFailingHalfWayKeepsTheOldFile)
{
    reports::writePdf(FakeDocument(1), file("r.pdf"));
    const QByteArray good = contents(file("r.pdf"));
    EXPECT_THROW(reports::writePdf(FakeDocument(5), file("r.pdf"),
                                   [](int page) {
                                       if (page == 3)
                                           throw std::runtime_error("stopped");
                                   }),
                 std::runtime_error);
    EXPECT_EQ(contents(file("r.pdf")), good);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"r.pdf"});
}

TEST_F(ReportOutput, PdfInAMissingFolderNamesFileAndFolder)
{
    const QString path = file("sem-pasta/r.pdf");
    try {
        reports::writePdf(FakeDocument(1), path);
        FAIL() << "no error";
    } catch (const app::Error &e) {
        EXPECT_TRUE(e.text().startsWith("Não foi possível gravar o arquivo\r\n" +
                                        QDir::toNativeSeparators(path) + "\r\n"))
            << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("não existe")) << e.text().toStdString();
    }
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(ReportOutput, PdfInAReadOnlyFolderKeepsTheOldFile)
{
    QDir(m_dir.path()).mkdir("ro");
    const QString path = file("ro/r.pdf");
    reports::writePdf(FakeDocument(1), path);
    const QByteArray good = contents(path);
    QFile::setPermissions(file("ro"), QFile::ReadOwner | QFile::ExeOwner);
    {
        WithoutRootOverride asUser;
        try {
            reports::writePdf(FakeDocument(3), path);
            ADD_FAILURE() << "no error";
        } catch (const app::Error &e) {
            EXPECT_TRUE(e.text().startsWith("Não foi possível gravar o arquivo\r\n" +
                                            QDir::toNativeSeparators(path)))
                << e.text().toStdString();
        }
    }
    QFile::setPermissions(file("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(contents(path), good);
    EXPECT_EQ(QDir(file("ro")).entryList(QDir::Files), QStringList{"r.pdf"});
}

// A PDF-mode printer keeps no duplex setting, so only a real printer shows that one.
TEST_F(ReportOutput, PrintJobTakesNameCopiesCollationAndEveryPage)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file("p.pdf"));
    reports::OutputOptions options;
    options.destination = reports::Destination::Printer;
    options.copies = 2;
    options.collate = true;
    options.duplex = true;
    std::vector<int> progress;
    const FakeDocument doc(3);
    reports::printDocument(doc, printer, options, [&](int page) { progress.push_back(page); });

    EXPECT_EQ(printer.docName(), "Relatório Quorvila");
    EXPECT_EQ(printer.copyCount(), 2);
    EXPECT_TRUE(printer.collateCopies());
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3}));
    const QStringList pages = pagesOf(file("p.pdf"));
    ASSERT_GE(pages.size(), 3);
    EXPECT_TRUE(pages[2].contains("Linha 1 da página 3")) << pages[2].toStdString();
}

TEST_F(ReportOutput, PrintingWithoutAPrinterSaysSo)
{
    QPrinter printer;
    printer.setPrinterName(QString());
    printer.setOutputFileName(QString());
    try {
        reports::printDocument(FakeDocument(1), printer, {});
        FAIL() << "no error";
    } catch (const app::Error &e) {
        EXPECT_TRUE(e.text().startsWith("Nenhuma impressora foi encontrada."))
            << e.text().toStdString();
    }
}

} // namespace
