// The loan, savings and basic solves: every refusal with its message and field, in checking
// order; the solved values, checked against the cash-flow equation; the rounding of the solved
// term; and the calculators' error text in place of a function name.
#include <calc/solve.h>

#include "cashflow.h"
#include "qstringprint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

using namespace calc;

namespace {

const QString kErro = QStringLiteral("Erro ao calcular.\r\n\r\nVerifique se os dados estão "
                                     "digitados de\r\nacordo com as convenções de cálculos\r\n"
                                     "financeiros e tente novamente!");

MatFinPrm loanRow()
{
    MatFinPrm row = defaultMatFinPrm(MatFinTab::Emprestimo, QDate(2025, 1, 31));
    row.PV = 1000;
    row.NPer = 12;
    row.Prestacao = 88.85;
    row.Taxa = 1;
    row.Renda = 3000;
    return row;
}

MatFinPrm savingsRow()
{
    MatFinPrm row = defaultMatFinPrm(MatFinTab::Poupanca, QDate(2025, 3, 10));
    row.FV = 10000;
    row.NPer = 24;
    row.Taxa = 0.8;
    row.Prestacao = 300;
    row.Renda = 2500;
    return row;
}

MatFinPrm basicRow()
{
    MatFinPrm row = defaultMatFinPrm(MatFinTab::Calculadora, QDate(2025, 1, 1));
    row.NPer = 12;
    row.Taxa = 1;
    row.PV = 1000;
    row.Prestacao = -88.85;
    row.FV = 0;
    return row;
}

// ---- refusals -----------------------------------------------------------------------------------

struct RefusalCase
{
    const char *name;
    std::function<SolveOutcome(MatFinPrm &)> solve;
    std::function<MatFinPrm()> base;
    std::function<void(MatFinPrm &)> change;
    QString message;
    QString field;
};

auto loanPgto = [](MatFinPrm &r) {
    return solveLoan(r, LoanMode::Pgto);
};
auto loanTaxa = [](MatFinPrm &r) {
    return solveLoan(r, LoanMode::Taxa);
};
auto poup = [](SavingsMode m) {
    return [m](MatFinPrm &r) {
        return solveSavings(r, m);
    };
};
auto basic = [](BasicFunction f) {
    return [f](MatFinPrm &r) {
        return solveBasic(r, f);
    };
};

const QString kPrazoEmpr = QStringLiteral(
    "O Prazo (Número de Prestações) deve ser um\r\nnúmero inteiro maior que 1 e menor que 1000.");
const QString kPrazoPoup = QStringLiteral(
    "O Prazo (Número de Depósitos) deve ser um\r\nnúmero inteiro maior que 1 e menor que 1000.");
const QString kTaxa = QStringLiteral("Taxa de Juros deve ser maior que zero!");
const QString kPgtoXPrazo = QStringLiteral(
    "Valor da Prestação x Prazo deve ser maior que o valor\r\ndo Empréstimo. Senão, o "
    "empréstimo nunca vai ser pago.\r\nPor favor, redigite o valor da prestação ou o prazo!");
const QString kRendaDevedor =
    QStringLiteral("Remuneração (Renda) do devedor deve\r\nser maior que o Valor da Prestação!");
const QString kRendaPoupador = QStringLiteral(
    "Remuneração (Renda) do Poupador deve\r\nser maior que o Valor do Depósito Mensal!");
const QString kNBasico = QStringLiteral(
    "O Número de Períodos (Prazo) deve ser\r\num número inteiro e diferente de zero!");

void PrintTo(const RefusalCase &c, std::ostream *os)
{
    *os << c.name;
}

class SolveRefusal : public ::testing::TestWithParam<RefusalCase>
{
};

TEST_P(SolveRefusal, RefusesWithTheMessageAndField)
{
    const RefusalCase &c = GetParam();
    MatFinPrm row = c.base();
    c.change(row);
    const SolveOutcome out = c.solve(row);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, c.message);
    EXPECT_EQ(out.focusField, c.field);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Loan, SolveRefusal, ::testing::Values(
    RefusalCase{"pvZero", loanPgto, loanRow, [](MatFinPrm &r) { r.PV = 0; },
                QStringLiteral("Valor do Empréstimo deve ser maior que zero!"), "DBEditPV"},
    RefusalCase{"pvEmpty", loanTaxa, loanRow, [](MatFinPrm &r) { r.PV.reset(); },
                QStringLiteral("Valor do Empréstimo deve ser maior que zero!"), "DBEditPV"},
    RefusalCase{"pvBeforeTerm", loanPgto, loanRow, [](MatFinPrm &r) { r.PV = -5; r.NPer = 1; },
                QStringLiteral("Valor do Empréstimo deve ser maior que zero!"), "DBEditPV"},
    RefusalCase{"termOne", loanPgto, loanRow, [](MatFinPrm &r) { r.NPer = 1; }, kPrazoEmpr,
                "DBEditNPer"},
    RefusalCase{"term1000", loanTaxa, loanRow, [](MatFinPrm &r) { r.NPer = 1000; }, kPrazoEmpr,
                "DBEditNPer"},
    RefusalCase{"termFraction", loanPgto, loanRow, [](MatFinPrm &r) { r.NPer = 12.5; }, kPrazoEmpr,
                "DBEditNPer"},
    RefusalCase{"termEmpty", loanPgto, loanRow, [](MatFinPrm &r) { r.NPer.reset(); }, kPrazoEmpr,
                "DBEditNPer"},
    RefusalCase{"instalmentZero", loanPgto, loanRow, [](MatFinPrm &r) { r.Prestacao = 0; },
                QStringLiteral("Valor da Prestação deve ser maior que zero!"), "DBEditPgtoTaxa"},
    RefusalCase{"instalmentNotBelowPv", loanPgto, loanRow, [](MatFinPrm &r) { r.Prestacao = 1000; },
                QStringLiteral("Valor da Prestação deve ser menor\r\nque o Valor do Empréstimo!"),
                "DBEditPgtoTaxa"},
    RefusalCase{"instalmentTimesTermOneCentShort", loanPgto, loanRow,
                [](MatFinPrm &r) { r.PV = 59.71; r.NPer = 3; r.Prestacao = 19.90; }, kPgtoXPrazo,
                "DBEditPgtoTaxa"},
    RefusalCase{"incomeNotAboveInstalment", loanPgto, loanRow,
                [](MatFinPrm &r) { r.Renda = 88.85; },
                kRendaDevedor, "DBEditRenda"},
    RefusalCase{"incomeEmpty", loanPgto, loanRow, [](MatFinPrm &r) { r.Renda.reset(); },
                kRendaDevedor, "DBEditRenda"},
    RefusalCase{"rateZeroInRateMode", loanTaxa, loanRow, [](MatFinPrm &r) { r.Taxa = 0; }, kTaxa,
                "DBEditPgtoTaxa"},
    RefusalCase{"rateModeIgnoresInstalment", loanTaxa, loanRow,
                [](MatFinPrm &r) { r.Prestacao = 0; r.Renda = 88.85; },
                QStringLiteral("Valor da Prestação calculada para\r\neste empréstimo é de "
                               "R$ 88,85!\r\n\r\nRemuneração (Renda) do devedor deve\r\n"
                               "ser maior que o Valor da Prestação!"),
                "DBEditRenda"},
    RefusalCase{"dateEmptyInstalmentMode", loanPgto, loanRow,
                [](MatFinPrm &r) { r.DataParc = QDate(); },
                QStringLiteral("A Data Inicial do Empréstimo deve ser preenchida!"),
                "DBEditDataParc"},
    RefusalCase{"dateEmptyRateMode", loanTaxa, loanRow, [](MatFinPrm &r) { r.DataParc = QDate(); },
                QStringLiteral("A Data Inicial do Empréstimo deve ser preenchida!"),
                "DBEditDataParc"}
), [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Savings, SolveRefusal, ::testing::Values(
    RefusalCase{"amountZeroInDepositMode", poup(SavingsMode::Deposito), savingsRow,
                [](MatFinPrm &r) { r.FV = 0; },
                QStringLiteral("Valor do Montante a Acumular deve ser maior que zero!"),
                "DBEditMontante"},
    RefusalCase{"amountZeroInTermMode", poup(SavingsMode::Prazo), savingsRow,
                [](MatFinPrm &r) { r.FV.reset(); },
                QStringLiteral("Valor do Montante a Acumular deve ser maior que zero!"),
                "DBEditMontante"},
    RefusalCase{"termOne", poup(SavingsMode::Montante), savingsRow,
                [](MatFinPrm &r) { r.NPer = 1; },
                kPrazoPoup, "DBEditPrazo"},
    RefusalCase{"term1000", poup(SavingsMode::Deposito), savingsRow,
                [](MatFinPrm &r) { r.NPer = 1000; },
                kPrazoPoup, "DBEditPrazo"},
    RefusalCase{"termFraction", poup(SavingsMode::Montante), savingsRow,
                [](MatFinPrm &r) { r.NPer = 12.5; },
                kPrazoPoup, "DBEditPrazo"},
    RefusalCase{"rateZero", poup(SavingsMode::Montante), savingsRow,
                [](MatFinPrm &r) { r.Taxa = 0; },
                kTaxa, "DBEditTaxa"},
    RefusalCase{"depositZero", poup(SavingsMode::Montante), savingsRow,
                [](MatFinPrm &r) { r.Prestacao = 0; },
                QStringLiteral("Valor do Depósito Mensal deve ser maior que zero!"),
                "DBEditDeposito"},
    RefusalCase{"incomeNotAboveDeposit", poup(SavingsMode::Prazo), savingsRow,
                [](MatFinPrm &r) { r.Renda = 300; },
                kRendaPoupador, "DBEditPoupRenda"},
    RefusalCase{"incomeNotAboveComputedDeposit", poup(SavingsMode::Deposito), savingsRow,
                [](MatFinPrm &r) { r.Renda = 100; },
                QStringLiteral("Valor do Depósito Mensal calculado para\r\nacumular este "
                               "Montante é de R$ 379,61!\r\n\r\nRemuneração (Renda) do "
                               "Poupador deve\r\nser maior que o Valor do Depósito!"),
                "DBEditPoupRenda"},
    RefusalCase{"dateEmpty", poup(SavingsMode::Montante), savingsRow,
                [](MatFinPrm &r) { r.DataParc = QDate(); },
                QStringLiteral("A Data de Início de Poupança deve ser preenchida!"),
                "DBEditPoupData"},
    // Was: NPer 46 154 and a schedule of as many rows; now refused like a typed term.
    RefusalCase{"regressionTermOver999", poup(SavingsMode::Prazo), savingsRow,
                [](MatFinPrm &r) { r.FV = 1e6; r.Prestacao = 1; r.Taxa = 0.01; }, kPrazoPoup,
                "DBEditDeposito"}
), [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Basic, SolveRefusal, ::testing::Values(
    RefusalCase{"termZero", basic(BasicFunction::PMT), basicRow, [](MatFinPrm &r) { r.NPer = 0; },
                kNBasico, "DBEditCalcN"},
    RefusalCase{"termEmpty", basic(BasicFunction::FV), basicRow,
                [](MatFinPrm &r) { r.NPer.reset(); }, kNBasico,
                "DBEditCalcN"},
    RefusalCase{"termFraction", basic(BasicFunction::I), basicRow,
                [](MatFinPrm &r) { r.NPer = 12.5; }, kNBasico,
                "DBEditCalcN"},
    RefusalCase{"lastFlowNegative", basic(BasicFunction::I), basicRow,
                [](MatFinPrm &r) { r.PV = 100; r.Prestacao = -10; r.FV = 50; }, kErro, ""},
    RefusalCase{"futureValueOverflow", basic(BasicFunction::FV), basicRow,
                [](MatFinPrm &r) { r.Taxa = 5; r.NPer = 999; }, kErro, ""}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// ---- loan ---------------------------------------------------------------------------------------

TEST(SolveLoan, InstalmentModeSolvesTheRate)
{
    MatFinPrm row = loanRow();
    row.FV = 123;
    const SolveOutcome out = solveLoan(row, LoanMode::Pgto);
    ASSERT_TRUE(out.ok) << out.message.toStdString();
    EXPECT_EQ(out.csvLayout, 1);
    EXPECT_EQ(row.FV, 0.0);
    const auto res = calctest::cashFlowResidual(*row.Taxa / 100.0L, 12, -88.85L, 1000, 0, 0);
    EXPECT_LE(res.relative(), 1e-10L);
    EXPECT_NEAR(*row.Taxa, 1.0, 0.001);
}

TEST(SolveLoan, InstalmentModeWithEntrada)
{
    MatFinPrm row = loanRow();
    row.Entrada = 1;
    ASSERT_TRUE(solveLoan(row, LoanMode::Pgto).ok);
    const auto res = calctest::cashFlowResidual(*row.Taxa / 100.0L, 12, -88.85L, 1000, 0, 1);
    EXPECT_LE(res.relative(), 1e-10L);
}

TEST(SolveLoan, RateModeSolvesTheInstalment)
{
    MatFinPrm row = loanRow();
    row.Prestacao.reset();
    const SolveOutcome out = solveLoan(row, LoanMode::Taxa);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.csvLayout, 2);
    EXPECT_NEAR(*row.Prestacao, 88.848788678341707, 1e-11);
}

// Was: refused at "Prestação x Prazo" (3 * 19.90 is 59.6999... in binary).
TEST(SolveLoan, RegressionInterestFreePlanInWholeCents)
{
    MatFinPrm row = loanRow();
    row.PV = 59.70;
    row.NPer = 3;
    row.Prestacao = 19.90;
    row.Taxa = 7;
    const SolveOutcome out = solveLoan(row, LoanMode::Pgto);
    ASSERT_TRUE(out.ok) << out.message.toStdString();
    EXPECT_EQ(row.Taxa, 0.0);
}

TEST(SolveLoan, TermTwoAnd999Accepted)
{
    for (double n : {2.0, 999.0}) {
        MatFinPrm row = loanRow();
        row.NPer = n;
        EXPECT_TRUE(solveLoan(row, LoanMode::Taxa).ok) << n;
    }
}

TEST(SolveLoan, ComputedInstalmentStaysInTheRowWhenIncomeFails)
{
    MatFinPrm row = loanRow();
    row.Renda = 50;
    EXPECT_FALSE(solveLoan(row, LoanMode::Taxa).ok);
    EXPECT_NEAR(*row.Prestacao, 88.848788678341707, 1e-11);
    EXPECT_EQ(row.FV, 0.0);
}

TEST(SolveLoan, SolvedRateStaysInTheRowWhenDateIsMissing)
{
    MatFinPrm row = loanRow();
    row.DataParc = QDate();
    row.Taxa = 99;
    EXPECT_FALSE(solveLoan(row, LoanMode::Pgto).ok);
    EXPECT_NEAR(*row.Taxa, 1.0, 0.001);
}

// Was: the bare text "Payment" in the application's error box.
TEST(SolveLoan, RegressionFunctionFailureShowsTheCalculatorText)
{
    MatFinPrm row = loanRow();
    row.Taxa = 1e308;
    row.Renda = 1e308;
    const SolveOutcome out = solveLoan(row, LoanMode::Taxa);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, kErro);
    EXPECT_TRUE(out.focusField.isEmpty());
}

// ---- savings ------------------------------------------------------------------------------------

TEST(SolveSavings, AmountMode)
{
    MatFinPrm row = savingsRow();
    row.FV.reset();
    row.PV = 77;
    const SolveOutcome out = solveSavings(row, SavingsMode::Montante);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.csvLayout, 1);
    EXPECT_TRUE(out.exact);
    EXPECT_EQ(out.unroundedN, 24);
    EXPECT_EQ(row.PV, 0.0);
    const long double c = std::pow(1.008L, 24.0L);
    EXPECT_NEAR(*row.FV, double(300 * (c - 1) / 0.008L), 1e-9);
}

TEST(SolveSavings, DepositModeWithEntrada)
{
    MatFinPrm row = savingsRow();
    row.Entrada = 1;
    const SolveOutcome out = solveSavings(row, SavingsMode::Deposito);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.csvLayout, 2);
    const auto res = calctest::cashFlowResidual(0.008L, 24, -*row.Prestacao, 0, 10000, 1);
    EXPECT_LE(res.relative(), 1e-12L);
}

