// The analysis texts: filling a template (every occurrence, absent names skipped, formatting
// kept, values escaped), the template chosen for a schedule row, the figures of each placeholder
// list as a table of cases, and the shipped templates naming only placeholders of their lists.
#include <calc/analysistexts.h>

#include "qstringprint.h"

#include <calc/solve.h>
#include <calc/tvm.h>

#include <app/format.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <map>

using namespace calc;

namespace {

QString valueOf(const Placeholders &list, const QString &name)
{
    for (const Placeholder &p : list)
        if (p.name == name)
            return p.value;
    ADD_FAILURE() << "no placeholder " << name.toStdString();
    return {};
}

MatFinPrm solvedLoan(double pv, int n, double taxa, int entrada, double renda)
{
    MatFinPrm row = defaultMatFinPrm(MatFinTab::Emprestimo, QDate(2025, 1, 15));
    row.PV = pv;
    row.NPer = n;
    row.Taxa = taxa;
    row.Entrada = entrada;
    row.Renda = renda;
    const SolveOutcome o = solveLoan(row, LoanMode::Taxa);
    EXPECT_TRUE(o.ok) << o.message.toStdString();
    return row;
}

struct Case
{
    const char *name;
    const char *value;
};

} // namespace

TEST(FillTemplate, ReplacesEveryOccurrenceKeepsFormattingAndSkipsAbsentNames)
{
    MatFinPrm loan = defaultMatFinPrm(MatFinTab::Emprestimo, QDate(2025, 1, 15));
    loan.PV = 20000;
    loan.NPer = 24;
    loan.Prestacao = 987.5;
    loan.Taxa = 1;
    MatFinGridRow row;
    row.NumParcela = "3";
    const QString tpl = "<p>Parcela <b>&lt;NUMPARC&gt;</b> de &lt;PRAZO&gt; &lt;V_PARC&gt; "
                        "(&lt;V_PARC&gt;) &lt;NAO_EXISTE&gt;</p>";
    EXPECT_EQ(fillTemplate(tpl, scheduleRowPlaceholders(loan, row)),
              "<p>Parcela <b>3</b> de 24 987,50 (987,50) &lt;NAO_EXISTE&gt;</p>");
    EXPECT_EQ(fillTemplate(QString(), scheduleRowPlaceholders(loan, row)), QString());
    // A value is text, never markup.
    EXPECT_EQ(fillTemplate("&lt;X&gt;", {{"<X>", "a<b>&c"}}), "a&lt;b&gt;&amp;c");
    // "<V_MINIMO>" does not eat the start of "<V_MINIMOS>".
    EXPECT_EQ(fillTemplate("&lt;V_MINIMO&gt; &lt;V_MINIMOS&gt;",
                           {{"<V_MINIMO>", "1"}, {"<V_MINIMOS>", "2"}}),
              "1 2");
}

TEST(FillTemplate, EmptyDateIsEmptyText)
{
    EXPECT_EQ(analysisDate(QDate()), QString());
    EXPECT_EQ(analysisDate(QDate(2026, 3, 5)), "05/03/2026");
    MatFinPrm loan = defaultMatFinPrm(MatFinTab::Emprestimo, QDate(2025, 1, 15));
    loan.PV = 1000;
    loan.NPer = 12;
    MatFinGridRow total;
    total.NumParcela = "Total";
    total.SomaPgto = 1100;
    const Placeholders p = scheduleRowPlaceholders(loan, total);
    EXPECT_EQ(valueOf(p, "<DATA_PARC>"), QString());
    // The totals row has no balance: it counts as 0.
    EXPECT_EQ(valueOf(p, "<SALDODEV>"), "0,00");
    EXPECT_EQ(valueOf(p, "<PRINC_TOT>"), "1.000,00");
    EXPECT_EQ(valueOf(p, "<JUROS_TOT>"), "100,00");
}

