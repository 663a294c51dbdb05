// The five balances: on the first-run sample entries, on a small book that crosses the period's
// edges, and after every kind of write, against the sums computed straight from the table.
#include "printers.h"

#include <entries/session.h>

#include <app/dates.h>
#include <data/UDM.h>
#include <data/fintotals.h>
#include <data/newuserdata.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using app::Money;
using entries::Saldos;

namespace entries {
static bool operator==(const Saldos &a, const Saldos &b)
{
    return a.SlAnt == b.SlAnt && a.SlReceita == b.SlReceita && a.SlDespesa == b.SlDespesa &&
           a.SlAtu == b.SlAtu && a.SlHoje == b.SlHoje;
}
static void PrintTo(const Saldos &s, std::ostream *os)
{
    *os << "{Ant " << s.SlAnt.centavos() << ", Rec " << s.SlReceita.centavos() << ", Desp "
        << s.SlDespesa.centavos() << ", Atu " << s.SlAtu.centavos() << ", Hoje "
        << s.SlHoje.centavos() << "}";
}
} // namespace entries

namespace {

Money reais(qint64 r)
{
    return Money::fromReais(r);
}

Saldos saldosOf(qint64 ant, qint64 rec, qint64 desp, qint64 hoje)
{
    return {reais(ant), reais(rec), reais(desp), reais(ant + rec + desp), reais(hoje)};
}

class Balances : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dm = open(m_dir.path());
        m_session = std::make_unique<entries::Session>(m_dm->db(), *m_dm->TbFin);
        app::setTodayForTests(QDate(2026, 12, 10));
    }
    void TearDown() override { app::setTodayForTests(QDate()); }

    static std::unique_ptr<data::TDM> open(const QString &dir)
    {
        {
            data::Database db;
            db.setDirDados(dir);
            if (data::firstRunNeeded(db))
                data::installFirstRun(db, QDate(2026, 12, 10));
        }
        auto dm = std::make_unique<data::TDM>();
        dm->DataModuleCreate(dir);
        dm->openSharedTables();
        dm->pointUserTables("0001");
        dm->OpenUserFiles();
        return dm;
    }

    static void setPeriod(entries::Session &s, const QDate &inMonth)
    {
        const entries::DateRange m = entries::CalcularMes(inMonth);
        s.period() = {m.ini, m.fim};
    }
    void setPeriod(const QDate &inMonth) { setPeriod(*m_session, inMonth); }

    static Saldos computed(entries::Session &s)
    {
        s.balances().CalcularSaldos(s.period());
        return s.balances().saldos();
    }
    Saldos computed() { return computed(*m_session); }

    // The balances summed straight from the table, one query per figure part.
    Saldos reference()
    {
        const QString t = m_dm->TbFin->sqlName();
        const auto sum = [&](const QString &cond, const QVariantList &p) {
            return Money::fromCentavos(
                m_dm->db()
                    .scalar("SELECT sum(Valor) FROM " + t + " WHERE " + cond, p)
                    .toLongLong());
        };
        const QString ini = m_session->period().DtIni.toString("yyyy-MM-dd");
        const QString fim = m_session->period().DtFim.toString("yyyy-MM-dd");
        const QString hoje = app::today().toString("yyyy-MM-dd");
        Saldos s;
        s.SlHoje = sum("CtaDeb<100 AND Data<=?", {hoje}) - sum("CtaCred<100 AND Data<=?", {hoje});
        s.SlAnt = sum("CtaDeb<100 AND Data<?", {ini}) - sum("CtaCred<100 AND Data<?", {ini});
        s.SlReceita = sum("CtaCred>100 AND Data>=? AND Data<=?", {ini, fim});
        s.SlDespesa = -sum("CtaDeb>100 AND Data>=? AND Data<=?", {ini, fim});
        s.SlAtu = s.SlAnt + s.SlReceita + s.SlDespesa;
        return s;
    }

    void clearEntries() { m_dm->TbFin->emptyTable(); }

    void add(const QDate &d, int deb, int cred, qint64 r)
    {
        data::Table *t = m_dm->TbFin;
        t->append();
        t->setValue("Data", d);
        t->setValue("CtaDeb", deb);
        t->setValue("CtaCred", cred);
        t->setValue("Valor", r * 100);
        t->setValue("Hsto", "X");
        m_session->balances().postEntry();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<data::TDM> m_dm;
    std::unique_ptr<entries::Session> m_session;
};

