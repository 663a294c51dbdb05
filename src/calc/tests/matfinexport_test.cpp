// The four spreadsheet exports: each against a small hand-written Windows-1252 fixture, and each
// sheet's formulas evaluated by the test's own evaluator (sheeteval.h) against the figures the
// program shows, for every function, mode and timing, so the sheet recalculates to them.
#include <calc/matfinexport.h>

#include "qstringprint.h"
#include "sheeteval.h"

#include <calc/solve.h>
#include <calc/tvm.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include <cmath>

using namespace calc;

namespace {

QByteArray fixture(const char *name)
{
    QFile f(QStringLiteral(QUORVILA_FIXTURE_DIR "/%1").arg(QLatin1String(name)));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

QList<QByteArray> lines(const QByteArray &bytes)
{
    QList<QByteArray> l = bytes.split('\n');
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

// Line by line first, so a failure names the line.
void expectSameBytes(const QByteArray &actual, const QByteArray &expected, int lineLimit = -1)
{
    const QList<QByteArray> a = lines(actual), e = lines(expected);
    const int n = lineLimit < 0 ? int(e.size()) : lineLimit;
    if (lineLimit < 0) {
        EXPECT_EQ(a.size(), e.size());
    }
    for (int i = 0; i < n && i < a.size() && i < e.size(); ++i)
        EXPECT_EQ(a[i].toStdString(), e[i].toStdString()) << "line " << i + 1;
    if (lineLimit < 0) {
        EXPECT_EQ(actual, expected);
    }
}

void expectNoExponent(const QByteArray &bytes)
{
    EXPECT_FALSE(
        QRegularExpression("[0-9][eE][-+]?[0-9]").match(QString::fromLatin1(bytes)).hasMatch());
}

MatFinPrm basicRow(double n, double taxa, double pv, double pmt, double fv, int entrada)
{
    MatFinPrm r = defaultMatFinPrm(MatFinTab::Calculadora, QDate());
    r.NPer = n;
    r.Taxa = taxa;
    r.PV = pv;
    r.Prestacao = pmt;
    r.FV = fv;
    r.Entrada = entrada;
    return r;
}

long double close(long double a, long double b)
{
    return std::fabs(a - b) <= 1e-6L * std::max<long double>(1, std::fabs(b));
}

} // namespace

TEST(BasicCalcCsv, PaymentAgainstTheFixture)
{
    MatFinPrm r = basicRow(12, 1, 1000, 0, 0, 0);
    ASSERT_TRUE(solveBasic(r, BasicFunction::PMT).ok);
    const QByteArray b = basicCalcCsv(r, BasicFunction::PMT).bytes();
    expectSameBytes(b, fixture("basic.csv"));
    sheet::Sheet s(b);
    EXPECT_TRUE(close(s.number("D16"), *r.Prestacao)) << double(s.number("D16"));
    EXPECT_EQ(basicCalcFileName(BasicFunction::PMT), "CalcFin_Pagamento_PMT.CSV");
    EXPECT_EQ(basicCalcTitle(BasicFunction::I), "Cálculo da Taxa de Juros [i]");
}

// Each function, both timings: the sheet's formula in D16 reproduces the solved, signed figure.
TEST(BasicCalcCsv, EveryFormulaRecalculatesToTheProgramsResult)
{
    struct
    {
        BasicFunction f;
        double n, taxa, pv, pmt, fv;
    } cases[] = {
        {BasicFunction::N, 0, 1.5, 5000, -250, 0},
        {BasicFunction::N, 0, 0.8, -2000, -150, 10000},
        {BasicFunction::I, 24, 0, 10000, -500, 0},
        {BasicFunction::I, 36, 0, 0, -300, 12000},
        {BasicFunction::PV, 48, 1.2, 0, -800, 0},
        {BasicFunction::PV, 10, 0.5, 0, 0, 5000},
        {BasicFunction::PMT, 12, 1, 1000, 0, 0},
        {BasicFunction::PMT, 360, 0.75, 250000, 0, -10000},
        {BasicFunction::FV, 120, 0.6, -1000, -200, 0},
        {BasicFunction::FV, 5, 2, 3000, 0, 0},
    };
    for (const auto &c : cases) {
        for (int entrada : {0, 1}) {
            MatFinPrm r = basicRow(c.n, c.taxa, c.pv, c.pmt, c.fv, entrada);
            const SolveOutcome o = solveBasic(r, c.f);
            ASSERT_TRUE(o.ok) << int(c.f) << " " << o.message.toStdString();
            const QByteArray b = basicCalcCsv(r, c.f).bytes();
            expectNoExponent(b);
            sheet::Sheet s(b);
            ASSERT_EQ(s.lineCount(), 16);
            const double expected = c.f == BasicFunction::N     ? *r.NPer
                                    : c.f == BasicFunction::I   ? *r.Taxa
                                    : c.f == BasicFunction::PV  ? *r.PV
                                    : c.f == BasicFunction::PMT ? *r.Prestacao
                                                                : *r.FV;
            // The sheet gives what the result panel shows (n unrounded there; the row keeps it
            // rounded up for the next calculation).
            QString shown = o.panelText;
            shown.remove('.').remove('%').remove('$').replace(',', '.');
            EXPECT_NEAR(double(s.number("D16")), shown.trimmed().toDouble(), 0.00006)
                << int(c.f) << " t=" << entrada << ": " << o.panelText.toStdString();
            if (c.f != BasicFunction::N) {
                EXPECT_TRUE(close(s.number("D16"), expected))
                    << int(c.f) << " t=" << entrada << ": " << double(s.number("D16")) << " vs "
                    << expected;
            }
            EXPECT_EQ(s.raw("D13"), QString::number(entrada));
            EXPECT_EQ(std::get<QString>(s.value("E13")),
                      entrada ? "(Com Entrada)" : "(Sem Entrada)");
        }
    }
}

TEST(TermRateCsv, AgainstTheFixtureAndEveryCellInTheThreeViews)
{
    MatFinPrm loan = defaultMatFinPrm(MatFinTab::Emprestimo, QDate(2025, 1, 15));
    loan.PV = 1000;
    loan.NPer = 12;
    loan.Taxa = 1;
    loan.Entrada = 0;
    loan.IncNPer = 6;
    loan.IncTaxa = 0.2;
    const TermRateTable t = buildTermRateTable(loan);
    const QByteArray b = termRateCsv(loan, t).bytes();
    expectSameBytes(b, fixture("termrate.csv"), 17);
    expectNoExponent(b);
    sheet::Sheet s(b);
    ASSERT_EQ(s.lineCount(), 54);
    EXPECT_EQ(s.raw("A18"), "6");
    EXPECT_EQ(s.raw("B18"), "=SE($I$10=2;-PGTO(B$17/100;$A18;$D$9;0;$D$10)*$A18;SE($I$10=3;"
                            "-PGTO(B$17/100;$A18;$D$9;0;$D$10)*$A18-$D$9;"
                            "-PGTO(B$17/100;$A18;$D$9;0;$D$10)))");
    EXPECT_EQ(s.raw("A54"), "222");
    for (int view = 1; view <= 3; ++view) {
        s.set("I10", QString::number(view));
        const TermRateTable::Grid &g = view == 1   ? t.prestacoes
                                       : view == 2 ? t.montantePago
                                                   : t.totalJuros;
        for (int i = 1; i < TermRateTable::kSize; ++i)
            for (int j = 1; j < TermRateTable::kSize; ++j) {
                const QString ref = columnName(i + 1) + QString::number(j + 17);
                ASSERT_TRUE(close(s.number(ref), g[i][j]))
                    << view << " " << ref.toStdString() << ": " << double(s.number(ref)) << " vs "
                    << double(g[i][j]);
            }
        EXPECT_EQ(std::get<QString>(s.value("A17")), view == 1   ? "Prestações"
                                                     : view == 2 ? "Montantes"
                                                                 : "Juros Pagos");
    }
    // With down payment, the timing cell drives every formula.
    loan.Entrada = 1;
    const TermRateTable t1 = buildTermRateTable(loan);
    sheet::Sheet s1(termRateCsv(loan, t1).bytes());
    EXPECT_TRUE(close(s1.number("K30"), t1.prestacoes[10][13]));
    EXPECT_EQ(columnName(1), "A");
    EXPECT_EQ(columnName(26), "Z");
    EXPECT_EQ(columnName(27), "AA");
    EXPECT_EQ(columnName(38), "AL");
}

TEST(SavingsCsv, AgainstTheFixture)
{
    MatFinPrm sv = defaultMatFinPrm(MatFinTab::Poupanca, QDate(2025, 1, 15));
    sv.NPer = 3;
    sv.Taxa = 1;
    sv.Prestacao = 100;
    sv.Entrada = 1;
    sv.Renda = 1000;
    const SolveOutcome o = solveSavings(sv, SavingsMode::Montante);
    ASSERT_TRUE(o.ok) << o.message.toStdString();
    ASSERT_EQ(o.csvLayout, 1);
    expectSameBytes(savingsCsv(sv, buildSavingsSchedule(sv).rows, 1).bytes(),
                    fixture("savings.csv"));
}

// Both layouts and both timings: every schedule cell and the solved quantity of line 15.
TEST(SavingsCsv, FormulasRecalculateToTheSchedule)
{
    for (SavingsMode mode : {SavingsMode::Montante, SavingsMode::Deposito, SavingsMode::Prazo}) {
        for (int entrada : {0, 1}) {
            MatFinPrm sv = defaultMatFinPrm(MatFinTab::Poupanca, QDate(2025, 1, 31));
            sv.NPer = 12;
            sv.Taxa = 0.7;
            sv.Prestacao = 350;
            sv.FV = 5000;
            sv.Entrada = entrada;
            sv.Renda = 3000;
            const SolveOutcome o = solveSavings(sv, mode);
            ASSERT_TRUE(o.ok) << o.message.toStdString();
            const SavingsSchedule sch = buildSavingsSchedule(sv);
            const QByteArray b = savingsCsv(sv, sch.rows, o.csvLayout).bytes();
            expectNoExponent(b);
            sheet::Sheet s(b);
            const int expectedLines = 23 + int(sch.rows.size());
            ASSERT_EQ(s.lineCount(), expectedLines);
            // Mode "Prazo" keeps the target amount; with the whole number of deposits the sheet
            // reaches what the analysis text calls <CEIL_MONTANTE>.
            const long double reached =
                -FutureValue(*sv.Taxa / 100.0L, qint64(*sv.NPer), *sv.Prestacao, 0, entrada);
            if (o.csvLayout == 1) {
                EXPECT_TRUE(close(s.number("D15"), mode == SavingsMode::Prazo ? reached : *sv.FV))
                    << double(s.number("D15"));
            } else {
                EXPECT_TRUE(close(s.number("D15"), *sv.Prestacao));
            }
            for (std::size_t k = 0; k < sch.rows.size(); ++k) {
                const MatFinGridRow &r = sch.rows[k];
                const QString x = QString::number(24 + k);
                const QString at =
                    QString("mode %1 t=%2 line %3 ").arg(int(mode)).arg(entrada).arg(x);
                EXPECT_EQ(s.raw("A" + x), r.NumParcela) << at.toStdString();
                EXPECT_TRUE(close(s.number("C" + x), r.Pgto.value_or(0))) << at.toStdString();
                EXPECT_TRUE(close(s.number("D" + x), r.PgtoJuros.value_or(0))) << at.toStdString();
                EXPECT_TRUE(close(s.number("E" + x), r.SaldoAcum.value_or(0))) << at.toStdString();
                EXPECT_TRUE(close(s.number("F" + x), r.SomaPgto.value_or(0))) << at.toStdString();
                if (r.NumParcela != "Total") {
                    EXPECT_TRUE(close(s.number("H" + x), r.TaxaAcum.value_or(0)))
                        << at.toStdString();
                }
            }
        }
    }
}

TEST(LoanCsv, AgainstTheFixture)
{
    MatFinPrm loan = defaultMatFinPrm(MatFinTab::Emprestimo, QDate(2025, 1, 15));
    loan.PV = 1000;
    loan.NPer = 3;
    loan.Taxa = 1;
    loan.Entrada = 0;
    loan.Renda = 2000;
    const SolveOutcome o = solveLoan(loan, LoanMode::Taxa);
    ASSERT_TRUE(o.ok) << o.message.toStdString();
    ASSERT_EQ(o.csvLayout, 2);
    const QByteArray b = loanCsv(loan, buildLoanSchedule(loan).rows, 2).bytes();
    expectSameBytes(b, fixture("loan.csv"));
}

TEST(LoanCsv, FormulasRecalculateToTheSchedule)
{
    for (LoanMode mode : {LoanMode::Pgto, LoanMode::Taxa}) {
        for (int entrada : {0, 1}) {
            MatFinPrm loan = defaultMatFinPrm(MatFinTab::Emprestimo, QDate(2025, 1, 31));
            loan.PV = 15000;
            loan.NPer = 24;
            loan.Taxa = 2.1;
            loan.Prestacao = 850;
            loan.Entrada = entrada;
            loan.Renda = 3800;
            const SolveOutcome o = solveLoan(loan, mode);
            ASSERT_TRUE(o.ok) << o.message.toStdString();
            const LoanSchedule sch = buildLoanSchedule(loan);
            const QByteArray b = loanCsv(loan, sch.rows, o.csvLayout).bytes();
            expectNoExponent(b);
            EXPECT_TRUE(b.contains("*(1+0,005)+C"));
            sheet::Sheet s(b);
            ASSERT_EQ(s.lineCount(), 23 + int(sch.rows.size()));
            if (o.csvLayout == 1) {
                EXPECT_TRUE(close(s.number("D15"), *loan.Taxa)) << double(s.number("D15"));
            } else {
                EXPECT_TRUE(close(s.number("D15"), *loan.Prestacao));
            }
            const long double tol = 1e-6L;
            for (std::size_t k = 0; k < sch.rows.size(); ++k) {
                const MatFinGridRow &r = sch.rows[k];
                const QString x = QString::number(24 + k);
                const std::string at = QString("mode %1 t=%2 line %3 ")
                                           .arg(int(mode))
                                           .arg(entrada)
                                           .arg(x)
                                           .toStdString();
                const auto near = [&](const char *col, const GridValue &v) {
                    const long double got = s.number(QLatin1String(col) + x);
                    EXPECT_NEAR(double(got), double(v.value_or(0)), double(tol * 15000))
                        << at << col;
                };
                EXPECT_EQ(s.raw("A" + x), r.NumParcela) << at;
                near("C", r.Pgto);
                near("D", r.PgtoJuros);
                near("E", r.PgtoPrincipal);
                if (r.NumParcela != "Total") {
                    near("F", r.SaldoAcum);
                    near("J", r.TaxaAcum);
                }
                near("G", r.SomaPgto);
                near("H", r.VlrCapitalizado);
                near("K", r.PgtoVlrPresente);
            }
        }
    }
}