TEST(ScheduleRowTemplate, LaterRulesOverrideEarlierOnes)
{
    struct
    {
        int entrada;
        const char *num;
        int nper;
        int code;
    } cases[] = {
        {0, "0", 24, kTplRowZero},
        {1, "0", 24, kTplRowOther},
        {1, "1", 24, kTplRowFirstWithEntrada},
        {0, "1", 24, kTplRowOther},
        {0, "7", 24, kTplRowOther},
        {0, "24", 24, kTplRowLast},
        {1, "24", 24, kTplRowLast},
        {0, "Total", 24, kTplRowTotal},
    };
    for (const auto &c : cases) {
        MatFinPrm loan;
        loan.Entrada = c.entrada;
        loan.NPer = c.nper;
        MatFinGridRow row;
        row.NumParcela = c.num;
        EXPECT_EQ(scheduleRowTemplate(loan, row), c.code) << c.entrada << " " << c.num;
    }
    EXPECT_EQ(loanDetailTemplate(0), 3012);
    EXPECT_EQ(loanDetailTemplate(2), 3014);
    EXPECT_EQ(loanDetailTemplate(-1), 3012);
    EXPECT_EQ(savingsTemplate(true), 3041);
    EXPECT_EQ(savingsTemplate(false), 3042);
}

