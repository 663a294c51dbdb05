// The report output screens: the options dialog's defaults and choices, the status window's
// lines while a report is laid out, the preview's paging and zoom (and that it paints only the
// page shown), and present() end to end for Cancel, the file and the preview.
#include "fakedocument.h"

#include <reports/optionsdialog.h>
#include <reports/present.h>
#include <reports/previewwindow.h>
#include <reports/statuswindow.h>

#include <app/mensagem.h>
#include <app/tests/modaldriver.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using reports::Destination;
using reports::OptionsDialog;
using reports::PreviewWindow;
using reports::StatusWindow;
using testsupport::FakeDocument;

namespace {

template <class T = QWidget> T *child(QWidget *w, const char *name)
{
    auto *c = w->findChild<T *>(name);
    if (!c)
        qWarning("no %s", name);
    return c;
}

StatusWindow *visibleStatusWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *s = qobject_cast<StatusWindow *>(w); s && s->isVisible())
            return s;
    return nullptr;
}

int pdfPageCount(const QString &pdf)
{
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(30000);
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The colour at the middle of the page's marker square, as the page widget shows it.
QRgb markerShown(reports::PageView *view)
{
    const qreal scale = view->width() / view->pageSizePoints().width();
    const QPoint at = (FakeDocument::kMarker.center() * scale).toPoint();
    return view->grab().toImage().pixel(at * view->devicePixelRatioF());
}

// A preview window on the screen over a fake document.
struct ShownPreview
{
    explicit ShownPreview(int pages) : doc(pages), window(doc, printer, {})
    {
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
        view = window.findChild<reports::PageView *>("PageView");
    }
    FakeDocument doc;
    QPrinter printer;
    PreviewWindow window;
    reports::PageView *view = nullptr;
    bool exposed = false;
};

} // namespace

class ReportsTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    void optionsDefaults();
    void optionsChoices_data();
    void optionsChoices();
    void statusLines();
    void statusWhileGenerating();
    void generatorErrorClosesStatus();
    void cancelProducesNothing();
    void fileDestinationWritesPdf();
    void fileDialogCancelledWritesNothing();
    void previewOpensAtFirstPage();
    void previewPaging();
    void previewZoom();
    void previewPrints();
    void previewPrintFailureIsShown();

private:
    QStringList m_messages;
};

void ReportsTest::cleanup()
{
    app::setMensagemResponder({});
    m_messages.clear();
}

void ReportsTest::optionsDefaults()
{
    QPrinter printer;
    OptionsDialog d(printer);
    QCOMPARE(d.windowTitle(), QString("Opções de Impressão"));
    QVERIFY(child<QRadioButton>(&d, "RadioPreview")->isChecked());
    QCOMPARE(child<QSpinBox>(&d, "EditCopias")->value(), 1);
    QVERIFY(!child<QCheckBox>(&d, "CheckCollate")->isChecked());
    QVERIFY(!child<QCheckBox>(&d, "CheckDuplex")->isChecked());
    auto *format = child<QComboBox>(&d, "ComboFileFormat");
    QCOMPARE(format->currentText(), QString("Adobe Acrobat (PDF)"));
    QCOMPARE(format->currentData().toString(), QString("*.PDF"));
    QVERIFY(!format->isEnabled());
    QCOMPARE(child<QPushButton>(&d, "BtOk")->text(), QString("OK"));
    QCOMPARE(child<QPushButton>(&d, "BtCancel")->text(), QString("Cancelar"));
    QVERIFY(child<QPushButton>(&d, "BtSetup"));
    // Each field has its caption as buddy or an accessible name.
    bool copiesCaptioned = false;
    for (QLabel *l : d.findChildren<QLabel *>())
        copiesCaptioned = copiesCaptioned || l->buddy() == child<QSpinBox>(&d, "EditCopias");
    QVERIFY(copiesCaptioned);
    QVERIFY(!format->accessibleName().isEmpty());
}

