// The main window end to end: a first start from an empty data directory, sign-in, and the entry
// list operations as a user drives them, with the figures following every change.
#include <app/Quorvila.h>
#include <app/application.h>
#include <app/dates.h>
#include <app/mensagem.h>
#include <app/platformbox.h>
#include <app/tests/infobasefixture.h>
#include <app/tests/modaldriver.h>
#include <data/UDM.h>
#include <entries/UFinEdit.h>
#include <main/UMain.h>

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using app::MsgButton;
using testsupport::atNextDialog;

namespace {

void type(QWidget *dlg, const char *name, const QString &text)
{
    auto *e = dlg->findChild<QLineEdit *>(name);
    QVERIFY2(e, name);
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
}

// Answers the next entry editor with a new entry typed field by field, then Gravar.
void saveNextEntry(const QString &data, const QString &deb, const QString &cred,
                   const QString &valor, const QString &hsto)
{
    atNextDialog([=](QWidget *d) {
        type(d, "EditData", data);
        type(d, "EditCtaDeb", deb);
        type(d, "EditCtaCred", cred);
        type(d, "EditValor", valor);
        type(d, "EditHsto", hsto);
        d->findChild<QPushButton *>("BtOk")->click();
    });
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void firstRunSignInAndTheEntryLifeCycle();
    void refusalsChangeNothing();
    void signingInAgainStartsAFreshSession();
    void findAndSort();
    void userScreensOpenOverTheHomePage_data();
    void userScreensOpenOverTheHomePage();
    void balanceScreenOpensOverTheEntriesOnTheUsersMonth();
    void storedTextIsShownAsTyped_data();
    void storedTextIsShownAsTyped();
    void largestAmountsAreShownWhole();
    void screenshots();

private:
    QString label(const char *name) const
    {
        return m_q->mainWindow()->findChild<QLabel *>(name)->text();
    }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<app::Quorvila> m_q;
    QStringList m_messages;
    MsgButton m_answer = MsgButton::Yes;
};

void MainWindowTest::initTestCase()
{
    app::setTodayForTests(QDate(2026, 12, 10));
}

void MainWindowTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    const QString dados = m_dir->path() + "/Dados";
    testsupport::makeEmptyInformationBase(dados);
    m_messages.clear();
    m_answer = MsgButton::Yes;
    app::setMensagemResponder([this](const QString &t, int kind) {
        m_messages << t;
        return kind == 0 ? MsgButton::Ok : m_answer;
    });
    app::setPlatformBoxResponder([this](const QString &t, bool) { m_messages << t; });
    m_q = std::make_unique<app::Quorvila>(app::StartupOptions{dados, false});
    atNextDialog([](QWidget *d) { d->findChild<QPushButton *>("BtOk")->click(); });
    QVERIFY(m_q->start());
    QTRY_VERIFY_WITH_TIMEOUT(m_q->ready(), 10000);
}

void MainWindowTest::cleanup()
{
    m_q.reset();
    app::setMensagemResponder(nullptr);
    app::setPlatformBoxResponder(nullptr);
}

