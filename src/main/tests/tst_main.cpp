// The main window end to end: a first start from an empty data directory, sign-in, and the entry
// list operations as a user drives them, with the figures following every change.
#include <app/Quorvila.h>
#include <app/application.h>
#include <app/dates.h>
#include <app/helptag.h>
#include <app/mensagem.h>
#include <app/platformbox.h>
#include <app/tests/infobasefixture.h>
#include <app/tests/modaldriver.h>
#include <data/UDM.h>
#include <entries/UFinEdit.h>
#include <main/UMain.h>

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QHeaderView>
#include <QImage>
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
    void earlierHistoriesAreTheEntriesFromTheLast();
    void findAndSort();
    void userScreensOpenOverTheHomePage_data();
    void userScreensOpenOverTheHomePage();
    void searchChoosesAnEntryInDateOrder();
    void featureScreenOpensOverTheEntriesOnTheUsersMonth_data();
    void featureScreenOpensOverTheEntriesOnTheUsersMonth();
    void storedTextIsShownAsTyped_data();
    void storedTextIsShownAsTyped();
    void largestAmountsAreShownWhole();
    void panelsAfterSignIn_data();
    void panelsAfterSignIn();
    void quickHelpCodes_data();
    void quickHelpCodes();
    void aboutCommandsOpenTheirPage_data();
    void aboutCommandsOpenTheirPage();
    void helpScreensPlacement_data();
    void helpScreensPlacement();
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

// The editor's list of earlier histories is read when first asked for, not at sign-in: the
// entries' histories from the last record to the first, and each save goes on top.
void MainWindowTest::earlierHistoriesAreTheEntriesFromTheLast()
{
    auto *w = m_q->mainWindow();
    data::Table *fin = m_q->dm()->TbFin;
    QStringList expected;
    for (fin->last(); !fin->bof(); fin->prior())
        expected << fin->asString("Hsto");
    QCOMPARE(expected.size(), 5);
    QCOMPARE(w->finEdit()->historyList(), expected);
    saveNextEntry("09/12/2026", "221", "13", "10,00", "PADARIA NOVA");
    w->ActionIncluirFin->trigger();
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(w->finEdit()->historyList(), QStringList{"PADARIA NOVA"} + expected);
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
    QTest::newRow("Alternar Usuário") << "ActionChangeUser"
                                      << "BtOk";
    QTest::newRow("Backup dos Arquivos do Usuário") << "ActionUserBackup"
                                                    << "BtFechar";
    QTest::newRow("Cálculos Financeiros") << "ActionMatFin"
                                          << "BtFechar";
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

void MainWindowTest::featureScreenOpensOverTheEntriesOnTheUsersMonth_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");
    QTest::newRow("balance screen") << "ActionBalancete"
                                    << ""
                                    << "TFormBalCalc";
    QTest::newRow("balance button") << "ActionBalancete"
                                    << "BtBalancete"
                                    << "TFormBalCalc";
    QTest::newRow("budget screen") << "ActionOrcamento"
                                   << ""
                                   << "TFormOrcCalc";
    QTest::newRow("budget button") << "ActionOrcamento"
                                   << "BtOrcamento"
                                   << "TFormOrcCalc";
}

void MainWindowTest::featureScreenOpensOverTheEntriesOnTheUsersMonth()
{
    QFETCH(QString, action);
    QFETCH(QString, button);
    QFETCH(QString, expected);
    auto *w = m_q->mainWindow();
    auto *pages = w->findChild<QTabWidget *>("PageControl1");
    auto *a = w->findChild<QAction *>(action);
    QVERIFY(a->isEnabled());
    QString screen, pageBehind, period;
    atNextDialog([&](QWidget *d) {
        screen = d->objectName();
        pageBehind = pages->currentWidget()->objectName();
        period = d->findChild<QPushButton *>("BtPeriodo")->text();
        d->findChild<QPushButton *>("BtFechar")->click();
    });
    if (button.isEmpty()) {
        a->trigger();
    } else {
        auto *b = w->findChild<QPushButton *>(button);
        QVERIFY(b->isEnabled());
        b->click();
    }
    QCOMPARE(screen, expected);
    QCOMPARE(pageBehind, QString("TabFin"));
    QCOMPARE(period, QString("Dezembro/2026"));
    QVERIFY(m_messages.isEmpty());
}

