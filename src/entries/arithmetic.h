// The small arithmetic of the amount box: "2+3*4" worked from left to right, without operator
// precedence, over numbers with a decimal comma. Plain text in, a number or nothing out.
#pragma once

#include <QString>

#include <optional>

namespace entries {

// The message shown for every expression that cannot be worked out.
QString expressionErrorMessage();

// Scans `text` into terms (an operator + - * / followed by a number; a first term without an
// operator is added) and applies them in order to a result starting at 0. Empty when the text
// holds anything else (blanks included), starts with * or /, has a term without a number or a
// number that does not convert, divides by zero, or yields a result that is not finite.
std::optional<long double> evaluateExpression(const QString &text);

// The message for a result the amount field cannot take (beyond app::kMaxAmountCentavos once
// rounded to the centavo); empty when it can.
std::optional<QString> expressionResultProblem(long double value);

// The result as the amount field takes it: rounded to two decimals, decimal comma ("20,00").
QString expressionResultText(long double value);

} // namespace entries
