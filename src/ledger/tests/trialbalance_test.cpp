// The trial balance, the statements and the year map over a hand-built book that crosses a year
// boundary (cash, income, expense and transfer entries, a cash account that ends the year at zero,
// a reduced code the chart lacks), checked against figures worked out by hand; and over a random
// book against naive per-account sums.
#include <ledger/statements.h>
#include <ledger/trialbalance.h>
#include <ledger/yearmap.h>

#include <app/dates.h>
#include <data/UDM.h>
#include <data/newuserdata.h>
#include <data/table.h>
#include <data/tests/installedbook.h>

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using app::Money;
using ledger::BcteRow;
using ledger::MapaRow;

namespace {

Money c(qint64 centavos)
{
    return Money::fromCentavos(centavos);
}

class BookFixture : public InstalledBook
{
protected:
    void SetUp() override
    {
        InstalledBook::SetUp();
        m_dm.TbFin->emptyTable();
        app::AjustarFormatoDatas();
    }

    void add(const QDate &d, int deb, int cred, qint64 centavos, const QString &hsto = "H")
    {
        data::Table *t = m_dm.TbFin;
        t->append();
        t->setValue("Data", d);
        t->setValue("CtaDeb", deb);
        t->setValue("CtaCred", cred);
        t->setValue("Valor", centavos);
        t->setValue("Hsto", hsto);
        t->post();
    }

    // The hand-built book. Before 2024: 11 gets 1000,00 of salary, pays 300,00 and sends 200,00
    // to 13; 12 receives 50,00 and spends it (zero on 1 January). In 2024 before July: salary
    // 2000,00 into 13, rent 800,00, 100,00 from 13 to 11, 25,50 of other income into 14. In July:
    // 45,30 of groceries, 2000,00 of salary, 500,00 from 13 to savings 31, and 10,00 to code
    // 299, which the chart lacks. After July: 800,00 of rent.
    void addHandBuiltBook()
    {
        add({2023, 3, 10}, 11, 111, 100000);
        add({2023, 5, 2}, 221, 11, 30000);
        add({2023, 6, 1}, 13, 11, 20000);
        add({2023, 8, 15}, 12, 111, 5000);
        add({2023, 8, 16}, 221, 12, 5000);
        add({2024, 2, 5}, 13, 111, 200000);
        add({2024, 3, 10}, 231, 13, 80000);
        add({2024, 4, 20}, 11, 13, 10000);
        add({2024, 6, 30}, 14, 195, 2550);
        add({2024, 7, 1}, 221, 11, 4530, "Feira");
        add({2024, 7, 15}, 13, 111, 200000);
        add({2024, 7, 20}, 299, 11, 1000);
        add({2024, 7, 31}, 31, 13, 50000);
        add({2024, 8, 1}, 231, 13, 80000);
    }

    ledger::Book book() { return ledger::Book::of(m_dm); }

    data::TDM &m_dm = dm;
};

struct Figures
{
    qint64 ant, var, atual;
};
using Expected = std::map<QString, Figures>;

Expected figuresOf(const std::vector<BcteRow> &rows)
{
    Expected out;
    for (const BcteRow &r : rows)
        out[r.ExtCta] = {r.SaldoAnt.centavos(), r.VariacaoSaldo.centavos(),
                         r.SaldoAtual.centavos()};
    return out;
}

bool operator==(const Figures &a, const Figures &b)
{
    return a.ant == b.ant && a.var == b.var && a.atual == b.atual;
}
void PrintTo(const Figures &f, std::ostream *os)
{
    *os << "{" << f.ant << ", " << f.var << ", " << f.atual << "}";
}

} // namespace

namespace ledger {
void PrintTo(const BcteRow &r, std::ostream *os)
{
    *os << r.ExtCta.toStdString();
}
} // namespace ledger