// The entry search and the upcoming entries open from their buttons; an entry chosen in the
// search becomes the list's current entry, the list in date order; the OFX import is enabled.
void MainWindowTest::searchChoosesAnEntryInDateOrder()
{
    auto *w = m_q->mainWindow();
    data::Table *fin = m_q->dm()->TbFin;
    w->ActionIrParaFin->trigger();
    w->grid()->horizontalHeader()->sectionClicked(4); // by value
    QVERIFY(w->ActionImportarOFX->isEnabled());
    atNextDialog([](QWidget *d) {
        QTest::keyClicks(d->findChild<QLineEdit *>("EditTx"), "saque");
        d->findChild<QPushButton *>("BtPesquisar")->click();
        auto *grid = d->findChild<QTableView *>("DBGridFin");
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Return);
    });
    w->findChild<QPushButton *>("BtPesquisar")->click();
    QCOMPARE(fin->indexName(), QString("IdxData"));
    QCOMPARE(fin->asString("Hsto"), QString("SAQUE CONTA CORRENTE BANCO 1"));
    QString count;
    atNextDialog([&](QWidget *d) {
        count = d->findChild<QLabel *>("LabelNR")->text();
        d->findChild<QPushButton *>("BtFechar")->click();
    });
    w->findChild<QPushButton *>("BtProximos")->click();
    QCOMPARE(count, QString("Nenhum lançamento encontrado.")); // the samples end on 06/12
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
    QTest::newRow("main window, note") << false << "DBTextObs"
                                       << "<b>ver</b> extrato";
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

