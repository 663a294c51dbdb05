// Centres the terms and rates around the user's loan and fills the three grids with payments.
#include "termratetable.h"

#include "rounding.h"
#include "tvm.h"

#include <cmath>

namespace calc {

namespace {

// Steps the term down by step, up to 18 times, while it stays above zero.
qint64 centredTerm(qint64 a, qint64 step)
{
    for (int i = 0; i < 18; ++i)
        if (a - step > 0)
            a -= step;
    return a;
}

// The same for the rate, judged at ten decimals: 3 % less twelve steps of 0.25 % is zero, not
// the 2.6E-18 left by binary arithmetic, so the table starts at 0.25 %, not at a 0 % row.
long double centredRate(long double b, long double step)
{
    for (int i = 0; i < 18; ++i)
        if (roundHalfAway((b - step) * 1e10L) > 0)
            b -= step;
    return b;
}

// Rates are matched as shown to ten decimals, so the binary error of the repeated steps does
// not hide the loan's own rate.
bool sameRate(long double a, long double b)
{
    return roundHalfAway(a * 1e10L) == roundHalfAway(b * 1e10L);
}

void setHeaders(TermRateTable &table, qint64 a, qint64 deltaN, long double b, long double deltaR)
{
    for (TermRateTable::Grid *g : {&table.prestacoes, &table.montantePago, &table.totalJuros}) {
        (*g)[0][0] = 0;
        for (int j = 1; j < TermRateTable::kSize; ++j)
            (*g)[0][j] = static_cast<long double>(a + (j - 1) * deltaN);
        for (int i = 1; i < TermRateTable::kSize; ++i)
            (*g)[i][0] = b + (i - 1) * deltaR;
    }
}

void findOwnPosition(TermRateTable &table, long double taxa, long double nper)
{
    for (int i = 0; i < TermRateTable::kSize; ++i)
        if (sameRate(table.prestacoes[i][0], taxa / 100.0L))
            table.rateIndex = i;
    for (int j = 0; j < TermRateTable::kSize; ++j)
        if (table.prestacoes[0][j] == nper)
            table.termIndex = j;
}

} // namespace

TermRateTable buildTermRateTable(const MatFinPrm &loan)
{
    const qint64 nper = std::llround(loan.NPer.value_or(0.0));
    const qint64 deltaN = std::llround(loan.IncNPer.value_or(0.0));
    const long double taxa = loan.Taxa.value_or(0.0);
    const long double deltaR = static_cast<long double>(loan.IncTaxa.value_or(0.0)) / 100.0L;
    const long double pv = loan.PV.value_or(0.0);
    const int t = timingOf(loan);
    TermRateTable table;
    setHeaders(table, centredTerm(nper, deltaN), deltaN, centredRate(taxa / 100.0L, deltaR),
               deltaR);
    for (int i = 1; i < TermRateTable::kSize; ++i) {
        const long double rate = table.prestacoes[i][0];
        for (int j = 1; j < TermRateTable::kSize; ++j) {
            const qint64 m = static_cast<qint64>(table.prestacoes[0][j]);
            const long double p = -Payment(rate, m, pv, 0, t);
            table.prestacoes[i][j] = p;
            table.montantePago[i][j] = m * p;
            table.totalJuros[i][j] = m * p - pv;
        }
    }
    findOwnPosition(table, taxa, loan.NPer.value_or(0.0));
    return table;
}

} // namespace calc