void MainWindowTest::firstRunSignInAndTheEntryLifeCycle()
{
    auto *w = m_q->mainWindow();
    data::Table *fin = m_q->dm()->TbFin;
    QCOMPARE(w->windowTitle(), QString("Quorvila :: Finanças Pessoais  [0001  Nome do Usuário]"));
    QCOMPARE(w->findChild<QPushButton *>("BtPeriodo")->text(), QString("Dezembro/2026"));
    QCOMPARE(label("LabelRecCount"), QString("[5]"));
    QCOMPARE(label("LabelSlAnt"), QString("250,00  "));
    QCOMPARE(label("LabelSlReceita"), QString("2.000,00  "));
    QCOMPARE(label("LabelSlAtu"), QString("2.200,00 "));
    QCOMPARE(label("LabelCapSlAnt"), QString(" Saldo Anterior (30/11/2026)"));
    QCOMPARE(w->grid()->model()->rowCount(), 5);
    // Sorted by date, on the nearest entry dated today or later: none, so the last by date.
    QCOMPARE(fin->indexName(), QString("IdxData"));

    // Include: a purchase of 80,50 from the bank on 05/12/2026.
    saveNextEntry("05/12/2026", "221", "13", "80,50", "SUPERMERCADO");
    w->ActionIncluirFin->trigger();
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(label("LabelRecCount"), QString("[6]"));
    QCOMPARE(label("LabelSlDespesa"), QString("-130,50  "));
    QCOMPARE(label("LabelSlAtu"), QString("2.119,50 "));
    QCOMPARE(fin->asString("Hsto"), QString("SUPERMERCADO"));
    QVERIFY(fin->asBool("Confirmado"));
    QCOMPARE(fin->asDate("DataLog"), QDate(2026, 12, 10));

    // Replicate it: the copy needs its own date.
    atNextDialog([](QWidget *d) {
        QCOMPARE(d->findChild<QLineEdit *>("EditData")->text().remove('/').trimmed(), QString());
        QCOMPARE(d->findChild<QLineEdit *>("EditCtaDeb")->text(), QString("221"));
        type(d, "EditData", "07/12/2026");
        d->findChild<QPushButton *>("BtOk")->click();
    });
    w->ActionReplicarFin->trigger();
    QCOMPARE(label("LabelRecCount"), QString("[7]"));
    QCOMPARE(label("LabelSlDespesa"), QString("-211,00  "));

    // Unconfirm through the editor, then mark everything confirmed.
    m_q->dm()->db().exec("UPDATE " + fin->sqlName() + " SET Confirmado = 0");
    fin->refresh();
    w->ActionMarcarTodosOk->trigger();
    QCOMPARE(m_messages.last(),
             QString("Alterações realizadas!\r\n\r\nTodos os lançamentos foram\r\n"
                     "marcados como 'Ok. Confirmado'!"));
    QCOMPARE(m_q->dm()
                 ->db()
                 .scalar("SELECT count(*) FROM " + fin->sqlName() + " WHERE Confirmado = 1")
                 .toInt(),
             7);

    // Delete the replica (current after its save), answering Yes.
    QCOMPARE(fin->asDate("Data"), QDate(2026, 12, 7));
    w->ActionExcluirFin->trigger();
    QVERIFY(m_messages.last().startsWith("Excluir lançamento?\r\n\r\nData: 07/12/2026"));
    QCOMPARE(label("LabelRecCount"), QString("[6]"));
    QCOMPARE(label("LabelSlDespesa"), QString("-130,50  "));
}

// Signing the user in again (as after a restore) ends the session and its editor and starts new
// ones: the month comes from the stored DtMin, and the new editor's save reaches the new figures.
void MainWindowTest::signingInAgainStartsAFreshSession()
{
    auto *w = m_q->mainWindow();
    data::Table *user = m_q->dm()->TbUser;
    user->edit();
    user->setValue("DtMin", QDate(2026, 11, 15));
    user->post();
    QVERIFY(w->InicializarUsuario());
    QVERIFY(w->session());
    QCOMPARE(w->findChild<QPushButton *>("BtPeriodo")->text(), QString("Novembro/2026"));
    QCOMPARE(label("LabelSlAnt"), QString("0,00  "));
    QCOMPARE(label("LabelSlReceita"), QString("250,00  "));

    saveNextEntry("20/11/2026", "221", "13", "10,00", "PADARIA");
    w->ActionIncluirFin->trigger();
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(label("LabelRecCount"), QString("[6]"));
    QCOMPARE(label("LabelSlDespesa"), QString("-10,00  "));
    QCOMPARE(label("LabelSlAtu"), QString("240,00 "));
}

