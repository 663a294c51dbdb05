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
    QDate date;        // when it converts
    const char *error; // else the message
};

class DecodeDate : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(DecodeDate, ReadsTheFirstEightCharacters)
{
    const DateCase &c = GetParam();
    QDate got;
    EXPECT_EQ(conversionMessage([&] { got = ofx::decodeDate(QString::fromUtf8(c.text)); }),
              QString::fromUtf8(c.error));
    EXPECT_EQ(got, c.date);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeDate,
    ::testing::Values(
        DateCase{"dayOnly", "20071031", QDate(2007, 10, 31), ""},
        DateCase{"noonWithTimeZone", "20071031120000[-3:BRT]", QDate(2007, 10, 31), ""},
        DateCase{"fractionsAndZone", "20240229235959.999[+0:GMT]", QDate(2024, 2, 29), ""},
        DateCase{"empty", "", QDate(), "'' não é um valor inteiro válido. Verifique!"},
        DateCase{"yearOnly", "2007", QDate(), "'' não é um valor inteiro válido. Verifique!"},
        DateCase{"lettersInMonth", "2007AB01", QDate(),
                 "'AB' não é um valor inteiro válido. Verifique!"},
        DateCase{"isoDashes", "2007-10-31", QDate(),
                 "'-1' não é um valor inteiro válido. Verifique!"},
        DateCase{"noSuchDay", "20070230", QDate(), "Parâmetro inválido para codificar a Data!"},
        DateCase{"monthZero", "20070010", QDate(), "Parâmetro inválido para codificar a Data!"},
        DateCase{"yearZero", "00000101", QDate(), "Parâmetro inválido para codificar a Data!"}),
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

struct LeafCase
{
    const char *name;
    const char16_t *buffer;
    const char16_t *value;
};

class TagValue : public ::testing::TestWithParam<LeafCase>
{
};

TEST_P(TagValue, EndsWhereTheLeafEnds)
{
    EXPECT_EQ(ofx::TagValue(GetParam().buffer, u"MEMO").toString(),
              QString::fromUtf16(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagValue,
    ::testing::Values(LeafCase{"sgmlAtLineEnd", u"<MEMO> Pão \r\n<TRNAMT>1", u"Pão"},
                      LeafCase{"sgmlAtBareLineFeed", u"<MEMO>Pão\n<TRNAMT>1", u"Pão"},
                      LeafCase{"sgmlAtNextTag", u"<MEMO>Pão<TRNAMT>1", u"Pão"},
                      LeafCase{"xmlAtClosingTag", u"<MEMO>Pão</MEMO><TRNAMT>1", u"Pão"},
                      LeafCase{"atEndOfBuffer", u"<MEMO>Pão", u"Pão"},
                      LeafCase{"absent", u"<NAME>Pão</NAME>", u""},
                      LeafCase{"caseMatters", u"<memo>Pão</memo>", u""},
                      LeafCase{"firstOneWins", u"<MEMO>a\r\n<MEMO>b", u"a"}),
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
