// What the search panels take the typed text for.
#include <ledger/search.h>

#include <gtest/gtest.h>

using Kind = ledger::SearchKey::Kind;

struct SearchCase
{
    const char *name;
    const char *text;
    Kind kind;
    const char *code = "";
    int number = 0;
};
class ParseSearch : public ::testing::TestWithParam<SearchCase>
{
};

TEST_P(ParseSearch, TellsCodesFromReducedCodes)
{
    const ledger::SearchKey k = ledger::parseSearch(GetParam().text);
    EXPECT_EQ(k.kind, GetParam().kind);
    if (k.kind == Kind::Account) {
        EXPECT_EQ(k.code, GetParam().code);
    }
    if (k.kind == Kind::Reduced) {
        EXPECT_EQ(k.number, GetParam().number);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseSearch,
    ::testing::Values(SearchCase{"blank", "  ", Kind::Empty},
                      SearchCase{"singleDigitIsAGroup", "5", Kind::Account, "5"},
                      SearchCase{"title", "2.04", Kind::Account, "2.04"},
                      SearchCase{"commaBecomesStop", "2,04,01", Kind::Account, "2.04.01"},
                      SearchCase{"trimmedAccount", " 0.01.01 ", Kind::Account, "0.01.01"},
                      SearchCase{"twoDigits", "11", Kind::Reduced, "", 11},
                      SearchCase{"threeDigits", "241", Kind::Reduced, "", 241},
                      SearchCase{"oneDecimalIsNeither", "12.3", Kind::Invalid},
                      SearchCase{"fourDigitsIsNeither", "1234", Kind::Invalid}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SearchTexts, AsTheUserReadsThem)
{
    EXPECT_EQ(ledger::accountNotFoundText("5"), "Conta '5' não encontrada!");
    EXPECT_EQ(ledger::reducedNotFoundText(241), "Código '241' não encontrado!");
    EXPECT_EQ(ledger::searchInvalidText("12.3"), "'12.3' não é uma Conta válida e também\r\nnão é "
                                                 "um Código Reduzido válido!\r\nPor favor, "
                                                 "verifique.");
}
