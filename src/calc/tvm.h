// The five time-value-of-money functions of the calculators, pure and in long double. Sign
// convention: money received is positive, money paid negative, and every function satisfies
//     PV * C + PMT * A + FV = 0,  C = (1 + r)^n,  A = ((C - 1) / r) * (1 + r * t)  (A = n at r = 0)
// with r the rate per period as a fraction, n the number of periods and t the timing (0: payment
// at the end of each period, 1: at the start, "Com Entrada").
//
// Every function throws CalcError (text "Erro ao calcular. ...", function() its own name) when
// its arguments are outside its domain or the result is not a finite number; nothing else.
#pragma once

#include "calcerror.h"

#include <QtGlobal>

namespace calc {

// Fails (a) unless r > -1 and t is 0 or 1, (b) when (1 + r)^n > 1E16, (c) on a non-finite result.
long double FutureValue(long double r, qint64 n, long double pmt, long double pv, int t);

// Fails (a) unless r > -1 and t is 0 or 1, (b) on a non-finite result. When (1 + r)^n > 1E16 it
// returns the limit -PMT * (1 + r * t) / r.
long double PresentValue(long double r, qint64 n, long double pmt, long double fv, int t);

// Fails (a) unless r > -1 and t is 0 or 1, (b) when A = 0 (n = 0), (c) on a non-finite result.
// When (1 + r)^n > 1E16 it returns the limit -PV * r / (1 + r * t).
long double Payment(long double r, qint64 n, long double pv, long double fv, int t);

// The real (unrounded) number of periods. Fails (a) unless r > -1 and t is 0 or 1,
// (b) when f = PMT * (1 + r * t) + PV * r is 0, (c) when no real n exists ((1 + r)^n <= 0),
// (d) on a non-finite result.
long double NumberOfPeriods(long double r, long double pmt, long double pv, long double fv, int t);

// The rate per period (a fraction) that solves the cash-flow equation. Returns exactly 0 when the
// undiscounted flows PV + n * PMT + FV add up to zero in whole cents. Otherwise the flows are
// normalised to one outlay followed by non-negative inflows (reversing time if needed, dropping
// a leading zero flow), whose rate is unique, and solved by bracketed Newton steps.
// Fails (a) unless n >= 1 and t is 0 or 1 and the amounts are finite, (b) when the flows are all
// zero or, once normalised, have no rate (the last flow negative: two sign changes, or no inflow),
// (c) when the rate is not > -1 or not finite.
long double InterestRate(qint64 n, long double pmt, long double pv, long double fv, int t);

// Monthly to annual rate, both in percent: ((1 + monthly / 100)^12 - 1) * 100.
long double annualRatePercent(long double monthlyPercent);

} // namespace calc
