// Timings of the calculator engine: the term-and-rate table (37 x 37 payments) and a 360-row
// loan schedule, each built whole from a parameter row as the loan tab does. Target: < 5 ms each.
#include "bench.h"

#include <calc/schedule.h>
#include <calc/termratetable.h>

#include <QDate>

namespace bench {

static calc::MatFinPrm benchLoan()
{
    calc::MatFinPrm row = calc::defaultMatFinPrm(calc::MatFinTab::Emprestimo, QDate(2025, 1, 31));
    row.PV = 300000;
    row.NPer = 360;
    row.Taxa = 0.9;
    row.Prestacao = 2413.86;
    row.Renda = 12000;
    return row;
}

void runCalcBench(const Options &o)
{
    const calc::MatFinPrm loan = benchLoan();
    volatile long double sink = 0;
    const double tableMs = medianMs(o.repetitions, [&] {
        const calc::TermRateTable t = calc::buildTermRateTable(loan);
        sink = sink + t.prestacoes[19][19];
    });
    report(QStringLiteral("calc: term-and-rate table 37x37"), tableMs, o.repetitions);
    const double scheduleMs = medianMs(o.repetitions, [&] {
        const calc::LoanSchedule s = calc::buildLoanSchedule(loan);
        sink = sink + s.totalInterest;
    });
    report(QStringLiteral("calc: loan schedule 360 rows"), scheduleMs, o.repetitions);
}

} // namespace bench
