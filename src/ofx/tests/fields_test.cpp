// Conversions of single OFX values and the tag search they rest on: dates, amounts, entities,
// field cuts, leaves and blocks.
#include "printers.h"

#include <app/error.h>
#include <ofx/fields.h>
#include <ofx/tagscan.h>

#include <gtest/gtest.h>

#include <string>

using app::Money;

namespace {

// The message a conversion throws, or "" when it converts.
template <typename F> QString conversionMessage(F &&convert)
{
    try {
        convert();
    } catch (const app::ConversionError &e) {
        return e.text();
    }
    return {};
}

const auto caseName = [](const auto &info) {
    return std::string(info.param.name);
};

struct AmountCase
{
    const char *name;
    const char *text;
    qint64 centavos;
};

class DecodeAmount : public ::testing::TestWithParam<AmountCase>
{
};

TEST_P(DecodeAmount, GivesExactCentavos)
{
    EXPECT_EQ(ofx::decodeAmount(QString::fromUtf8(GetParam().text)),
              Money::fromCentavos(GetParam().centavos));
}

INSTANTIATE_TEST_SUITE_P(Cases, DecodeAmount,
                         ::testing::Values(AmountCase{"wholeNumber", "100", 10000},
                                           // Used to be read as 10 reais and 5 centavos.
                                           AmountCase{"oneDecimalIsTenths", "10.5", 1050},
                                           AmountCase{"noWholePartNegative", "-.50", -50},
                                           AmountCase{"commaSeparator", "-12,50", -1250},
                                           AmountCase{"pointSeparator", "-12.50", -1250},
                                           AmountCase{"plusSign", "+7.01", 701},
                                           AmountCase{"trailingSeparator", "5.", 500},
                                           AmountCase{"leadingZeros", "000.07", 7},
                                           AmountCase{"thirdDecimalRoundsUp", "1.005", 101},
                                           AmountCase{"thirdDecimalRoundsDown", "1.0049", 100},
                                           AmountCase{"negativeRoundsAwayFromZero", "-2.345", -235},
                                           AmountCase{"tenCentsExactly", "0.10", 10},
                                           AmountCase{"largestWhole", "9999999999999999.99",
                                                      999999999999999999}),
                         caseName);

struct BadAmountCase
{
    const char *name;
    const char *text;
};

class RefuseAmount : public ::testing::TestWithParam<BadAmountCase>
{
};

TEST_P(RefuseAmount, WithFloatingPointMessage)
{
    const QString text = QString::fromUtf8(GetParam().text);
    EXPECT_EQ(
        conversionMessage([&] { ofx::decodeAmount(text); }),
        QStringLiteral("'%1' não é um valor de ponto flutuante válido. Verifique!").arg(text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefuseAmount,
    ::testing::Values(BadAmountCase{"empty", ""}, BadAmountCase{"signOnly", "-"},
                      BadAmountCase{"separatorOnly", "."},
                      BadAmountCase{"thousandsAndDecimals", "1.234,56"},
                      BadAmountCase{"twoPoints", "1.234.56"}, BadAmountCase{"doubleSign", "--5"},
                      BadAmountCase{"exponent", "1e5"}, BadAmountCase{"innerBlank", "1 000"},
                      BadAmountCase{"letters", "12a"},
                      BadAmountCase{"tooLarge", "12345678901234567"},
                      BadAmountCase{"arabicDigits", "١٢"}),
    caseName);

struct DateCase
{
    const char *name;
    const char *text;
    QDate date;    // when it converts
    QString error; // else the message
};

// The message for a date that does not convert, as the user reads it.
QString invalidDate(const char *quoted)
{
    return QStringLiteral("Data inválida no arquivo OFX: \"") + QString::fromUtf8(quoted) +
           QStringLiteral("\"!\r\nA data deve estar na forma AAAAMMDD, com ano de 1900 a 2099.");
}

class DecodeDate : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(DecodeDate, ReadsTheFirstEightCharacters)
{
    const DateCase &c = GetParam();
    QDate got;
    EXPECT_EQ(conversionMessage([&] { got = ofx::decodeDate(QString::fromUtf8(c.text)); }),
              c.error);
    EXPECT_EQ(got, c.date);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeDate,
    ::testing::Values(
        DateCase{"dayOnly", "20071031", QDate(2007, 10, 31), {}},
        DateCase{"noonWithTimeZone", "20071031120000[-3:BRT]", QDate(2007, 10, 31), {}},
        DateCase{"fractionsAndZone", "20240229235959.999[+0:GMT]", QDate(2024, 2, 29), {}},
        DateCase{"firstYear", "19000101", QDate(1900, 1, 1), {}},
        DateCase{"lastYear", "20991231", QDate(2099, 12, 31), {}},
        DateCase{"empty", "", QDate(), QStringLiteral("Data ausente no arquivo OFX!")},
        DateCase{"yearOnly", "2007", QDate(), invalidDate("2007")},
        DateCase{"lettersInMonth", "2007AB01", QDate(), invalidDate("2007AB01")},
        // Regression: said "'-1' não é um valor inteiro válido", naming no date at all.
        DateCase{"isoDashes", "2026-12-10", QDate(), invalidDate("2026-12-10")},
        DateCase{"signedDay", "200710+1", QDate(), invalidDate("200710+1")},
        DateCase{"noSuchDay", "20070230", QDate(), invalidDate("20070230")},
        DateCase{"monthZero", "20070010", QDate(), invalidDate("20070010")},
        DateCase{"yearZero", "00000101", QDate(), invalidDate("00000101")},
        // Regression: any year from 1 to 9999 was taken.
        DateCase{"beforeFirstYear", "18991231", QDate(), invalidDate("18991231")},
        DateCase{"afterLastYear", "21000101120000", QDate(), invalidDate("21000101120000")},
        DateCase{"controlCharacterShownAsBlank", "2007\x01", QDate(), invalidDate("2007")}),
    caseName);

// A text in, the text expected out.
struct TextCase
{
    const char *name;
    const char16_t *text;
    const char16_t *expected;
};

class PlainText : public ::testing::TestWithParam<TextCase>
{
};

// Regression: control characters of memos and check numbers went into the rows as they were.
TEST_P(PlainText, MakesControlCharactersBlanks)
{
    EXPECT_EQ(ofx::plainText(GetParam().text), QString::fromUtf16(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlainText,
    ::testing::Values(TextCase{"plain", u"Padaria São João", u"Padaria São João"},
                      TextCase{"entities", u"C&amp;A", u"C&A"},
                      TextCase{"bellAndTab", u"Padaria\aSão\tJoão", u"Padaria São João"},
                      TextCase{"lineBreakInside", u"linha um\r\nlinha dois",
                               u"linha um  linha dois"},
                      TextCase{"escapeAtTheStart", u"\x1B[0m123", u"[0m123"},
                      TextCase{"deleteAndC1", u"a\u007F\u0085b", u"a  b"},
                      TextCase{"onlyControls", u"\a\b", u""}),
    caseName);

TEST(DecodeEntities, ReplacesThePredefinedOnesOnly)
{
    EXPECT_EQ(ofx::decodeEntities(u"C&amp;A &lt;loja&gt; &quot;x&quot; d&apos;água &nbsp; & &amp"),
              QStringLiteral("C&A <loja> \"x\" d'água &nbsp; & &amp"));
}

TEST(CutToField, KeepsAtMostTheFieldSizeWithoutSplittingACharacter)
{
    EXPECT_EQ(ofx::cutToField(QStringLiteral("abcdef"), 4), QStringLiteral("abcd"));
    EXPECT_EQ(ofx::cutToField(QStringLiteral("abc"), 4), QStringLiteral("abc"));
    // U+1F600 takes two UTF-16 units; cutting between them would leave half a character.
    EXPECT_EQ(ofx::cutToField(QStringLiteral("abc\U0001F600"), 4), QStringLiteral("abc"));
}

class TagValue : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(TagValue, EndsWhereTheLeafEnds)
{
    EXPECT_EQ(ofx::TagValue(GetParam().text, u"MEMO").toString(),
              QString::fromUtf16(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagValue,
    ::testing::Values(TextCase{"sgmlAtLineEnd", u"<MEMO> Pão \r\n<TRNAMT>1", u"Pão"},
                      TextCase{"sgmlAtBareLineFeed", u"<MEMO>Pão\n<TRNAMT>1", u"Pão"},
                      TextCase{"sgmlAtNextTag", u"<MEMO>Pão<TRNAMT>1", u"Pão"},
                      TextCase{"xmlAtClosingTag", u"<MEMO>Pão</MEMO><TRNAMT>1", u"Pão"},
                      TextCase{"atEndOfBuffer", u"<MEMO>Pão", u"Pão"},
                      TextCase{"absent", u"<NAME>Pão</NAME>", u""},
                      TextCase{"caseMatters", u"<memo>Pão</memo>", u""},
                      TextCase{"firstOneWins", u"<MEMO>a\r\n<MEMO>b", u"a"}),
    caseName);

TEST(FindBlock, EndsAtTheClosingTagOrAtTheNextOpeningOne)
{
    const QStringView text = u"<T>a</T><T>b<T>c";
    const ofx::Span first = ofx::findBlock(text, u"T");
    EXPECT_EQ(ofx::innerText(text, first).toString(), QStringLiteral("a"));
    const ofx::Span second = ofx::findBlock(text, u"T", first.next);
    EXPECT_EQ(ofx::innerText(text, second).toString(), QStringLiteral("b"));
    const ofx::Span third = ofx::findBlock(text, u"T", second.next);
    EXPECT_EQ(ofx::innerText(text, third).toString(), QStringLiteral("c"));
    EXPECT_EQ(third.next, text.size());
    EXPECT_FALSE(ofx::findBlock(text, u"T", third.next).isFound());
}

} // namespace
