// The help viewer over a small information base: the related-pages menu, the caption by kind,
// the scroll rule, a code with no page, copy and save, placement, and the rule that keeps it
// usable beside a modal screen.
#include "pagetree.h"

#include <help/UHelp.h>
#include <help/pagecopy.h>
#include <help/viewer.h>

#include <app/error.h>
#include <app/helptag.h>
#include <app/mensagem.h>
#include <app/tests/modaldriver.h>
#include <data/UDM.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QWindow>

#include <memory>

using testsupport::PageSpec;

namespace {

QString longBody()
{
    QString s;
    for (int i = 0; i < 80; ++i)
        s += QString("<p>Parágrafo %1 de uma página longa.</p>").arg(i);
    return s;
}

// A click as the window system delivers it, which a modal screen's blocking would swallow (a
// click sent to the widget itself would get through either way).
void clickThroughTheWindow(QWidget *w)
{
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, {},
                      w->mapTo(w->window(), w->rect().center()));
}

QList<PageSpec> fixturePages()
{
    using testsupport::pageSpec;
    QList<PageSpec> pages = {
        pageSpec(2033, 4, "Editor de Lançamentos", "<p>Editor.</p>", "  2033   2035 "),
        pageSpec(2035, 4, "Pesquisa de Lançamentos", "<p>Pesquisa.</p>"),
        pageSpec(2061, 4, "Empréstimos", longBody(), "2062"),
        pageSpec(2062, 4, "Poupança", longBody()),
        pageSpec(2091, 5, "Página de outro tipo", "<p>Outro tipo.</p>"),
        pageSpec(2092, 3, "Sem relacionadas", "<p>Artigo.</p>"),
        pageSpec(2093, 4, "Com uma palavra", "<p>x</p>", "2035 2061"),
    };
    QStringList twenty; // written backwards; shown in the order of their codes
    for (int c = 3020; c >= 3001; --c) {
        pages << pageSpec(c, 3, QString("Artigo %1").arg(c));
        twenty << QString::number(c);
    }
    pages << pageSpec(2090, 4, "Vinte relacionadas", "<p>x</p>", twenty.join(' '));
    return pages;
}

} // namespace

class HelpViewerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void relatedPages_data();
    void relatedPages();
    void captionFollowsTheKind();
    void scrollsToTheTopOnlyForAnotherPage();
    void aCodeWithNoPageKeepsThePage();
    void choosingARelatedPageShowsItFromTheTop();
    void copyPutsRtfOnTheClipboard();
    void savingWritesRtfAndAFailureThrows();
    void placedBySmallScreenAndKeptForTheRun();
    void staysUsableBesideAModalScreen();
    void screenshots();

private:
    int visibleItems() const
    {
        int n = 0;
        for (QAction *a : m_viewer->PU)
            n += a->isVisible();
        return n;
    }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<data::TDM> m_dm;
    std::unique_ptr<help::TFormHelp> m_viewer;
    QStringList m_messages;
};

void HelpViewerTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    testsupport::buildFixtureBase(m_dir->path() + "/TbInfo.DB", m_dir->path() + "/content",
                                  fixturePages());
    {
        // The build refuses a word among the codes; a base written by other means may hold one.
        data::Database db;
        data::AttachGuard info(db, m_dir->path() + "/TbInfo.DB");
        db.exec("UPDATE " + data::quoteIdent(info.alias()) +
                ".Tabela SET TopicosRel = '2035 dois 2061' WHERE Codigo = 2093");
    }
    m_dm = std::make_unique<data::TDM>();
    m_dm->DataModuleCreate(m_dir->path());
    m_dm->openInfo();
    m_viewer = std::make_unique<help::TFormHelp>(*m_dm);
    help::setViewer(m_viewer.get());
    m_messages.clear();
    app::setMensagemResponder([this](const QString &t, int) {
        m_messages << t;
        return app::MsgButton::Ok;
    });
}

void HelpViewerTest::cleanup()
{
    help::setViewer(nullptr);
    m_viewer.reset();
    m_dm.reset();
    app::setMensagemResponder(nullptr);
}

void HelpViewerTest::relatedPages_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("blanks around and between two codes")
        << 2033 << QStringList{"Editor de Lançamentos", "Pesquisa de Lançamentos"};
    QStringList sixteen;
    for (int c = 3001; c <= 3016; ++c)
        sixteen << QString("Artigo %1").arg(c);
    QTest::newRow("twenty codes fill sixteen items") << 2090 << sixteen;
    QTest::newRow("no related pages") << 2092 << QStringList();
    QTest::newRow("a word among the codes is skipped")
        << 2093 << QStringList{"Pesquisa de Lançamentos", "Empréstimos"};
}