void ReportsTest::optionsChoices_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<bool>("duplex");
    QTest::addColumn<Destination>("destination");
    QTest::newRow("printer, three collated copies")
        << "RadioPrinter" << 3 << true << false << Destination::Printer;
    QTest::newRow("file") << "RadioFile" << 1 << false << false << Destination::File;
    QTest::newRow("preview, both sides")
        << "RadioPreview" << 2 << false << true << Destination::Preview;
}

void ReportsTest::optionsChoices()
{
    QFETCH(QString, radio);
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QFETCH(bool, duplex);
    QFETCH(Destination, destination);
    QPrinter printer;
    OptionsDialog d(printer);
    testsupport::atNextDialog([&](QWidget *w) {
        child<QRadioButton>(w, qPrintable(radio))->click();
        child<QSpinBox>(w, "EditCopias")->setValue(copies);
        child<QCheckBox>(w, "CheckCollate")->setChecked(collate);
        child<QCheckBox>(w, "CheckDuplex")->setChecked(duplex);
        QCOMPARE(child<QComboBox>(w, "ComboFileFormat")->isEnabled(),
                 destination == Destination::File);
        child<QPushButton>(w, "BtOk")->click();
    });
    QCOMPARE(d.exec(), int(QDialog::Accepted));
    const reports::OutputOptions o = d.options();
    QCOMPARE(o.destination, destination);
    QCOMPARE(o.copies, copies);
    QCOMPARE(o.collate, collate);
    QCOMPARE(o.duplex, duplex);
}

void ReportsTest::statusLines()
{
    StatusWindow s;
    QCOMPARE(s.windowTitle(), QString("Status do Relatório"));
    s.showProcessing(7);
    QCOMPARE(s.statusText(), QString("Processando página 7"));
    QVERIFY(s.isVisible());
    s.showPrinting(12);
    QCOMPARE(s.statusText(), QString("Imprimindo página 12"));
}

void ReportsTest::statusWhileGenerating()
{
    QStringList seen;
    testsupport::atNextDialog([](QWidget *w) { child<QPushButton>(w, "BtCancel")->click(); });
    reports::present(
        [&](const reports::Progress &progress) {
            for (int page = 1; page <= 2; ++page) {
                progress(page);
                StatusWindow *s = visibleStatusWindow();
                seen << (s ? s->windowTitle() + ": " + s->statusText() : "no window");
            }
            return std::make_unique<FakeDocument>(2);
        },
        nullptr);
    QCOMPARE(seen, (QStringList{"Status do Relatório: Processando página 1",
                                "Status do Relatório: Processando página 2"}));
    QVERIFY(!visibleStatusWindow());
}

void ReportsTest::generatorErrorClosesStatus()
{
    bool threw = false;
    try {
        reports::present(
            [](const reports::Progress &progress) -> std::unique_ptr<reports::Document> {
                progress(1);
                throw std::runtime_error("sem dados");
            },
            nullptr);
    } catch (const std::runtime_error &e) {
        threw = QString(e.what()) == "sem dados";
    }
    QVERIFY(threw);
    QVERIFY(!visibleStatusWindow());
    QVERIFY(!QApplication::activeModalWidget());
}

// Cancel in the options dialog: no preview, no file dialog, no message.
void ReportsTest::cancelProducesNothing()
{
    app::setMensagemResponder([this](const QString &text, int) {
        m_messages << text;
        return app::MsgButton::Ok;
    });
    testsupport::atNextDialog([](QWidget *w) {
        QCOMPARE(w->windowTitle(), QString("Opções de Impressão"));
        child<QRadioButton>(w, "RadioFile")->click();
        child<QPushButton>(w, "BtCancel")->click();
    });
    bool produced = false;
    QTimer *fileDialog = testsupport::whenModal<QFileDialog>([&](QFileDialog *d) {
        produced = true;
        d->close();
    });
    QTimer *preview = testsupport::whenModal<PreviewWindow>([&](PreviewWindow *w) {
        produced = true;
        w->close();
    });
    reports::present([](const reports::Progress &) { return std::make_unique<FakeDocument>(3); },
                     nullptr);
    QTest::qWait(50);
    delete fileDialog;
    delete preview;
    QVERIFY(!produced);
    QVERIFY(m_messages.isEmpty());
}

