#include "money.h"

#include "format.h"

#include <cmath>

namespace app {

Money Money::fromDouble(long double reais)
{
    // Round the centavo value half away from zero; a tiny epsilon absorbs the binary error of
    // values such as 1.005 that are meant as exact decimals.
    const long double c = reais * 100.0L;
    const long double r = c < 0 ? -std::floor(-c + 0.5L + 1e-9L) : std::floor(c + 0.5L + 1e-9L);
    // 2^63, exact in a long double: beyond it no qint64 holds the value.
    if (!(std::fabs(r) < 9223372036854775808.0L))
        overflow();
    return Money(static_cast<qint64>(r));
}

void Money::overflow()
{
    QUORVILA_THROW(Error, "O resultado de um cálculo com valores excede o maior número que o "
                          "programa consegue representar.\r\nVerifique os valores dos "
                          "lançamentos. " +
                              maxAmountText());
}

QString maxAmountText()
{
    return "O maior valor aceito para um lançamento é " +
           formatMoney(Money::fromCentavos(kMaxAmountCentavos)) + ".";
}

} // namespace app