TEST(LoanPlaceholders, FiguresOfATwelveMonthLoan)
{
    // 10.000 at 1 % a month in 12 instalments without down payment: 888,49 a month.
    const MatFinPrm loan = solvedLoan(10000, 12, 1, 0, 4000);
    const LoanSchedule s = buildLoanSchedule(loan);
    const Placeholders p = loanPlaceholders(loan, s);
    ASSERT_EQ(p.size(), 27u);
    const Case cases[] = {
        {"<VALOR>", "10.000,00"},
        {"<PRAZO>", "12"},
        {"<V_PARC>", "888,49"},
        {"<ENTRADA>", "Sem Entrada"},
        {"<TAXA_AM>", "1,00"},
        {"<TAXA_AA>", "12,682503"},
        {"<TOT_PAGO>", "10.661,85"},
        {"<MULT_EMPR>", "1,07"},
        {"<TOT_JUROS>", "661,85"},
        {"<V_PROPJUROS>", "55,15"},
        {"<RENDA>", "4.000,00"},
        {"<%P_RENDA>", "22,21"},
        {"<%J_RENDA>", "1,38"},
        {"<J_PRAZO>", "0,17"},
        {"<J_PRAZO_ANO>", "0,17"},
        {"<ULTIMA_PARC>", "15/01/2026"},
        {"<DIF_VPARC_JUROS>", "833,33"},
        {"<V_MINIMO>", "100,00"},
        {"<V_MINIMOS>", "100,00"},
        {"<V_MINIMOC>", "99,01"},
        {"<PARC_JUROS>", "0,74"},
        {"<PARC_PRINC>", "11,26"},
        // Saving the instalment at 0,5 % a month passes 10.000 at the 11th (10.021,47).
        {"<NUMMESES_CAP>", "11"},
        {"<%MESESCAP_PRAZO>", "91,67"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(valueOf(p, c.name), QString::fromUtf8(c.value)) << c.name;
    // 833,33 a month at 0,5 % reaches 10.000 in ceil(NPER) months.
    const long double m = std::ceil(NumberOfPeriods(0.005L, 10000.0L / 12, 0, -10000, 0));
    EXPECT_EQ(valueOf(p, "<POUP_MESES>"), QString::number(qint64(m)));
    EXPECT_EQ(valueOf(p, "<NUMMESES_VLRCAP>"), app::formatNumber(s.capitalValue, "#,##0.00"));
}

TEST(LoanPlaceholders, WithEntradaTheMinimumInstalmentIsOnTheReducedBalance)
{
    const MatFinPrm loan = solvedLoan(10000, 12, 1, 1, 4000);
    const Placeholders p = loanPlaceholders(loan, buildLoanSchedule(loan));
    EXPECT_EQ(valueOf(p, "<ENTRADA>"), "Com Entrada");
    EXPECT_EQ(valueOf(p, "<V_MINIMO>"), "99,01");
    EXPECT_EQ(valueOf(p, "<V_PARC>"), "879,69");
}

TEST(SavingsPlaceholders, RoundedTermShowsTheUnroundedAndTheWholeCount)
{
    MatFinPrm sv = defaultMatFinPrm(MatFinTab::Poupanca, QDate(2025, 1, 15));
    sv.FV = 10000;
    sv.Prestacao = 400;
    sv.Taxa = 0.5;
    sv.Renda = 2000;
    const SolveOutcome o = solveSavings(sv, SavingsMode::Prazo);
    ASSERT_TRUE(o.ok) << o.message.toStdString();
    ASSERT_FALSE(o.exact);
    const Placeholders p = savingsPlaceholders(sv, buildSavingsSchedule(sv), o.unroundedN);
    ASSERT_EQ(p.size(), 13u);
    EXPECT_EQ(valueOf(p, "<PRAZO>"), app::formatNumber(o.unroundedN, "#,##0.####"));
    EXPECT_TRUE(valueOf(p, "<PRAZO>").startsWith("23,"));
    EXPECT_EQ(valueOf(p, "<CEIL_PRAZO>"), "24");
    EXPECT_EQ(valueOf(p, "<%P_RENDA>"), "20,00");
    EXPECT_EQ(valueOf(p, "<V_PARC>"), "400,00");
    // 24 deposits of 400 at 0,5 %: 400 * ((1,005^24 - 1) / 0,005) = 10.172,78.
    EXPECT_EQ(valueOf(p, "<CEIL_MONTANTE>"), "10.172,78");
    EXPECT_EQ(valueOf(p, "<TOT_PAGO>"), "9.600,00");
}

TEST(TermRateTexts, EqualOptionsAreUnchangedEverywhere)
{
    const MatFinPrm loan = solvedLoan(10000, 24, 1.5, 0, 5000);
    const TermRateTable t = buildTermRateTable(loan);
    const TermRateCell own{t.rateIndex, t.termIndex};
    const Placeholders p = comparisonPlaceholders(t, own, own, loan);
    ASSERT_EQ(p.size(), 20u);
    const Case cases[] = {
        {"<ALT_PRAZO>", "inalterado"},
        {"<PRAZO2>", ""},
        {"<ALT_TAXA_AM>", "inalterada"},
        {"<TAXA_AM2>", ""},
        {"<ALT_V_PARC>", "inalterada"},
        {"<V_PARC2>", ""},
        {"<ALT_TOT_PAGO>", "inalterado"},
        {"<TOT_PAGO2>", ""},
        {"<ALT_TOT_JUROS>", "inalterado"},
        {"<TOT_JUROS2>", ""},
        {"<ALT_MULT_EMPR>", "inalterado"},
        {"<MULT_EMPR2>", ""},
        {"<ALT_J_PRAZO>", "0"},
        {"<J_PRAZO2>", ""},
        {"<ALT_PARC_JUROS>", ""},
        {"<PARC_JUROS2>", "0"},
        {"<ALT_PARC_PRINC>", ""},
        {"<PARC_PRINC2>", "0"},
        {"<VALOR>", "10.000,00"},
        {"<RENDA>", "5.000,00"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(valueOf(p, c.name), QString::fromUtf8(c.value)) << c.name;
}

TEST(TermRateTexts, LongerTermAtTheSameRate)
{
    const MatFinPrm loan = solvedLoan(10000, 24, 1.5, 0, 5000);
    const TermRateTable t = buildTermRateTable(loan);
    const TermRateCell own{t.rateIndex, t.termIndex};
    const TermRateCell longer{t.rateIndex, t.termIndex + 1}; // 30 months: IncNPer 6
    const Placeholders p = comparisonPlaceholders(t, own, longer, loan);
    EXPECT_EQ(valueOf(p, "<ALT_PRAZO>"), "+");
    EXPECT_EQ(valueOf(p, "<PRAZO2>"), "6 meses");
    EXPECT_EQ(valueOf(p, "<ALT_TAXA_AM>"), "inalterada");
    EXPECT_EQ(valueOf(p, "<ALT_V_PARC>"), "-");
    EXPECT_TRUE(valueOf(p, "<V_PARC2>").startsWith("R$ "));
    EXPECT_EQ(valueOf(p, "<ALT_TOT_JUROS>"), "+");

    const Placeholders o1 = optionPlaceholders(t, own, loan, true);
    const Placeholders o2 = optionPlaceholders(t, longer, loan, false);
    ASSERT_EQ(o1.size(), 14u);
    EXPECT_EQ(valueOf(o1, "<FPRAZO>"), "24");
    EXPECT_EQ(valueOf(o1, "<FTAXA_AM>"), "1,50");
    EXPECT_EQ(valueOf(o1, "<FV_PARC>"), "499,24");
    EXPECT_EQ(valueOf(o1, "<FV_MINIMO>"), "150,00");
    EXPECT_EQ(valueOf(o2, "<PRAZO>"), "30");
    EXPECT_EQ(valueOf(o2, "<TAXA_AA>"), "19,561817");
}

// Every shipped template names only placeholders of its own list, so a typing slip in a page
// shows here rather than as a raw "<...>" in front of the user.
TEST(ShippedTemplates, NameOnlyTheirOwnPlaceholders)
{
    const MatFinPrm loan = solvedLoan(10000, 24, 1.5, 1, 5000);
    const LoanSchedule ls = buildLoanSchedule(loan);
    const TermRateTable t = buildTermRateTable(loan);
    const TermRateCell c{t.rateIndex, t.termIndex};
    MatFinPrm sv = defaultMatFinPrm(MatFinTab::Poupanca, QDate(2025, 1, 15));
    const auto names = [](const Placeholders &p) {
        QSet<QString> s;
        for (const Placeholder &x : p)
            s.insert(x.name);
        return s;
    };
    const QSet<QString> loanSet = names(loanPlaceholders(loan, ls));
    const QSet<QString> rowSet = names(scheduleRowPlaceholders(loan, ls.rows.front()));
    const QSet<QString> op1 = names(optionPlaceholders(t, c, loan, true));
    const QSet<QString> op2 = names(optionPlaceholders(t, c, loan, false));
    const QSet<QString> cmp = names(comparisonPlaceholders(t, c, c, loan));
    const QSet<QString> svSet = names(savingsPlaceholders(sv, SavingsSchedule{}, 0));
    const std::map<int, QSet<QString>> lists = {
        {3011, loanSet}, {3012, loanSet}, {3013, loanSet},         {3014, loanSet}, {3021, rowSet},
        {3022, rowSet},  {3023, rowSet},  {3024, rowSet},          {3025, rowSet},  {3034, op1},
        {3035, op2},     {3036, cmp},     {3037, op1 + op2 + cmp}, {3041, svSet},   {3042, svSet},
        {3044, {}},      {3045, {}},
    };
    const QRegularExpression ph("&lt;([A-Z0-9_%]+)&gt;");
    for (const auto &[code, allowed] : lists) {
        QFile f(QStringLiteral(QUORVILA_CONTENT_DIR "/calculos/%1.page").arg(code));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << code;
        const QString text = QString::fromUtf8(f.readAll());
        int used = 0;
        for (auto it = ph.globalMatch(text); it.hasNext();) {
            const QString name = "<" + it.next().captured(1) + ">";
            EXPECT_TRUE(allowed.contains(name)) << code << " " << name.toStdString();
            ++used;
        }
        EXPECT_EQ(used > 0, !allowed.isEmpty()) << code;
        EXPECT_FALSE(QRegularExpression("<[A-Z_%]+[0-9]*>").match(text).hasMatch())
            << code << ": a placeholder written as a tag is dropped by the rich-text reader";
    }
}
