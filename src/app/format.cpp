#include "format.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace app {

namespace {

struct Pattern
{
    int minIntDigits = 0;
    int decimals = 0;    // digits after the point, '0' and '#'
    int minDecimals = 0; // the '0' ones
    bool grouping = false;
};

Pattern parsePattern(const QString &p)
{
    Pattern r;
    const int dot = p.indexOf('.');
    const QString ip = dot < 0 ? p : p.left(dot);
    const QString dp = dot < 0 ? QString() : p.mid(dot + 1);
    r.grouping = ip.contains(',');
    r.minIntDigits = int(ip.count('0'));
    for (QChar c : dp) {
        if (c == '0') {
            ++r.decimals;
            ++r.minDecimals;
        } else if (c == '#') {
            ++r.decimals;
        }
    }
    return r;
}

QString group(const QString &digits)
{
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += kThousandSeparator;
        out += digits[i];
    }
    return out;
}

// Lays out an exact decimal given as integer digits of |value| * 10^decimals.
QString layout(bool negative, QString scaled, const Pattern &p)
{
    while (scaled.size() <= p.decimals)
        scaled.prepend('0');
    QString ip = scaled.left(scaled.size() - p.decimals);
    QString dp = scaled.mid(scaled.size() - p.decimals);
    while (dp.size() > p.minDecimals && dp.endsWith('0'))
        dp.chop(1);
    while (ip.size() > 1 && ip.startsWith('0'))
        ip.remove(0, 1);
    if (ip == "0" && p.minIntDigits == 0 && !dp.isEmpty())
        ip.clear();
    while (ip.size() < p.minIntDigits)
        ip.prepend('0');
    if (p.grouping)
        ip = group(ip);
    QString out = ip;
    if (!dp.isEmpty())
        out += kDecimalSeparator + dp;
    // A loop, not a regular expression: a ledger report formats tens of thousands of amounts.
    const bool allZero =
        std::none_of(scaled.cbegin(), scaled.cend(), [](QChar c) { return c >= '1' && c <= '9'; });
    return negative && !allZero ? '-' + out : out;
}

} // namespace

QString formatNumber(long double value, const QString &pattern)
{
    if (!std::isfinite(value))
        return QString();
    const Pattern p = parsePattern(pattern);
    const bool negative = value < 0;
    long double scaled = std::fabs(value) * std::pow(10.0L, p.decimals);
    // Half away from zero, with a small allowance for binary representations of decimals.
    scaled = std::floor(scaled + 0.5L + 1e-9L + scaled * 1e-15L);
    // Printed rather than cast, so values beyond 64 bits keep their digits.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0Lf", scaled);
    return layout(negative, QString::fromLatin1(buf), p);
}

QString formatMoney(Money m, const QString &pattern)
{
    const Pattern p = parsePattern(pattern);
    if (p.decimals < 2)
        return formatNumber(m.toLongDouble(), pattern);
    const qint64 c = m.centavos();
    QString scaled = QString::number(c < 0 ? -c : c) + QString(p.decimals - 2, '0');
    return layout(c < 0, scaled, p);
}

QString formatGeneral(long double value)
{
    if (value == 0)
        return "0";
    QString s = QString::number(
        double(value), 'f',
        15 - 1 - std::max(0, int(std::floor(std::log10(std::fabs(double(value)))))));
    if (s.contains('.')) {
        while (s.endsWith('0'))
            s.chop(1);
        if (s.endsWith('.'))
            s.chop(1);
    }
    s.replace('.', kDecimalSeparator);
    return s == "-0" ? "0" : s;
}

QString formatPlain(Money m)
{
    return formatMoney(m, "0.##");
}

std::optional<Money> parseMoney(const QString &text)
{
    static const QRegularExpression re("^\\s*([-+]?)(\\d*)(?:,(\\d{0,2}))?\\s*$");
    const auto match = re.match(text);
    if (!match.hasMatch() || (match.captured(2).isEmpty() && match.captured(3).isEmpty()))
        return std::nullopt;
    const QString ip = match.captured(2);
    if (ip.size() > 15)
        return std::nullopt;
    const qint64 reais = ip.isEmpty() ? 0 : ip.toLongLong();
    const qint64 cents = (match.captured(3) + "00").left(2).toLongLong();
    const qint64 c = reais * 100 + cents;
    return Money::fromCentavos(match.captured(1) == "-" ? -c : c);
}

std::optional<long double> parseDecimal(const QString &text)
{
    QString t = text.trimmed();
    t.replace(kDecimalSeparator, '.');
    static const QRegularExpression re("^[-+]?(\\d+\\.?\\d*|\\.\\d+)$");
    if (!re.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return static_cast<long double>(v);
}

} // namespace app
