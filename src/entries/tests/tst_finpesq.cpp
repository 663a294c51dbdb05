// The entry search and the upcoming entries as a user meets them: criteria typed and searched,
// the result closed on entering the criteria, the refusals, the choice of an entry, the result
// re-run on the next showing with its row kept; the upcoming window from the preferences, at the
// edges of ProxDias and with an inverted window. QUORVILA_SHOTS=dir keeps pictures.
#include "screentools.h"

#include <accounts/UCtaView.h>
#include <entries/UFinLctoFuturo.h>
#include <entries/UFinPesq.h>
#include <entries/search.h>

#include <app/dates.h>
#include <app/mensagem.h>
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace entries;

class SearchScreenTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void searchesEntersCriteriaAndChooses();
    void refusalsAndNothingToPrint();
    void nextShowingReRunsKeepingTheRow();
    void accountPickersAppendTheCode();
    void upcomingWindowFromThePreferences_data();
    void upcomingWindowFromThePreferences();

private:
    qint64 addEntry(const QDate &d, const QString &hsto);
    void setPrefs(int proxDias, bool hoje);
    static void shot(QWidget *w, const QString &name)
    {
        if (const QByteArray dir = qgetenv("QUORVILA_SHOTS"); !dir.isEmpty())
            w->grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<data::TDM> m_dm;
    QStringList m_messages;
};

void SearchScreenTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dm = std::make_unique<data::TDM>();
    m_dm->DataModuleCreate(m_dir->path());
    data::installFirstRun(m_dm->db(), QDate(2024, 6, 10));
    m_dm->openSharedTables();
    m_dm->pointUserTables("0001");
    m_dm->OpenUserFiles();
    app::setTodayForTests(QDate(2024, 6, 10));
    m_messages.clear();
    app::setMensagemResponder([this](const QString &t, int) {
        m_messages << t;
        return app::MsgButton::Ok;
    });
}

void SearchScreenTest::cleanup()
{
    app::setMensagemResponder(nullptr);
    app::setTodayForTests(QDate());
    m_dm.reset();
    m_dir.reset();
}

qint64 SearchScreenTest::addEntry(const QDate &d, const QString &hsto)
{
    data::Table &fin = *m_dm->TbFin;
    fin.append();
    fin.setValue("Data", d);
    fin.setValue("CtaDeb", 201);
    fin.setValue("CtaCred", 11);
    fin.setValue("Valor", 1234);
    fin.setValue("Hsto", hsto);
    fin.post();
    return fin.asInt("Codigo");
}

void SearchScreenTest::setPrefs(int proxDias, bool hoje)
{
    data::Table &u = *m_dm->TbUser;
    u.edit();
    u.setValue("ProxDias", proxDias);
    u.setValue("IncluirHoje", hoje);
    u.post();
}

void SearchScreenTest::searchesEntersCriteriaAndChooses()
{
    const qint64 a = addEntry({2024, 6, 1}, "Aluguel de junho");
    addEntry({2024, 6, 2}, "Mercado");
    const qint64 b = addEntry({2024, 6, 3}, "ALUGUEL garagem");
    TFormFinPesq s(*m_dm, {2024, 6, 1}, {2024, 6, 30}, nullptr);
    s.show();
    QVERIFY(QTest::qWaitForWindowActive(&s));
    auto *tx = child<QLineEdit>(&s, "EditTx");
    QTRY_VERIFY(tx->hasFocus());
    QTest::keyClicks(tx, "aluguel");
    QTest::keyClick(tx, Qt::Key_Return); // "&Pesquisar" is the default button
    QCOMPARE(child<QLabel>(&s, "LabelNR")->text(), QString("Foram encontrados 2 lançamentos."));
    auto *grid = child<QTableView>(&s, "DBGridFin");
    QTRY_VERIFY(grid->hasFocus());
    QCOMPARE(grid->currentIndex().row(), 1); // the last row
    shot(&s, "TFormFinPesq");
    // Entering the criteria closes the result.
    tx->setFocus();
    QTRY_COMPARE(child<QLabel>(&s, "LabelNR")->text(), QString("Nenhum lançamento."));
    QCOMPARE(s.rows().size(), size_t(0));
    s.BtPesquisarClick();
    QCOMPARE(s.rows().size(), size_t(2));
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(!s.isVisible());
    QCOMPARE(s.chosen().value_or(-1), a);
    QCOMPARE(m_messages, QStringList());
    Q_UNUSED(b);
}

