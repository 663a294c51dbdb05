// The quick help, the about box and the Bible reader as a user drives them: which code each
// quick-help button hands back, which page opens, and what the reader shows for a node.
#include <help/UAbout.h>
#include <help/UBiblia.h>
#include <help/UHelpFast.h>
#include <help/bibletree.h>

#include <app/application.h>
#include <app/helptag.h>
#include <app/tests/infobasefixture.h>
#include <app/tests/modaldriver.h>
#include <data/UDM.h>

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

using testsupport::atNextDialog;

class HelpScreensTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void quickHelpButtons_data();
    void quickHelpButtons();
    void quickHelpReturnsToItsLastTab();
    void aboutBoxPages_data();
    void aboutBoxPages();
    void bibleReaderShowsTheNodesPage();
    void screenshots();

private:
    QList<int> m_opened; // pages handed to the help opener
};

void HelpScreensTest::init()
{
    m_opened.clear();
    app::setHelpOpener([this](int code) { m_opened << code; });
}

void HelpScreensTest::cleanup()
{
    app::setHelpOpener(nullptr);
}

void HelpScreensTest::quickHelpButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("code");
    QTest::newRow("purpose page") << "BitBtn7" << 0 << 2001;
    QTest::newRow("how to support") << "BitBtn8" << 0 << 1;
    QTest::newRow("how to start the books") << "BitBtn1" << 1 << 2004;
    QTest::newRow("chart of accounts") << "BitBtn2" << 1 << 2;
    QTest::newRow("finance page") << "BitBtn3" << 1 << 3;
    QTest::newRow("the asset register explained") << "BitBtn10" << 2 << 2002;
    QTest::newRow("financial education") << "BitBtn9" << 3 << 6;
    QTest::newRow("closed with Fechar") << "BtFechar" << 0 << 0;
}

// A button with a page code opens the page and leaves the quick help open; any other closes it
// and hands its code back.
void HelpScreensTest::quickHelpButtons()
{
    QFETCH(QString, button);
    QFETCH(int, tab);
    QFETCH(int, code);
    help::TFormHelpFast quick;
    QCOMPARE(quick.windowTitle(), QString("Quorvila :: Ajuda Rápida"));
    bool found = false, stayedOpen = false;
    atNextDialog([&](QWidget *d) {
        d->findChild<QTabWidget *>("PageControlHelp")->setCurrentIndex(tab);
        auto *b = d->findChild<QPushButton *>(button);
        found = b && b->isVisible() && b->isEnabled();
        if (!found) {
            d->close();
            return;
        }
        b->click();
        if (code < 2001)
            return;
        stayedOpen = d->isVisible();
        d->findChild<QPushButton *>("BtFechar")->click();
    });
    const int returned = quick.exec();
    QVERIFY(found);
    if (code >= 2001) {
        QVERIFY(stayedOpen);
        QCOMPARE(m_opened, QList<int>{code});
        QCOMPARE(returned, 0);
    } else {
        QCOMPARE(m_opened, QList<int>());
        QCOMPARE(returned, code);
    }
}

void HelpScreensTest::quickHelpReturnsToItsLastTab()
{
    {
        help::TFormHelpFast quick;
        // Every button of the quick help leads somewhere now.
        for (const char *name : {"BitBtn4", "BitBtn5", "BitBtn6"})
            QVERIFY2(quick.findChild<QPushButton *>(name)->isEnabled(), name);
        quick.findChild<QTabWidget *>("PageControlHelp")->setCurrentIndex(4);
    }
    help::TFormHelpFast again;
    QCOMPARE(again.findChild<QTabWidget *>("PageControlHelp")->currentIndex(), 4);
}

void HelpScreensTest::aboutBoxPages_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Sobre") << 0 << "Sobre...";
    QTest::newRow("Licença") << 1 << "Licença de Uso";
    QTest::newRow("Como Apoiar") << 2 << "Como Apoiar!";
    QTest::newRow("Doação") << 3 << "Faça uma Doação!";
    QTest::newRow("out of range shows the first") << 7 << "Sobre...";
}