TEST_F(BookFixture, TrialBalanceOfAMonthStartingMidYear)
{
    addHandBuiltBook();
    const ledger::TrialBalance tb = ledger::BalView(book(), {2024, 7, 1}, {2024, 7, 31});
    // Cash accounts carry their balance from 1 January (11: 500,00; 13: 200,00; 12 is zero and
    // has no later entries, so it is not listed); income and expenses start the year at zero.
    const Expected expected{
        {"0", {192550, 194470, 387020}},    {"0.01", {192550, 144470, 337020}},
        {"0.01.01", {60000, -5530, 54470}}, {"0.01.03", {130000, 150000, 280000}},
        {"0.01.04", {2550, 0, 2550}},       {"0.03", {0, 50000, 50000}},
        {"0.03.01", {0, 50000, 50000}},     {"1", {202550, 200000, 402550}},
        {"1.01", {200000, 200000, 400000}}, {"1.01.01", {200000, 200000, 400000}},
        {"1.09", {2550, 0, 2550}},          {"1.09.05", {2550, 0, 2550}},
        {"2", {-80000, -5530, -85530}},     {"2.02", {0, -4530, -4530}},
        {"2.02.01", {0, -4530, -4530}},     {"2.04", {-80000, 0, -80000}},
        {"2.04.01", {-80000, 0, -80000}},   {"2.??.??", {0, -1000, -1000}},
        {"3", {70000, 0, 70000}},
    };
    EXPECT_EQ(figuresOf(tb.rows), expected);

    QStringList order;
    for (const BcteRow &r : tb.rows)
        order << r.ExtCta;
    EXPECT_EQ(order.join(' '), "0 0.01 0.01.01 0.01.03 0.01.04 0.03 0.03.01 1 1.01 1.01.01 1.09 "
                               "1.09.05 2 2.02 2.02.01 2.04 2.04.01 2.??.?? 3");

    EXPECT_EQ(tb.CredAnoAnt, c(55000));
    EXPECT_EQ(tb.DebAnoAnt, c(125000));
    const BcteRow &result = tb.rows.back();
    EXPECT_EQ(result.TituloDescr, "Resultado Credor Ano Anterior");
    EXPECT_EQ(result.Nv, 1);
    EXPECT_TRUE(result.TituloExtrato.isEmpty());

    const BcteRow *carteira = tb.findCta(11);
    ASSERT_NE(carteira, nullptr);
    EXPECT_EQ(carteira->Nv, 3);
    EXPECT_EQ(carteira->TituloExtrato, "Extrato da Conta [0.01.01 - 11 - Carteira]");
    EXPECT_EQ(carteira->SlAntDeb, c(110000));
    EXPECT_EQ(carteira->SlAntCred, c(50000));

    const BcteRow *missing = tb.findCta(299);
    ASSERT_NE(missing, nullptr);
    EXPECT_TRUE(missing->missingFromChart);
    EXPECT_EQ(missing->TituloDescr, "Conta não cadastrada no Plano de Contas");
    EXPECT_EQ(tb.findExtCta("0.01.02"), nullptr);
    EXPECT_EQ(tb.findExtCta("1.01.01")->TituloDescr, "Salário");
    EXPECT_EQ(tb.findExtCta("2.04")->Cta, 0);
}

TEST_F(BookFixture, TrialBalanceOfJanuaryHasNoOpeningForIncomeAndDropsZeroCash)
{
    addHandBuiltBook();
    const ledger::TrialBalance tb = ledger::BalView(book(), {2024, 1, 1}, {2024, 2, 29});
    const Expected got = figuresOf(tb.rows);
    EXPECT_EQ(got.at("0.01.01"), (Figures{50000, 0, 50000}));
    EXPECT_EQ(got.at("0.01.03"), (Figures{20000, 200000, 220000}));
    EXPECT_EQ(got.at("1.01.01"), (Figures{0, 200000, 200000}));
    EXPECT_EQ(got.count("0.01.02"), 0u);
    EXPECT_EQ(got.at("3"), (Figures{70000, 0, 70000}));
    EXPECT_EQ(got.count("2"), 0u); // no expense in the period, none carried from last year
    EXPECT_EQ(got.at("0").ant, got.at("1").ant + got.at("3").ant);
}

