#include "balances.h"

#include "period.h"

#include <app/dates.h>
#include <data/UDM.h>

#include <QPointer>

#include <optional>

namespace entries {

// The cache of day totals. It is exact while all of these hold:
//   - it was read from the same table object (alive) and the same file path;
//   - the connection's change counter has not moved since it was read, or moved only by the one
//     row that postEntry()/removeEntry() wrote and whose days they re-read;
//   - the table has not been closed since (a closed file may be replaced, e.g. by a restore).
// Any doubt leaves `valid` false and the next CalcularSaldos reads the whole table again.
namespace {

struct Cache
{
    bool valid = false;
    QPointer<data::Table> table;
    QString path;
    qint64 counter = -1;
    std::vector<DayTotals> days; // ascending by day
    QMetaObject::Connection closeWatch;
};

Cache &cache()
{
    static Cache c;
    return c;
}

Saldos &current()
{
    static Saldos s;
    return s;
}

// The sums each balance needs, per stored date; one pass over the table or over one day.
const char *kSums = "sum(CASE WHEN CtaDeb<100 THEN Valor ELSE 0 END),"
                    " sum(CASE WHEN CtaCred<100 THEN Valor ELSE 0 END),"
                    " sum(CASE WHEN CtaCred>100 THEN Valor ELSE 0 END),"
                    " sum(CASE WHEN CtaDeb>100 THEN Valor ELSE 0 END)";

DayTotals dayFrom(const data::Statement &st)
{
    const auto m = [&](int i) {
        return app::Money::fromCentavos(st.column(i).toLongLong());
    };
    return {st.column(0).toString(), m(1), m(2), m(3), m(4)};
}

std::vector<DayTotals> readAllDays(data::Database &db, const QString &table)
{
    data::Statement st = db.prepare(QString("SELECT Data, ") + kSums + " FROM " + table +
                                    " WHERE Data IS NOT NULL GROUP BY Data ORDER BY Data");
    std::vector<DayTotals> days;
    while (st.step())
        days.push_back(dayFrom(st));
    return days;
}

// The totals of one stored day; empty when no entry is dated so any more.
std::optional<DayTotals> readDay(data::Database &db, const QString &table, const QString &day)
{
    data::Statement st = db.prepare(QString("SELECT Data, ") + kSums + ", count(*) FROM " + table +
                                    " WHERE Data=? GROUP BY Data");
    st.bind(1, day);
    if (!st.step())
        return std::nullopt;
    return dayFrom(st);
}

QString storedDay(const QDate &d)
{
    return d.isValid() ? d.toString("yyyy-MM-dd") : QString();
}

bool cacheIsCurrent(data::TDM &dm)
{
    const Cache &c = cache();
    return c.valid && c.table == dm.TbFin && dm.TbFin->isActive() &&
           c.path == dm.db().pathOf(dm.TbFin->fileName()) && c.counter == dm.db().changeCounter();
}

void rebuildCache(data::TDM &dm)
{
    Cache &c = cache();
    c.valid = false;
    c.days = readAllDays(dm.db(), dm.TbFin->sqlName());
    if (c.table != dm.TbFin) {
        QObject::disconnect(c.closeWatch);
        data::Table *t = dm.TbFin;
        c.closeWatch = QObject::connect(t, &data::Table::stateChanged, t, [t] {
            if (!t->isActive())
                invalidateSaldosCache();
        });
        c.table = t;
    }
    c.path = dm.db().pathOf(dm.TbFin->fileName());
    c.counter = dm.db().changeCounter();
    c.valid = true;
}

void replaceDay(std::vector<DayTotals> &days, const QString &day, std::optional<DayTotals> totals)
{
    auto it = std::lower_bound(days.begin(), days.end(), day,
                               [](const DayTotals &d, const QString &k) { return d.day < k; });
    const bool present = it != days.end() && it->day == day;
    if (totals && present)
        *it = *totals;
    else if (totals)
        days.insert(it, *totals);
    else if (present)
        days.erase(it);
}

// The stored date of a row of TbFin, read from the file (not from the record being edited).
QString storedDayOf(data::TDM &dm, qint64 rowId)
{
    return dm.db()
        .scalar("SELECT Data FROM " + dm.TbFin->sqlName() + " WHERE rowid=?", {rowId})
        .toString();
}

// Runs one single-row write and, when the cache was current before it and the write is the only
// change since (and is committed: no outer transaction could still roll it back), re-reads the
// touched days. Otherwise the cache simply stays stale and is rebuilt on the next use.
template <typename Write>
void writeOneRow(data::TDM &dm, const QStringList &daysBefore, Write write)
{
    data::Database &db = dm.db();
    const bool wasCurrent = cacheIsCurrent(dm);
    const qint64 before = db.changeCounter();
    write();
    if (!wasCurrent || db.changeCounter() != before + 1 || db.transactionDepth() != 0)
        return;
    QStringList touched = daysBefore;
    if (dm.TbFin->current().rowId > 0 && !dm.TbFin->isEmpty())
        touched << storedDayOf(dm, dm.TbFin->current().rowId);
    Cache &c = cache();
    c.valid = false;
    for (const QString &day : touched)
        if (!day.isEmpty())
            replaceDay(c.days, day, readDay(db, dm.TbFin->sqlName(), day));
    c.counter = db.changeCounter();
    c.valid = true;
}

} // namespace

const Saldos &saldos()
{
    return current();
}

Saldos saldosFromDays(const std::vector<DayTotals> &days, const QDate &dtIni, const QDate &dtFim,
                      const QDate &today)
{
    const QString ini = storedDay(dtIni), fim = storedDay(dtFim), hoje = storedDay(today);
    Saldos s;
    for (const DayTotals &d : days) {
        const app::Money cash = d.cashDebit - d.cashCredit;
        if (d.day <= hoje)
            s.SlHoje += cash;
        if (d.day < ini)
            s.SlAnt += cash;
        if (d.day >= ini && d.day <= fim) {
            s.SlReceita += d.income;
            s.SlDespesa -= d.expense;
        }
    }
    s.SlAtu = s.SlAnt + s.SlReceita + s.SlDespesa;
    return s;
}

void CalcularSaldos(data::TDM &dm)
{
    const Period &p = period();
    if (!dm.TbFin->isActive()) {
        // Nothing to watch for a replaced file: read it without keeping the result.
        data::AttachGuard fin(dm.db(), dm.TbFin->fileName());
        current() =
            saldosFromDays(readAllDays(dm.db(), fin.table()), p.DtIni, p.DtFim, app::today());
        return;
    }
    if (!cacheIsCurrent(dm))
        rebuildCache(dm);
    current() = saldosFromDays(cache().days, p.DtIni, p.DtFim, app::today());
}

void postEntry(data::TDM &dm)
{
    data::Table *fin = dm.TbFin;
    QStringList before;
    if (fin->state() == data::Table::State::Edit)
        before << storedDayOf(dm, fin->current().rowId);
    writeOneRow(dm, before, [fin] { fin->post(); });
}

void removeEntry(data::TDM &dm)
{
    data::Table *fin = dm.TbFin;
    QStringList before;
    if (fin->state() != data::Table::State::Insert && !fin->isEmpty())
        before << storedDayOf(dm, fin->current().rowId);
    // After the delete the current record is another row, which did not change: re-reading its
    // day as well is harmless.
    writeOneRow(dm, before, [fin] { fin->remove(); });
}

void invalidateSaldosCache()
{
    cache().valid = false;
}

} // namespace entries