namespace {

QByteArray versePicture(QColor colour)
{
    QImage img(600, 90, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return png;
}

} // namespace

void MainWindowTest::panelsAfterSignIn_data()
{
    QTest::addColumn<int>("pages"); // of each kind
    QTest::newRow("none: empty panels, buttons off") << 0;
    QTest::newRow("one: shown, nothing else to pick") << 1;
    QTest::newRow("two: they alternate") << 2;
    QTest::newRow("three: never the same twice") << 3;
}

// After sign-in each panel shows a page of its kind and keeps its code; "Outra Reflexão" and
// "Outro Versículo" change it, and the read buttons open the page shown.
void MainWindowTest::panelsAfterSignIn()
{
    QFETCH(int, pages);
    QList<testsupport::InfoPageRow> rows;
    for (int i = 0; i < pages; ++i) {
        rows.append({1201 + i,
                     2,
                     QString("Reflexão %1").arg(i),
                     "<p>r</p>",
                     QString("Dica número %1").arg(i),
                     {}});
        rows.append({1101 + i,
                     1,
                     QString("Versículo %1").arg(i),
                     "<p>v</p>",
                     {},
                     versePicture(QColor::fromHsv(i * 100, 200, 200))});
    }
    testsupport::addInformationPages(m_dir->path() + "/Dados", rows);
    QList<int> opened;
    app::setHelpOpener([&](int code) { opened << code; });
    const auto guard = qScopeGuard([] { app::setHelpOpener(nullptr); });
    auto *w = m_q->mainWindow();
    QVERIFY(w->InicializarUsuario());

    auto *dica = w->findChild<QLabel *>("LabelDica");
    auto *image = w->findChild<QLabel *>("Image1");
    auto *outra = w->findChild<QPushButton *>("BtOutraDica");
    auto *leia = w->findChild<QPushButton *>("BtLeiaMais");
    auto *outroVers = w->findChild<QPushButton *>("BtOutroVersiculo");
    auto *lerVers = w->findChild<QPushButton *>("BtLerVersiculo");
    QCOMPARE(outra->toolTip(), QString("Outra Reflexão"));
    QCOMPARE(lerVers->toolTip(), QString("Leia o Contexto"));
    QCOMPARE(leia->isEnabled(), pages > 0);
    QCOMPARE(lerVers->isEnabled(), pages > 0);
    QCOMPARE(outra->isEnabled(), pages > 1);
    QCOMPARE(outroVers->isEnabled(), pages > 1);
    if (pages == 0) {
        QCOMPARE(dica->text(), QString());
        QCOMPARE(app::helpTag(leia), 0);
        QVERIFY(image->pixmap().isNull());
        return;
    }
    // The label and the read button share the page's code, and the label shows its Dica.
    int reflection = app::helpTag(dica);
    QCOMPARE(app::helpTag(leia), reflection);
    QCOMPARE(dica->text(), QString("Dica número %1").arg(reflection - 1201));
    QVERIFY(!image->pixmap().isNull());
    QCOMPARE(app::helpTag(lerVers), app::helpTag(image));

    for (int i = 0; i < 6 && pages > 1; ++i) {
        const int before = app::helpTag(dica);
        outra->click();
        QVERIFY(app::helpTag(dica) != before);
        if (pages == 2)
            QCOMPARE(app::helpTag(dica), 1201 + 1202 - before);
        const int verse = app::helpTag(image);
        outroVers->click();
        QVERIFY(app::helpTag(image) != verse);
    }
    reflection = app::helpTag(dica);
    leia->click();
    QTest::mouseDClick(dica, Qt::LeftButton);
    QTest::mouseDClick(image, Qt::LeftButton);
    QCOMPARE(opened, QList<int>({reflection, reflection, app::helpTag(image)}));
}

void MainWindowTest::quickHelpCodes_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("nextScreen"); // the screen the main window opens, if any
    QTest::addColumn<QString>("page");       // the main window's page then
    QTest::newRow("1: about box on Como Apoiar") << "BitBtn8" << 0 << "TFormAbout"
                                                 << "TabHome";
    QTest::newRow("2: chart of accounts") << "BitBtn2" << 1 << "TFormCta"
                                          << "TabFin";
    QTest::newRow("3: finance page") << "BitBtn3" << 1 << ""
                                     << "TabFin";
    QTest::newRow("4: asset categories") << "BitBtn5" << 2 << "TFormBensCat"
                                         << "TabBens";
    QTest::newRow("5: assets page") << "BitBtn6" << 2 << ""
                                    << "TabBens";
    QTest::newRow("6: Bible reader") << "BitBtn9" << 3 << "TFormBiblia"
                                     << "TabHome";
    QTest::newRow("7: calculators") << "BitBtn4" << 4 << "TFormMatFin"
                                    << "TabHome";
    QTest::newRow("0: Fechar does nothing") << "BtFechar" << 0 << ""
                                            << "TabFin";
}

void MainWindowTest::quickHelpCodes()
{
    QFETCH(QString, button);
    QFETCH(int, tab);
    QFETCH(QString, nextScreen);
    QFETCH(QString, page);
    auto *w = m_q->mainWindow();
    auto *pages = w->findChild<QTabWidget *>("PageControl1");
    w->ActionIrParaFin->trigger();
    QString opened, pageThen;
    int aboutPage = -1;
    atNextDialog([&](QWidget *quick) {
        QCOMPARE(quick->objectName(), QString("TFormHelpFast"));
        quick->findChild<QTabWidget *>("PageControlHelp")->setCurrentIndex(tab);
        quick->findChild<QPushButton *>(button)->click();
        if (nextScreen.isEmpty())
            return;
        atNextDialog([&](QWidget *d) {
            opened = d->objectName();
            pageThen = pages->currentWidget()->objectName();
            if (auto *p = d->findChild<QTabWidget *>("PageControl1"))
                aboutPage = p->currentIndex();
            d->close();
        });
    });
    w->ActionHelpFast->trigger();
    QTRY_COMPARE(opened, nextScreen);
    QCOMPARE(nextScreen.isEmpty() ? pages->currentWidget()->objectName() : pageThen, page);
    if (nextScreen == "TFormAbout")
        QCOMPARE(aboutPage, 2);
    if (page == "TabFin")
        QCOMPARE(w->focusWidget(), w->grid());
    if (page == "TabBens")
        QCOMPARE(w->focusWidget()->objectName(), QString("DBGridBens"));
}