void HelpViewerTest::relatedPages()
{
    QFETCH(int, code);
    QFETCH(QStringList, titles);
    help::openPage(2090); // the menu starts full
    help::openPage(code);
    QCOMPARE(m_viewer->shownCode(), qint64(code));
    QCOMPARE(visibleItems(), int(titles.size()));
    for (int i = 0; i < titles.size(); ++i) {
        QCOMPARE(m_viewer->PU[i]->text(), titles[i]);
        QVERIFY(m_viewer->PU[i]->isVisible());
    }
    QCOMPARE(m_viewer->BtMais->isEnabled(), !titles.isEmpty());
}

void HelpViewerTest::captionFollowsTheKind()
{
    help::openPage(2092);
    QCOMPARE(m_viewer->windowTitle(), QString("Artigo"));
    help::openPage(2091); // kind 5: the caption of the page before stays
    QCOMPARE(m_viewer->shownCode(), qint64(2091));
    QCOMPARE(m_viewer->windowTitle(), QString("Artigo"));
    help::openPage(1201);
    QCOMPARE(m_viewer->windowTitle(), QString("Reflexão"));
    help::openPage(1101);
    QCOMPARE(m_viewer->windowTitle(), QString("Texto Bíblico"));
    help::openPage(2033);
    QCOMPARE(m_viewer->windowTitle(), QString("Ajuda do Sistema"));
    QCOMPARE(m_viewer->DBText1->text(), QString("Editor de Lançamentos"));
    QCOMPARE(m_viewer->DBText1->toolTip(), QString("Editor de Lançamentos"));
}

void HelpViewerTest::scrollsToTheTopOnlyForAnotherPage()
{
    help::openPage(2061);
    QScrollBar *bar = m_viewer->DBRichEdit1->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 100);
    bar->setValue(bar->maximum());
    const int down = bar->value();
    QVERIFY(down > 0);
    help::openPage(2061);
    QCOMPARE(bar->value(), down);
    help::openPage(2062);
    QTRY_VERIFY(bar->maximum() > 100);
    QCOMPARE(bar->value(), 0);
}

void HelpViewerTest::aCodeWithNoPageKeepsThePage()
{
    help::openPage(2035);
    m_viewer->hide();
    app::openHelp(9999); // through a help control's way in
    QVERIFY(m_viewer->isVisible());
    QCOMPARE(m_viewer->shownCode(), qint64(2035));
    QCOMPARE(m_dm->TbInfo->asInt("Codigo"), qint64(2035));
    QCOMPARE(m_viewer->DBText1->text(), QString("Pesquisa de Lançamentos"));
    QCOMPARE(m_messages, QStringList());
}

void HelpViewerTest::choosingARelatedPageShowsItFromTheTop()
{
    help::openPage(2093);
    QScrollBar *bar = m_viewer->DBRichEdit1->verticalScrollBar();
    QCOMPARE(m_viewer->PU[1]->text(), QString("Empréstimos"));
    m_viewer->PU[1]->trigger();
    QCOMPARE(m_viewer->shownCode(), qint64(2061));
    QCOMPARE(m_dm->TbInfo->asInt("Codigo"), qint64(2061));
    QCOMPARE(m_viewer->DBText1->text(), QString("Empréstimos"));
    QCOMPARE(visibleItems(), 1); // 2061's own related page
    QCOMPARE(m_viewer->PU[0]->text(), QString("Poupança"));
    QCOMPARE(bar->value(), 0);
}

void HelpViewerTest::copyPutsRtfOnTheClipboard()
{
    help::openPage(2035);
    m_viewer->BtCopy->click();
    QCOMPARE(m_messages, QStringList{"OK. Texto copiado para \r\na área de transferência.\r\n\r\n"
                                     "Use Ctrl+V para colar em outro programa."});
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    QVERIFY(mime);
    const QByteArray rtf = mime->data("text/rtf");
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    QVERIFY(rtf.contains("Pesquisa de Lan\\'e7amentos"));
    QVERIFY(mime->text().startsWith("[Quorvila :: Finanças Pessoais]"));
    QVERIFY(mime->text().contains("Pesquisa de Lançamentos\n\nPesquisa."));
    QVERIFY(mime->hasHtml());
    QVERIFY(m_viewer->DBRichEdit1->hasFocus() || !m_viewer->isActiveWindow());
}

