// The term-and-rate table of the loan calculator: instalment, total paid and total interest of
// the user's loan amount for 37 terms by 37 rates around the user's own term and rate. Built on
// demand from the loan parameter row; holds no reference to it.
#pragma once

#include "matfinprm.h"

#include <array>

namespace calc {

struct TermRateTable
{
    static constexpr int kSize = 38; // index 0 holds the headers, 1 to 37 the figures
    using Grid = std::array<std::array<long double, kSize>, kSize>;

    // In each grid [i][0] (i = 1..37) is the i-th rate as a fraction, [0][j] (j = 1..37) the
    // j-th term in months, [0][0] = 0, and [i][j] the figure for rate i and term j.
    Grid prestacoes{};
    Grid montantePago{};
    Grid totalJuros{};

    // The loan's own position: the last rate index (0 to 37) whose rate equals Taxa / 100 to ten
    // decimals, and the last term index with term = NPer; -1 when there is none.
    int rateIndex = -1;
    int termIndex = -1;
};

// Builds the table from row 1 (NPer, IncNPer, Taxa, IncTaxa, PV, Entrada): terms and rates are
// stepped down from the loan's by IncNPer months and IncTaxa points up to 18 times while they
// stay above zero, then 37 steps up. Throws CalcError when Payment fails for some cell (only
// possible for a rate of -100 % or less, or a term of 0, from negative steps).
TermRateTable buildTermRateTable(const MatFinPrm &loan);

} // namespace calc
