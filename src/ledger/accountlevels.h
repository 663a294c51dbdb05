// What every account list of the books builds the same way: the chart as the lists read it, the
// title (level 2) and group (level 1) rows summing the level-3 rows, and the rule for a reduced
// code the chart lacks ("G.??.??", counted in its group but in no title). The trial balance, the
// year map and the budget all place their rows through these, so a missing account reads alike
// everywhere and never stops a computation.
#pragma once

#include "book.h"

#include <app/money.h>

#include <QHash>
#include <QString>

#include <vector>

namespace ledger {

// The group of a reduced code by its range: below 100 cash (0), below 200 income (1), else
// expenses (2).
int groupOfCodRed(int codRed);

// The code shown for a reduced code the chart lacks: its group digit and ".??.??". It sorts after
// every real code of its group, so the row sits at the end of the group it is counted in.
QString missingCode(int codRed);
QString missingTitle(); // "Conta não cadastrada no Plano de Contas"

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
// The title (level 2) and group (level 1) rows summing `leaves`, in code order; a missing
// account counts in its group but in no title. Rows exist only where leaves exist below them.
std::vector<LevelRow> levelRows(const std::vector<Leaf> &leaves);

// The chart as the account lists read it, in one statement.
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

// The row of `rows` whose ExtCta is `code`, ignoring case; null when there is none.
template <class Row> const Row *findByCode(const std::vector<Row> &rows, const QString &code)
{
    for (const Row &r : rows)
        if (r.ExtCta.compare(code, Qt::CaseInsensitive) == 0)
            return &r;
    return nullptr;
}

} // namespace ledger
