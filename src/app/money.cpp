#include "money.h"

#include <cmath>

namespace app {

Money Money::fromDouble(long double reais)
{
    // Round the centavo value half away from zero; a tiny epsilon absorbs the binary error of
    // values such as 1.005 that are meant as exact decimals.
    const long double c = reais * 100.0L;
    const long double r = c < 0 ? -std::floor(-c + 0.5L + 1e-9L) : std::floor(c + 0.5L + 1e-9L);
    return Money(static_cast<qint64>(r));
}

} // namespace app
