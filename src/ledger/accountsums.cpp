#include "accountsums_internal.h"

#include <data/UDM.h>
#include <data/database.h>
#include <data/fintotals.h>
#include <data/table.h>

namespace ledger {

Book Book::of(data::TDM &dm)
{
    const QString fin = dm.db().aliasOf(dm.TbFin->fileName());
    const bool kept = data::fintotals::inPlace(dm.db(), fin);
    return {dm.db(), dm.TbFin->sqlName(), dm.TbCta->sqlName(),
            kept ? data::fintotals::totalsTable(fin) : QString()};
}

} // namespace ledger

namespace ledger::internal {

namespace {

QString stored(const QDate &d)
{
    return d.toString("yyyy-MM-dd");
}

bool isCash(int cta)
{
    return cta > 0 && cta < 100;
}

// Reduced codes are below 300; a flat table of them spares a tree look-up per entry side.
constexpr int kDirect = 1000;

struct Accumulator
{
    explicit Accumulator(size_t columns) : columns(columns), direct(kDirect) {}
    AccountSums &at(int cta)
    {
        AccountSums &a = cta < kDirect ? direct[size_t(cta)] : scan.accounts[cta];
        if (a.cols.size() != columns)
            a.cols.resize(columns);
        return a;
    }
    Scan finish()
    {
        for (int cta = 1; cta < kDirect; ++cta)
            if (!direct[size_t(cta)].cols.empty())
                scan.accounts.emplace(cta, std::move(direct[size_t(cta)]));
        return std::move(scan);
    }
    size_t columns;
    std::vector<AccountSums> direct;
    Scan scan;
};

// Slice -1: before J; 0: J up to the day before D1; 1..n: the columns.
void addSide(Accumulator &acc, int cta, int slice, app::Money v, bool debit)
{
    if (cta <= 0)
        return;
    if (slice == -1 && !isCash(cta))
        return; // income and expenses start every year at zero
    Scan &scan = acc.scan;
    AccountSums &a = acc.at(cta);
    Side &s = slice == -1 ? a.before : slice == 0 ? a.open : a.cols[size_t(slice - 1)];
    (debit ? s.deb : s.cred) += v;
    s.seen = true;
    if (slice == -1)
        (debit ? scan.DebAnoAnt : scan.CredAnoAnt) += v;
}

// The cash accounts' sums of the months before J's month, from the kept totals: what the scan
// would have put in the slice before J for those months.
void addKeptMonths(Accumulator &acc, const Book &book, const QString &beforeMonth)
{
    data::Statement st =
        book.db.prepare("SELECT Cta, sum(Deb), sum(Cred), sum(N) FROM " + book.totals +
                        " WHERE Mes < ? AND Cta > 0 AND Cta < 100 GROUP BY Cta");
    st.bind(1, beforeMonth);
    while (st.step()) {
        const int cta = st.column(0).toInt();
        if (!isCash(cta) || st.column(3).toLongLong() <= 0)
            continue;
        AccountSums &a = acc.at(cta);
        const app::Money deb = app::Money::fromCentavos(st.column(1).toLongLong());
        const app::Money cred = app::Money::fromCentavos(st.column(2).toLongLong());
        a.before.deb += deb;
        a.before.cred += cred;
        a.before.seen = true;
        acc.scan.DebAnoAnt += deb;
        acc.scan.CredAnoAnt += cred;
    }
}

} // namespace

Scan scanBook(const Book &book, const QDate &J, const QDate &D1, const QDate &D2, Columns cols)
{
    // One pass over the covering index IdxSaldos (Data, CtaDeb, CtaCred, Valor) in date order,
    // each entry counted on both its sides here: a GROUP BY would sort every entry of the book
    // first, which costs more than the scan itself. With kept totals the months before J's month
    // come from them and the pass starts at that month (compared as the stored text, so every
    // entry lands where the whole pass would put it): its cost is that of the year up to D2.
    const size_t columns = cols == Columns::Months ? 12 : 1;
    Accumulator acc(columns);
    const bool kept = !book.totals.isEmpty() && J.isValid();
    const QString jMonth = kept ? J.toString("yyyy-MM") : QString();
    if (kept)
        addKeptMonths(acc, book, jMonth);
    const QString column =
        cols == Columns::Months ? "CAST(substr(Data, 6, 2) AS INTEGER)" : QString("1");
    data::Statement st = book.db.prepare(
        "SELECT CtaDeb, CtaCred, CASE WHEN Data<?1 THEN -1 WHEN Data<?2 THEN 0 ELSE " + column +
        " END, Valor FROM " + book.fin + " INDEXED BY IdxSaldos WHERE Data<=?3" +
        (kept ? " AND Data>=?4" : ""));
    st.bindAll({stored(J), stored(D1), stored(D2)});
    if (kept)
        st.bind(4, jMonth);
    while (st.step()) {
        const int deb = st.column(0).toInt(), cred = st.column(1).toInt();
        const int slice = st.column(2).toInt();
        if (slice < -1 || slice > int(columns))
            continue;
        const app::Money v = app::Money::fromCentavos(st.column(3).toLongLong());
        addSide(acc, deb, slice, v, true);
        addSide(acc, cred, slice, v, false);
    }
    return acc.finish();
}

bool settleCarried(int cta, AccountSums &s)
{
    if (isCash(cta) && s.before.deb == s.before.cred)
        s.before = Side{};
    bool listed = s.before.seen || s.open.seen;
    for (const Side &c : s.cols)
        listed = listed || c.seen;
    return listed;
}

} // namespace ledger::internal
