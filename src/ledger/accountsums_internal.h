// Shared by trialbalance.cpp and yearmap.cpp (this folder only): the one grouped scan of the
// entries table that both read and the chart as the two need it. The levels and the rule for an
// account whose reduced code the chart lacks are public (accountlevels.h): the budget uses them.
#pragma once

#include "accountlevels.h"
#include "book.h"
#include "trialbalance.h"

#include <app/money.h>

#include <QDate>
#include <QHash>
#include <QString>

#include <map>
#include <vector>

namespace ledger::internal {

struct Side
{
    app::Money deb, cred;
    bool seen = false; // at least one entry counted here
};

// What one reduced code collected. `before` holds only cash accounts (codes below 100), entries
// dated before J; `open` every account from J to the day before the first column; `cols` the
// columns (the period of a trial balance, or the twelve months of a map).
struct AccountSums
{
    Side before, open;
    std::vector<Side> cols;
};

struct Scan
{
    std::map<int, AccountSums> accounts; // by reduced code, only codes above 0
    app::Money CredAnoAnt, DebAnoAnt;    // cash credits and debits before J
};

enum class Columns {
    OnePeriod, // one column: D1..D2
    Months     // twelve columns by the month of the entry; D1 must be J
};

// Entries dated up to D2, in one grouped pass over the covering index IdxSaldos.
Scan scanBook(const Book &book, const QDate &J, const QDate &D1, const QDate &D2, Columns cols);

// An account is listed when it has entries in a counted slice, except that the cash balance
// carried into J counts only when it is not zero; a cash account with only a zero carried
// balance is not listed. Drops the zero carried balances and returns whether it is listed.
bool settleCarried(int cta, AccountSums &s);

// The rows of `all` in the view of the two choosers, in order.
template <class Row> std::vector<Row> inViewRows(const std::vector<Row> &all, Nivel n, Grupo g)
{
    std::vector<Row> out;
    for (const Row &r : all)
        if (inView(r.ExtCta, r.Nv, n, g))
            out.push_back(r);
    return out;
}

} // namespace ledger::internal