// The sample book of a first run on 10/12/2026: 30/11 11<-195 50 and 13<-195 200; 01/12
// 13<-111 2000; 02/12 241<-13 50; 06/12 11<-13 100 (a transfer between cash accounts).
TEST_F(Balances, FirstRunSampleEntries)
{
    setPeriod(QDate(2026, 12, 1));
    EXPECT_EQ(computed(), saldosOf(250, 2000, -50, 2200));
    setPeriod(QDate(2026, 11, 1));
    EXPECT_EQ(computed(), saldosOf(0, 250, 0, 2200));
    setPeriod(QDate(2027, 1, 1));
    EXPECT_EQ(computed(), saldosOf(2200, 0, 0, 2200));
}

struct PeriodCase
{
    const char *name;
    QDate month, today;
    Saldos expected;
};
class BalancesOverPeriods : public Balances, public ::testing::WithParamInterface<PeriodCase>
{
};

// A small book around March 2024: each entry shows one rule of the figures.
TEST_P(BalancesOverPeriods, FiguresFollowTheGroupsAndDates)
{
    clearEntries();
    add(QDate(2024, 2, 29), 11, 101, 1000); // income before the period: SlAnt only
    add(QDate(2024, 3, 1), 201, 11, 30);    // expense on the first day
    add(QDate(2024, 3, 31), 12, 11, 500);   // cash to cash on the last day: nothing moves
    add(QDate(2024, 3, 15), 201, 101, 7);   // refused by the editor, still summed on both sides
    add(QDate(2024, 3, 20), 11, 101, 200);  // income
    add(QDate(2024, 4, 1), 202, 12, 40);    // after the period
    add(QDate(2024, 3, 10), 100, 11, 9);    // code 100 is no account: only the cash side counts
    app::setTodayForTests(GetParam().today);
    setPeriod(GetParam().month);
    EXPECT_EQ(computed(), GetParam().expected);
    EXPECT_EQ(computed(), reference());
}

INSTANTIATE_TEST_SUITE_P(
    SmallBook, BalancesOverPeriods,
    ::testing::Values(
        // March: income 7 + 200, expenses 30 + 7; SlHoje on 15/03 counts up to that day.
        PeriodCase{"marchSeenMidMonth", QDate(2024, 3, 1), QDate(2024, 3, 15),
                   saldosOf(1000, 207, -37, 1000 - 30 - 9)},
        PeriodCase{"marchSeenLater", QDate(2024, 3, 1), QDate(2024, 5, 1),
                   saldosOf(1000, 207, -37, 1000 - 30 - 9 + 200 - 40)},
        PeriodCase{"february", QDate(2024, 2, 1), QDate(2024, 3, 15), saldosOf(0, 1000, 0, 961)},
        PeriodCase{"april", QDate(2024, 4, 1), QDate(2024, 3, 15),
                   saldosOf(1000 - 30 - 9 + 200, 0, -40, 961)},
        PeriodCase{"todayBeforeEverything", QDate(2024, 3, 1), QDate(2024, 1, 1),
                   saldosOf(1000, 207, -37, 0)}),
    [](const auto &info) { return std::string(info.param.name); });

// Every road by which entries change, interleaved with recomputations: the figures must always
// equal the straight sums, whether the cache was kept up to date or had to be read again.
TEST_F(Balances, StayExactAcrossEveryKindOfWrite)
{
    setPeriod(QDate(2026, 6, 1));
    QRandomGenerator rng(7);
    const int codes[] = {11, 12, 13, 100, 101, 111, 201, 221, 241};
    const auto randomDate = [&] {
        return QDate(2026, 1, 1).addDays(rng.bounded(365));
    };
    data::Table *fin = m_dm->TbFin;
    fin->setIndexName("IdxData");
    for (int step = 0; step < 120; ++step) {
        switch (rng.bounded(6)) {
        case 0:
        case 1:
            add(randomDate(), codes[rng.bounded(9)], codes[rng.bounded(9)], rng.bounded(1, 900));
            break;
        case 2: // change date, account and amount of some entry
            if (fin->isEmpty())
                break;
            fin->moveTo(rng.bounded(fin->recordCount()));
            fin->edit();
            fin->setValue("Data", randomDate());
            fin->setValue("CtaCred", codes[rng.bounded(9)]);
            fin->setValue("Valor", qlonglong(rng.bounded(1, 90000)));
            m_session->balances().postEntry();
            break;
        case 3:
            if (fin->isEmpty())
                break;
            fin->moveTo(rng.bounded(fin->recordCount()));
            m_session->balances().removeEntry();
            break;
        case 4: // written behind the cache's back: a plain post and a statement
            add(randomDate(), 11, 111, 5);
            fin->edit();
            fin->setValue("Valor", qlonglong(777));
            fin->post();
            m_dm->db().exec("UPDATE " + fin->sqlName() + " SET Valor=Valor+1 WHERE CtaDeb=?",
                            {221});
            break;
        default:
            setPeriod(randomDate());
            break;
        }
        ASSERT_EQ(computed(), reference()) << "after step " << step;
    }
}