void MainWindowTest::aboutCommandsOpenTheirPage_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("page");
    QTest::newRow("Sobre") << "ActionSobre" << 0;
    QTest::newRow("Como Você pode Apoiar") << "ActionHelpComoApoiar" << 2;
    QTest::newRow("Faça uma Doação") << "ActionDoacao" << 3;
}

void MainWindowTest::aboutCommandsOpenTheirPage()
{
    QFETCH(QString, action);
    QFETCH(int, page);
    auto *w = m_q->mainWindow();
    auto *pages = w->findChild<QTabWidget *>("PageControl1");
    w->ActionIrParaFin->trigger();
    int shown = -1, mainPage = -1;
    atNextDialog([&](QWidget *d) {
        shown = d->findChild<QTabWidget *>("PageControl1")->currentIndex();
        mainPage = pages->currentIndex();
        d->close();
    });
    w->findChild<QAction *>(action)->trigger();
    QCOMPARE(shown, page);
    QCOMPARE(mainPage, 0);
}

void MainWindowTest::helpScreensPlacement_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("centred"); // else beside the main window's top right
    QTest::newRow("quick help") << "ActionHelpFast" << true;
    QTest::newRow("about box") << "ActionSobre" << true;
    QTest::newRow("Bible reader") << "ActionEducFin" << false;
}

// Quick help and about box: centred on the main window, 68 pixels right and 5 up. The Bible
// reader: 5 pixels below the main window's top, its right edge 4 pixels inside the main's.
void MainWindowTest::helpScreensPlacement()
{
    QFETCH(QString, action);
    QFETCH(bool, centred);
    auto *w = m_q->mainWindow();
    const QRect main = w->frameGeometry();
    QRect placed;
    atNextDialog([&](QWidget *d) {
        placed = d->frameGeometry();
        d->close();
    });
    w->findChild<QAction *>(action)->trigger();
    if (centred) {
        const QPoint shift = placed.center() - main.center();
        QVERIFY2(qAbs(shift.x() - 68) <= 1 && qAbs(shift.y() + 5) <= 1,
                 qPrintable(QString("shifted by %1, %2").arg(shift.x()).arg(shift.y())));
    } else {
        QCOMPARE(placed.top(), main.top() + 5);
        QCOMPARE(placed.right(), main.right() - 4);
    }
}

// Not a check: with QUORVILA_SHOTS set to a directory, saves pictures of the main window there.
void MainWindowTest::screenshots()
{
    const QString dir = qEnvironmentVariable("QUORVILA_SHOTS");
    if (dir.isEmpty())
        QSKIP("QUORVILA_SHOTS not set");
    auto *w = m_q->mainWindow();
    // With QUORVILA_DADOS naming a built information base, the panels show its pages.
    if (const QString from = qEnvironmentVariable("QUORVILA_DADOS"); !from.isEmpty()) {
        data::Database db;
        db.setDirDados(from);
        data::AttachGuard info(db, "TbInfo.DB");
        data::Statement st =
            db.prepare("SELECT Codigo, Tipo, Titulo, Texto, Dica, Imagem FROM " +
                       data::quoteIdent(info.alias()) + ".Tabela WHERE Tipo IN (1, 2)");
        QList<testsupport::InfoPageRow> rows;
        while (st.step())
            rows.append({st.column(0).toLongLong(), st.column(1).toInt(), st.column(2).toString(),
                         st.column(3).toString(), st.column(4).toString(),
                         st.column(5).toByteArray()});
        testsupport::addInformationPages(m_dir->path() + "/Dados", rows);
        QVERIFY(w->InicializarUsuario());
    }
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
