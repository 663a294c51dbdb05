// Shared by trialbalance.cpp and yearmap.cpp (this folder only): the one grouped scan of the
// entries table that both read, the chart as the two need it, and the rule that places an
// account on its three levels, including an account whose reduced code the chart lacks.
#pragma once

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

// The group of a reduced code by its range: below 100 cash (0), below 200 income (1), else
// expenses (2).
int groupOfCodRed(int codRed);

struct ChartEntry
{
    QString CodCta;
    QString Descricao;
};
struct Chart
{
    QHash<int, QString> codCtaByRed;  // level-3 accounts
    QHash<QString, ChartEntry> byCod; // every account of the chart
    QHash<QString, int> redByCod;
};
Chart readChart(const Book &book);

// The code shown for a reduced code the chart lacks: its group digit and ".??.??". It sorts after
// every real code of its group, so the row sits at the end of the group it is counted in.
QString missingCode(int codRed);
QString missingTitle();

// A leaf of the level tree: a level-3 row (or a missing account) with its sums, in any number.
struct Leaf
{
    QString ExtCta;
    bool missing = false;
    std::vector<app::Money> v;
};
struct LevelRow
{
    QString ExtCta; // "G" or "G.xx"
    int Nv = 0;     // 1 or 2
    std::vector<app::Money> v;
};
// The title (level 2) and group (level 1) rows summing `leaves`; a missing account counts in its
// group but in no title. Rows exist only where leaves exist below them.
std::vector<LevelRow> levelRows(const std::vector<Leaf> &leaves);

// The row of `rows` whose ExtCta is `code`, ignoring case; null when there is none.
template <class Row> const Row *findByCode(const std::vector<Row> &rows, const QString &code)
{
    for (const Row &r : rows)
        if (r.ExtCta.compare(code, Qt::CaseInsensitive) == 0)
            return &r;
    return nullptr;
}

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