void HelpScreensTest::aboutBoxPages()
{
    QFETCH(int, page);
    QFETCH(QString, caption);
    help::TFormAbout about(page);
    about.show();
    auto *pages = about.findChild<QTabWidget *>("PageControl1");
    QCOMPARE(pages->tabText(pages->currentIndex()), caption);
    auto *text = qobject_cast<QTextEdit *>(pages->currentWidget());
    QVERIFY(text);
    text->setFocus();
    // Read, never typed into, and no caret even with the focus.
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->cursorWidth(), 0);
    QVERIFY(!(text->textInteractionFlags() & Qt::TextSelectableByKeyboard));
    QVERIFY(text->toPlainText().size() > 200);
}

// The node "Sábado" under "Contentamento" shows page 1071; a node without a page shows nothing.
void HelpScreensTest::bibleReaderShowsTheNodesPage()
{
    QTemporaryDir dir;
    testsupport::makeEmptyInformationBase(dir.path());
    testsupport::addInformationPages(
        dir.path(), {{1000, 3, "Introdução", "<p>Começo.</p>", {}, {}},
                     {1071, 3, "Contentamento - Sábado", "<p>Texto do sábado.</p>", {}, {}}});
    data::TDM dm;
    dm.DataModuleCreate(dir.path());
    dm.openInfo();
    help::TFormBiblia reader(dm);
    auto *tree = reader.findChild<QTreeWidget *>("TreeView1");
    auto *title = reader.findChild<QLabel *>("DBText1");
    auto *text = reader.findChild<QTextEdit *>("DBRichEdit1");

    QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
    QCOMPARE(reader.shownCode(), 1000);
    QCOMPARE(title->text(), QString("Introdução"));
    QStringList expanded;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->isExpanded())
            expanded << (*it)->text(0);
    QCOMPARE(expanded, QStringList({"Princípios Bíblicos de Finanças", "Devocionais de Finanças",
                                    "Finanças e Bens Materiais [Panorama Resumido]"}));

    QTreeWidgetItem *devocionais = tree->topLevelItem(5);
    QCOMPARE(devocionais->text(0), QString("Devocionais de Finanças"));
    QTreeWidgetItem *contentamento = devocionais->child(5);
    QCOMPARE(contentamento->text(0), QString("Contentamento"));
    tree->setCurrentItem(contentamento->child(6));
    QCOMPARE(contentamento->child(6)->text(0), QString("Sábado"));
    QCOMPARE(reader.shownCode(), 1071);
    QCOMPARE(title->text(), QString("Contentamento - Sábado"));
    QCOMPARE(text->toPlainText(), QString("Texto do sábado."));

    tree->setCurrentItem(contentamento->child(5)); // Sexta, 1070: no page in this base
    QCOMPARE(reader.shownCode(), 1070);
    QCOMPARE(title->text(), QString());
    QCOMPARE(text->toPlainText(), QString());

    reader.findChild<QAbstractButton *>("BtFinHelp")->click();
    QCOMPARE(m_opened, QList<int>{2008});
}

// Not a check: with QUORVILA_SHOTS set to a directory, saves pictures of the three screens.
void HelpScreensTest::screenshots()
{
    const QString dir = qEnvironmentVariable("QUORVILA_SHOTS");
    if (dir.isEmpty())
        QSKIP("QUORVILA_SHOTS not set");
    for (int tab = 0; tab < 6; ++tab) {
        help::TFormHelpFast quick;
        quick.findChild<QTabWidget *>("PageControlHelp")->setCurrentIndex(tab);
        quick.show();
        QTest::qWait(50);
        quick.grab().save(dir + QString("/helpfast_%1.png").arg(tab));
    }
    for (int page = 0; page < 4; ++page) {
        help::TFormAbout about(page);
        about.show();
        QTest::qWait(50);
        about.grab().save(dir + QString("/about_%1.png").arg(page));
    }
    const QString dados = qEnvironmentVariable("QUORVILA_DADOS");
    if (dados.isEmpty())
        return;
    data::TDM dm;
    dm.DataModuleCreate(dados);
    dm.openInfo();
    help::TFormBiblia reader(dm);
    reader.show();
    auto *tree = reader.findChild<QTreeWidget *>("TreeView1");
    QTest::qWait(50);
    reader.grab().save(dir + "/biblia_intro.png");
    tree->setCurrentItem(tree->topLevelItem(5)->child(5)->child(6));
    QTest::qWait(50);
    reader.grab().save(dir + "/biblia_1071.png");
}

int main(int argc, char **argv)
{
    app::Application a(argc, argv);
    HelpScreensTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_helpscreens.moc"