void HelpViewerTest::savingWritesRtfAndAFailureThrows()
{
    const help::PageText page{"Título", "<p>Texto com acentuação.</p>"};
    const QString path = m_dir->path() + "/Quorvila.RTF";
    help::writeRtfFile(page, help::MottoLetter::With, path);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray rtf = f.readAll();
    QVERIFY(rtf.startsWith("{\\rtf1"));
    QVERIFY(rtf.contains("acentua\\'e7\\'e3o"));
    QVERIFY_THROWS_EXCEPTION(app::Error,
                             help::writeRtfFile(page, help::MottoLetter::With,
                                                m_dir->path() + "/sem-pasta/Quorvila.RTF"));
}

void HelpViewerTest::placedBySmallScreenAndKeptForTheRun()
{
    // The offscreen screen is 800 pixels wide: 300 from its right edge, lower and shorter. A
    // display of 1024 or less puts it 305 from the edge; a wider one at 800.
    const int width = QApplication::primaryScreen()->geometry().width();
    const QPoint expected = width <= 800    ? QPoint(width - 300, 30)
                            : width <= 1024 ? QPoint(width - 305, 5)
                                            : QPoint(800, 5);
    QCOMPARE(m_viewer->pos(), expected);
    QCOMPARE(m_viewer->height(), width <= 800 ? 445 : 520);
    QCOMPARE(m_viewer->minimumSize(), QSize(280, 425));
    QVERIFY(!m_viewer->parentWidget());
    help::openPage(2035);
    m_viewer->BtFechar->click();
    QVERIFY(!m_viewer->isVisible());
    help::openPage(2033);
    QVERIFY(m_viewer->isVisible());
    QCOMPARE(m_viewer->shownCode(), qint64(2033));
}

// A modal screen that opens while the viewer is up takes it along at the same place and size,
// and the viewer keeps taking clicks (here: its "Fechar") while the screen runs.
void HelpViewerTest::staysUsableBesideAModalScreen()
{
    QWidget mainWindow;
    mainWindow.resize(300, 200);
    mainWindow.show();
    help::openPage(2033);
    m_viewer->setGeometry(QRect(450, 60, 320, 460));
    const QRect before = m_viewer->geometry();
    bool checked = false;
    testsupport::atNextDialog([&](QWidget *d) {
        QTRY_COMPARE(m_viewer->windowHandle()->transientParent(), d->windowHandle());
        QVERIFY(m_viewer->isVisible());
        QCOMPARE(m_viewer->geometry(), before);
        clickThroughTheWindow(m_viewer->BtFechar);
        QTRY_VERIFY(!m_viewer->isVisible());
        // Opened from the modal screen (its help button), it comes up usable too.
        app::openHelp(2035);
        QVERIFY(m_viewer->isVisible());
        clickThroughTheWindow(m_viewer->BtFechar);
        QTRY_VERIFY(!m_viewer->isVisible());
        checked = true;
        static_cast<QDialog *>(d)->reject();
    });
    QDialog dialog(&mainWindow);
    dialog.exec();
    QVERIFY(checked);
}

// Pictures of the viewer over the program's own information base, for a look at what the user
// sees: QUORVILA_SHOTS names the folder they go to.
void HelpViewerTest::screenshots()
{
    const QString dir = qEnvironmentVariable("QUORVILA_SHOTS");
    const QString built = QStringLiteral(QUORVILA_DADOS_DIR) + "/TbInfo.DB";
    if (dir.isEmpty() || !QFile::exists(built))
        QSKIP("QUORVILA_SHOTS not set or the information base not built");
    help::setViewer(nullptr);
    m_viewer.reset();
    m_dm = std::make_unique<data::TDM>();
    m_dm->DataModuleCreate(QStringLiteral(QUORVILA_DADOS_DIR));
    m_dm->openInfo();
    m_viewer = std::make_unique<help::TFormHelp>(*m_dm);
    help::setViewer(m_viewer.get());
    for (int code : {2033, 2001, 1101, 1201}) {
        help::openPage(code);
        QTest::qWait(100);
        m_viewer->grab().save(dir + QString("/help_%1.png").arg(code));
    }
    help::openPage(2033);
    m_viewer->BtMais->click();
    QTest::qWait(100);
    m_viewer->Popup1->grab().save(dir + "/help_related.png");
    m_viewer->Popup1->hide();
    data::Table *info = m_dm->TbInfo;
    info->locate("Codigo", 1101);
    QPixmap verse;
    verse.loadFromData(info->value("Imagem").toByteArray());
    verse.save(dir + "/verse_1101.png");
}

QTEST_MAIN(HelpViewerTest)
#include "tst_help.moc"
