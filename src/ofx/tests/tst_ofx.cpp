// The import screen end to end over a small statement file: the accounts shown and kept, a
// letter refused in an account field, the rows re-booked when "Conta Despesa" changes, a row
// left out, the similar-rows question answered No, the closed period, a file that is not a
// statement, and the import with its mark. QUORVILA_SHOTS=dir keeps a picture of the screen.
#include <ofx/UOFX.h>
#include <ofx/ofxmodel.h>

#include <accounts/UCtaView.h>
#include <app/dates.h>
#include <app/error.h>
#include <app/mensagem.h>
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <memory>

using namespace ofx;

class OfxImportTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void opensTheFileAndShowsItsFacts();
    void accountFieldTakesOnlyDigitsAndRebooksTheDebits();
    void similarRowAnsweredNoImportsNothing();
    void closedDateBlocksEverything();
    void notAStatementLeavesTheScreenAsItWas();
    void importsTheRowsLeftInWithTheMark();

private:
    void show();
    int entryCount() const
    {
        return m_dm->db().scalar("SELECT count(*) FROM " + m_dm->TbFin->sqlName()).toInt();
    }
    QString fixture() const { return QString(OFX_FIXTURE_DIR) + "/three_rows.ofx"; }
    template <class T> T *child(const char *name) const
    {
        T *w = m_form->findChild<T *>(name);
        if (!w)
            qFatal("no child %s", name);
        return w;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<data::TDM> m_dm;
    std::unique_ptr<accounts::TFormCtaView> m_cta;
    std::unique_ptr<TFormOFX> m_form;
    QStringList m_messages;
    std::deque<app::MsgButton> m_answers; // Yes/No answers, in order; Ok otherwise
};

void OfxImportTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dm = std::make_unique<data::TDM>();
    m_dm->DataModuleCreate(m_dir->path());
    data::installFirstRun(m_dm->db(), QDate(2007, 11, 5));
    m_dm->openSharedTables();
    m_dm->pointUserTables("0001");
    m_dm->OpenUserFiles();
    data::Table &u = *m_dm->TbUser;
    u.edit();
    u.setValue("Cta0OFX", 13);
    u.setValue("Cta1OFX", 111);
    u.setValue("Cta2OFX", 211);
    u.setValue("OkOFX", true);
    u.setValue("FechadoAte", QDate(2007, 10, 1));
    u.post();
    app::setTodayForTests(QDate(2007, 11, 5));
    m_cta = std::make_unique<accounts::TFormCtaView>(*m_dm);
    m_form = std::make_unique<TFormOFX>(*m_dm, m_cta.get());
    m_messages.clear();
    m_answers.clear();
    app::setMensagemResponder([this](const QString &t, int kind) {
        m_messages << t;
        if (kind == 0 || m_answers.empty())
            return kind == 0 ? app::MsgButton::Ok : app::MsgButton::No;
        const app::MsgButton b = m_answers.front();
        m_answers.pop_front();
        return b;
    });
}

void OfxImportTest::cleanup()
{
    app::setMensagemResponder(nullptr);
    app::setTodayForTests(QDate());
    m_form.reset();
    m_cta.reset();
    m_dm.reset();
    m_dir.reset();
}

void OfxImportTest::show()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void OfxImportTest::opensTheFileAndShowsItsFacts()
{
    show();
    QCOMPARE(child<QLabel>("LbCta0")->text(), QString("0.01.03 - Conta Corrente Banco 1"));
    QVERIFY(!child<QPushButton>("BtImportar")->isEnabled());
    QCOMPARE(child<QLabel>("LbDataSaldo")->text(), QString("Saldo do Extrato em __/__/____:"));
    m_form->openFile(fixture());
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(child<QLabel>("LbNomeArquivo")->text(), QString(" three_rows.ofx"));
    QCOMPARE(child<QLabel>("LbBanco")->text(), QString("0341"));
    QCOMPARE(child<QLabel>("LbAgencia")->text(), QString(" 0123 45678-9"));
    QCOMPARE(child<QLabel>("LbPeriodo")->text(), QString(" 31/10/2007 a 04/11/2007"));
    QCOMPARE(child<QLabel>("LbSaldo")->text(), QString("R$ 2.307,10 "));
    QCOMPARE(child<QLabel>("LbDataSaldo")->text(), QString("Saldo do Extrato em 04/11/2007:"));
    QCOMPARE(child<QLabel>("LabelNR")->text(), QString("Este arquivo OFX contém 3 lançamento(s)."));
    QVERIFY(child<QPushButton>("BtImportar")->isEnabled());
    QCOMPARE(m_form->rowsModel().rowCount(), 3);
    if (const QByteArray dir = qgetenv("QUORVILA_SHOTS"); !dir.isEmpty())
        m_form->grab().save(QString::fromLocal8Bit(dir) + "/TFormOFX.png");
}