void SearchScreenTest::refusalsAndNothingToPrint()
{
    TFormFinPesq s(*m_dm, {2024, 6, 1}, {2024, 6, 30}, nullptr);
    s.show();
    QVERIFY(QTest::qWaitForWindowActive(&s));
    s.BtPesquisarClick();
    child<QPushButton>(&s, "BtImprimir")->click();
    child<QPushButton>(&s, "BtSaveCSV")->click();
    auto *vlr = child<QLineEdit>(&s, "EditVlr");
    vlr->setFocus();
    QTest::keyClicks(vlr, "12,505+a");
    QCOMPARE(vlr->text(), QString("12,50")); // a third decimal, an operator and a letter beep
    auto *cta = child<QLineEdit>(&s, "EditCta");
    QTest::keyClicks(cta, "11 x201");
    QCOMPARE(cta->text(), QString("11 201"));
    QCOMPARE(m_messages,
             (QStringList{noCriterionText(),
                          "Nenhum lançamento para imprimir!\r\nPor favor, refaça a pesquisa.",
                          "Nenhum lançamento para salvar em\r\narquivo CSV! Por favor, refaça a "
                          "pesquisa."}));
}

void SearchScreenTest::nextShowingReRunsKeepingTheRow()
{
    for (int d = 1; d <= 4; ++d)
        addEntry({2024, 6, d}, "Prestação " + QString::number(d));
    TFormFinPesq s(*m_dm, {2024, 6, 1}, {2024, 6, 30}, nullptr);
    s.show();
    QVERIFY(QTest::qWaitForWindowActive(&s));
    child<QLineEdit>(&s, "EditTx")->setText("prestação");
    s.BtPesquisarClick();
    auto *grid = child<QTableView>(&s, "DBGridFin");
    grid->setCurrentIndex(grid->model()->index(1, 0));
    s.hide();
    // Meanwhile the main window adds an entry that the search finds.
    addEntry({2024, 5, 31}, "PRESTAÇÃO de maio");
    s.show();
    QVERIFY(QTest::qWaitForWindowActive(&s));
    QCOMPARE(s.rows().size(), size_t(5));
    QCOMPARE(grid->currentIndex().row(), 1);
    QCOMPARE(child<QLabel>(&s, "LabelNR")->text(), QString("Foram encontrados 5 lançamentos."));
}

void SearchScreenTest::accountPickersAppendTheCode()
{
    accounts::TFormCtaView cta(*m_dm);
    TFormFinPesq s(*m_dm, {2024, 6, 1}, {2024, 6, 30}, &cta);
    s.show();
    QVERIFY(QTest::qWaitForWindowActive(&s));
    auto *edit = child<QLineEdit>(&s, "EditCtaDeb");
    edit->setText("11");
    edit->setFocus();
    QString filter, start;
    whenModal<accounts::TFormCtaView>([&](accounts::TFormCtaView *v) {
        filter = v->FiltroCta;
        start = v->CodCtaIni;
        QTest::keyClick(child<QTableView>(v, "DBGrid1"), Qt::Key_Return);
    });
    QTest::keyClick(edit, Qt::Key_F2);
    QCOMPARE(filter, QString("(CodCta<'1' or CodCta>='2')"));
    QCOMPARE(start, QString("1.01.01")); // the first account from the income group on
    QVERIFY(edit->text().startsWith("11 "));
    QCOMPARE(edit->text().split(' ').size(), 2);
    QCOMPARE(m_dm->TbCta->filter(), QString());
}

void SearchScreenTest::upcomingWindowFromThePreferences_data()
{
    QTest::addColumn<int>("proxDias");
    QTest::addColumn<bool>("hoje");
    QTest::addColumn<int>("found");
    QTest::addColumn<QString>("message");
    // Entries on 10/06 (today), 11/06, 15/06 and 16/06.
    QTest::newRow("five days from tomorrow") << 5 << false << 2 << QString();
    QTest::newRow("five days with today") << 5 << true << 3 << QString();
    QTest::newRow("six days reach the last") << 6 << false << 3 << QString();
    QTest::newRow("zero days without today is inverted") << 0 << false << 0 << invertedPeriodText();
}

void SearchScreenTest::upcomingWindowFromThePreferences()
{
    QFETCH(int, proxDias);
    QFETCH(bool, hoje);
    QFETCH(int, found);
    QFETCH(QString, message);
    for (int d : {10, 11, 15, 16})
        addEntry({2024, 6, d}, "Parcela " + QString::number(d));
    setPrefs(proxDias, hoje);
    TFormFinLctoFuturo f(*m_dm);
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QCOMPARE(f.rows().size(), size_t(found));
    QCOMPARE(m_messages, message.isEmpty() ? QStringList() : QStringList{message});
    if (found == 3 && hoje)
        shot(&f, "TFormFinLctoFuturo");
    // "Fechar" drops the result; the next showing searches again.
    child<QPushButton>(&f, "BtFechar")->click();
    QVERIFY(!f.resultOpen());
}

int runSearchScreenTests(int argc, char **argv)
{
    SearchScreenTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_finpesq.moc"
