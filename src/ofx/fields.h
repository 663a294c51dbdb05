// Conversion of the texts of OFX leaves into the values of a staging row: dates, amounts and
// plain texts. Amounts go straight from decimal text to centavos, never through a binary float,
// so "0.10" is ten centavos exactly.
#pragma once

#include <app/money.h>

#include <QDate>
#include <QString>
#include <QStringView>

namespace ofx {

// Decodes an OFX date "yyyyMMdd..." from its first eight characters; whatever follows (a time,
// fractions of seconds, a time zone such as "[-3:BRT]") is ignored, because the bank's posting
// day is the day of the entry. Years outside kFirstYear..kLastYear are no statement's.
// Throws app::ConversionError invalidDateMessage(text) when the eight characters are not all
// digits, name no calendar day or a year out of range.
QDate decodeDate(QStringView text);
inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 2099;
// "Data ausente no arquivo OFX!" for an empty text, else "Data inválida no arquivo OFX: ..."
// quoting the text (its first 40 characters) and the expected form.
QString invalidDateMessage(QStringView text);

// Decodes a signed decimal amount: an optional "+" or "-", digits, and at most one separator,
// "." or ",", with the decimals after it ("10.5" is 10,50, "-.50" is -0,50, "100" is 100,00).
// Decimals beyond the centavo are rounded half away from zero, as Money does everywhere.
// Throws app::ConversionError "'x' não é um valor de ponto flutuante válido. Verifique!" (x the
// text as given) for anything else, including thousands separators and amounts too large for
// the books.
app::Money decodeAmount(QStringView text);

// Replaces the five predefined character entities (&amp; &lt; &gt; &quot; &apos;) that banks
// write in names and memos; any other "&" is kept as it stands.
QString decodeEntities(QStringView text);

// The text of a leaf as the rows keep it: entities decoded, every control character (a stray
// TAB, BEL or NUL, or a line break inside an XML element) made a blank, blanks at the ends
// removed. A statement with such a character in a memo still imports.
QString plainText(QStringView text);

// `text` cut to at most `size` characters, as a CHAR(size) field keeps it, without splitting a
// character outside the basic plane in two.
QString cutToField(const QString &text, int size);

} // namespace ofx
