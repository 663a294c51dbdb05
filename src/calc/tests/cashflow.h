// Independent checks for the calculator tests: the cash-flow equation evaluated term by term
// with std::pow, sharing no code with the engine's closed forms.
#pragma once

#include <cmath>

namespace calctest {

struct Residual
{
    long double value = 0; // PV * (1 + r)^n + PMT * sum of (1 + r)^(n - k) + FV
    long double scale = 0; // the same terms in absolute value
    long double relative() const
    {
        return scale == 0 ? std::fabs(value) : std::fabs(value) / scale;
    }
};

// Each payment k (k = 1..n at the end of its period, k = 0..n-1 at the start) grows to time n.
inline Residual cashFlowResidual(long double r, long long n, long double pmt, long double pv,
                                 long double fv, int t)
{
    Residual res;
    const long double pvTerm = pv * std::pow(1.0L + r, static_cast<long double>(n));
    long double annuity = 0;
    for (long long k = 1; k <= n; ++k)
        annuity += std::pow(1.0L + r, static_cast<long double>(n - k + t));
    const long double pmtTerm = pmt * annuity;
    res.value = pvTerm + pmtTerm + fv;
    res.scale = std::fabs(pvTerm) + std::fabs(pmtTerm) + std::fabs(fv);
    return res;
}

// The same for a real number of periods, by the closed form (n need not be whole).
inline Residual cashFlowResidualReal(long double r, long double n, long double pmt, long double pv,
                                     long double fv, int t)
{
    Residual res;
    const long double c = std::pow(1.0L + r, n);
    const long double a = r == 0 ? n : (c - 1) / r * (1 + r * t);
    res.value = pv * c + pmt * a + fv;
    res.scale = std::fabs(pv * c) + std::fabs(pmt * a) + std::fabs(fv);
    return res;
}

} // namespace calctest
