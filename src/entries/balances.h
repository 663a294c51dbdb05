// The five balances of the cash accounts for the working period (SlAnt, SlReceita, SlDespesa,
// SlAtu, SlHoje), the cache of day totals they come from, and the writes of single entries that
// keep that cache exact. Reads the entries table only; the period is period.h's, the object that
// holds both session.h's, and the labels that show the figures saldolabels.h's.
#pragma once

#include <app/money.h>

#include <QDate>
#include <QObject>
#include <QString>

#include <vector>

namespace data {
class Database;
class Table;
} // namespace data

namespace entries {

struct Period;

struct Saldos
{
    app::Money SlAnt;     // cash balance before DtIni
    app::Money SlReceita; // income of the period (entries whose origin is not a cash account)
    app::Money SlDespesa; // minus the expenses of the period (destination not a cash account)
    app::Money SlAtu;     // SlAnt + SlReceita + SlDespesa: the cash balance at DtFim
    app::Money SlHoje;    // cash balance up to and including today
};

// One day of the entries table, as the balances read it. Cash accounts have reduced codes below
// 100, income and expense accounts above 100; the code 100 itself counts nowhere. A transfer
// between two cash accounts adds to both cash sides and so moves no balance.
struct DayTotals
{
    QString day;           // the stored date text, "yyyy-MM-dd"
    app::Money cashDebit;  // entries with CtaDeb < 100
    app::Money cashCredit; // entries with CtaCred < 100
    app::Money income;     // entries with CtaCred > 100
    app::Money expense;    // entries with CtaDeb > 100
};

// The pure part: the five figures from day totals in ascending day order.
Saldos saldosFromDays(const std::vector<DayTotals> &days, const QDate &dtIni, const QDate &dtFim,
                      const QDate &today);

// The figures of one user's entries table and the day totals behind them. The cache is exact while
// all of these hold:
//   - it was read from the table's current file (the same path);
//   - the connection's change counter has not moved since it was read, or moved only by the one
//     row that postEntry()/removeEntry() wrote and whose days they re-read;
//   - the table has not been closed since (a closed file may be replaced, e.g. by a restore).
// Any doubt leaves it invalid and the next CalcularSaldos reads the whole table again.
//
// Owns nothing of the data module: `db` and `tbFin` (the connection and the entries table object
// of the same TDM) must outlive every call; the destructor touches neither beyond dropping its
// watch on the table's state, which is safe after the table is gone. Not copyable (the watch
// points at this object).
class BalanceCache
{
public:
    BalanceCache(data::Database &db, data::Table &tbFin);
    ~BalanceCache();
    BalanceCache(const BalanceCache &) = delete;
    BalanceCache &operator=(const BalanceCache &) = delete;

    // The figures of the last CalcularSaldos; all zero before the first.
    const Saldos &saldos() const { return m_saldos; }

    // Recomputes saldos() from the table's file for p.DtIni..p.DtFim and app::today(), reusing the
    // cached day totals while they are exact. When the table is closed the file is read without
    // keeping anything. Throws app::StorageError when the table cannot be read, and app::Error
    // when it holds an amount beyond app::kMaxAmountCentavos; saldos() is then unchanged.
    void CalcularSaldos(const Period &p);

    // Post (respectively delete) the current record of the table exactly as Table::post()/
    // remove() do, throwing what they throw. When that one row is the only write since the cache
    // was read, the cache is brought up to date by re-reading the days it touched, so the next
    // CalcularSaldos does not read the whole table again. Neither recomputes saldos().
    void postEntry();
    void removeEntry();

    // Drops the cached day totals (the next CalcularSaldos reads the whole table).
    void invalidate() { m_valid = false; }

private:
    bool isCurrent() const;
    void rebuild();
    QString storedDayOf(qint64 rowId) const;
    template <typename Write> void writeOneRow(const QStringList &daysBefore, Write write);

    data::Database &m_db;
    data::Table &m_fin;
    bool m_valid = false;
    QString m_path;
    qint64 m_counter = -1;
    std::vector<DayTotals> m_days; // ascending by day
    QMetaObject::Connection m_closeWatch;
    Saldos m_saldos;
};

} // namespace entries
