// The one number formatter of the program: the "#,##0.00"-style patterns the screens, reports and
// listings use, always with the Brazilian separators ("." thousands, "," decimals) whatever the
// host locale, rounding half away from zero; and the reading of typed amounts.
#pragma once

#include "money.h"

#include <QString>

#include <optional>

namespace app {

inline constexpr QChar kDecimalSeparator = ',';
inline constexpr QChar kThousandSeparator = '.';

// Patterns: '0' a digit always shown, '#' a digit shown when significant, ',' grouping by
// thousands, '.' the decimal point ("#,##0.00", "000000", "0000", "#,##0.000000", "00").
// A value that is not finite gives an empty text.
QString formatNumber(long double value, const QString &pattern);
QString formatMoney(Money m, const QString &pattern = "#,##0.00");
// The "general" format: at most 15 significant digits, no exponent, no grouping ("1234,5").
QString formatGeneral(long double value);
// A plain number for CSV cells: decimal comma, no grouping, no trailing zeros ("-1234,5").
QString formatPlain(Money m);

// Reads an amount typed in the Brazilian form: digits with an optional "," and at most two
// decimals, optionally signed; no thousands separator. Empty optional when it does not convert.
std::optional<Money> parseMoney(const QString &text);
// Reads a decimal number with "," (or ".") as separator; empty optional when it does not convert.
std::optional<long double> parseDecimal(const QString &text);

} // namespace app