void ReportsTest::fileDestinationWritesPdf()
{
    QTemporaryDir dir;
    const QString typed = dir.filePath("balancete"); // no extension: the dialog adds .PDF
    app::setMensagemResponder([this](const QString &text, int) {
        m_messages << text;
        return app::MsgButton::Ok;
    });
    QStringList filters;
    QString suffix;
    testsupport::atNextDialog([](QWidget *w) {
        child<QRadioButton>(w, "RadioFile")->click();
        child<QPushButton>(w, "BtOk")->click();
    });
    bool overwritePrompt = false;
    bool saving = false;
    testsupport::whenModal<QFileDialog>([&](QFileDialog *fd) {
        filters = fd->nameFilters();
        suffix = fd->defaultSuffix();
        overwritePrompt = !fd->testOption(QFileDialog::DontConfirmOverwrite);
        saving = fd->acceptMode() == QFileDialog::AcceptSave;
        fd->selectFile(typed);
        static_cast<QDialog *>(fd)->accept();
    });
    reports::present([](const reports::Progress &) { return std::make_unique<FakeDocument>(3); },
                     nullptr);
    QCOMPARE(filters, QStringList{"Adobe Acrobat (PDF) (*.PDF *.pdf)"});
    QCOMPARE(suffix, QString("PDF"));
    QVERIFY(overwritePrompt);
    QVERIFY(saving);
    const QString written = typed + ".PDF";
    QCOMPARE(pdfPageCount(written), 3);
    QCOMPARE(m_messages, QStringList{reports::pdfSavedText(written)});
    QVERIFY(m_messages.first().contains(QDir::toNativeSeparators(written)));
}

void ReportsTest::fileDialogCancelledWritesNothing()
{
    QTemporaryDir dir;
    app::setMensagemResponder([this](const QString &text, int) {
        m_messages << text;
        return app::MsgButton::Ok;
    });
    testsupport::atNextDialog([](QWidget *w) {
        child<QRadioButton>(w, "RadioFile")->click();
        child<QPushButton>(w, "BtOk")->click();
    });
    testsupport::whenModal<QFileDialog>([&](QFileDialog *fd) {
        fd->setDirectory(dir.path());
        fd->selectFile(dir.filePath("nada"));
        fd->reject();
    });
    reports::present([](const reports::Progress &) { return std::make_unique<FakeDocument>(1); },
                     nullptr);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());
}

void ReportsTest::previewOpensAtFirstPage()
{
    ShownPreview p(200);
    QVERIFY(p.exposed);
    QCOMPARE(p.window.windowTitle(), QString("Quorvila :: Relatórios"));
    QCOMPARE(p.window.size(), QSize(750, 534));
    QCOMPARE(p.window.currentPage(), 1);
    QCOMPARE(p.window.zoomPercent(), 85);
    QCOMPARE(child<QLabel>(&p.window, "LabelZoom")->text(), QString("85%"));
    QCOMPARE(child<QLabel>(&p.window, "LabelPageCount")->text(), QString("de 200"));
    QCOMPARE(markerShown(p.view), FakeDocument::markerColor(0).rgb());
    // A long report costs only the page on the screen.
    QCOMPARE(p.doc.painted, (std::set<int>{0}));
    QCOMPARE(p.view->width(), qRound(p.doc.pageLayout().fullRect(QPageLayout::Point).width() *
                                     p.view->pixelsPerPoint() * 0.85));
    QVERIFY(!child<QToolButton>(&p.window, "BtPrior")->isEnabled());
    QVERIFY(!child<QToolButton>(&p.window, "BtFirst")->isEnabled());
}

