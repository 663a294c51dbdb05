// The time-value-of-money functions in long double: closed forms through log1p/expm1, and a
// bracketed Newton solve for the rate on the normalised cash flow.
#include "tvm.h"

#include "rounding.h"

#include <cmath>
#include <utility>

namespace calc {

namespace {

// Above this compound factor the future value is refused and the present value and payment use
// their limits: the exact formulas then differ from the limits by less than 1E-16.
constexpr long double kMaxCompound = 1e16L;

[[noreturn]] void fail(const char *function)
{
    throw CalcError(function, __FILE__, __LINE__);
}

void checkRateAndTiming(long double r, int t, const char *function)
{
    if (!(r > -1.0L) || !std::isfinite(r) || (t != 0 && t != 1))
        fail(function);
}

long double finiteOrFail(long double v, const char *function)
{
    if (!std::isfinite(v))
        fail(function);
    return v;
}

struct Factors
{
    long double C; // (1 + r)^n
    long double A; // annuity factor, timing included
};

// log1p/expm1 keep full precision at tiny rates, where (C - 1) / r would cancel; at r = 0 the
// factors are exact and the start-of-period adjustment is void.
Factors factors(long double r, qint64 n, int t)
{
    if (r == 0)
        return {1.0L, static_cast<long double>(n)};
    const long double l = static_cast<long double>(n) * std::log1p(r);
    long double a = std::expm1(l) / r;
    if (t == 1)
        a *= 1.0L + r;
    return {std::exp(l), a};
}

} // namespace

long double FutureValue(long double r, qint64 n, long double pmt, long double pv, int t)
{
    constexpr const char *fn = "FutureValue";
    checkRateAndTiming(r, t, fn);
    const Factors f = factors(r, n, t);
    if (f.C > kMaxCompound)
        fail(fn);
    return finiteOrFail(-pmt * f.A - pv * f.C, fn);
}

long double PresentValue(long double r, qint64 n, long double pmt, long double fv, int t)
{
    constexpr const char *fn = "PresentValue";
    checkRateAndTiming(r, t, fn);
    const Factors f = factors(r, n, t);
    if (f.C > kMaxCompound)
        return finiteOrFail(-pmt * (1.0L + r * t) / r, fn);
    return finiteOrFail((-pmt * f.A - fv) / f.C, fn);
}

long double Payment(long double r, qint64 n, long double pv, long double fv, int t)
{
    constexpr const char *fn = "Payment";
    checkRateAndTiming(r, t, fn);
    const Factors f = factors(r, n, t);
    if (f.C > kMaxCompound)
        return finiteOrFail(-pv * r / (1.0L + r * t), fn);
    if (f.A == 0)
        fail(fn);
    return finiteOrFail((-pv * f.C - fv) / f.A, fn);
}

long double NumberOfPeriods(long double r, long double pmt, long double pv, long double fv, int t)
{
    constexpr const char *fn = "NumberOfPeriods";
    checkRateAndTiming(r, t, fn);
    const long double f = pmt * (1.0L + r * t) + pv * r;
    if (f == 0 || !std::isfinite(f))
        fail(fn);
    if (r == 0)
        return finiteOrFail(-(fv + pv) / f, fn);
    // (1 + r)^N = 1 + x; log1p keeps tiny rates exact instead of a first-order series.
    const long double x = -r * (fv + pv) / f;
    if (!(x > -1.0L))
        fail(fn);
    return finiteOrFail(std::log1p(x) / std::log1p(r), fn);
}

// ---- InterestRate ---------------------------------------------------------------------------
//
// The flows, discounted to time 0 with v = 1 / (1 + r) = e^y, read
//     first + p * (v + v^2 + ... + v^(m-1)) + last * v^m = 0.
// Normalised, first < 0 and p, last >= 0, so F(y) = p * sum + last * v^m grows with y and
// g(y) = ln F(y) - ln(-first) is convex with slope g' = (weighted mean of the powers) in
// [kMin, kMax]: the root is unique, Newton from any point lands at or right of it, and
// |root| lies within [|g(0)| / kMax, |g(0)| / kMin], which brackets it for a bisection fallback.

namespace {

struct Flow
{
    long double first = 0;
    long double p = 0;    // at times 1 .. m-1
    long double last = 0; // at time m
    qint64 m = 0;
    bool reversed = false; // time runs backwards: the root gives 1 + r = e^y instead of e^-y