void MainWindowTest::refusalsChangeNothing()
{
    auto *w = m_q->mainWindow();
    data::Table *fin = m_q->dm()->TbFin;
    // A closed entry cannot be deleted.
    data::Table *user = m_q->dm()->TbUser;
    user->edit();
    user->setValue("FechadoAte", QDate(2026, 12, 1));
    user->post();
    fin->setIndexName("IdxData");
    fin->first();
    w->ActionExcluirFin->trigger();
    QVERIFY(m_messages.last().startsWith("Este lançamento não pode ser excluído!"));
    QCOMPARE(fin->recordCount(), 5);
    // Answering No keeps an open entry.
    fin->last();
    m_answer = MsgButton::No;
    w->ActionExcluirFin->trigger();
    QCOMPARE(fin->recordCount(), 5);
    w->ActionMarcarTodosOk->trigger();
    QCOMPARE(m_messages.last(), QString("Nenhuma alteração foi realizada!"));
    // Editing a closed entry opens it view-only and writes nothing.
    fin->first();
    const qint64 changes = m_q->dm()->db().changeCounter();
    atNextDialog([w](QWidget *d) {
        QVERIFY(d->windowTitle().startsWith(
            "Lançamento não pode ser alterado. Período até 01/12/2026"));
        d->findChild<QPushButton *>("BtOk")->click();
        Q_UNUSED(w);
    });
    w->ActionEditarFin->trigger();
    QCOMPARE(m_q->dm()->db().changeCounter(), changes);
    // An empty book refuses edit, delete and replicate.
    m_q->dm()->db().exec("DELETE FROM " + fin->sqlName());
    fin->refresh();
    m_messages.clear();
    w->ActionEditarFin->trigger();
    w->ActionExcluirFin->trigger();
    w->ActionReplicarFin->trigger();
    QCOMPARE(m_messages,
             (QStringList{"Nenhum lançamento para Editar!", "Nenhum lançamento para Excluir!",
                          "Nenhum lançamento para Replicar!"}));
}

void MainWindowTest::findAndSort()
{
    auto *w = m_q->mainWindow();
    data::Table *fin = m_q->dm()->TbFin;
    auto *grid = w->grid();
    w->ActionIrParaFin->trigger();
    // Titles: "Valor " sorts by value, "Histórico" changes nothing.
    grid->horizontalHeader()->sectionClicked(4);
    QCOMPARE(fin->indexName(), QString("IdxValor"));
    grid->horizontalHeader()->sectionClicked(5);
    QCOMPARE(fin->indexName(), QString("IdxValor"));
    // Find by code.
    w->ActionLocalizarFin->trigger();
    auto *edit = w->findChild<QLineEdit *>("EditFindFin");
    QTest::keyClicks(edit, "3");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(fin->asInt("Codigo"), 3);
    QCOMPARE(fin->indexName(), QString("IdxValor"));
    w->ActionLocalizarFin->trigger();
    QTest::keyClicks(edit, "99");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(m_messages.last(), QString("Código '000099' não encontrado!"));
    QCOMPARE(fin->asInt("Codigo"), 3);
    // A date without entries, answered Yes: the first entry dated later, sorted by date.
    w->ActionLocalizarFin->trigger();
    QTest::keyClicks(edit, "3/12");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(m_messages.last(),
             QString("Data '03/12/2026' não encontrada!\r\nPosicionar na data mais próxima?"));
    QCOMPARE(fin->indexName(), QString("IdxData"));
    QCOMPARE(fin->asDate("Data"), QDate(2026, 12, 6));
    // Nonsense is refused and the field keeps the focus.
    w->ActionLocalizarFin->trigger();
    QTest::keyClicks(edit, "1/2/3/4");
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(m_messages.last().startsWith("'1/2/3/4' não é um Código válido e"));
}

// Switching user and the user's backup come up over the home page, never over the previous
// session's entries. Before, both left "Controle Financeiro" active behind the dialog.
void MainWindowTest::userScreensOpenOverTheHomePage_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("closeWith");
    QTest::newRow("Alternar Usuário") << "ActionChangeUser" << "BtOk";
    QTest::newRow("Backup dos Arquivos do Usuário") << "ActionUserBackup" << "BtFechar";
}

void MainWindowTest::userScreensOpenOverTheHomePage()
{
    QFETCH(QString, action);
    QFETCH(QString, closeWith);
    auto *w = m_q->mainWindow();
    auto *pages = w->findChild<QTabWidget *>("PageControl1");
    w->ActionIrParaFin->trigger();
    QCOMPARE(pages->currentWidget()->objectName(), QString("TabFin"));
    QString pageBehind;
    atNextDialog([&](QWidget *d) {
        pageBehind = pages->currentWidget()->objectName();
        d->findChild<QPushButton *>(closeWith)->click();
    });
    w->findChild<QAction *>(action)->trigger();
    QCOMPARE(pageBehind, QString("TabHome"));
}

