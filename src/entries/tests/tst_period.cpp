// The period dialog (page sets, month and year buttons, the interval check) and the balance
// labels' texts and colours.
#include "screentools.h"

#include <entries/UData.h>
#include <entries/saldolabels.h>
#include <entries/session.h>

#include <app/dates.h>
#include <app/mensagem.h>
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using entries::TFormData;

class PeriodDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void pageSets_data();
    void pageSets();
    void firstPageFollowsTag_data();
    void firstPageFollowsTag();
    void monthButtons_data();
    void monthButtons();
    void yearPage();
    void intervalEndMayNotPrecedeStart();
    void labelsShowFiguresWithTheirColours();

private:
    void show(TFormData &f);
    QStringList m_messages;
};

void PeriodDialogTest::init()
{
    m_messages.clear();
    app::setMensagemResponder([this](const QString &t, int) {
        m_messages << t;
        return app::MsgButton::Ok;
    });
}

void PeriodDialogTest::cleanup()
{
    app::setMensagemResponder(nullptr);
    app::setTodayForTests(QDate());
}

void PeriodDialogTest::show(TFormData &f)
{
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
}

void PeriodDialogTest::pageSets_data()
{
    QTest::addColumn<int>("pageSet");
    QTest::addColumn<QList<bool>>("shown"); // month, interval, year
    QTest::newRow("month only") << 1 << QList<bool>{true, false, false};
    QTest::newRow("interval only") << 2 << QList<bool>{false, true, false};
    QTest::newRow("year only") << 3 << QList<bool>{false, false, true};
    QTest::newRow("month and interval") << 4 << QList<bool>{true, true, false};
    QTest::newRow("interval and year") << 5 << QList<bool>{false, true, true};
    QTest::newRow("month and year") << 6 << QList<bool>{true, false, true};
    QTest::newRow("any other value shows all") << 0 << QList<bool>{true, true, true};
}

void PeriodDialogTest::pageSets()
{
    QFETCH(int, pageSet);
    QFETCH(QList<bool>, shown);
    TFormData f;
    f.setPageSet(pageSet);
    f.Tag = 1;
    show(f);
    auto *pages = child<QTabWidget>(&f, "PageControl");
    const QList<bool> visible{pages->isTabVisible(0), pages->isTabVisible(1),
                              pages->isTabVisible(2)};
    QCOMPARE(visible, shown);
    QVERIFY(pages->isTabVisible(pages->currentIndex()));
}

void PeriodDialogTest::firstPageFollowsTag_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("focused");
    QTest::newRow("interval") << 2 << "EditDtMin";
    QTest::newRow("year") << 3 << "EditAno";
    QTest::newRow("anything else is the month") << 7 << "EditMes";
}

void PeriodDialogTest::firstPageFollowsTag()
{
    QFETCH(int, tag);
    QFETCH(QString, focused);
    TFormData f;
    f.setPageSet(0);
    f.Tag = tag;
    show(f);
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
}

void PeriodDialogTest::monthButtons_data()
{
    QTest::addColumn<QDate>("month");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QDate>("ini");
    QTest::addColumn<QDate>("fim");
    QTest::newRow("prior of January is December")
        << QDate(2024, 1, 15) << "BtPrior" << QDate(2023, 12, 1) << QDate(2023, 12, 31);
    QTest::newRow("next of December is January")
        << QDate(2023, 12, 31) << "BtNext" << QDate(2024, 1, 1) << QDate(2024, 1, 31);
    QTest::newRow("next of January is a leap February")
        << QDate(2024, 1, 31) << "BtNext" << QDate(2024, 2, 1) << QDate(2024, 2, 29);
}

