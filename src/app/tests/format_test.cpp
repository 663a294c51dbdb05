// The number patterns, the date vocabulary and the CSV rules shared by every screen and listing.
#include <app/csvwriter.h>
#include <app/dates.h>
#include <app/format.h>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace app;

namespace {

struct NumberCase
{
    const char *name;
    long double value;
    const char *pattern;
    const char *expected;
};
class FormatNumber : public ::testing::TestWithParam<NumberCase>
{
};
TEST_P(FormatNumber, Pattern)
{
    EXPECT_EQ(formatNumber(GetParam().value, GetParam().pattern), QString(GetParam().expected));
}
INSTANTIATE_TEST_SUITE_P(
    Cases, FormatNumber,
    ::testing::Values(NumberCase{"zero", 0, "#,##0.00", "0,00"},
                      NumberCase{"thousandsGrouped", 1234567.891L, "#,##0.00", "1.234.567,89"},
                      NumberCase{"halfAwayFromZero", 2.345L, "#,##0.00", "2,35"},
                      NumberCase{"negativeHalfAwayFromZero", -2.345L, "#,##0.00", "-2,35"},
                      NumberCase{"negativeRoundsToZero", -0.001L, "#,##0.00", "0,00"},
                      NumberCase{"entryCode", 42, "000000", "000042"},
                      NumberCase{"userCode", 12345, "0000", "12345"},
                      NumberCase{"sixDecimals", 1.5L, "#,##0.000000", "1,500000"},
                      NumberCase{"optionalDecimals", 1234.5L, "0.##", "1234,5"},
                      NumberCase{"twoDigitCategory", 7, "00", "07"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FormatMoney, ExactCentavos)
{
    EXPECT_EQ(formatMoney(Money::fromCentavos(123456)), "1.234,56");
    EXPECT_EQ(formatMoney(Money::fromCentavos(-5)), "-0,05");
    EXPECT_EQ(formatMoney(Money::fromCentavos(99999999999999)), "999.999.999.999,99");
    EXPECT_EQ(formatPlain(Money::fromCentavos(-123450)), "-1234,5");
    EXPECT_EQ(formatPlain(Money::fromCentavos(100)), "1");
    EXPECT_EQ(Money::fromDouble(1.005L).centavos(), 101);
    EXPECT_EQ(Money::fromDouble(-0.125L).centavos(), -13);
}

// Money sums are exact or a clear error, never a wrapped figure.
TEST(Money, ArithmeticBeyondSixtyFourBitsThrows)
{
    const qint64 top = std::numeric_limits<qint64>::max();
    const Money max = Money::fromCentavos(top), min = Money::fromCentavos(-top - 1);
    EXPECT_EQ((max - Money::fromCentavos(1) + Money::fromCentavos(1)).centavos(), top);
    const auto throwsClearly = [](const std::function<void()> &f, const char *what) {
        try {
            f();
            ADD_FAILURE() << what << " wrapped";
        } catch (const app::Error &e) {
            EXPECT_TRUE(
                e.text().endsWith("O maior valor aceito para um lançamento é 999.999.999,99."))
                << e.text().toStdString();
        }
    };
    throwsClearly([&] { (void)(max + Money::fromCentavos(1)); }, "max + 1");
    throwsClearly([&] { (void)(min - Money::fromCentavos(1)); }, "min - 1");
    throwsClearly([&] { (void)(-min); }, "-min");
    throwsClearly([&] { (void)min.abs(); }, "abs(min)");
    throwsClearly(
        [&] {
            Money m = max;
            m += max;
        },
        "+=");
    throwsClearly(
        [&] {
            Money m = min;
            m -= max;
        },
        "-=");
    throwsClearly([&] { (void)Money::fromReais(top / 10); }, "fromReais");
    throwsClearly([&] { (void)Money::fromDouble(1e17L); }, "fromDouble");
    EXPECT_EQ(maxAmountText(), "O maior valor aceito para um lançamento é 999.999.999,99.");
}

TEST(FormatGeneral, FifteenSignificantDigitsNoExponent)
{
    EXPECT_EQ(formatGeneral(1234.5L), "1234,5");
    EXPECT_EQ(formatGeneral(0.1L + 0.2L), "0,3");
    EXPECT_EQ(formatGeneral(1e20L), "100000000000000000000");
    EXPECT_EQ(formatGeneral(-2), "-2");
}

TEST(ParseMoney, BrazilianTyping)
{
    EXPECT_EQ(parseMoney("1234,56")->centavos(), 123456);
    EXPECT_EQ(parseMoney(" 12,5 ")->centavos(), 1250);
    EXPECT_EQ(parseMoney(",99")->centavos(), 99);
    EXPECT_EQ(parseMoney("-3")->centavos(), -300);
    EXPECT_FALSE(parseMoney("1.234,56")); // the thousands separator is not typed
    EXPECT_FALSE(parseMoney("1,234"));
    EXPECT_FALSE(parseMoney(""));
    EXPECT_FALSE(parseMoney("abc"));
}

TEST(Dates, BrazilianNamesAndFormats)
{
    AjustarFormatoDatas();
    const QDate d(2026, 2, 1); // a Sunday
    EXPECT_EQ(formatDate(d), "01/02/2026");
    EXPECT_EQ(formatDate(d, "MMMM/yyyy"), "Fevereiro/2026");
    EXPECT_EQ(formatDate(d, "dddd, d 'de' MMMM"), "Domingo, 1 de Fevereiro");
    EXPECT_EQ(formatDate(QDate(2026, 3, 7), "ddd MMM/yy"), "Sáb Mar/26");
    EXPECT_EQ(parseDate("7/3/26"), QDate(2026, 3, 7));
    EXPECT_EQ(parseDate("29/02/2024"), QDate(2024, 2, 29));
    EXPECT_FALSE(parseDate("29/02/2025").isValid());
    EXPECT_FALSE(parseDate("2026-03-07").isValid());
}

TEST(CsvWriter, PreambleQuotingLineEndsAndEncoding)
{
    CsvWriter w(";;");
    w.addPreamble({"0001", "Zé \"da\" Silva", "Vitória/ES"});
    w.addLine("Histórico Padrão;;");
    w.addEmptyLine();
    w.addLine("Código;Histórico/Descrição;");
    w.addEmptyLine();
    w.addLine(CsvWriter::quote("11") + ";" + CsvWriter::quote("SAQUE \"já\"") + ";");
    const QByteArray b = w.bytes();
    const QList<QByteArray> lines = b.split('\n');
    ASSERT_EQ(lines.size(), 13); // twelve lines, each ended by CR LF
    EXPECT_TRUE(lines[0].startsWith("[Quorvila :: Finan\xe7"
                                    "as Pessoais] "));
    EXPECT_TRUE(lines[0].endsWith(";;\r"));
    EXPECT_TRUE(lines[1].startsWith("\"\"\"Honre o Senhor"));
    EXPECT_TRUE(lines[2].endsWith("\"\" Prov\xe9rbios 3:9-10\";;\r"));
    EXPECT_EQ(lines[3], ";;\r");
    EXPECT_EQ(lines[4], QByteArray("0001  Z\xe9 \"da\" Silva;;\r"));
    EXPECT_EQ(lines[5], QByteArray("Vit\xf3ria/ES;;\r"));
    EXPECT_EQ(lines[7], QByteArray("Hist\xf3rico Padr\xe3o;;\r"));
    EXPECT_EQ(lines[11], QByteArray("\"11\";\"SAQUE \"\"j\xe1\"\"\";\r"));
    EXPECT_EQ(lines[12], QByteArray());
}

} // namespace
