// Expansion of standard history placeholders, as a table of templates.
#include "printers.h"

#include <entries/placeholders.h>

#include <gtest/gtest.h>

namespace {

struct ExpandCase
{
    const char *name;
    QString source;
    QDate data;
    std::optional<QString> dest, orig;
    QString text;
    int caret;
};
class Expansion : public ::testing::TestWithParam<ExpandCase>
{
};

TEST_P(Expansion, GivesTextAndCaret)
{
    const ExpandCase &c = GetParam();
    const auto out = entries::expandPlaceholders(c.source, {c.data, c.dest, c.orig});
    EXPECT_EQ(out.text, c.text);
    EXPECT_EQ(out.caret, c.caret);
}

const QDate k5Mar24(2024, 3, 5);
const QString k79 = QString(79, 'x');

INSTANTIATE_TEST_SUITE_P(
    Templates, Expansion,
    ::testing::Values(
        ExpandCase{"priorMonthAndCaretMark",
                   "Aluguel <MA> <>pago",
                   k5Mar24,
                   {},
                   {},
                   "Aluguel FEV/24 pago",
                   15},
        ExpandCase{"monthWithoutMarkAddsBlank",
                   "Conta de luz <M>",
                   QDate(2024, 1, 10),
                   {},
                   {},
                   "Conta de luz JAN/24 ",
                   20},
        ExpandCase{
            "priorMonthOfJanuaryIsDecember", "<MA>", QDate(2024, 1, 31), {}, {}, "DEZ/23 ", 7},
        ExpandCase{"priorMonthOfMarchInLeapYear", "<MA>", QDate(2024, 3, 1), {}, {}, "FEV/24 ", 7},
        ExpandCase{"year", "IRRF <A><>", k5Mar24, {}, {}, "IRRF 2024", 9},
        ExpandCase{
            "onlyFirstOccurrence", "<M> e <M> <> e <>", k5Mar24, {}, {}, "MAR/24 e <M>  e <>", 13},
        ExpandCase{"accounts", "<CTAORIG> para <CTADEST>", k5Mar24, "MERCADO", "CARTEIRA",
                   "CARTEIRA para MERCADO ", 22},
        ExpandCase{"unknownAccountsStay",
                   "DEPOSITO <CTADEST>",
                   k5Mar24,
                   {},
                   {},
                   "DEPOSITO <CTADEST> ",
                   19},
        ExpandCase{"noDateLeavesDatesAlone", "LUZ <MA> <A>", QDate(), "X", {}, "LUZ <MA> <A> ", 13},
        ExpandCase{"plainText", "SUPERMERCADO", k5Mar24, {}, {}, "SUPERMERCADO ", 13},
        ExpandCase{"cutToFieldSize", k79 + "<M>", k5Mar24, {}, {}, k79 + "M", 80},
        ExpandCase{"caretKeptInsideCutText", "<>" + k79 + "<A>", k5Mar24, {}, {}, k79 + "2", 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AccountHistoryName, PrefersTheShortNameInUpperCase)
{
    EXPECT_EQ(entries::accountHistoryName("Mercado", "Supermercado"), QString("MERCADO"));
    EXPECT_EQ(entries::accountHistoryName("", "Cartão Alimentação"), QString("CARTÃO ALIMENTAÇÃO"));
}

} // namespace
