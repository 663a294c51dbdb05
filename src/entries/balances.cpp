#include "balances.h"

#include "period.h"

#include <app/dates.h>
#include <data/database.h>
#include <data/table.h>

#include <optional>

namespace entries {

namespace {

// The sums each balance needs, per stored date; one pass over the table or over one day.
const char *const kSums = "sum(CASE WHEN CtaDeb<100 THEN Valor ELSE 0 END),"
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

// With every amount within app::kMaxAmountCentavos, as Table::post() keeps them, even ten million
// entries sum to at most 10^18 centavos: neither SQLite's sum() (which fails with "integer
// overflow" beyond 64 bits) nor the Money sums of the figures can overflow. Only a file written
// without that check can hold larger amounts; it is refused with a clear message instead of a
// storage error or a wrong figure. Two seeks on IdxValor, so the check costs nothing.
void checkAmountsInRange(data::Database &db, const QString &table)
{
    const QString over = "SELECT 1 FROM " + table + " WHERE Valor %1 ? LIMIT 1";
    if (db.scalar(over.arg('>'), {app::kMaxAmountCentavos}).isNull() &&
        db.scalar(over.arg('<'), {-app::kMaxAmountCentavos}).isNull())
        return;
    QUORVILA_THROW(app::Error, "Há lançamentos com valor acima do máximo permitido; os saldos "
                               "não podem ser calculados.\r\n" +
                                   app::maxAmountText());
}

std::vector<DayTotals> readAllDays(data::Database &db, const QString &table)
{
    checkAmountsInRange(db, table);
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

} // namespace

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

BalanceCache::BalanceCache(data::Database &db, data::Table &tbFin) : m_db(db), m_fin(tbFin)
{
    m_closeWatch = QObject::connect(&tbFin, &data::Table::stateChanged, &tbFin, [this] {
        if (!m_fin.isActive())
            invalidate();
    });
}

BalanceCache::~BalanceCache()
{
    QObject::disconnect(m_closeWatch);
}

bool BalanceCache::isCurrent() const
{
    return m_valid && m_fin.isActive() && m_path == m_db.pathOf(m_fin.fileName()) &&
           m_counter == m_db.changeCounter();
}

void BalanceCache::rebuild()
{
    m_valid = false;
    m_days = readAllDays(m_db, m_fin.sqlName());
    m_path = m_db.pathOf(m_fin.fileName());
    m_counter = m_db.changeCounter();
    m_valid = true;
}

void BalanceCache::CalcularSaldos(const Period &p)
{
    if (!m_fin.isActive()) {
        // Nothing to watch for a replaced file: read it without keeping the result.
        data::AttachGuard fin(m_db, m_fin.fileName());
        m_saldos = saldosFromDays(readAllDays(m_db, fin.table()), p.DtIni, p.DtFim, app::today());
        return;
    }
    if (!isCurrent())
        rebuild();
    m_saldos = saldosFromDays(m_days, p.DtIni, p.DtFim, app::today());
}

// The stored date of a row of the table, read from the file (not from the record being edited).
QString BalanceCache::storedDayOf(qint64 rowId) const
{
    return m_db.scalar("SELECT Data FROM " + m_fin.sqlName() + " WHERE rowid=?", {rowId})
        .toString();
}

// Runs one single-row write and, when the cache was current before it and the write is the only
// change since (and is committed: no outer transaction could still roll it back), re-reads the
// touched days. Otherwise the cache simply stays stale and is rebuilt on the next use.
template <typename Write> void BalanceCache::writeOneRow(const QStringList &daysBefore, Write write)
{
    const bool wasCurrent = isCurrent();
    const qint64 before = m_db.changeCounter();
    write();
    if (!wasCurrent || m_db.changeCounter() != before + 1 || m_db.transactionDepth() != 0)
        return;
    QStringList touched = daysBefore;
    if (m_fin.current().rowId > 0 && !m_fin.isEmpty())
        touched << storedDayOf(m_fin.current().rowId);
    m_valid = false;
    for (const QString &day : touched)
        if (!day.isEmpty())
            replaceDay(m_days, day, readDay(m_db, m_fin.sqlName(), day));
    m_counter = m_db.changeCounter();
    m_valid = true;
}

void BalanceCache::postEntry()
{
    QStringList before;
    if (m_fin.state() == data::Table::State::Edit)
        before << storedDayOf(m_fin.current().rowId);
    writeOneRow(before, [this] { m_fin.post(); });
}

void BalanceCache::removeEntry()
{
    QStringList before;
    if (m_fin.state() != data::Table::State::Insert && !m_fin.isEmpty())
        before << storedDayOf(m_fin.current().rowId);
    // After the delete the current record is another row, which did not change: re-reading its
    // day as well is harmless.
    writeOneRow(before, [this] { m_fin.remove(); });
}

} // namespace entries
