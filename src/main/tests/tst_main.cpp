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
}

int main(int argc, char **argv)
{
    app::Application a(argc, argv);
    MainWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_main.moc"
