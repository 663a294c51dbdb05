// The calculator reports' data: the views filled from a parameter record and the schedules the
// calculator builds, and the information blocks printed above them.
#include <reports/matfinviews.h>

#include <calc/schedule.h>

#include <app/error.h>

#include <gtest/gtest.h>

using namespace reports;

namespace {

calc::MatFinPrm loan()
{
    calc::MatFinPrm p;
    p.Codigo = 1;
    p.PV = 1000;
    p.NPer = 2;
    p.Taxa = 1;
    p.Prestacao = 507.51;
    p.Entrada = 0;
    p.DataParc = QDate(2026, 1, 31);
    return p;
}

TEST(MatFinViews, ScheduleRowsWithEmptyCellsNull)
{
    const calc::MatFinPrm p = loan();
    const calc::LoanSchedule s = calc::buildLoanSchedule(p);
    const MatFinViews v = matFinViews(p, s.rows);
    ASSERT_EQ(v.grid.rowCount(), 4); // "0", "1", "2", "Total"
    EXPECT_EQ(v.grid.text(0, "NumParcela"), "0");
    EXPECT_EQ(v.grid.date(1, "DataParc"), QDate(2026, 2, 28));
    EXPECT_NEAR(v.grid.number(1, "PgtoJuros"), 10.0, 1e-9);
    EXPECT_EQ(v.grid.text(3, "NumParcela"), "Total");
    EXPECT_TRUE(v.grid.value(3, "SaldoAcum").isNull());
    EXPECT_TRUE(v.grid.value(3, "DataParc").isNull());
    ASSERT_EQ(v.prm.rowCount(), 1);
    EXPECT_EQ(v.prm.number(0, "PV"), 1000);
}

TEST(MatFinViews, InformationBlocks)
{
    calc::MatFinPrm p = loan();
    const InfoBlock l = loanInfo(matFinViews(p, {}).prm);
    EXPECT_EQ(l.heading2, "do Empréstimo");
    ASSERT_EQ(l.lines.size(), 5u);
    EXPECT_EQ(l.lines[0], (InfoLine{"Valor do Empréstimo", "R$", "1.000,00", ""}));
    EXPECT_EQ(l.lines[2], (InfoLine{"Taxa de Juros", "", "1,00", "% a.m."}));
    EXPECT_EQ(l.lines[3], (InfoLine{"Prazo", "", "2", "meses"}));
    EXPECT_EQ(l.lines[4].value, "Sem");

    p.Entrada = 1;
    p.FV = 12345.678;
    const InfoBlock s = savingsInfo(matFinViews(p, {}).prm);
    EXPECT_EQ(s.heading1, "Informações de");
    EXPECT_EQ(s.lines[1], (InfoLine{"Montante Acumulado", "R$ ", "12.345,68", ""}));
    EXPECT_EQ(s.lines[4].value, "Com");

    EXPECT_THROW(loanInfo(DataView({"PV"})), app::Error);
}

TEST(DataViews, UnknownColumnIsAnError)
{
    DataView v({"A"});
    v.addRow({1});
    EXPECT_THROW(v.value(0, "B"), app::Error);
    EXPECT_THROW(v.addRow(QHash<QString, QVariant>{{"B", 2}}), app::Error);
}

} // namespace
