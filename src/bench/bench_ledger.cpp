// Trial balance, statement, ledger and year map timings on the generated ten-year book: a month
// and a year of the trial balance with its level rows, one account's statement for a year, the
// ledger of all accounts for a year (what the all-statements print reads) and the year map.
#include "bench.h"
#include "bookgen.h"

#include <ledger/statements.h>
#include <ledger/trialbalance.h>
#include <ledger/yearmap.h>

#include <data/UDM.h>

#include <QDir>

namespace bench {

void runLedgerBench(const Options &o)
{
    const QDate end(2026, 12, 31);
    const QString dir = o.workDir + "/bookLedger";
    QDir().mkpath(dir);
    generateBook(dir, o.entries, o.years, end);

    data::TDM dm;
    dm.DataModuleCreate(dir);
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
    const ledger::Book book = ledger::Book::of(dm);

    size_t sink = 0;
    report("trial balance of a month (levels included)",
           medianMs(o.repetitions,
                    [&] {
                        sink += ledger::BalView(book, {2026, 6, 1}, {2026, 6, 30}).rows.size();
                    }),
           o.repetitions);
    report("trial balance of a year (levels included)",
           medianMs(o.repetitions,
                    [&] {
                        sink += ledger::BalView(book, {2026, 1, 1}, {2026, 12, 31}).rows.size();
                    }),
           o.repetitions);
    report("statement of one account for a year",
           medianMs(
               o.repetitions,
               [&] {
                   sink += ledger::readStatement(book, 13, {2026, 1, 1}, {2026, 12, 31}, {}).size();
               }),
           o.repetitions);
    report("ledger of all accounts for a year",
           medianMs(
               o.repetitions,
               [&] {
                   sink += ledger::Ledger::build(book, {2026, 1, 1}, {2026, 12, 31}).rows().size();
               }),
           o.repetitions);
    report("year map",
           medianMs(o.repetitions, [&] { sink += ledger::BalMapaView(book, 2026).rows.size(); }),
           o.repetitions);
    if (sink == 0)
        report("(no rows: the book is empty)", 0, 0);
}

} // namespace bench