void MainWindowTest::balanceScreenOpensOverTheEntriesOnTheUsersMonth()
{
    auto *w = m_q->mainWindow();
    auto *pages = w->findChild<QTabWidget *>("PageControl1");
    QVERIFY(w->findChild<QPushButton *>("BtBalancete")->isEnabled());
    QString screen, pageBehind, period;
    atNextDialog([&](QWidget *d) {
        screen = d->objectName();
        pageBehind = pages->currentWidget()->objectName();
        period = d->findChild<QPushButton *>("BtPeriodo")->text();
        d->findChild<QPushButton *>("BtFechar")->click();
    });
    w->ActionBalancete->trigger();
    QCOMPARE(screen, QString("TFormBalCalc"));
    QCOMPARE(pageBehind, QString("TabFin"));
    QCOMPARE(period, QString("Dezembro/2026"));
    QVERIFY(m_messages.isEmpty());
}

// Entry notes and account descriptions are the user's own text: shown as typed, never read as
// markup. Before, "<b>ver</b> extrato" showed "ver" in bold and the tags vanished.
void MainWindowTest::storedTextIsShownAsTyped_data()
{
    QTest::addColumn<bool>("inEditor");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("shown");
    const QString account = "<i>Banco</i> Digital";
    QTest::newRow("main window, note") << false << "DBTextObs" << "<b>ver</b> extrato";
    QTest::newRow("main window, destination") << false << "DBTextContaDestino" << account;
    QTest::newRow("main window, origin") << false << "DBTextContaOrigem" << account;
    QTest::newRow("editor, destination") << true << "LbCtaDeb" << account;
    QTest::newRow("editor, origin") << true << "LbCtaCred" << account;
}

void MainWindowTest::storedTextIsShownAsTyped()
{
    QFETCH(bool, inEditor);
    QFETCH(QString, label);
    QFETCH(QString, shown);
    auto *w = m_q->mainWindow();
    data::Database &db = m_q->dm()->db();
    db.exec("UPDATE " + m_q->dm()->TbFin->sqlName() + " SET Obs = '<b>ver</b> extrato'");
    db.exec("UPDATE " + m_q->dm()->TbCta->sqlName() + " SET Descricao = '<i>Banco</i> Digital'");
    QVERIFY(w->InicializarUsuario());
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    const auto read = [&](QWidget *from) {
        auto *l = from->findChild<QLabel *>(label);
        QVERIFY2(l, qPrintable(label));
        text = l->text();
        format = l->textFormat();
    };
    if (inEditor) {
        atNextDialog([&](QWidget *d) {
            read(d);
            d->findChild<QPushButton *>("BtCancel")->click();
        });
        w->ActionEditarFin->trigger();
    } else {
        read(w);
    }
    QVERIFY2(text.contains(shown), qPrintable(text));
    QCOMPARE(format, Qt::PlainText);
}

// The widest amounts (-999.999.999,99) keep every digit and the sign in the grid and the figures.
// Written through the table (which takes a negative amount) and the editor, on an emptied book.
static void addThroughTheTable(data::Table *fin, const QDate &d, int deb, int cred, qint64 valor)
{
    fin->append();
    fin->setValue("Data", d);
    fin->setValue("CtaDeb", deb);
    fin->setValue("CtaCred", cred);
    fin->setValue("Valor", valor);
    fin->setValue("Hsto", "VALOR GRANDE");
    fin->post();
}

