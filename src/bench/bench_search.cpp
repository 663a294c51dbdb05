// Entry search, upcoming entries and the OFX import on the generated ten-year book: a text
// fragment over every entry, a month's date range, the upcoming list of the next days, and a
// 1,000-transaction statement read, tested for similar entries and imported.
#include "bench.h"
#include "bookgen.h"

#include <entries/search.h>
#include <entries/upcoming.h>
#include <ofx/importer.h>
#include <ofx/reader.h>

#include <data/UDM.h>

#include <QDir>

namespace bench {

void runSearchBench(const Options &o)
{
    const QDate end(2026, 12, 31);
    const QString dir = o.workDir + "/bookSearch";
    QDir().mkpath(dir);
    generateBook(dir, o.entries, o.years, end);

    data::TDM dm;
    dm.DataModuleCreate(dir);
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
    const QString fin = dm.TbFin->sqlName();

    size_t sink = 0;
    const auto search = [&](const entries::SearchCriteria &c) {
        sink += entries::runSearch(dm.db(), fin,
                                   std::get<entries::SearchQuery>(entries::buildSearch(c)))
                    .size();
    };
    entries::SearchCriteria text;
    text.text = "ento 42"; // any case, anywhere in Hsto or Obs
    report("search by a text fragment over all entries",
           medianMs(o.repetitions, [&] { search(text); }), o.repetitions);
    entries::SearchCriteria month;
    month.period = true;
    month.dtMin = {2026, 6, 1};
    month.dtMax = {2026, 6, 30};
    report("search by a month's date range", medianMs(o.repetitions, [&] { search(month); }),
           o.repetitions);
    report("upcoming entries of the next 5 days",
           medianMs(
               o.repetitions,
               [&] {
                   const entries::DateWindow w = entries::upcomingWindow({2026, 6, 10}, 5, false);
                   sink +=
                       entries::runSearch(dm.db(), fin,
                                          std::get<entries::SearchQuery>(entries::buildPeriodSearch(
                                              w.dtMin, w.dtMax, entries::EntryOrder::Data)))
                           .size();
               }),
           o.repetitions);

    const QByteArray statement = generatedStatement(1000);
    const ofx::Preferences prefs{13, 111, 211, true};
    const int reps = std::min(o.repetitions, 5); // each run adds 1,000 entries to the book
    report("OFX import of 1,000 transactions (read, similar test, insert)",
           medianMs(reps,
                    [&] {
                        std::vector<ofx::ImportRow> rows;
                        for (const ofx::StagingRow &r : ofx::readStatement(statement, prefs).rows)
                            rows.push_back({r});
                        ofx::markSimilar(dm.db(), fin, rows);
                        sink += ofx::importRows(dm.db(), *dm.TbFin, rows, end).count;
                    }),
           reps);
    if (sink == 0)
        qWarning("search bench: nothing found");
}

} // namespace bench