TEST_F(BookFixture, EmptyPeriodsAndTheResultRow)
{
    addHandBuiltBook();
    EXPECT_TRUE(ledger::BalView(book(), {2022, 1, 1}, {2022, 12, 31}).empty());
    // The first year has no earlier years: no row "3".
    const ledger::TrialBalance first = ledger::BalView(book(), {2023, 3, 1}, {2023, 3, 31});
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.findExtCta("3"), nullptr);
    // A debtor result when more left the cash accounts than entered them before J.
    m_dm.TbFin->emptyTable();
    add({2023, 1, 5}, 221, 11, 1000);
    const ledger::TrialBalance debtor = ledger::BalView(book(), {2024, 1, 1}, {2024, 1, 31});
    ASSERT_NE(debtor.findExtCta("3"), nullptr);
    EXPECT_EQ(debtor.findExtCta("3")->TituloDescr, "Resultado Devedor Ano Anterior");
    EXPECT_EQ(debtor.findExtCta("3")->SaldoAnt, c(-1000));
    EXPECT_EQ(debtor.findExtCta("0.01.01")->SaldoAnt, c(-1000));
}

struct ViewCase
{
    const char *name;
    ledger::Nivel nivel;
    ledger::Grupo grupo;
    const char *codes;
};
class TrialBalanceView : public BookFixture, public ::testing::WithParamInterface<ViewCase>
{
};

TEST_P(TrialBalanceView, ChoosersFilterLevelsAndGroups)
{
    addHandBuiltBook();
    const ledger::TrialBalance tb = ledger::BalView(book(), {2024, 7, 1}, {2024, 7, 31});
    QStringList codes;
    for (const BcteRow &r :
         ledger::MudarVisualizacaoBalancete(tb.rows, GetParam().nivel, GetParam().grupo))
        codes << r.ExtCta;
    EXPECT_EQ(codes.join(' '), GetParam().codes);
}