void PeriodDialogTest::monthButtons()
{
    QFETCH(QDate, month);
    QFETCH(QString, button);
    QFETCH(QDate, ini);
    QFETCH(QDate, fim);
    TFormData f;
    f.setPageSet(1);
    f.Tag = 1;
    f.setMonthDate(month);
    show(f);
    child<QPushButton>(&f, qPrintable(button))->click();
    QCOMPARE(child<QDateEdit>(&f, "EditMes")->date(), ini);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("EditMes"));
    child<QPushButton>(&f, "BtOk")->click();
    QCOMPARE(f.result(), int(QDialog::Accepted));
    QCOMPARE(f.Tag, 1);
    QCOMPARE(f.chosen().ini, ini);
    QCOMPARE(f.chosen().fim, fim);
}

void PeriodDialogTest::yearPage()
{
    TFormData f;
    f.setPageSet(0);
    f.Tag = 3;
    f.setYearDate(QDate(2024, 7, 9));
    show(f);
    child<QPushButton>(&f, "BtAnoPrior")->click();
    QCOMPARE(child<QDateEdit>(&f, "EditAno")->date(), QDate(2023, 1, 1));
    child<QPushButton>(&f, "BtOk")->click();
    QCOMPARE(f.Tag, 3);
    QCOMPARE(f.chosen().ini, QDate(2023, 1, 1));
    QCOMPARE(f.chosen().fim, QDate(2023, 12, 31));
}

void PeriodDialogTest::intervalEndMayNotPrecedeStart()
{
    TFormData f;
    f.setPageSet(0);
    f.Tag = 2;
    f.setIntervalDates(QDate(2024, 3, 11), QDate(2024, 3, 10));
    show(f);
    child<QPushButton>(&f, "BtOk")->click();
    QCOMPARE(m_messages, QStringList{"Data Final deve ser maior ou igual\r\na Data Inicial. Por "
                                     "favor, verifique!"});
    QVERIFY(f.isVisible());
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("EditDtMax"));

    child<QDateEdit>(&f, "EditDtMin")->setDate(QDate(2024, 3, 10));
    child<QPushButton>(&f, "BtOk")->click();
    QVERIFY(!f.isVisible());
    QCOMPARE(f.Tag, 2);
    QCOMPARE(f.chosen().ini, QDate(2024, 3, 10));
    QCOMPARE(f.chosen().fim, QDate(2024, 3, 10));
}

// The first-run sample book seen in December 2026 on the 10th: 250 before, 2000 in, 50 out.
void PeriodDialogTest::labelsShowFiguresWithTheirColours()
{
    QTemporaryDir dir;
    data::TDM dm;
    dm.DataModuleCreate(dir.path());
    data::installFirstRun(dm.db(), QDate(2026, 12, 10));
    dm.openSharedTables();
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
    app::setTodayForTests(QDate(2026, 12, 10));
    entries::Session session(dm.db(), *dm.TbFin);
    session.period() = {QDate(2026, 12, 1), QDate(2026, 12, 31)};
    session.balances().CalcularSaldos(session.period());

    QLabel l[11];
    const entries::SaldoLabels labels{&l[0], &l[1], &l[2], &l[3], &l[4], &l[5],
                                      &l[6], &l[7], &l[8], &l[9], &l[10]};
    entries::RefreshLabelsSaldos(labels, session);
    const QStringList texts{" Saldo Anterior (30/11/2026)",
                            "250,00  ",
                            " (+) Receitas do Período",
                            "2.000,00  ",
                            " (-) Despesas do Período",
                            "-50,00  ",
                            " Saldo Atual (31/12/2026)",
                            "2.200,00 ",
                            " Saldo Hoje (10/12/2026)",
                            "2.200,00 ",
                            "[5]"};
    for (int i = 0; i < 11; ++i)
        QCOMPARE(l[i].text(), texts[i]);
    for (int i : {1, 3, 7, 9})
        QCOMPARE(l[i].palette().color(QPalette::WindowText), QColor(0x0000FF));
    QCOMPARE(l[5].palette().color(QPalette::WindowText), QColor(0xFF0000));
    QVERIFY(l[1].alignment() & Qt::AlignRight);
}

int runPeriodDialogTests(int argc, char **argv)
{
    PeriodDialogTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_period.moc"