// The figures from the kept totals against the same figures read day by day (the file's totals
// removed), for periods and days of any date, not only whole months: the months before a date come
// from the totals, its own month's days from the entries, and the two must meet exactly.
TEST_F(Balances, KeptTotalsGiveTheFiguresOfADayByDayRead)
{
    QRandomGenerator rng(2201);
    const int codes[] = {11, 13, 100, 111, 195, 221, 241};
    {
        data::Transaction tr(m_dm->db()); // one sync for the lot
        for (int i = 0; i < 300; ++i)
            add(QDate(2025, 1, 1).addDays(rng.bounded(730)), codes[rng.bounded(7)],
                codes[rng.bounded(7)], rng.bounded(1, 5000));
        tr.commit();
    }
    const QString schema = m_dm->db().aliasOf(m_dm->TbFin->fileName());
    ASSERT_TRUE(data::fintotals::inPlace(m_dm->db(), schema));
    const auto day = [&] {
        return rng.bounded(12) == 0 ? QDate() : QDate(2024, 12, 1).addDays(rng.bounded(800));
    };
    struct Seen
    {
        QDate ini, fim, today;
        Saldos kept;
    };
    std::vector<Seen> seen;
    for (int i = 0; i < 60; ++i) {
        Seen s{day(), day(), day(), {}};
        if (i % 3 == 0 && s.ini.isValid()) // a month, as the main window has it
            s.ini = QDate(s.ini.year(), s.ini.month(), 1), s.fim = s.ini.addMonths(1).addDays(-1);
        app::setTodayForTests(s.today);
        m_session->period() = {s.ini, s.fim};
        s.kept = computed();
        seen.push_back(s);
    }
    data::fintotals::drop(m_dm->db(), schema);
    for (const Seen &s : seen) {
        app::setTodayForTests(s.today);
        m_session->period() = {s.ini, s.fim};
        EXPECT_EQ(computed(), s.kept)
            << s.ini.toString().toStdString() << " .. " << s.fim.toString().toStdString()
            << ", today " << s.today.toString().toStdString();
    }
}

TEST_F(Balances, AnEditInsideAnOpenTransactionIsNotTrustedUntilItEnds)
{
    setPeriod(QDate(2026, 12, 1));
    const Saldos before = computed();
    {
        data::Transaction tr(m_dm->db());
        add(QDate(2026, 12, 5), 221, 11, 60);
        // rolled back here: the entry never existed
    }
    m_dm->TbFin->refresh();
    EXPECT_EQ(computed(), before);
    EXPECT_EQ(computed(), reference());
}

TEST_F(Balances, FileReplacedWhileClosedIsReadAgain)
{
    setPeriod(QDate(2026, 12, 1));
    EXPECT_EQ(computed(), saldosOf(250, 2000, -50, 2200));
    // Another user's book copied over the file while the tables are closed (as a restore does).
    QTemporaryDir other;
    {
        auto dm2 = open(other.path());
        dm2->TbFin->emptyTable();
        dm2->TbFin->append();
        dm2->TbFin->setValue("Data", QDate(2026, 12, 3));
        dm2->TbFin->setValue("CtaDeb", 11);
        dm2->TbFin->setValue("CtaCred", 111);
        dm2->TbFin->setValue("Valor", 12300);
        dm2->TbFin->setValue("Hsto", "OUTRO");
        dm2->TbFin->post();
    }
    m_dm->CloseUserFiles();
    const QString file = m_dir.path() + "/Tb0001Fin.DB";
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QFile::copy(other.path() + "/Tb0001Fin.DB", file));
    m_dm->OpenUserFiles();
    EXPECT_EQ(computed(), saldosOf(0, 123, 0, 123));
}

// Two books open at once, each with its own data module and session: the month, the figures and
// the cache of one are never the other's, whichever of them posts or recomputes.
TEST_F(Balances, TwoSessionsKeepTheirOwnPeriodAndFigures)
{
    QTemporaryDir otherDir;
    auto other = open(otherDir.path());
    entries::Session second(other->db(), *other->TbFin);
    setPeriod(QDate(2026, 12, 1));
    setPeriod(second, QDate(2026, 11, 1));
    const Saldos secondBefore = saldosOf(0, 250, 0, 2200);
    EXPECT_EQ(computed(second), secondBefore);

    add(QDate(2026, 12, 5), 221, 11, 60); // an expense in the first book only
    EXPECT_EQ(computed(), saldosOf(250, 2000, -110, 2140));
    EXPECT_EQ(second.balances().saldos(), secondBefore) << "the first session's figures leaked";
    EXPECT_EQ(second.period().DtIni, QDate(2026, 11, 1));
    EXPECT_EQ(computed(second), secondBefore);

    data::Table *fin2 = other->TbFin;
    fin2->append();
    fin2->setValue("Data", QDate(2026, 11, 20));
    fin2->setValue("CtaDeb", 11);
    fin2->setValue("CtaCred", 111);
    fin2->setValue("Valor", 30000);
    fin2->setValue("Hsto", "OUTRO");
    second.balances().postEntry();
    EXPECT_EQ(computed(second), saldosOf(0, 550, 0, 2500));
    EXPECT_EQ(m_session->balances().saldos(), saldosOf(250, 2000, -110, 2140));
    EXPECT_EQ(m_session->period().DtIni, QDate(2026, 12, 1));
    EXPECT_EQ(computed(), reference());
}

