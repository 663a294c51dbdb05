// Money as whole centavos. Every amount of the books (entries, budget, assets) is carried in this
// type and stored as INTEGER centavos, so sums are exact; converting from a floating value is an
// explicit, named step that rounds half away from zero.
#pragma once

#include "error.h"

#include <QString>
#include <QtGlobal>

#include <compare>
#include <optional>

namespace app {

class Money
{
public:
    constexpr Money() = default;
    static constexpr Money fromCentavos(qint64 c) { return Money(c); }
    static constexpr Money fromReais(qint64 r)
    {
        qint64 c = 0;
        if (__builtin_mul_overflow(r, 100, &c))
            overflow();
        return Money(c);
    }
    // Rounds half away from zero to the centavo: 0.005 gives 0.01, -0.005 gives -0.01.
    static Money fromDouble(long double reais);

    constexpr qint64 centavos() const { return m_c; }
    long double toLongDouble() const { return static_cast<long double>(m_c) / 100.0L; }
    double toDouble() const { return static_cast<double>(m_c) / 100.0; }
    constexpr bool isZero() const { return m_c == 0; }
    constexpr Money abs() const { return m_c < 0 ? -*this : *this; }

    // The arithmetic is exact or throws app::Error: a sum beyond 64 bits never wraps into a
    // wrong figure.
    constexpr Money operator+(Money o) const
    {
        qint64 c = 0;
        if (__builtin_add_overflow(m_c, o.m_c, &c))
            overflow();
        return Money(c);
    }
    constexpr Money operator-(Money o) const
    {
        qint64 c = 0;
        if (__builtin_sub_overflow(m_c, o.m_c, &c))
            overflow();
        return Money(c);
    }
    constexpr Money operator-() const { return Money() - *this; }
    Money &operator+=(Money o) { return *this = *this + o; }
    Money &operator-=(Money o) { return *this = *this - o; }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(qint64 c) : m_c(c) {}
    [[noreturn]] static void overflow();
    qint64 m_c = 0;
};

// The largest amount one entry may hold: 999.999.999,99. Ten million entries of that size sum
// to about 10^18 centavos, which still fits in a qint64 (about 9.2 x 10^18), so no balance,
// total or report sum over a book can overflow.
inline constexpr qint64 kMaxAmountCentavos = 99'999'999'999;

// True when |centavos| is at most kMaxAmountCentavos.
constexpr bool amountInRange(qint64 centavos)
{
    return centavos >= -kMaxAmountCentavos && centavos <= kMaxAmountCentavos;
}

// "O maior valor aceito para um lançamento é 999.999.999,99.": the one wording of the maximum,
// for every place that refuses a larger amount.
QString maxAmountText();

} // namespace app
