// The five balances of the cash accounts for the working period (SlAnt, SlReceita, SlDespesa,
// SlAtu, SlHoje), read from the entries' kept totals, and the writes of single entries. Reads the
// entries file only; the period is period.h's, the object that
// holds both session.h's, and the labels that show the figures saldolabels.h's.
#pragma once

#include <app/money.h>

#include <QDate>
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

// The figures of one user's entries table. An open table whose file holds its kept totals
// (data/fintotals.h, checked and mended at sign-in by TDM::OpenUserFiles) is read through them:
// the months before each date from the totals, the days of its own month from the entries, so a
// figure costs the same whatever the size of the book and is exact after any write, since the
// totals are written in the same transaction as the entries. A closed table, or a file without
// totals, is read day by day.
//
// Owns nothing of the data module: `db` and `tbFin` (the connection and the entries table object
// of the same TDM) must outlive every call. Not copyable.
class BalanceCache
{
public:
    BalanceCache(data::Database &db, data::Table &tbFin);
    ~BalanceCache();
    BalanceCache(const BalanceCache &) = delete;
    BalanceCache &operator=(const BalanceCache &) = delete;

    // The figures of the last CalcularSaldos; all zero before the first.
    const Saldos &saldos() const { return m_saldos; }

    // Recomputes saldos() from the table's file for p.DtIni..p.DtFim and app::today(). Throws
    // app::StorageError when the table cannot be read, and app::Error when it holds an amount
    // beyond app::kMaxAmountCentavos; saldos() is then unchanged.
    void CalcularSaldos(const Period &p);

    // Post (respectively delete) the current record of the table exactly as Table::post()/
    // remove() do, throwing what they throw; the kept totals follow in the same statement.
    // Neither recomputes saldos().
    void postEntry();
    void removeEntry();

    // For callers that wrote behind the table object's back: nothing but the figures is kept
    // between calls, and every CalcularSaldos reads the file, so there is nothing to drop.
    void invalidate() {}

private:
    DayTotals before(const QDate &d) const;
    Saldos fromKeptTotals(const QDate &dtIni, const QDate &dtFim, const QDate &today) const;

    data::Database &m_db;
    data::Table &m_fin;
    Saldos m_saldos;
};

} // namespace entries