static void largestAmountsBook(data::TDM &dm)
{
    data::Table *fin = dm.TbFin;
    fin->emptyTable();
    const auto add = [fin](const QDate &d, int deb, int cred, qint64 valor) {
        addThroughTheTable(fin, d, deb, cred, valor);
    };
    const qint64 max = app::kMaxAmountCentavos;
    add(QDate(2026, 11, 30), 221, 13, max); // the balance before the period: -max
    add(QDate(2026, 12, 3), 13, 111, max);  // income of the period: max
    add(QDate(2026, 12, 4), 11, 13, -max);  // a transfer moves no balance
    // The expense through the editor, which recomputes the figures: -max, and so are the
    // balances at the end of the period and today.
    saveNextEntry("05/12/2026", "221", "13", "999999999,99", "VALOR GRANDE");
}

void MainWindowTest::largestAmountsAreShownWhole()
{
    auto *w = m_q->mainWindow();
    w->ActionIrParaFin->trigger();
    largestAmountsBook(*m_q->dm());
    w->ActionIncluirFin->trigger();
    QCOMPARE(m_messages, QStringList());
    const QString neg = "-999.999.999,99";
    const std::pair<const char *, QString> figures[] = {{"LabelSlAnt", neg + "  "},
                                                        {"LabelSlReceita", "999.999.999,99  "},
                                                        {"LabelSlDespesa", neg + "  "},
                                                        {"LabelSlAtu", neg + " "},
                                                        {"LabelSlHoje", neg + " "}};
    for (const auto &[name, text] : figures) {
        const QLabel *l = w->findChild<QLabel *>(name);
        QCOMPARE(l->text(), text);
        QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width(), name);
        QVERIFY2(l->geometry().right() <= w->grid()->geometry().right(), name);
    }
    for (const char *caption : {"LabelCapSlAnt", "LabelCapSlAtu", "LabelCapSlHoje"}) {
        const QLabel *l = w->findChild<QLabel *>(caption);
        QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width(),
                 caption);
    }

    QTableView *grid = w->grid();
    QCOMPARE(grid->model()->rowCount(), 4);
    QStringList shown;
    for (int row = 0; row < 4; ++row) {
        const QString text = grid->model()->index(row, 4).data().toString();
        shown << text;
        // The delegate draws 2 pixels in from each edge.
        QVERIFY2(grid->fontMetrics().horizontalAdvance(text) + 4 < grid->columnWidth(4),
                 qPrintable(text));
    }
    QVERIFY(shown.contains(neg));
    QVERIFY(shown.contains("999.999.999,99"));
    // The wider amount column leaves the row as wide as the grid: no horizontal scrolling.
    QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(w->centralWidget()->size(), QSize(774, 554));

    // A sum wider than any single amount keeps its leading digits and is whole in the tooltip.
    for (int i = 0; i < 11; ++i)
        addThroughTheTable(m_q->dm()->TbFin, QDate(2026, 12, 6), 221, 11, app::kMaxAmountCentavos);
    saveNextEntry("06/12/2026", "221", "13", "999999999,99", "OUTRO");
    w->ActionIncluirFin->trigger();
    const QLabel *despesa = w->findChild<QLabel *>("LabelSlDespesa");
    QCOMPARE(despesa->toolTip(), QString("-12.999.999.999,87"));
    QVERIFY(despesa->text().startsWith("-12.9")); // whole without its blanks, or cut at the right
    QVERIFY(despesa->fontMetrics().horizontalAdvance(despesa->text()) <=
            despesa->contentsRect().width());
    QCOMPARE(w->findChild<QLabel *>("LabelSlAnt")->toolTip(), QString());
}

// Not a check: with QUORVILA_SHOTS set to a directory, saves pictures of the main window there.
void MainWindowTest::screenshots()
{
    const QString dir = qEnvironmentVariable("QUORVILA_SHOTS");
    if (dir.isEmpty())
        QSKIP("QUORVILA_SHOTS not set");
    auto *w = m_q->mainWindow();
    QTest::qWait(100);
    w->grab().save(dir + "/main_home.png");
    w->ActionIrParaFin->trigger();
    QTest::qWait(100);
    w->grab().save(dir + "/main_fin.png");
    largestAmountsBook(*m_q->dm());
    w->ActionIncluirFin->trigger();
    QTest::qWait(100);
    w->grab().save(dir + "/main_large_amount.png");
}

int main(int argc, char **argv)
{
    app::Application a(argc, argv);
    MainWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_main.moc"