INSTANTIATE_TEST_SUITE_P(
    HandBuiltBook, TrialBalanceView,
    ::testing::Values(
        ViewCase{"groupsOnly", ledger::Nivel::So1, ledger::Grupo::Todas, "0 1 2 3"},
        ViewCase{"incomeHidesResultRow", ledger::Nivel::Todos, ledger::Grupo::SoEntradas,
                 "1 1.01 1.01.01 1.09 1.09.05"},
        ViewCase{"cashTitles", ledger::Nivel::So1e2, ledger::Grupo::SoSaldo, "0 0.01 0.03"},
        ViewCase{"expensesLevels1and3", ledger::Nivel::Nv1e3, ledger::Grupo::SoSaidas,
                 "2 2.02.01 2.04.01 2.??.??"},
        ViewCase{"incomeAndExpensesAccounts", ledger::Nivel::So3, ledger::Grupo::ReceitasDespesas,
                 "1.01.01 1.09.05 2.02.01 2.04.01 2.??.??"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(BookFixture, StatementsSignByGroupAndRunFromTheOpening)
{
    addHandBuiltBook();
    add({2024, 7, 1}, 11, 11, 700); // one account on both sides: +7,00 and -7,00
    const QDate ini(2024, 7, 1), fim(2024, 7, 31);
    const ledger::TrialBalance tb = ledger::BalView(book(), ini, fim);
    const ledger::Ledger ledger = ledger::Ledger::build(book(), ini, fim);

    const BcteRow &carteira = *tb.findCta(11);
    const std::vector<ledger::LctoRow> st = ledger::withOpening(ledger.of(11), carteira.SaldoAnt);
    ASSERT_EQ(st.size(), 4u);
    EXPECT_EQ(st[0].Valor, c(-4530)); // groceries leave the cash account
    EXPECT_EQ(st[0].Dest, 221);
    EXPECT_EQ(st[0].Orig, 11);
    EXPECT_EQ(st[0].Hsto, "Feira");
    EXPECT_EQ(st[1].Valor, c(700));
    EXPECT_EQ(st[2].Valor, c(-700));
    EXPECT_EQ(st[3].Valor, c(-1000));
    EXPECT_EQ(st.back().Saldo, carteira.SaldoAtual);
    EXPECT_EQ(ledger::readStatement(book(), 11, ini, fim, carteira.SaldoAnt).back().Saldo,
              carteira.SaldoAtual);

    // The expense reads negative, the income positive, from their own side.
    EXPECT_EQ(ledger.of(221)[0].Valor, c(-4530));
    EXPECT_EQ(ledger.of(111)[0].Valor, c(200000));
    EXPECT_TRUE(ledger.of(12).empty());

    const std::vector<ledger::DayTotal> days = ledger::dailyTotals(st);
    ASSERT_EQ(days.size(), 2u);
    EXPECT_EQ(days[0].count, 3);
    EXPECT_EQ(days[0].Movimento, c(-4530));
    EXPECT_EQ(days[0].Saldo, carteira.SaldoAnt + c(-4530));
    EXPECT_EQ(days[1].Saldo, carteira.SaldoAtual);

    // Every account's statement adds up to its trial balance row.
    for (const BcteRow &r : tb.rows) {
        if (r.Nv != 3)
            continue;
        Money sum = r.SaldoAnt;
        for (const ledger::LctoRow &l : ledger.of(r.Cta))
            sum += l.Valor;
        EXPECT_EQ(sum, r.SaldoAtual) << r.ExtCta.toStdString();
    }
}

TEST_F(BookFixture, YearMapOfTheSecondYear)
{
    addHandBuiltBook();
    const ledger::YearMap map = ledger::BalMapaView(book(), 2024);
    EXPECT_EQ(map.AnoMapa, 2024);
    const auto row = [&](const char *code) -> const MapaRow & {
        const MapaRow *r = map.findExtCta(code);
        EXPECT_NE(r, nullptr) << code;
        static const MapaRow none;
        return r ? *r : none;
    };
    const auto movs = [](const MapaRow &r) {
        std::vector<qint64> v;
        for (Money m : r.Mov)
            v.push_back(m.centavos());
        return v;
    };
    EXPECT_EQ(row("0.01.01").Sld0, c(50000));
    EXPECT_EQ(movs(row("0.01.01")),
              (std::vector<qint64>{0, 0, 0, 10000, 0, 0, -5530, 0, 0, 0, 0, 0}));
    EXPECT_EQ(row("0.01.03").Sld[11], c(200000));
    EXPECT_EQ(movs(row("0.01.03")),
              (std::vector<qint64>{0, 200000, -80000, -10000, 0, 0, 150000, -80000, 0, 0, 0, 0}));
    EXPECT_EQ(row("1.01.01").Sld0, c(0));
    EXPECT_EQ(row("1.01.01").Sld[11], c(400000));
    EXPECT_EQ(row("2.04.01").Sld[11], c(-160000));
    EXPECT_EQ(row("2.??.??").Mov[6], c(-1000));
    EXPECT_EQ(row("0").Sld[11], c(307020));
    EXPECT_EQ(row("1").Sld[11], c(402550));
    EXPECT_EQ(row("2").Sld[11], c(-165530));
    EXPECT_EQ(row("3").Sld0, c(70000));
    EXPECT_EQ(row("3").Sld[11], c(70000));
    EXPECT_EQ(row("3").TituloDescr, "Resultado Credor Ano Anterior");
    EXPECT_EQ(row("2.04").Nv3, "  ");
    EXPECT_EQ(row("0.01.01").Cta, 11);
    EXPECT_EQ(map.findExtCta("0.01.02"), nullptr); // zero on 1 January and no entries in 2024
    // The balance at the end of July is the trial balance of July.
    const ledger::TrialBalance july = ledger::BalView(book(), {2024, 7, 1}, {2024, 7, 31});
    for (const BcteRow &r : july.rows)
        EXPECT_EQ(row(r.ExtCta.toUtf8().constData()).Sld[6], r.SaldoAtual)
            << r.ExtCta.toStdString();
}

TEST_F(BookFixture, YearMapOfTheFirstYearListsTheAccountThatEndsAtZero)
{
    addHandBuiltBook();
    const ledger::YearMap map = ledger::BalMapaView(book(), 2023);
    ASSERT_NE(map.findExtCta("0.01.02"), nullptr);
    EXPECT_EQ(map.findExtCta("0.01.02")->Sld[11], c(0));
    EXPECT_EQ(map.findExtCta("3"), nullptr);
    EXPECT_TRUE(ledger::BalMapaView(book(), 2021).empty());
}

TEST(MapWindow, StaysInsideTheYear)
{
    EXPECT_EQ(ledger::MapWindow::forMonth(12).P, 11);
    EXPECT_EQ(ledger::MapWindow::forMonth(2).P, 2);
    ledger::MapWindow w = ledger::MapWindow::forMonth(1);
    EXPECT_FALSE(w.canGoBack());
    w.back();
    EXPECT_EQ(w.P, 1);
    EXPECT_EQ(w.visibleColumns(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    for (int i = 0; i < 20; ++i)
        w.forward();
    EXPECT_EQ(w.P, 11);
    EXPECT_FALSE(w.canGoForward());
    EXPECT_EQ(w.visibleColumns().back(), 27);
}

TEST(PeriodTitles, MonthAndOtherPeriod)
{
    app::AjustarFormatoDatas();
    using ledger::PeriodMode;
    EXPECT_EQ(ledger::PeriodoBal({2007, 2, 1}, {2007, 2, 28}, PeriodMode::Month),
              "[Fevereiro/2007]");
    EXPECT_EQ(ledger::valueTitles({2007, 2, 1}, {2007, 2, 28}, PeriodMode::Month),
              (QStringList{"Sld 31/01/07", "Mov Fev/07", "Sld 28/02/07"}));
    EXPECT_EQ(ledger::periodCaption({2007, 1, 5}, {2007, 2, 20}, PeriodMode::Other),
              "05/01/2007 a 20/02/2007");
    EXPECT_EQ(ledger::valueTitles({2007, 1, 5}, {2007, 2, 20}, PeriodMode::Other)[1],
              "Mov Período");
    const QStringList map = ledger::mapColumnTitles(2007);
    ASSERT_EQ(map.size(), 28);
    EXPECT_EQ(map[3], "Sld 31/12/06");
    EXPECT_EQ(map[4], "Mov Jan/07");
    EXPECT_EQ(map[26], "Mov Dez/07");
    EXPECT_EQ(map[27], "Sld 31/12/07");
}

// A random book (codes of the chart, one the chart lacks, a few both sides cash) against the
// figures summed account by account with one query each, as the rules state them.
TEST_F(BookFixture, RandomBookMatchesNaivePerAccountSums)
{
    QRandomGenerator rng(20241);
    const int codes[] = {11, 12, 13, 31, 111, 113, 195, 221, 231, 233, 298};
    m_dm.db().begin();
    for (int i = 0; i < 1500; ++i)
        add(QDate(2021, 1, 1).addDays(rng.bounded(4 * 365)), codes[rng.bounded(11)],
            codes[rng.bounded(11)], rng.bounded(1, 500000));
    m_dm.db().commit();

    const QString fin = m_dm.TbFin->sqlName();
    const auto sum = [&](const char *side, int cta, const QString &from, const QString &to) {
        return Money::fromCentavos(
            m_dm.db()
                .scalar(QString("SELECT sum(Valor) FROM %1 WHERE %2=? AND Data>=? AND Data<=?")
                            .arg(fin, side),
                        {cta, from, to})
                .toLongLong());
    };
    const QDate ini(2023, 5, 10), fim(2023, 9, 3);
    const ledger::TrialBalance tb = ledger::BalView(book(), ini, fim);
    for (int cta : codes) {
        const bool cash = cta < 100;
        const QString from = cash ? "0000-00-00" : "2023-01-01";
        const QString before = ini.addDays(-1).toString("yyyy-MM-dd");
        const QString p1 = ini.toString("yyyy-MM-dd"), p2 = fim.toString("yyyy-MM-dd");
        const Money ant =
            cash ? sum("CtaDeb", cta, from, before) - sum("CtaCred", cta, from, before)
                 : sum("CtaCred", cta, from, before) - sum("CtaDeb", cta, from, before);
        const Money var = cash ? sum("CtaDeb", cta, p1, p2) - sum("CtaCred", cta, p1, p2)
                               : sum("CtaCred", cta, p1, p2) - sum("CtaDeb", cta, p1, p2);
        const BcteRow *r = tb.findCta(cta);
        ASSERT_NE(r, nullptr) << cta;
        EXPECT_EQ(r->SaldoAnt, ant) << cta;
        EXPECT_EQ(r->VariacaoSaldo, var) << cta;
        EXPECT_EQ(r->SaldoAtual, ant + var) << cta;
    }
    const Expected f = figuresOf(tb.rows);
    for (const auto &[code, fig] : f)
        EXPECT_EQ(fig.atual, fig.ant + fig.var) << code.toStdString();
    EXPECT_EQ(f.at("0").ant, f.at("1").ant + f.at("2").ant + f.at("3").ant);
    EXPECT_EQ(f.at("0").var, f.at("1").var + f.at("2").var);

    // The map's month-end balances are the trial balances from 1 January to each month's end.
    const ledger::YearMap map = ledger::BalMapaView(book(), 2023);
    for (int k : {1, 6, 12}) {
        const QDate fk = QDate(2023, k, 1).addMonths(1).addDays(-1);
        const ledger::TrialBalance upTo = ledger::BalView(book(), {2023, 1, 1}, fk);
        for (const BcteRow &r : upTo.rows) {
            const MapaRow *m = map.findExtCta(r.ExtCta);
            ASSERT_NE(m, nullptr) << r.ExtCta.toStdString();
            EXPECT_EQ(m->Sld[size_t(k - 1)], r.SaldoAtual) << r.ExtCta.toStdString() << " " << k;
        }
    }
}

namespace {

std::string text(const ledger::TrialBalance &tb)
{
    std::ostringstream out;
    out << "AnoAnt " << tb.DebAnoAnt.centavos() << "/" << tb.CredAnoAnt.centavos() << "\n";
    for (const BcteRow &r : tb.rows) {
        out << r.ExtCta.toStdString() << " " << r.Nv;
        for (const Money m : {r.SlAntCred, r.SlAntDeb, r.TtCred, r.TtDeb, r.SaldoAnt,
                              r.VariacaoSaldo, r.SaldoAtual})
            out << " " << m.centavos();
        out << "\n";
    }
    return out.str();
}

std::string text(const ledger::YearMap &map)
{
    std::ostringstream out;
    out << "AnoAnt " << map.DebAnoAnt.centavos() << "/" << map.CredAnoAnt.centavos() << "\n";
    for (const MapaRow &r : map.rows) {
        out << r.ExtCta.toStdString() << " " << r.SlAntDeb.centavos() << " "
            << r.SlAntCred.centavos() << " " << r.Sld0.centavos();
        for (size_t k = 0; k < 12; ++k)
            out << " " << r.TtDeb[k].centavos() << "/" << r.TtCred[k].centavos();
        out << "\n";
    }
    return out.str();
}

} // namespace

// With kept totals the years before the period come from them; read from the entries alone the
// figures and the rows listed must be the same, for periods that start and end on any day, and
// for cash accounts whose entries before the year cancel out or were deleted.
TEST_F(BookFixture, KeptTotalsGiveWhatTheEntriesAloneGive)
{
    QRandomGenerator rng(2202);
    const int codes[] = {11, 12, 13, 31, 111, 195, 221, 231, 298};
    m_dm.db().begin();
    for (int i = 0; i < 800; ++i)
        add(QDate(2020, 1, 1).addDays(rng.bounded(5 * 365)), codes[rng.bounded(9)],
            codes[rng.bounded(9)], rng.bounded(0, 90000));
    add({2021, 3, 3}, 12, 111, 700); // 12 before 2022 only through entries that cancel out
    add({2021, 4, 4}, 221, 12, 700);
    m_dm.db().commit();
    data::Table *fin = m_dm.TbFin;
    for (int i = 0; i < 60; ++i) { // deletes leave totals rows counting nothing
        fin->moveTo(rng.bounded(fin->recordCount()));
        fin->remove();
    }
    const ledger::Book kept = book();
    ASSERT_FALSE(kept.totals.isEmpty());
    ledger::Book entriesOnly = kept;
    entriesOnly.totals.clear();
    for (int i = 0; i < 25; ++i) {
        const QDate ini = QDate(2020, 6, 1).addDays(rng.bounded(4 * 365));
        const QDate fim = i % 2 ? QDate(ini.year(), 12, 31) : ini.addDays(rng.bounded(200));
        SCOPED_TRACE(ini.toString("yyyy-MM-dd").toStdString() + " .. " +
                     fim.toString("yyyy-MM-dd").toStdString());
        EXPECT_EQ(text(ledger::BalView(kept, ini, fim)),
                  text(ledger::BalView(entriesOnly, ini, fim)));
    }
    for (int year = 2019; year <= 2025; ++year)
        EXPECT_EQ(text(ledger::BalMapaView(kept, year)),
                  text(ledger::BalMapaView(entriesOnly, year)))
            << year;
}