    bool hasMiddle() const { return m >= 2 && p > 0; }
    qint64 kMin() const { return hasMiddle() ? 1 : m; }
    qint64 kMax() const { return last > 0 ? m : m - 1; }
};

struct Eval
{
    long double g = 0;
    long double slope = 0;
};

// Sums term by term, each term scaled by e^(-s*y) with s the top power for y >= 0 and the bottom
// one for y < 0, so every factor is at most 1: no overflow at any y, and no closed-form
// cancellation near y = 0.
Eval evaluate(const Flow &f, long double y, long double lnTarget)
{
    long double sum = 0, moment = 0;
    auto add = [&](long double c, qint64 k, long double w) {
        sum += c * w;
        moment += static_cast<long double>(k) * c * w;
    };
    qint64 s;
    if (y >= 0) {
        s = f.kMax();
        const long double q = std::exp(-y);
        long double w = 1;
        if (f.last > 0) {
            add(f.last, f.m, w);
            w *= q;
        }
        for (qint64 k = f.m - 1; f.hasMiddle() && k >= 1 && w > 0; --k, w *= q)
            add(f.p, k, w);
    } else {
        s = f.kMin();
        const long double q = std::exp(y);
        long double w = 1;
        if (f.hasMiddle())
            for (qint64 k = 1; k <= f.m - 1; ++k, w *= q)
                add(f.p, k, w);
        if (f.last > 0)
            add(f.last, f.m, w);
    }
    return {std::log(sum) + static_cast<long double>(s) * y - lnTarget, moment / sum};
}

// Builds the normalised flow, or returns false when it has no rate.
bool normalise(qint64 n, long double pmt, long double pv, long double fv, int t, Flow &f)
{
    f.m = n;
    f.p = pmt;
    f.first = t == 0 ? pv : pv + pmt;
    f.last = t == 0 ? fv + pmt : fv;
    if (f.first == 0) {
        // A zero flow at time 0 is a factor v of the equation: the rate is that of the flows
        // from time 1 on.
        if (f.m == 1)
            return false;
        f.first = f.p;
        f.m -= 1;
    }
    if (f.m == 1)
        f.p = 0;
    f.reversed = f.first * f.p > 0;
    if (f.reversed)
        std::swap(f.first, f.last);
    if (f.first > 0) {
        f.first = -f.first;
        f.p = -f.p;
        f.last = -f.last;
    }
    return f.first != 0 && f.last >= 0 && (f.hasMiddle() || f.last > 0);
}

// Converged when the step is below the long double noise of g (about 1E-19 absolute).
bool closeEnough(long double delta, long double y)
{
    return std::fabs(delta) <= 1e-18L + 1e-16L * std::fabs(y);
}

long double solveRoot(const Flow &f, const char *fn)
{
    const long double lnTarget = std::log(-f.first);
    Eval e = evaluate(f, 0, lnTarget);
    if (!std::isfinite(e.g))
        fail(fn);
    if (e.g == 0)
        return 0;
    const long double a = -e.g / static_cast<long double>(f.kMin());
    const long double b = -e.g / static_cast<long double>(f.kMax());
    const long double widen = 1e-12L * (1.0L + std::fabs(a) + std::fabs(b));
    long double lo = std::fmin(a, b) - widen, hi = std::fmax(a, b) + widen;
    long double y = 0;
    for (int iter = 0; iter < 300; ++iter) {
        long double next = y - e.g / e.slope;
        if (!(next > lo && next < hi))
            next = lo + (hi - lo) / 2;
        const long double step = next - y;
        y = next;
        e = evaluate(f, y, lnTarget);
        if (!std::isfinite(e.g))
            fail(fn);
        if (e.g == 0)
            return y;
        (e.g < 0 ? lo : hi) = y;
        if (closeEnough(step, y) || closeEnough(hi - lo, y))
            return y;
    }
    fail(fn);
}

} // namespace

long double InterestRate(qint64 n, long double pmt, long double pv, long double fv, int t)
{
    constexpr const char *fn = "InterestRate";
    if (n < 1 || (t != 0 && t != 1) || !std::isfinite(pmt) || !std::isfinite(pv) ||
        !std::isfinite(fv))
        fail(fn);
    if (pmt == 0 && pv == 0 && fv == 0)
        fail(fn);
    // Money is in whole cents: flows that add up to zero there are an interest-free plan.
    const long double undiscounted = pv + static_cast<long double>(n) * pmt + fv;
    if (std::isfinite(undiscounted) && wholeCents(undiscounted) == 0)
        return 0;
    Flow f;
    if (!normalise(n, pmt, pv, fv, t, f))
        fail(fn);
    const long double y = solveRoot(f, fn);
    const long double r = f.reversed ? std::expm1(y) : std::expm1(-y);
    if (!(r > -1.0L) || !std::isfinite(r))
        fail(fn);
    return r;
}

long double annualRatePercent(long double monthlyPercent)
{
    return std::expm1(12.0L * std::log1p(monthlyPercent / 100.0L)) * 100.0L;
}

} // namespace calc
