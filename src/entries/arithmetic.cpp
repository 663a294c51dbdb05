#include "arithmetic.h"

#include <app/format.h>

#include <QStringList>

#include <cmath>

namespace entries {

QString expressionErrorMessage()
{
    return "Erro na expressão aritmética ou divisão por zero.\r\nNa expressão, são aceitos apenas "
           "números,\r\nvírgula (,) como separador decimal e as\r\noperações aritméticas "
           "(+,-,*,/).";
}

static bool isOperator(QChar c)
{
    return c == '+' || c == '-' || c == '*' || c == '/';
}

// The terms of the expression, each starting with its operator; empty on a scanning error.
static std::optional<QStringList> scanTerms(const QString &text)
{
    QStringList terms;
    QString term;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isOperator(c)) {
            if (i == 0 && (c == '*' || c == '/'))
                return std::nullopt;
            if (i > 0)
                terms << term;
            term = c;
        } else if ((c >= '0' && c <= '9') || c == app::kDecimalSeparator) {
            if (term.isEmpty())
                term = "+";
            term += c;
        } else {
            return std::nullopt;
        }
    }
    if (!term.isEmpty())
        terms << term;
    return terms;
}

std::optional<long double> evaluateExpression(const QString &text)
{
    const auto terms = scanTerms(text);
    if (!terms || terms->isEmpty())
        return std::nullopt;
    long double result = 0;
    for (const QString &t : *terms) {
        const QString digits = t.mid(1);
        const auto n = digits.isEmpty() ? std::nullopt : app::parseDecimal(digits);
        if (!n)
            return std::nullopt;
        switch (t[0].toLatin1()) {
        case '+':
            result += *n;
            break;
        case '-':
            result -= *n;
            break;
        case '*':
            result *= *n;
            break;
        default:
            if (*n == 0)
                return std::nullopt;
            result /= *n;
        }
    }
    if (!std::isfinite(result))
        return std::nullopt;
    return result;
}

std::optional<QString> expressionResultProblem(long double value)
{
    // Compared before rounding as well, so that no huge value reaches the centavo conversion.
    if (std::fabs(value) < 1e10L && app::amountInRange(app::Money::fromDouble(value).centavos()))
        return std::nullopt;
    return "O resultado da expressão está acima do máximo permitido para o \"Valor\"!\r\n" +
           app::maxAmountText();
}

QString expressionResultText(long double value)
{
    return app::formatNumber(value, "0.00");
}

} // namespace entries
