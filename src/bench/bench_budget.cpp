// Budget timings on the generated ten-year book with a budget for every month (each generated
// from the month's own realised values): the budget screen's month (every account, the level
// rows, the totals and the view) and a month generated from another month's realised values.
#include "bench.h"
#include "bookgen.h"

#include <budget/generation.h>
#include <budget/orcview.h>

#include <data/UDM.h>

#include <QDir>

namespace bench {

void runBudgetBench(const Options &o)
{
    const QDate end(2026, 12, 31);
    const QString dir = o.workDir + "/bookBudget";
    QDir().mkpath(dir);
    generateBook(dir, o.entries, o.years, end);

    data::TDM dm;
    dm.DataModuleCreate(dir);
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
    const budget::BudgetBook b = budget::BudgetBook::of(dm);
    for (QDate m(end.year() - o.years + 1, 1, 1); m <= end; m = m.addMonths(1))
        budget::generateMonth(b, m, budget::Source::Realised, m, {});

    size_t sink = 0;
    report("budget screen of a month (accounts, levels, totals, view)",
           medianMs(o.repetitions,
                    [&] {
                        const budget::OrcMonth m = budget::OrcView(b, {2026, 6, 1});
                        sink += budget::MudarVisualizacaoOrcamento(m.rows, ledger::Nivel::Todos,
                                                                   budget::GrupoOrc::Todas)
                                    .size();
                    }),
           o.repetitions);
    report("budget of a month generated from realised values (+5 %)",
           medianMs(o.repetitions,
                    [&] {
                        budget::generateMonth(b, {2026, 7, 1}, budget::Source::Realised,
                                              {2026, 6, 1}, budget::Factor{50000});
                        sink += 1;
                    }),
           o.repetitions);
    if (sink == 0)
        report("(no rows: the book is empty)", 0, 0);
}

} // namespace bench
