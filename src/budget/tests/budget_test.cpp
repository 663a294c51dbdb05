// The budget rules over a hand-built month (budget rows for one income and two expense accounts,
// entries for some of them, a reversal, entries on the month's edges and outside it, an account
// with neither), checked row by row against figures worked out by hand; generation as a table of
// cases; the factor and typed-value checks; the CSV file line by line.
#include <budget/budgetcsv.h>
#include <budget/generation.h>
#include <budget/orcview.h>

#include <app/dates.h>
#include <app/error.h>
#include <data/tests/installedbook.h>

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <map>

using app::Money;
using budget::OrcRow;

namespace {

Money c(qint64 centavos)
{
    return Money::fromCentavos(centavos);
}

const QDate kFeb(2026, 2, 1);
const QDate kMar(2026, 3, 1);

class BudgetFixture : public InstalledBook
{
protected:
    void SetUp() override
    {
        InstalledBook::SetUp();
        dm.TbFin->emptyTable();
        app::AjustarFormatoDatas();
    }

    void entry(const QDate &d, int deb, int cred, qint64 centavos)
    {
        dm.db().exec("INSERT INTO " + dm.TbFin->sqlName() +
                         " (Data, CtaDeb, CtaCred, Valor, Hsto) VALUES (?, ?, ?, ?, 'H')",
                     {d, deb, cred, centavos});
    }
    void budgetRow(const QDate &month, int codRed, qint64 centavos)
    {
        budget::saveValue(book(), month, codRed, c(centavos));
    }
    std::map<int, qint64> budgetOf(const QDate &month)
    {
        data::AttachGuard orc(dm.db(), dm.TbOrc->fileName());
        data::Statement st =
            dm.db().prepare("SELECT CodRed, ValorOrcado FROM " + orc.table() + " WHERE Data = ?");
        st.bindAll({month});
        std::map<int, qint64> out;
        while (st.step())
            out[st.column(0).toInt()] = st.column(1).toLongLong();
        return out;
    }

    // February 2026: salary 3.000,00 budgeted and received on the 1st, 100,00 of it reversed;
    // 195 receives 50,00 unbudgeted; groceries (221) budgeted -500,00 with 450,00 spent on the
    // 28th; fuel (241) budgeted -200,00 with nothing spent; 113 credited and debited 20,00; rent
    // (231) has neither. Groceries of 31 January and 1 March fall outside.
    void addFebruary()
    {
        budgetRow(kFeb, 111, 300000);
        budgetRow(kFeb, 221, -50000);
        budgetRow(kFeb, 241, -20000);
        entry({2026, 2, 1}, 13, 111, 300000);
        entry({2026, 2, 10}, 111, 13, 10000);
        entry({2026, 2, 15}, 11, 195, 5000);
        entry({2026, 2, 28}, 221, 11, 45000);
        entry({2026, 2, 20}, 13, 113, 2000);
        entry({2026, 2, 21}, 113, 13, 2000);
        entry({2026, 1, 31}, 221, 11, 7000);
        entry({2026, 3, 1}, 221, 11, 9000);
    }

    budget::BudgetBook book() { return budget::BudgetBook::of(dm); }
};

struct Expected
{
    QString ExtCta;
    int CodRed;
    int Nv;
    qint64 orc, real;
    QString perc;
    qint64 saldo;
};

void expectRow(const budget::OrcMonth &m, const Expected &e)
{
    const OrcRow *r = m.findExtCta(e.ExtCta);
    ASSERT_NE(r, nullptr) << e.ExtCta.toStdString();
    EXPECT_EQ(r->CodRed, e.CodRed) << e.ExtCta.toStdString();
    EXPECT_EQ(r->Nv, e.Nv) << e.ExtCta.toStdString();
    EXPECT_EQ(r->ValorOrcado.centavos(), e.orc) << e.ExtCta.toStdString();
    EXPECT_EQ(r->Realizado.centavos(), e.real) << e.ExtCta.toStdString();
    EXPECT_EQ(r->PercRealizado(), e.perc) << e.ExtCta.toStdString();
    EXPECT_EQ(r->Saldo().centavos(), e.saldo) << e.ExtCta.toStdString();
}

} // namespace

