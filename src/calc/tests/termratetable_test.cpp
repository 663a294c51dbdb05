// The term-and-rate table: its headers from the centring rule, the loan's own position, and its
// cells against the payment function and a closed form.
#include <calc/termratetable.h>

#include <calc/tvm.h>

#include <gtest/gtest.h>

#include <cmath>

using namespace calc;

namespace {

MatFinPrm loanRow(double nper, double incNPer, double taxa, double incTaxa, int entrada = 0)
{
    MatFinPrm row;
    row.Codigo = 1;
    row.PV = 10000;
    row.NPer = nper;
    row.IncNPer = incNPer;
    row.Taxa = taxa;
    row.IncTaxa = incTaxa;
    row.Entrada = entrada;
    return row;
}

TEST(TermRateTable, CentredHeadersAndOwnPosition)
{
    const TermRateTable t = buildTermRateTable(loanRow(24, 6, 1.5, 0.2));
    for (int j = 1; j <= 37; ++j)
        EXPECT_EQ(t.prestacoes[0][j], 6 * j) << j;
    for (int i = 1; i <= 37; ++i)
        EXPECT_NEAR(double(t.totalJuros[i][0]), 0.001 + (i - 1) * 0.002, 1e-15) << i;
    EXPECT_EQ(t.prestacoes[0][0], 0);
    EXPECT_EQ(t.rateIndex, 8);
    EXPECT_EQ(t.termIndex, 4);
    EXPECT_NEAR(double(t.prestacoes[37][0]), 0.073, 1e-15);
    EXPECT_EQ(t.montantePago[0][37], 222);
}

TEST(TermRateTable, LoanSitsAtNineteenWhenEighteenStepsFit)
{
    const TermRateTable t = buildTermRateTable(loanRow(240, 6, 5, 0.2));
    EXPECT_EQ(t.rateIndex, 19);
    EXPECT_EQ(t.termIndex, 19);
    EXPECT_NEAR(double(t.prestacoes[1][0]), 0.014, 1e-15);
    EXPECT_EQ(t.prestacoes[0][1], 132);
}

TEST(TermRateTable, ZeroTermStepGivesIdenticalTermsAndTheLastMatch)
{
    const TermRateTable t = buildTermRateTable(loanRow(24, 0, 1.5, 0.2));
    for (int j = 1; j <= 37; ++j)
        EXPECT_EQ(t.prestacoes[0][j], 24);
    EXPECT_EQ(t.termIndex, 37);
}

// Was: 3 % less twelve steps of 0.25 % left 2.6E-18 > 0, so a 13th step gave a 0 % first row.
TEST(TermRateTable, RegressionRateCentringJudgedAtTenDecimals)
{
    const TermRateTable t = buildTermRateTable(loanRow(24, 6, 3, 0.25));
    EXPECT_NEAR(double(t.prestacoes[1][0]), 0.0025, 1e-15);
    EXPECT_EQ(t.rateIndex, 12);
}

TEST(TermRateTable, CellsArePaymentTotalPaidAndInterest)
{
    for (int entrada : {0, 1}) {
        const TermRateTable t = buildTermRateTable(loanRow(36, 3, 1.2, 0.1, entrada));
        for (int i : {1, 12, 37})
            for (int j : {1, 19, 37}) {
                const long double r = t.prestacoes[i][0];
                const long double m = t.prestacoes[0][j];
                const long double c = std::pow(1 + r, m);
                const long double closed = 10000 * c / ((c - 1) / r * (1 + r * entrada));
                EXPECT_NEAR(double(t.prestacoes[i][j]), double(closed), 1e-9);
                EXPECT_EQ(t.prestacoes[i][j], -Payment(r, qint64(m), 10000, 0, entrada));
                EXPECT_EQ(t.montantePago[i][j], m * t.prestacoes[i][j]);
                EXPECT_EQ(t.totalJuros[i][j], m * t.prestacoes[i][j] - 10000);
            }
    }
}

TEST(TermRateTable, InterestFreeLoanFindsItsRateRow)
{
    const TermRateTable t = buildTermRateTable(loanRow(12, 6, 0, 0.5));
    EXPECT_EQ(t.rateIndex, 1);
    EXPECT_NEAR(double(t.prestacoes[1][t.termIndex]), 10000.0 / 12, 1e-9);
}

TEST(TermRateTable, NegativeStepsReachingRateMinus100Fail)
{
    EXPECT_THROW(buildTermRateTable(loanRow(24, 6, 1, -10)), CalcError);
}

} // namespace
