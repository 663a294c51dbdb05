// quorvila-bench: builds a generated book and prints median timings of the operations that must
// feel instant. A program of the build, never a test: nothing here fails on a timing.
#include "bench.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <utility>
#include <vector>

namespace bench {

double medianMs(int reps, const std::function<void()> &work)
{
    std::vector<double> t;
    for (int i = 0; i < reps; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        t.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

void report(const QString &name, double ms, int reps)
{
    QTextStream(stdout) << name << ": median " << QString::number(ms, 'f', 3) << " ms (" << reps
                        << " runs)\n";
}

} // namespace bench

int main(int argc, char **argv)
{
    // The main-window timings need widgets, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::Options o;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "--entries")
            o.entries = args[i + 1].toInt();
        else if (args[i] == "--years")
            o.years = args[i + 1].toInt();
        else if (args[i] == "--reps")
            o.repetitions = args[i + 1].toInt();
        else if (args[i] == "--only")
            o.only = args[i + 1];
    }
    QTemporaryDir dir;
    o.workDir = dir.path();
    const std::pair<const char *, void (*)(const bench::Options &)> parts[] = {
        {"calc", bench::runCalcBench},     {"ofx", bench::runOfxBench},
        {"data", bench::runDataBench},     {"entries", bench::runEntriesBench},
        {"ledger", bench::runLedgerBench}, {"budget", bench::runBudgetBench},
        {"main", bench::runMainBench},     {"reports", bench::runReportsBench},
        {"help", bench::runHelpBench},     {"search", bench::runSearchBench},
        {"users", bench::runUsersBench},   {"assets", bench::runAssetsBench}};
    for (const auto &[name, run] : parts)
        if (o.only.isEmpty() || o.only == name)
            run(o);
    return 0;
}