TEST_F(BudgetFixture, MonthIsComparedRowByRow)
{
    addFebruary();
    const budget::OrcMonth m = budget::OrcView(book(), {2026, 2, 14});
    EXPECT_EQ(m.DtIniOrc, kFeb);
    EXPECT_EQ(m.DtFimOrc, QDate(2026, 2, 28));
    const Expected rows[] = {
        {"1", 0, 1, 300000, 295000, "98,33%", -5000},
        {"1.01", 0, 2, 300000, 290000, "96,67%", -10000},
        {"1.01.01", 111, 3, 300000, 290000, "96,67%", -10000},
        {"1.01.03", 113, 3, 0, 0, "-   ", 0},
        {"1.09.05", 195, 3, 0, 5000, "-   ", 5000},
        {"2", 0, 1, -70000, -45000, "64,29%", 25000},
        {"2.02", 0, 2, -50000, -45000, "90,00%", 5000},
        {"2.02.01", 221, 3, -50000, -45000, "90,00%", 5000},
        {"2.04.01", 231, 3, 0, 0, "-   ", 0},
        {"2.05.01", 241, 3, -20000, 0, "0,00%", 20000},
    };
    for (const Expected &e : rows)
        expectRow(m, e);
    EXPECT_EQ(m.findExtCta("1.01")->Descricao, QString("Remuneração"));
    EXPECT_EQ(m.findExtCta("2.02.01")->Descricao, QString("Supermercado"));

    // Every income and expense account of the chart, once, with its title and group rows; no
    // cash account; each total row right before the rows it sums.
    int leaves = 0;
    for (size_t i = 0; i < m.rows.size(); ++i) {
        const OrcRow &r = m.rows[i];
        EXPECT_TRUE(r.ExtCta.startsWith('1') || r.ExtCta.startsWith('2')) << r.ExtCta.toStdString();
        leaves += r.Nv == 3;
        if (i > 0) {
            EXPECT_LT(m.rows[i - 1].ExtCta, r.ExtCta);
        }
    }
    EXPECT_EQ(leaves, 43);

    EXPECT_EQ(m.totals.ValorOrcado, c(230000));
    EXPECT_EQ(m.totals.Realizado, c(250000));
    EXPECT_EQ(m.totals.Saldo(), c(20000));
    EXPECT_EQ(m.totals.percent(), QString("108,70%"));
    EXPECT_FALSE(m.nothingToCompare());
}

TEST_F(BudgetFixture, ExpenseOverspentAndEmptyMonths)
{
    // An expense budgeted -500,00 with 600,00 spent: 120 %, and 100,00 against the plan.
    budgetRow(kFeb, 221, -50000);
    entry({2026, 2, 3}, 221, 11, 60000);
    const budget::OrcMonth m = budget::OrcView(book(), kFeb);
    expectRow(m, {"2.02.01", 221, 3, -50000, -60000, "120,00%", -10000});
    EXPECT_EQ(m.totals.percent(), QString("120,00%"));

    // March: neither budget nor entries. Every account is still listed at zero.
    const budget::OrcMonth empty = budget::OrcView(book(), kMar);
    EXPECT_TRUE(empty.nothingToCompare());
    expectRow(empty, {"2.02.01", 221, 3, 0, 0, "-   ", 0});
    EXPECT_EQ(empty.totals.percent(), QString("-   "));
    // A budget alone, or entries alone, is something to compare.
    budgetRow(kMar, 241, 0 - 100);
    EXPECT_FALSE(budget::OrcView(book(), kMar).nothingToCompare());
    const budget::OrcMonth april = budget::OrcView(book(), {2026, 4, 1});
    EXPECT_TRUE(april.nothingToCompare());
    entry({2026, 4, 30}, 13, 111, 100);
    EXPECT_FALSE(budget::OrcView(book(), {2026, 4, 1}).nothingToCompare());
}