// The largest amount in many entries, in and before the period, today and after it.
TEST_F(Balances, NinetyThreeLargestEntriesGiveExactFigures)
{
    clearEntries();
    setPeriod(QDate(2026, 12, 1));
    const qint64 max = app::kMaxAmountCentavos;
    data::Table *t = m_dm->TbFin;
    const auto addMax = [&](const QDate &d, int deb, int cred) {
        t->append();
        t->setValue("Data", d);
        t->setValue("CtaDeb", deb);
        t->setValue("CtaCred", cred);
        t->setValue("Valor", max);
        t->setValue("Hsto", "X");
        m_session->balances().postEntry();
    };
    for (int i = 0; i < 93; ++i) {
        addMax(QDate(2026, 11, 1 + i % 30), 11, 111); // income before the period
        addMax(QDate(2026, 12, 5), 11, 111);          // income of the period, before today
    }
    for (int i = 0; i < 93; ++i)
        addMax(QDate(2026, 12, 20), 201, 11); // expenses of the period, after today
    const Money m93 = Money::fromCentavos(93 * max);
    const Saldos expected{m93, m93, -m93, m93, m93 + m93};
    EXPECT_EQ(computed(), expected);
    m_session->balances().invalidate();
    EXPECT_EQ(computed(), expected) << "read again from the table";
    EXPECT_EQ(reference(), expected);
}

// A file that holds amounts no entry may have (written without the maximum): a clear error,
// never SQLite's "integer overflow" nor a wrapped negative figure. Amounts of
// 999.999.999.999.999,99 written by other means are the case: 93 of them on separate days wrap the
// 64-bit sum, 100 on one day overflow SQLite's sum().
class BalancesOverTheLargest : public Balances, public ::testing::WithParamInterface<bool>
{
};

TEST_P(BalancesOverTheLargest, FileWithAmountsOverTheLargestIsAClearError)
{
    const bool oneDay = GetParam();
    setPeriod(QDate(2026, 12, 1));
    const Saldos before = computed();
    const QString t = m_dm->TbFin->sqlName();
    for (int i = 0; i < (oneDay ? 100 : 93); ++i)
        m_dm->db().exec("INSERT INTO " + t +
                            " (Data, CtaDeb, CtaCred, Valor, Hsto) VALUES (?, 11, 111, ?, 'X')",
                        {QDate(2025, 1, 1).addDays(oneDay ? 0 : i).toString("yyyy-MM-dd"),
                         Q_INT64_C(99999999999999999)});
    try {
        computed();
        ADD_FAILURE() << "figures computed: SlAnt "
                      << m_session->balances().saldos().SlAnt.centavos();
    } catch (const app::Error &e) {
        EXPECT_EQ(e.text(), "Há lançamentos com valor acima do máximo permitido; os saldos não "
                            "podem ser calculados.\r\nO maior valor aceito para um lançamento é "
                            "999.999.999,99.");
    }
    EXPECT_EQ(m_session->balances().saldos(), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, BalancesOverTheLargest, ::testing::Values(false, true),
                         [](const auto &info) {
                             return std::string(info.param ? "HundredOnOneDay" : "OnePerDay");
                         });

// Even day totals that no file of the program can hold sum exactly or throw, never wrap.
TEST(BalancesFromDays, SumsBeyondSixtyFourBitsThrowInsteadOfWrapping)
{
    const Money big = Money::fromCentavos(std::numeric_limits<qint64>::max() / 2 + 1);
    const std::vector<entries::DayTotals> days{{"2024-01-01", big, {}, {}, {}},
                                               {"2024-01-02", big, {}, {}, {}}};
    EXPECT_THROW(
        entries::saldosFromDays(days, QDate(2024, 3, 1), QDate(2024, 3, 31), QDate(2024, 3, 5)),
        app::Error);
}

TEST(BalancesFromDays, EmptyBookGivesZeros)
{
    const Saldos s =
        entries::saldosFromDays({}, QDate(2024, 3, 1), QDate(2024, 3, 31), QDate(2024, 3, 5));
    EXPECT_EQ(s, Saldos{});
}

} // namespace
