// The five balances of the cash accounts for the working period (SlAnt, SlReceita, SlDespesa,
// SlAtu, SlHoje) and the writes of single entries that keep their cache exact. Reads the entries
// table only; the period is period.h's and the labels that show the figures saldolabels.h's.
#pragma once

#include <app/money.h>

#include <QDate>
#include <QString>

#include <vector>

namespace data {
class TDM;
}

namespace entries {

struct Saldos
{
    app::Money SlAnt;     // cash balance before DtIni
    app::Money SlReceita; // income of the period (entries whose origin is not a cash account)
    app::Money SlDespesa; // minus the expenses of the period (destination not a cash account)
    app::Money SlAtu;     // SlAnt + SlReceita + SlDespesa: the cash balance at DtFim
    app::Money SlHoje;    // cash balance up to and including today
};
const Saldos &saldos();

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

// Recomputes saldos() from dm.TbFin's file for period().DtIni..DtFim and app::today(). Day totals
// are cached and reused while nothing was written on the connection since they were read (the
// connection's change counter), for the same file, and while TbFin stayed open. Throws
// app::StorageError when the table cannot be read; saldos() is then unchanged.
void CalcularSaldos(data::TDM &dm);

// Post (respectively delete) the current record of dm.TbFin exactly as Table::post()/remove() do,
// throwing what they throw. When that one row is the only write since the cache was read, the
// cache is brought up to date by re-reading the days it touched, so the next CalcularSaldos does
// not read the whole table again. Neither recomputes saldos().
void postEntry(data::TDM &dm);
void removeEntry(data::TDM &dm);

// Drops the cached day totals (the next CalcularSaldos reads the whole table).
void invalidateSaldosCache();

} // namespace entries
