// Text-to-value conversions for OFX leaves, with the user's conversion messages on failure.
#include "fields.h"

#include <app/controlchars.h>
#include <app/error.h>

#include <array>
#include <optional>
#include <utility>

namespace ofx {

static bool allDigits(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

QString invalidDateMessage(QStringView text)
{
    if (text.isEmpty())
        return QStringLiteral("Data ausente no arquivo OFX!");
    return QStringLiteral("Data inválida no arquivo OFX: \"%1\"!\r\nA data deve estar na forma "
                          "AAAAMMDD, com ano de %2 a %3.")
        .arg(cutToField(plainText(text), 40))
        .arg(kFirstYear)
        .arg(kLastYear);
}

QDate decodeDate(QStringView text)
{
    const QStringView digits = text.first(qMin<qsizetype>(8, text.size()));
    if (digits.size() < 8 || !allDigits(digits))
        QUORVILA_THROW(app::ConversionError, invalidDateMessage(text));
    const QDate date(digits.first(4).toInt(), digits.sliced(4, 2).toInt(),
                     digits.sliced(6, 2).toInt());
    if (!date.isValid() || date.year() < kFirstYear || date.year() > kLastYear)
        QUORVILA_THROW(app::ConversionError, invalidDateMessage(text));
    return date;
}

[[noreturn]] static void badAmount(QStringView text)
{
    QUORVILA_THROW(app::ConversionError,
                   QStringLiteral("'%1' não é um valor de ponto flutuante válido. Verifique!")
                       .arg(text.toString()));
}

// Sixteen whole digits keep every amount, times a hundred, far inside a qint64.
static constexpr qsizetype maxWholeDigits = 16;

// Centavos of an unsigned decimal "ddd[.ddd]" with "." or "," as the one separator.
static std::optional<qint64> unsignedCentavos(QStringView s)
{
    qsizetype sep = s.indexOf(u'.');
    if (sep < 0)
        sep = s.indexOf(u',');
    const QStringView whole = sep < 0 ? s : s.first(sep);
    const QStringView decimals = sep < 0 ? QStringView() : s.sliced(sep + 1);
    if (whole.isEmpty() && decimals.isEmpty())
        return std::nullopt;
    if ((!whole.isEmpty() && !allDigits(whole)) || (!decimals.isEmpty() && !allDigits(decimals)))
        return std::nullopt;
    if (whole.size() > maxWholeDigits)
        return std::nullopt;
    qint64 c = whole.isEmpty() ? 0 : whole.toLongLong() * 100;
    const auto digit = [&](qsizetype i) {
        return i < decimals.size() ? decimals[i].unicode() - u'0' : 0;
    };
    c += digit(0) * 10 + digit(1);
    if (digit(2) >= 5)
        ++c; // half away from zero: the sign is applied afterwards
    return c;
}

app::Money decodeAmount(QStringView text)
{
    QStringView s = text;
    bool negative = false;
    if (s.startsWith(u'-') || s.startsWith(u'+')) {
        negative = s.front() == u'-';
        s = s.sliced(1);
    }
    const std::optional<qint64> c = unsignedCentavos(s);
    if (!c)
        badAmount(text);
    return app::Money::fromCentavos(negative ? -*c : *c);
}

QString decodeEntities(QStringView text)
{
    static constexpr std::array<std::pair<const char16_t *, char16_t>, 5> entities{{
        {u"&amp;", u'&'},
        {u"&lt;", u'<'},
        {u"&gt;", u'>'},
        {u"&quot;", u'"'},
        {u"&apos;", u'\''},
    }};
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        bool replaced = false;
        if (text[i] == u'&') {
            for (const auto &[name, ch] : entities) {
                const QStringView n(name);
                if (text.sliced(i).startsWith(n)) {
                    out.append(QChar(ch));
                    i += n.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out.append(text[i++]);
    }
    return out;
}

QString plainText(QStringView text)
{
    return app::blankControlCharacters(decodeEntities(text)).trimmed();
}

QString cutToField(const QString &text, int size)
{
    if (text.size() <= size)
        return text;
    qsizetype n = size;
    if (n > 0 && text[n - 1].isHighSurrogate())
        --n;
    return text.left(n);
}

} // namespace ofx
