// The benchmark program's tiny harness: time a piece of work several times and print the median.
// Each folder contributes one run function; main() calls them in order.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace bench {

struct Options
{
    int entries = 100000; // size of the generated book
    int years = 10;       // --years: the span the entries are spread over
    int repetitions = 15;
    QString workDir; // scratch directory for generated data
    QString only;    // with --only NAME, just that part: calc, ofx, data, entries, ledger, budget,
                     // main, reports, help, search, users or assets
};

// Runs work `reps` times and returns the median wall time in milliseconds.
double medianMs(int reps, const std::function<void()> &work);
// Prints one line "name: median X ms (n runs)".
void report(const QString &name, double ms, int reps);

void runDataBench(const Options &);
void runCalcBench(const Options &);
void runOfxBench(const Options &);
void runMainBench(const Options &);
void runEntriesBench(const Options &);
void runLedgerBench(const Options &);
void runBudgetBench(const Options &);
void runReportsBench(const Options &);
void runHelpBench(const Options &);
void runSearchBench(const Options &);

// A generated SGML statement of `transactions` transactions in Windows-1252 (bench_ofx.cpp).
QByteArray generatedStatement(int transactions);
void runUsersBench(const Options &);
void runAssetsBench(const Options &);

} // namespace bench
