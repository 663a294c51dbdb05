// Every help button and help command of the program, driven as a user does: each opens the help
// viewer on its own page of the information base (one row per control, with the way to reach
// it: a command of the main window, a button of the screen it opens, a page of that screen).
#include <app/Quorvila.h>
#include <app/dates.h>
#include <app/mensagem.h>
#include <app/platformbox.h>
#include <app/tests/modaldriver.h>
#include <data/UDM.h>
#include <help/UHelp.h>
#include <help/infocodes.h>
#include <help/tests/pagetree.h>
#include <main/UMain.h>

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using testsupport::atNextDialog;

namespace {

struct HelpControl
{
    const char *control = nullptr; // a main window command or button, or a button of a screen
    int code = 0;
    const char *opener = nullptr; // the main window command that opens the screen
    const char *inner = nullptr;  // the button of that screen that opens the editor holding it
    int page = -1;                // the screen's page to show first
    bool findPanelOpen = false;   // the entries' find panel is up when the control is pressed
};

// Presses the control by its name, the way the user would (a click, or a command's trigger).
bool press(QWidget *root, const char *name)
{
    if (auto *b = root->findChild<QAbstractButton *>(name)) {
        if (!b->isEnabled() || !b->isVisibleTo(root))
            return false;
        b->click();
        return true;
    }
    if (auto *a = root->findChild<QAction *>(name)) {
        if (!a->isEnabled())
            return false;
        a->trigger();
        return true;
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(HelpControl)

class HelpControlsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void opensItsPage_data();
    void opensItsPage();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<app::Quorvila> m_q;
};

void HelpControlsTest::initTestCase()
{
    app::setTodayForTests(QDate(2026, 12, 10));
    m_dir = std::make_unique<QTemporaryDir>();
    const QString dados = m_dir->path() + "/Dados";
    QDir().mkpath(dados);
    QList<testsupport::PageSpec> pages;
    for (int code : help::requiredCodes())
        if (code != 1101) // among the panel pages already
            pages << testsupport::pageSpec(code, 4, QString("Página %1").arg(code));
    testsupport::buildFixtureBase(dados + "/TbInfo.DB", m_dir->path() + "/content", pages);
    app::setMensagemResponder([](const QString &, int) { return app::MsgButton::Ok; });
    app::setPlatformBoxResponder([](const QString &, bool) {});
    m_q = std::make_unique<app::Quorvila>(app::StartupOptions{dados, false});
    atNextDialog([](QWidget *d) { d->findChild<QAbstractButton *>("BtOk")->click(); });
    QVERIFY(m_q->start());
    QTRY_VERIFY_WITH_TIMEOUT(m_q->ready(), 10000);
}

void HelpControlsTest::cleanupTestCase()
{
    m_q.reset();
    app::setMensagemResponder(nullptr);
    app::setPlatformBoxResponder(nullptr);
}

void HelpControlsTest::opensItsPage_data()
{
    QTest::addColumn<HelpControl>("c");
    const auto row = [](const char *name, HelpControl c) {
        QTest::newRow(name) << c;
    };
    row("Funcionalidades do Sistema", {"ActionFuncionalidades", 2003});
    row("Propósito", {"ActionProposito", 2001});
    row("Conhecendo o Quorvila", {"ActionHelpConhecendo", 2007});
    row("Como Iniciar o Controle Financeiro", {"ActionHelpComoIniciaroUso", 2004});
    row("O Controle de Bens", {"ActionOqueeControleDeBens", 2002});
    row("finance tab", {"BtFinHelp", 2038, nullptr, nullptr, -1, true});
    row("entry editor", {"BtHelp", 2033, "ActionIncluirFin"});
    row("chart of accounts", {"BtFinHelp", 2031, "ActionPlanoCta"});
    row("account editor", {"BtHelp", 2032, "ActionPlanoCta", "BtNovo"});
    row("standard histories", {"BtFinHelp", 2036, "ActionHsto"});
    row("budget", {"BtFinHelp", 2046, "ActionOrcamento"});
    row("history editor", {"BtHelp", 2037, "ActionHsto", "BtNovo"});
    row("preferences", {"BtHelp", 2073, "ActionPreferencias"});
    row("preferences, third page", {"BtHelp", 2074, "ActionPreferencias", nullptr, 2});
    row("calculators, loans", {"BtHelpEmpr", 2061, "ActionMatFin", nullptr, 0});
    row("calculators, savings", {"BtHelpPoupar", 2062, "ActionMatFin", nullptr, 1});
    row("calculators, basic", {"BtHelpCalc", 2063, "ActionMatFin", nullptr, 2});
}

void HelpControlsTest::opensItsPage()
{
    QFETCH(HelpControl, c);
    help::TFormHelp *viewer = m_q->helpViewer();
    viewer->hide();
    QVERIFY(m_q->dm()->TbInfo->locate("Codigo", 1000));
    bool pressed = false;
    const auto pressIn = [&](QWidget *screen) {
        if (c.page >= 0) {
            auto *tabs = screen->findChild<QTabWidget *>("PageControl1");
            if (!tabs)
                tabs = screen->findChild<QTabWidget *>("PageMatFin");
            tabs->setCurrentIndex(c.page);
        }
        pressed = press(screen, c.control);
    };
    auto *main = m_q->mainWindow();
    auto *findPanel = main->findChild<QWidget *>("PanelFindFin");
    if (c.findPanelOpen) {
        main->ActionLocalizarFin->trigger();
        QVERIFY(findPanel->isVisible());
    }
    if (!c.opener) {
        pressIn(main);
    } else {
        atNextDialog([&](QWidget *screen) {
            if (c.inner) {
                atNextDialog([&](QWidget *editor) {
                    pressIn(editor);
                    static_cast<QDialog *>(editor)->reject();
                });
                press(screen, c.inner);
            } else {
                pressIn(screen);
            }
            static_cast<QDialog *>(screen)->reject();
        });
        QVERIFY(press(main, c.opener));
    }
    QVERIFY2(pressed, c.control);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->shownCode(), qint64(c.code));
    QCOMPARE(m_q->dm()->TbInfo->asInt("Codigo"), qint64(c.code));
    QCOMPARE(viewer->DBText1->text(), QString("Página %1").arg(c.code));
    QVERIFY(!findPanel->isVisible()); // the help is not shown under a find panel
}

QTEST_MAIN(HelpControlsTest)
#include "tst_helpcontrols.moc"