// A budget row and an entry on 299, which the chart lacks: before, the month could not be built.
// The row is listed as the trial balance lists it, counted in its group but in no title.
TEST_F(BudgetFixture, ReducedCodeMissingFromTheChartIsListedAndCounted)
{
    budgetRow(kFeb, 299, -100000);
    entry({2026, 2, 5}, 299, 11, 1000);
    budgetRow(kFeb, 241, -20000);
    const budget::OrcMonth m = budget::OrcView(book(), kFeb);
    expectRow(m, {"2.??.??", 299, 3, -100000, -1000, "1,00%", 99000});
    EXPECT_EQ(m.findExtCta("2.??.??")->Descricao,
              QString("Conta não cadastrada no Plano de Contas"));
    EXPECT_TRUE(m.findExtCta("2.??.??")->missingFromChart);
    expectRow(m, {"2", 0, 1, -120000, -1000, "0,83%", 119000});
    expectRow(m, {"2.05", 0, 2, -20000, 0, "0,00%", 20000});
    EXPECT_EQ(m.rows.back().ExtCta, QString("2.??.??"));
    EXPECT_EQ(m.findCodRed(299)->ExtCta, QString("2.??.??"));
}

TEST(BudgetView, ChoosersFilterByGroupAndLevel)
{
    std::vector<OrcRow> all;
    for (const auto &[code, nv] : std::vector<std::pair<QString, int>>{
             {"1", 1}, {"1.01", 2}, {"1.01.01", 3}, {"2", 1}, {"2.05", 2}, {"2.05.01", 3}}) {
        OrcRow r;
        r.ExtCta = code;
        r.Nv = nv;
        all.push_back(r);
    }
    const auto codes = [&](ledger::Nivel n, budget::GrupoOrc g) {
        QStringList out;
        for (const OrcRow &r : budget::MudarVisualizacaoOrcamento(all, n, g))
            out << r.ExtCta;
        return out.join(' ');
    };
    using budget::GrupoOrc;
    using ledger::Nivel;
    EXPECT_EQ(codes(Nivel::Todos, GrupoOrc::Todas), QString("1 1.01 1.01.01 2 2.05 2.05.01"));
    EXPECT_EQ(codes(Nivel::So1, GrupoOrc::Todas), QString("1 2"));
    EXPECT_EQ(codes(Nivel::So1e2, GrupoOrc::Saidas), QString("2 2.05"));
    EXPECT_EQ(codes(Nivel::Nv1e3, GrupoOrc::Entradas), QString("1 1.01.01"));
    EXPECT_EQ(codes(Nivel::So3, GrupoOrc::Saidas), QString("2.05.01"));
    EXPECT_EQ(budget::grupoOrcItems(),
              (QStringList{"Todas", "Entradas/Receita", "Saídas/Despesas"}));
}

TEST(BudgetTitles, MonthCaptionsAndSaldoTitle)
{
    app::AjustarFormatoDatas();
    EXPECT_EQ(budget::monthCaption({2007, 2, 1}), QString("Fevereiro/2007"));
    EXPECT_EQ(budget::PanelOrc({2007, 2, 1}), QString(" Orçamento [Fevereiro/2007]"));
    EXPECT_EQ(budget::saldoTitle({2007, 2, 1}, false), QString("Saldo  Fev."));
    EXPECT_EQ(budget::saldoTitle({2007, 3, 1}, true), QString("Saldo Mar."));
    EXPECT_EQ(budget::monthBefore({2007, 1, 1}), QDate(2006, 12, 1));
}

// ---------------------------------------------------------------- generation

struct GenCase
{
    const char *name;
    budget::Source source;
    qint64 delta; // the factor's delta in millionths
    std::map<int, qint64> expected;
};

class Generation : public BudgetFixture, public ::testing::WithParamInterface<GenCase>
{
};

