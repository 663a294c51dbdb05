// The report module as the screens use it: a report that cannot be built (unknown, without its
// data, with a total that is not a number) reaches the application's error handler with its text
// and no output dialog opens; a good one opens the print options.
#include <reports/URM.h>
#include <reports/optionsdialog.h>

#include <app/application.h>
#include <app/tests/modaldriver.h>
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using reports::TRM;

struct TrmCase
{
    QString report;
    std::function<void(TRM &, data::TDM &)> fill;
    QString error; // empty: the options dialog opens
};
Q_DECLARE_METATYPE(TrmCase)

class TrmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_dm = std::make_unique<data::TDM>();
        m_dm->DataModuleCreate(m_dir->path());
        data::installFirstRun(m_dm->db(), QDate(2026, 12, 10));
        m_dm->openSharedTables();
        m_dm->pointUserTables("0001");
        m_dm->OpenUserFiles();
    }
    void cleanup()
    {
        app::setErrorHandler(nullptr);
        m_dm.reset();
        m_dir.reset();
    }
    void run_data();
    void run();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<data::TDM> m_dm;
};

void TrmTest::run_data()
{
    QTest::addColumn<TrmCase>("c");
    QTest::newRow("unknown report")
        << TrmCase{"RepNada", [](TRM &, data::TDM &) {}, "Relatório 'RepNada' não encontrado!"};
    QTest::newRow("data view not set") << TrmCase{"RepCta", [](TRM &, data::TDM &) {},
                                                  "Dados do relatório não disponíveis (DvCta)!"};
    QTest::newRow("empty data") << TrmCase{"RepHsto",
                                           [](TRM &rm, data::TDM &dm) {
                                               dm.TbHsto->emptyTable();
                                               rm.setDataView("DvHsto",
                                                              reports::tableView(*dm.TbHsto));
                                           },
                                           "Nenhum dado para imprimir!"};
    QTest::newRow("budget total not a number")
        << TrmCase{"RepOrc",
                   [](TRM &rm, data::TDM &) {
                       reports::DataView v({"ExtCta", "Descricao", "CodRed", "ValorOrcado",
                                            "Realizado", "PercRealizado", "Saldo"});
                       v.addRow({"1", "Entradas", QVariant(), 0.0, 0.0, "-   ", 0.0});
                       rm.setDataView("DvOrc", v);
                       rm.setParameter("ResultVOrc", "x");
                   },
                   "'x' não é um valor de ponto flutuante válido. Verifique!"};
    QTest::newRow("chart from its table") << TrmCase{
        "RepCta",
        [](TRM &rm, data::TDM &dm) { rm.setDataView("DvCta", reports::tableView(*dm.TbCta)); },
        {}};
}

void TrmTest::run()
{
    QFETCH(TrmCase, c);
    QStringList errors;
    app::setErrorHandler([&](const QString &text, const QString &) { errors << text; });
    bool options = false;
    // Stops waiting afterwards; the timer is gone already when the dialog came.
    const QPointer<QTimer> wait =
        testsupport::whenModal<reports::OptionsDialog>([&](reports::OptionsDialog *o) {
            options = true;
            o->reject();
        });
    TRM rm(*m_dm, nullptr);
    c.fill(rm, *m_dm);
    app::guarded([&] { rm.run(c.report); });
    delete wait.data();
    QCOMPARE(errors, c.error.isEmpty() ? QStringList() : QStringList{c.error});
    QCOMPARE(options, c.error.isEmpty());
}

int main(int argc, char **argv)
{
    app::Application a(argc, argv);
    TrmTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_trm.moc"