// Was: the bare text "FutureValue" in the application's error box.
TEST(SolveSavings, RegressionFutureValueOverflowShowsTheCalculatorText)
{
    MatFinPrm row = savingsRow();
    row.Taxa = 5;
    row.NPer = 999;
    const SolveOutcome out = solveSavings(row, SavingsMode::Montante);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, kErro);
}

struct TermCase
{
    const char *name;
    long double n; // the deposits that reach FV exactly
    double expectedNPer;
    bool exact;
};

void PrintTo(const TermCase &c, std::ostream *os)
{
    *os << c.name;
}

class SolveSavingsTerm : public ::testing::TestWithParam<TermCase>
{
};

TEST_P(SolveSavingsTerm, RoundsTheTerm)
{
    const TermCase &c = GetParam();
    MatFinPrm row = savingsRow();
    row.NPer.reset();
    row.Taxa = 1;
    row.Prestacao = 100;
    row.FV = double(100 * (std::pow(1.01L, c.n) - 1) / 0.01L);
    const SolveOutcome out = solveSavings(row, SavingsMode::Prazo);
    ASSERT_TRUE(out.ok) << out.message.toStdString();
    EXPECT_EQ(*row.NPer, c.expectedNPer);
    EXPECT_EQ(out.exact, c.exact);
    EXPECT_EQ(out.csvLayout, 1);
    EXPECT_NEAR(double(out.unroundedN), double(c.n), 1e-9);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, SolveSavingsTerm, ::testing::Values(
    TermCase{"hairBelow24", 24 - 5e-7L, 24, true},
    TermCase{"roundedUp", 23.4L, 24, false},
    TermCase{"hairAbove24", 24 + 4e-7L, 24, true},
    TermCase{"single", 0.6L, 1, false},
    TermCase{"exactly999", 999, 999, true}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// ---- basic calculator ---------------------------------------------------------------------------

TEST(SolveBasic, PaymentKeepsTheFunctionsSignAndFillsEmptyFields)
{
    MatFinPrm row = basicRow();
    row.Prestacao.reset();
    row.FV.reset();
    const SolveOutcome out = solveBasic(row, BasicFunction::PMT);
    ASSERT_TRUE(out.ok);
    EXPECT_NEAR(*row.Prestacao, -88.848788678341707, 1e-11);
    EXPECT_EQ(row.FV, 0.0);
    EXPECT_EQ(out.panelText, QStringLiteral("-88,8488 $  "));
}

TEST(SolveBasic, PresentAndFutureValuePanels)
{
    MatFinPrm row = basicRow();
    row.Prestacao = -100;
    ASSERT_TRUE(solveBasic(row, BasicFunction::PV).ok);
    EXPECT_NEAR(*row.PV, 1125.5077473484630, 1e-10);
    row.PV = 0;
    const SolveOutcome out = solveBasic(row, BasicFunction::FV);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.panelText, QStringLiteral("1.268,2503 $  "));
}

TEST(SolveBasic, InterestRatePanel)
{
    MatFinPrm row = basicRow();
    row.Prestacao = -88.848788678341707;
    const SolveOutcome out = solveBasic(row, BasicFunction::I);
    ASSERT_TRUE(out.ok);
    EXPECT_NEAR(*row.Taxa, 1.0, 1e-12);
    EXPECT_EQ(out.panelText, QStringLiteral("1,00 %  "));
}

// Was: "Erro ao calcular." (no flow at time 0 without Entrada).
TEST(SolveBasic, RegressionSavingsRateWithoutEntrada)
{
    MatFinPrm row = basicRow();
    row.PV = 0;
    row.Prestacao = -100;
    row.FV = 1300;
    const SolveOutcome out = solveBasic(row, BasicFunction::I);
    ASSERT_TRUE(out.ok);
    EXPECT_LE(calctest::cashFlowResidual(*row.Taxa / 100.0L, 12, -100, 0, 1300, 0).relative(),
              1e-12L);
}

TEST(SolveBasic, NegativeTermAccepted)
{
    MatFinPrm row = basicRow();
    row.NPer = -12;
    row.Prestacao = -100;
    EXPECT_TRUE(solveBasic(row, BasicFunction::PV).ok);
}

struct BasicTermCase
{
    const char *name;
    double fv; // 100 a month at 0 %: N = fv / 100
    double expectedNPer;
    QString panel;
};

void PrintTo(const BasicTermCase &c, std::ostream *os)
{
    *os << c.name;
}

class SolveBasicTerm : public ::testing::TestWithParam<BasicTermCase>
{
};

TEST_P(SolveBasicTerm, RoundsTheTerm)
{
    const BasicTermCase &c = GetParam();
    MatFinPrm row = basicRow();
    row.NPer.reset();
    row.Taxa = 0;
    row.PV = 0;
    row.Prestacao = -100;
    row.FV = c.fv;
    const SolveOutcome out = solveBasic(row, BasicFunction::N);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(*row.NPer, c.expectedNPer);
    EXPECT_EQ(out.panelText, c.panel);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, SolveBasicTerm, ::testing::Values(
    BasicTermCase{"hairBelow12", 1199.99999, 12, "12  "},
    BasicTermCase{"millionthAbove12", 1200.0001, 13, "12  "},
    BasicTermCase{"exact", 1200, 12, "12  "},
    BasicTermCase{"fraction", 1250, 13, "12,5  "}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST(MatFinDefaults, MissingRowsStartWithTheirDefaults)
{
    const QDate today(2025, 6, 1);
    const MatFinPrm loan = defaultMatFinPrm(MatFinTab::Emprestimo, today);
    EXPECT_EQ(loan.Codigo, 1);
    EXPECT_EQ(loan.Entrada, 0);
    EXPECT_EQ(loan.DataParc, today);
    EXPECT_EQ(loan.Finalidade, QStringLiteral("Geral"));
    EXPECT_EQ(loan.IncNPer, 6.0);
    EXPECT_EQ(loan.IncTaxa, 0.2);
    EXPECT_FALSE(loan.PV.has_value());
    const MatFinPrm savings = defaultMatFinPrm(MatFinTab::Poupanca, today);
    EXPECT_EQ(savings.DataParc, today);
    EXPECT_FALSE(savings.IncNPer.has_value());
    const MatFinPrm basic = defaultMatFinPrm(MatFinTab::Calculadora, today);
    EXPECT_EQ(basic.Codigo, 3);
    EXPECT_FALSE(basic.DataParc.isValid());
}

} // namespace
