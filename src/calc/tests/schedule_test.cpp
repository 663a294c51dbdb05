// The loan and savings schedules: small worked examples, the totals row against the sums of
// the rows, a zero last balance, the capitalisation month against an independent count, and the
// month-end dates.
#include <calc/schedule.h>

#include <calc/solve.h>
#include <calc/tvm.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace calc;

namespace {

MatFinPrm loan(double pv, int n, double taxa, int entrada, QDate first = QDate(2025, 1, 15))
{
    MatFinPrm row;
    row.Codigo = 1;
    row.PV = pv;
    row.NPer = n;
    row.Taxa = taxa;
    row.Entrada = entrada;
    row.DataParc = first;
    row.Prestacao = double(-Payment(taxa / 100.0L, n, pv, 0, entrada));
    return row;
}

MatFinPrm savings(double deposit, int n, double taxa, int entrada, QDate first = QDate(2025, 1, 15))
{
    MatFinPrm row;
    row.Codigo = 2;
    row.PV = 0;
    row.NPer = n;
    row.Taxa = taxa;
    row.Entrada = entrada;
    row.DataParc = first;
    row.Prestacao = deposit;
    return row;
}

long double sumOf(const std::vector<MatFinGridRow> &rows, GridValue MatFinGridRow::*field)
{
    long double s = 0;
    for (size_t i = 0; i + 1 < rows.size(); ++i)
        s += (rows[i].*field).value_or(0);
    return s;
}

TEST(LoanSchedule, ThousandOverTwoMonthsAtOnePercent)
{
    const LoanSchedule s = buildLoanSchedule(loan(1000, 2, 1, 0));
    ASSERT_EQ(s.rows.size(), 4u);
    EXPECT_EQ(s.rows[0].NumParcela, QStringLiteral("0"));
    EXPECT_EQ(*s.rows[0].SaldoAcum, 1000);
    EXPECT_EQ(*s.rows[0].Pgto, 0);
    EXPECT_EQ(s.rows[1].NumParcela, QStringLiteral("1"));
    EXPECT_NEAR(double(*s.rows[1].PgtoJuros), 10.00, 1e-12);
    EXPECT_NEAR(double(*s.rows[1].PgtoPrincipal), 497.5124378109, 1e-9);
    EXPECT_NEAR(double(*s.rows[1].SaldoAcum), 502.4875621891, 1e-9);
    EXPECT_NEAR(double(*s.rows[2].SaldoAcum), 0, 1e-9);
    EXPECT_EQ(s.rows[3].NumParcela, QStringLiteral("Total"));
    EXPECT_FALSE(s.rows[3].DataParc.isValid());
    EXPECT_FALSE(s.rows[3].Taxa.has_value());
    EXPECT_FALSE(s.rows[3].TaxaAcum.has_value());
    EXPECT_FALSE(s.rows[3].SaldoAcum.has_value());
    EXPECT_EQ(s.currentIndex, 0);
    EXPECT_EQ(s.lastDate, QDate(2025, 3, 15));
}

TEST(LoanSchedule, EntradaStartsWithInstalmentOneAllPrincipal)
{
    const MatFinPrm row = loan(1000, 12, 1, 1);
    const LoanSchedule s = buildLoanSchedule(row);
    ASSERT_EQ(s.rows.size(), 13u);
    const MatFinGridRow &first = s.rows[0];
    EXPECT_EQ(first.NumParcela, QStringLiteral("1"));
    EXPECT_EQ(first.DataParc, row.DataParc);
    EXPECT_EQ(*first.Pgto, (long double)*row.Prestacao);
    EXPECT_EQ(*first.PgtoPrincipal, *first.Pgto);
    EXPECT_EQ(*first.PgtoJuros, 0);
    EXPECT_EQ(*first.VlrCapitalizado, *first.Pgto);
    EXPECT_EQ(s.rows[11].NumParcela, QStringLiteral("12"));
    EXPECT_EQ(s.lastDate, QDate(2025, 12, 15));
}

struct LoanCase
{
    const char *name;
    double pv;
    int n;
    double taxa;
    int entrada;
};

void PrintTo(const LoanCase &c, std::ostream *os)
{
    *os << c.name;
}

class LoanScheduleTotals : public ::testing::TestWithParam<LoanCase>
{
};

TEST_P(LoanScheduleTotals, TotalsAreTheSumsAndTheDebtEndsAtZero)
{
    const LoanCase &c = GetParam();
    const LoanSchedule s = buildLoanSchedule(loan(c.pv, c.n, c.taxa, c.entrada));
    ASSERT_EQ(s.rows.size(), size_t(c.n + (c.entrada ? 1 : 2)));
    const MatFinGridRow &total = s.rows.back();
    const MatFinGridRow &last = s.rows[s.rows.size() - 2];
    const long double tol = 1e-9L * c.pv;
    EXPECT_NEAR(double(*total.Pgto), double(sumOf(s.rows, &MatFinGridRow::Pgto)), double(tol));
    EXPECT_NEAR(double(*total.PgtoJuros), double(sumOf(s.rows, &MatFinGridRow::PgtoJuros)),
                double(tol));
    EXPECT_NEAR(double(*total.PgtoPrincipal), double(sumOf(s.rows, &MatFinGridRow::PgtoPrincipal)),
                double(tol));
    EXPECT_NEAR(double(*total.PgtoVlrPresente),
                double(sumOf(s.rows, &MatFinGridRow::PgtoVlrPresente)), double(tol));
    EXPECT_EQ(*total.SomaPgto, *last.SomaPgto);
    EXPECT_EQ(*total.VlrCapitalizado, *last.VlrCapitalizado);
    EXPECT_NEAR(double(*last.SaldoAcum), 0.0, double(tol));
    EXPECT_NEAR(double(*total.PgtoPrincipal), c.pv, double(tol));
    // The instalments discounted at the loan's rate are the loan itself.
    EXPECT_NEAR(double(*total.PgtoVlrPresente), c.pv, double(tol));
    EXPECT_EQ(s.totalPaid, *total.Pgto);
    EXPECT_EQ(s.totalInterest, *total.PgtoJuros);
    EXPECT_NEAR(double(s.totalPaid - s.totalInterest), c.pv, double(tol));
    for (size_t i = 0; i < s.rows.size(); ++i)
        EXPECT_EQ(s.rows[i].Codigo, int(i) + 1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, LoanScheduleTotals, ::testing::Values(
    LoanCase{"twoMonths", 1000, 2, 1, 0},
    LoanCase{"yearWithEntrada", 5000, 12, 2.5, 1},
    LoanCase{"housing360", 300000, 360, 0.9, 0},
    LoanCase{"term999", 250000, 999, 0.8, 1},
    LoanCase{"tinyRate", 1000, 48, 0.00001, 0},
    LoanCase{"largeRate", 1000, 24, 25, 0}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST(LoanSchedule, InterestFreePlanFromTheSolve)
{
    MatFinPrm row = loan(59.70, 3, 0, 0);
    row.Prestacao = 19.90;
    row.Renda = 1000;
    ASSERT_TRUE(solveLoan(row, LoanMode::Pgto).ok);
    const LoanSchedule s = buildLoanSchedule(row);
    EXPECT_EQ(s.totalInterest, 0);
    EXPECT_NEAR(double(*s.rows[3].SaldoAcum), 0.0, 1e-12);
}

TEST(LoanSchedule, CapitalMonthMatchesAnIndependentCount)
{
    const MatFinPrm row = loan(10000, 60, 1.5, 0);
    const LoanSchedule s = buildLoanSchedule(row);
    long double saved = 0;
    int month = 0;
    for (int k = 1; k <= 60 && month == 0; ++k) {
        saved = saved * 1.005L + *row.Prestacao;
        if (saved > 10000)
            month = k;
    }
    ASSERT_GT(month, 0);
    EXPECT_EQ(s.capitalMonth, month);
    EXPECT_NEAR(double(s.capitalValue), double(saved), 1e-8);
}

TEST(LoanSchedule, CapitalMonthZeroWhenNeverReached)
{
    // 12 instalments of 500 saved at 0.5 % reach 6 168, short of the 10 000 lent.
    MatFinPrm row = loan(10000, 12, 0, 0);
    row.Prestacao = 500;
    const LoanSchedule s = buildLoanSchedule(row);
    EXPECT_EQ(s.capitalMonth, 0);
    EXPECT_EQ(s.capitalValue, 0);
}

TEST(LoanSchedule, RefusesATermOutsideTheSchedulesRange)
{
    EXPECT_THROW(buildLoanSchedule(loan(1000, 1000, 1, 0)), CalcError);
    MatFinPrm row = loan(1000, 12, 1, 0);
    row.NPer = 12.5;
    EXPECT_THROW(buildLoanSchedule(row), CalcError);
}

// ---- savings ------------------------------------------------------------------------------------

TEST(SavingsSchedule, EntradaClosingRowEarnsTheLastInterestAndMatchesTheSolve)
{
    MatFinPrm row = savings(200, 12, 0.7, 1, QDate(2025, 5, 20));
    row.Renda = 3000;
    ASSERT_TRUE(solveSavings(row, SavingsMode::Montante).ok);
    const SavingsSchedule s = buildSavingsSchedule(row);
    ASSERT_EQ(s.rows.size(), 14u);
    EXPECT_EQ(s.rows[0].NumParcela, QStringLiteral("1"));
    EXPECT_EQ(s.rows[11].NumParcela, QStringLiteral("12"));
    const MatFinGridRow &closing = s.rows[12];
    EXPECT_TRUE(closing.NumParcela.isEmpty());
    EXPECT_EQ(closing.DataParc, QDate(2026, 5, 20));
    EXPECT_EQ(*closing.Pgto, 0);
    EXPECT_NEAR(double(*closing.SaldoAcum), *row.FV, 1e-9);
    EXPECT_EQ(s.lastDate, closing.DataParc);
    const MatFinGridRow &total = s.rows[13];
    EXPECT_EQ(total.NumParcela, QStringLiteral("Total"));
    EXPECT_NEAR(double(*total.Pgto), 2400, 1e-9);
    EXPECT_NEAR(double(*total.PgtoJuros), double(sumOf(s.rows, &MatFinGridRow::PgtoJuros)), 1e-9);
    EXPECT_NEAR(double(*total.Pgto + *total.PgtoJuros), double(*total.SaldoAcum), 1e-9);
    EXPECT_EQ(*total.SomaPgto, *closing.SomaPgto);
    EXPECT_FALSE(total.PgtoPrincipal.has_value());
    EXPECT_FALSE(s.rows[5].PgtoPrincipal.has_value());
    EXPECT_FALSE(s.rows[5].VlrCapitalizado.has_value());
    EXPECT_EQ(s.currentIndex, 13);
}

TEST(SavingsSchedule, WithoutEntradaLastBalanceIsTheFutureValue)
{
    MatFinPrm row = savings(150, 36, 0.5, 0);
    row.Renda = 3000;
    ASSERT_TRUE(solveSavings(row, SavingsMode::Montante).ok);
    const SavingsSchedule s = buildSavingsSchedule(row);
    ASSERT_EQ(s.rows.size(), 38u);
    EXPECT_EQ(s.rows[0].NumParcela, QStringLiteral("0"));
    EXPECT_EQ(*s.rows[0].SaldoAcum, 0);
    const MatFinGridRow &last = s.rows[36];
    EXPECT_EQ(last.NumParcela, QStringLiteral("36"));
    EXPECT_NEAR(double(*last.SaldoAcum), *row.FV, 1e-9);
    EXPECT_NEAR(double(*last.TaxaAcum), std::pow(1.005, 36) - 1, 1e-12);
    EXPECT_EQ(s.lastDate, last.DataParc);
    EXPECT_NEAR(double(s.totalDeposited), 5400, 1e-9);
    EXPECT_NEAR(double(s.totalDeposited + s.totalInterest), *row.FV, 1e-9);
}

// ---- dates --------------------------------------------------------------------------------------

TEST(ScheduleDates, MonthEndStaysOnTheFirstDaysNumber)
{
    const QDate jan31(2023, 1, 31);
    EXPECT_EQ(scheduleDate(jan31, 1), QDate(2023, 2, 28));
    EXPECT_EQ(scheduleDate(jan31, 2), QDate(2023, 3, 31));
    EXPECT_EQ(scheduleDate(jan31, 3), QDate(2023, 4, 30));
    EXPECT_EQ(scheduleDate(jan31, 4), QDate(2023, 5, 31));
    EXPECT_EQ(scheduleDate(QDate(2024, 1, 31), 1), QDate(2024, 2, 29));
    EXPECT_EQ(scheduleDate(QDate(2024, 1, 30), 1), QDate(2024, 2, 29));
    EXPECT_EQ(scheduleDate(QDate(2024, 1, 30), 2), QDate(2024, 3, 30));
    EXPECT_EQ(scheduleDate(QDate(2023, 12, 31), 2), QDate(2024, 2, 29));
}

TEST(ScheduleDates, LoanFromThe31st)
{
    const LoanSchedule s = buildLoanSchedule(loan(1000, 4, 1, 0, QDate(2024, 1, 31)));
    EXPECT_EQ(s.rows[0].DataParc, QDate(2024, 1, 31));
    EXPECT_EQ(s.rows[1].DataParc, QDate(2024, 2, 29));
    EXPECT_EQ(s.rows[2].DataParc, QDate(2024, 3, 31));
    EXPECT_EQ(s.rows[3].DataParc, QDate(2024, 4, 30));
    EXPECT_EQ(s.rows[4].DataParc, QDate(2024, 5, 31));
}

} // namespace
