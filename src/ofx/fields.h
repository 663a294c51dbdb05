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
// day is the day of the entry.
// Throws app::ConversionError "'x' não é um valor inteiro válido. Verifique!" when a part is not
// all digits (x is that part, possibly empty), and "Parâmetro inválido para codificar a Data!"
// when the parts name no calendar day.
QDate decodeDate(QStringView text);

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

// `text` cut to at most `size` characters, as a CHAR(size) field keeps it, without splitting a
// character outside the basic plane in two.
QString cutToField(const QString &text, int size);

} // namespace ofx