void OfxImportTest::accountFieldTakesOnlyDigitsAndRebooksTheDebits()
{
    show();
    m_form->openFile(fixture());
    QLineEdit *despesa = child<QLineEdit>("EditCta2");
    despesa->setFocus();
    despesa->selectAll();
    QTest::keyClicks(despesa, "2x1");
    QCOMPARE(despesa->text(), QString("21")); // the letter beeped and changed nothing
    QTest::keyClick(despesa, Qt::Key_Backspace);
    QTest::keyClick(despesa, Qt::Key_Backspace);
    QTest::keyClicks(despesa, "212");
    child<QLineEdit>("EditCta0")->setFocus();
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(m_dm->TbUser->asInt("Cta2OFX"), 212);
    const auto &rows = m_form->rowsModel().rows();
    QCOMPARE(rows[0].row.CtaDeb, 212); // a debit
    QCOMPARE(rows[1].row.CtaDeb, 13);  // the credit stays as it was
    QCOMPARE(rows[1].row.CtaCred, 111);
    QCOMPARE(rows[2].row.CtaDeb, 212);
    QCOMPARE(rows[2].row.CtaCred, 13);
    // A number out of its group is refused on leaving, and kept out of the user's record.
    despesa->setFocus();
    despesa->selectAll();
    QTest::keyClicks(despesa, "150");
    child<QLineEdit>("EditCta0")->setFocus();
    QCOMPARE(m_messages,
             QStringList{"Digite um código de \"Conta de Despesa\" (entre 201 e 299)!"});
    QCOMPARE(m_dm->TbUser->asInt("Cta2OFX"), 212);
}

void OfxImportTest::similarRowAnsweredNoImportsNothing()
{
    m_dm->db().exec("INSERT INTO " + m_dm->TbFin->sqlName() +
                        " (Data, CtaDeb, CtaCred, Valor, Hsto) VALUES (?,?,?,?,?)",
                    {"2007-11-01", 11, 112, 250000, "já lançado"});
    show();
    m_form->openFile(fixture());
    QCOMPARE(m_form->rowsModel().data(m_form->rowsModel().index(1, OfxRowsModel::Situacao),
                                      Qt::DisplayRole),
             QVariant("Semelhante"));
    const int before = entryCount();
    m_answers = {app::MsgButton::No};
    m_form->BtImportarClick();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].startsWith("Neste arquivo OFX, há 1 lançamento(s) semelhante(s)"));
    QCOMPARE(entryCount(), before);
    QCOMPARE(m_form->imported(), 0);
    // Leaving the similar row out, only the import question remains.
    m_form->rowsModel().toggle(1);
    m_messages.clear();
    m_answers = {app::MsgButton::No};
    m_form->BtImportarClick();
    QCOMPARE(m_messages,
             QStringList{"Você tem certeza que deseja importar\r\nesse(s) 2 lançamento(s) do "
                         "arquivo OFX?"});
    QCOMPARE(entryCount(), before);
}

void OfxImportTest::closedDateBlocksEverything()
{
    data::Table &u = *m_dm->TbUser;
    u.edit();
    u.setValue("FechadoAte", QDate(2007, 10, 31));
    u.post();
    show();
    m_form->openFile(fixture());
    const int before = entryCount();
    m_form->BtImportarClick();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].startsWith("Neste arquivo OFX, há 1 lançamento(s) com data\r\n"));
    QCOMPARE(entryCount(), before);
}

void OfxImportTest::notAStatementLeavesTheScreenAsItWas()
{
    show();
    m_form->openFile(fixture());
    QTemporaryDir tmp;
    const QString bad = tmp.path() + "/nota.ofx";
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<html><body>não é extrato</body></html>\r\n");
    f.close();
    QVERIFY_THROWS_EXCEPTION(app::Error, m_form->openFile(bad));
    QCOMPARE(m_form->rowsModel().rowCount(), 3);
    QCOMPARE(child<QLabel>("LbNomeArquivo")->text(), QString(" three_rows.ofx"));
}

void OfxImportTest::importsTheRowsLeftInWithTheMark()
{
    show();
    m_form->openFile(fixture());
    m_form->rowsModel().toggle(0);
    const int before = entryCount();
    m_answers = {app::MsgButton::Yes};
    m_form->BtImportarClick();
    QCOMPARE(m_form->imported(), 2);
    QCOMPARE(entryCount(), before + 2);
    QCOMPARE(m_dm->TbFin->asString("Obs"), m_form->mark());
    QCOMPARE(m_dm->TbFin->asString("Hsto"), QString("SALARIO"));
    QCOMPARE(m_form->mark(),
             "[OFX" + QString("%1").arg(m_dm->TbFin->asInt("Codigo"), 6, 10, QChar('0')) + "]");
}

QTEST_MAIN(OfxImportTest)
#include "tst_ofx.moc"