TEST_P(Generation, ReplacesTheMonthWithTheProposal)
{
    addFebruary();
    budgetRow(kMar, 231, -120000); // March's old budget goes
    const GenCase &g = GetParam();
    EXPECT_EQ(budget::generateMonth(book(), kMar, g.source, kFeb, budget::Factor{g.delta}),
              budget::Generated::Done);
    EXPECT_EQ(budgetOf(kMar), g.expected);
    EXPECT_EQ(budgetOf(kFeb).size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Generation,
    ::testing::Values(
        GenCase{"copy", budget::Source::Copy, 0, {{111, 300000}, {221, -50000}, {241, -20000}}},
        GenCase{"copyPlus10",
                budget::Source::Copy,
                100000,
                {{111, 330000}, {221, -55000}, {241, -22000}}},
        GenCase{"copyMinus12_5",
                budget::Source::Copy,
                -125000,
                {{111, 262500}, {221, -43750}, {241, -17500}}},
        // Net realised values; 113's credits and debits cancel out into a row of 0,00.
        GenCase{"realised",
                budget::Source::Realised,
                0,
                {{111, 290000}, {113, 0}, {195, 5000}, {221, -45000}}},
        // 3,3333 %: 2.900,00 x 1,033333 = 2.996,6657 -> 2.996,67 (the reversal netted first,
        // one rounding); 50,00 -> 51,67 (51,666665); 450,00 -> 465,00 (464,99985).
        GenCase{"realisedPlusFourDecimals",
                budget::Source::Realised,
                33333,
                {{111, 299667}, {113, 0}, {195, 5167}, {221, -46500}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(BudgetFixture, EmptySourceChangesNothing)
{
    addFebruary();
    budgetRow(kMar, 231, -120000);
    // Before, an empty source wiped the month and reported success.
    EXPECT_EQ(budget::generateMonth(book(), kMar, budget::Source::Copy, {2025, 12, 1}, {}),
              budget::Generated::EmptySource);
    EXPECT_EQ(budget::generateMonth(book(), kMar, budget::Source::Realised, {2025, 12, 1}, {}),
              budget::Generated::EmptySource);
    EXPECT_EQ(budgetOf(kMar), (std::map<int, qint64>{{231, -120000}}));
}

TEST_F(BudgetFixture, MonthRaisedFromItself)
{
    addFebruary();
    EXPECT_EQ(budget::generateMonth(book(), kFeb, budget::Source::Copy, kFeb, {100000}),
              budget::Generated::Done);
    EXPECT_EQ(budgetOf(kFeb), (std::map<int, qint64>{{111, 330000}, {221, -55000}, {241, -22000}}));
}

// A failure part way (here the third insert, refused by a trigger) leaves the old budget whole.
TEST_F(BudgetFixture, ReplacingAMonthIsOneTransaction)
{
    addFebruary();
    budgetRow(kMar, 231, -120000);
    data::AttachGuard orc(dm.db(), dm.TbOrc->fileName());
    dm.db().exec("CREATE TEMP TRIGGER refuse241 BEFORE INSERT ON " + orc.table() +
                 " WHEN NEW.CodRed = 241 BEGIN SELECT RAISE(ABORT, 'recusado'); END");
    EXPECT_THROW(budget::generateMonth(book(), kMar, budget::Source::Copy, kFeb, {}),
                 app::StorageError);
    EXPECT_EQ(budgetOf(kMar), (std::map<int, qint64>{{231, -120000}}));
    EXPECT_EQ(dm.db().transactionDepth(), 0);
}

TEST_F(BudgetFixture, ValueBeyondTheLargestAmountIsRefusedWhole)
{
    budgetRow(kFeb, 111, app::kMaxAmountCentavos);
    budgetRow(kFeb, 221, -100);
    budgetRow(kMar, 231, -120000);
    EXPECT_THROW(budget::generateMonth(book(), kMar, budget::Source::Copy, kFeb, {100000}),
                 app::Error);
    EXPECT_EQ(budgetOf(kMar), (std::map<int, qint64>{{231, -120000}}));
}

struct FactorCase
{
    const char *name;
    bool increase;
    QString text;
    std::optional<qint64> delta; // empty: refused with `message`
    QString message;
};

class FactorChecks : public ::testing::TestWithParam<FactorCase>
{
};

TEST_P(FactorChecks, FactorOrMessage)
{
    const FactorCase &f = GetParam();
    const budget::FactorCheck r = f.increase ? budget::checkFactor(true, f.text, false, "10")
                                             : budget::checkFactor(false, "10", true, f.text);
    EXPECT_EQ(r.factor.has_value(), f.delta.has_value());
    if (f.delta) {
        EXPECT_EQ(r.factor->delta, *f.delta);
    }
    EXPECT_EQ(r.message, f.message);
    EXPECT_EQ(r.aboutDecrease, !f.increase);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FactorChecks,
    ::testing::Values(
        FactorCase{"increase10", true, "10", 100000, {}},
        FactorCase{"increaseDecimals", true, "2,5", 25000, {}},
        FactorCase{"increaseFourDecimals", true, "0.0001", 1, {}},
        FactorCase{"increaseZero", true, "0", {}, budget::texts::kAcrescimoZero},
        FactorCase{"increaseNegative", true, "-5", {}, budget::texts::kAcrescimoZero},
        FactorCase{"increaseText", true, "dez", {}, budget::texts::kAcrescimoInvalido},
        FactorCase{"increaseEmpty", true, "", {}, budget::texts::kAcrescimoInvalido},
        FactorCase{"increaseThousands", true, "1.000,5", {}, budget::texts::kAcrescimoInvalido},
        FactorCase{"increaseFiveDecimals", true, "1,23456", {}, budget::texts::kAcrescimoInvalido},
        FactorCase{"decrease12_5", false, "12,5", -125000, {}},
        FactorCase{"decrease100", false, "100", {}, budget::texts::kDecrescimoFaixa},
        FactorCase{"decreaseZero", false, "0", {}, budget::texts::kDecrescimoFaixa},
        FactorCase{"decreaseNegative", false, "-10", {}, budget::texts::kDecrescimoFaixa},
        FactorCase{"decreaseText", false, "1,2,3", {}, budget::texts::kDecrescimoInvalido}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FactorChecks, NeitherTickedIsTheFactorOne)
{
    const budget::FactorCheck r = budget::checkFactor(false, "x", false, "y");
    ASSERT_TRUE(r.factor.has_value());
    EXPECT_EQ(r.factor->delta, 0);
    EXPECT_EQ(r.factor->apply(c(-12345)), c(-12345));
    // Half a centavo rounds away from zero on both sides.
    EXPECT_EQ(budget::Factor{5000}.apply(c(100)), c(101)); // 1,005
    EXPECT_EQ(budget::Factor{5000}.apply(c(-100)), c(-101));
    EXPECT_EQ(budget::Factor{-5000}.apply(c(100)), c(100)); // 0,995 -> 0,995 rounds to 1,00
}

// ---------------------------------------------------------------- one account's value

TEST(TypedValue, RefusalsAndSign)
{
    EXPECT_EQ(budget::readTypedValue("250,00").value, c(25000));
    EXPECT_TRUE(budget::readTypedValue("250,00").message.isEmpty());
    EXPECT_TRUE(budget::readTypedValue("0").message.isEmpty());
    EXPECT_EQ(budget::readTypedValue("1.250,00").message, QString(budget::texts::kValorInvalido));
    EXPECT_EQ(budget::readTypedValue("12,345").message, QString(budget::texts::kValorInvalido));
    EXPECT_EQ(budget::readTypedValue("").message, QString(budget::texts::kValorInvalido));
    EXPECT_EQ(budget::readTypedValue("-5").message, QString(budget::texts::kValorNegativo));
    EXPECT_EQ(budget::readTypedValue("1000000000000").message, app::maxAmountText());
    EXPECT_EQ(budget::signedValue(241, c(25000)), c(-25000));
    EXPECT_EQ(budget::signedValue(111, c(25000)), c(25000));
}

TEST_F(BudgetFixture, SavedValueIsWrittenReplacedAndRemovedByZero)
{
    EXPECT_FALSE(budget::storedValue(book(), kFeb, 241).has_value());
    budget::saveValue(book(), kFeb, 241, c(-25000));
    EXPECT_EQ(budget::storedValue(book(), kFeb, 241), c(-25000));
    budget::saveValue(book(), kFeb, 241, c(-30000));
    EXPECT_EQ(budgetOf(kFeb), (std::map<int, qint64>{{241, -30000}}));
    EXPECT_TRUE(budget::hasBudget(book(), kFeb));
    budget::saveValue(book(), kFeb, 241, Money());
    EXPECT_TRUE(budgetOf(kFeb).empty());
    EXPECT_FALSE(budget::hasBudget(book(), kFeb));
}

// ---------------------------------------------------------------- CSV and print view

TEST(BudgetCsv, LinesAsTheFileLaysThemOut)
{
    OrcRow group, title, leaf;
    group.ExtCta = "2";
    group.Nv = 1;
    group.Descricao = "Saídas/Despesas";
    group.ValorOrcado = c(-123450);
    group.Realizado = c(-60000);
    title.ExtCta = "2.02";
    title.Nv = 2;
    title.Descricao = "Alimentação";
    leaf.ExtCta = "2.02.01";
    leaf.Nv = 3;
    leaf.CodRed = 221;
    leaf.Descricao = "Super \"mercado\"";
    leaf.ValorOrcado = c(-50000);
    leaf.Realizado = c(-45050);
    budget::OrcTotals totals{c(-123450), c(-60000)};
    const app::CsvWriter w =
        budget::budgetCsv({"0001", "Ana", "Recife/PE"}, " Orçamento [Fevereiro/2026]",
                          budget::columnTitles({2026, 2, 1}, false), {group, title, leaf}, totals);
    QStringDecoder dec("windows-1252");
    QStringList lines = QString(dec.decode(w.bytes())).split("\r\n");
    ASSERT_EQ(lines.takeLast(), QString()); // the file ends with CR LF
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[3], QString(";;;;;;;"));
    EXPECT_EQ(lines[4], QString("0001  Ana;;;;;;;"));
    EXPECT_EQ(lines.mid(7),
              (QStringList{
                  "Orçamento [Fevereiro/2026];;;;;;;",
                  ";;;;;;;",
                  "Conta;Red;Nome da Conta;Valor Orçado;Realizado;% Realiz;Saldo  Fev.;",
                  ";;;;;;;",
                  "\"2.\";\"\";\"Saídas/Despesas\";\"-1234,5\";\"-600\";\"48,60%\";\"634,5\";",
                  "\"2.02\";\"\";\"Alimentação\";\"0\";\"0\";\"-   \";\"0\";",
                  "\"2.02.01\";\"221\";\"Super \"\"mercado\"\"\";\"-500\";\"-450,5\";"
                  "\"90,10%\";\"49,5\";",
                  ";;;;;;;",
                  ";;\"(=) Resultado do Mês\";-1.234,50;-600,00;48,60%;634,50;",
              }));
}

TEST(BudgetPrint, ViewAndTotalsAsTheReportReadsThem)
{
    OrcRow leaf;
    leaf.ExtCta = "2.02.01";
    leaf.Nv = 3;
    leaf.CodRed = 221;
    leaf.ValorOrcado = c(-50000);
    leaf.Realizado = c(-45050);
    const reports::DataView v = budget::orcView({leaf});
    ASSERT_EQ(v.rowCount(), 1);
    EXPECT_EQ(v.number(0, "ValorOrcado"), -500.0);
    EXPECT_EQ(v.number(0, "Saldo"), 49.5);
    EXPECT_EQ(v.text(0, "PercRealizado"), QString("90,10%"));
    EXPECT_EQ(v.text(0, "CodRed"), QString("221"));
    EXPECT_EQ(budget::totalParameter(c(-123405)), QString("-1234.05"));
    EXPECT_EQ(budget::totalParameter(c(7)), QString("0.07"));
}