void ReportsTest::previewPaging()
{
    ShownPreview p(5);
    QVERIFY(p.exposed);
    auto *pageEdit = child<QSpinBox>(&p.window, "EditPage");
    const struct
    {
        const char *button;
        int page;
    } steps[] = {{"BtNext", 2}, {"BtLast", 5}, {"BtNext", 5}, {"BtPrior", 4}, {"BtFirst", 1}};
    for (const auto &step : steps) {
        auto *b = child<QToolButton>(&p.window, step.button);
        if (b->isEnabled())
            b->click();
        QCOMPARE(p.window.currentPage(), step.page);
        QCOMPARE(pageEdit->value(), step.page);
        QCOMPARE(markerShown(p.view), FakeDocument::markerColor(step.page - 1).rgb());
    }
    pageEdit->setValue(3);
    QCOMPARE(p.window.currentPage(), 3);
    QCOMPARE(markerShown(p.view), FakeDocument::markerColor(2).rgb());
    QCOMPARE(p.doc.painted, (std::set<int>{0, 1, 2, 3, 4}));
    QVERIFY(child<QToolButton>(&p.window, "BtNext")->isEnabled());
}

void ReportsTest::previewZoom()
{
    ShownPreview p(2);
    QVERIFY(p.exposed);
    const int at85 = p.view->width();
    child<QToolButton>(&p.window, "BtZoomIn")->click();
    QCOMPARE(p.window.zoomPercent(), 100);
    QCOMPARE(child<QLabel>(&p.window, "LabelZoom")->text(), QString("100%"));
    QVERIFY(p.view->width() > at85);
    child<QToolButton>(&p.window, "BtZoomOut")->click();
    child<QToolButton>(&p.window, "BtZoomOut")->click();
    QCOMPARE(p.window.zoomPercent(), 75);
    for (int i = 0; i < 20; ++i)
        p.window.zoomOut();
    QCOMPARE(p.window.zoomPercent(), 10);
    child<QToolButton>(&p.window, "BtFitWidth")->click();
    auto *scroll = child<QWidget>(&p.window, "ScrollPage");
    QVERIFY2(p.view->width() <= scroll->width() && p.view->width() > scroll->width() - 40,
             qPrintable(QString("%1 in %2").arg(p.view->width()).arg(scroll->width())));
    QCOMPARE(markerShown(p.view), FakeDocument::markerColor(0).rgb());
}

void ReportsTest::previewPrints()
{
    QTemporaryDir dir;
    ShownPreview p(4);
    QVERIFY(p.exposed);
    p.printer.setOutputFormat(QPrinter::PdfFormat);
    p.printer.setOutputFileName(dir.filePath("impresso.pdf"));
    child<QPushButton>(&p.window, "BtPrint")->click();
    QCOMPARE(pdfPageCount(dir.filePath("impresso.pdf")), 4);
    QCOMPARE(p.printer.docName(), QString("Relatório Quorvila"));
    QVERIFY(p.window.isVisible());
    child<QPushButton>(&p.window, "BtClose")->click();
    QVERIFY(!p.window.isVisible());
}

// A print that cannot start reaches the user as a message; the preview stays open.
void ReportsTest::previewPrintFailureIsShown()
{
    app::setMensagemResponder([this](const QString &text, int) {
        m_messages << text;
        return app::MsgButton::Ok;
    });
    ShownPreview p(2);
    QVERIFY(p.exposed);
    p.printer.setPrinterName(QString());
    p.printer.setOutputFileName(QString());
    child<QPushButton>(&p.window, "BtPrint")->click();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().startsWith("Nenhuma impressora"), qPrintable(m_messages.first()));
    QVERIFY(p.window.isVisible());
}

QTEST_MAIN(ReportsTest)
#include "tst_reports.moc"
