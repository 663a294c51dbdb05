// Half-away-from-zero rounding of the calculators' values.
#include "rounding.h"

#include <cmath>

namespace calc {

long double roundHalfAway(long double x)
{
    const long double a = std::fabs(x);
    const long double r = std::floor(a + 0.5L + 1e-9L + a * 1e-15L);
    return x < 0 ? -r : r;
}

long double wholeCents(long double reais)
{
    return roundHalfAway(reais * 100.0L);
}

} // namespace calc
