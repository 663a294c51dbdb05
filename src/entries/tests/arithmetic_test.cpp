// The amount box's arithmetic: left to right, no precedence, decimal comma.
#include "printers.h"

#include <entries/arithmetic.h>

#include <gtest/gtest.h>

namespace {

struct ExprCase
{
    const char *name;
    QString text;
    std::optional<QString> result; // the amount field's text, or an error
};
class Expression : public ::testing::TestWithParam<ExprCase>
{
};

TEST_P(Expression, EvaluatesOrRefuses)
{
    const auto v = entries::evaluateExpression(GetParam().text);
    ASSERT_EQ(v.has_value(), GetParam().result.has_value()) << GetParam().text.toStdString();
    if (v) {
        EXPECT_EQ(entries::expressionResultText(*v), *GetParam().result);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Expression,
    ::testing::Values(
        ExprCase{"noPrecedence", "2+3*4", "20,00"}, ExprCase{"signedFirstTerm", "-5+12,5", "7,50"},
        ExprCase{"division", "100/4", "25,00"}, ExprCase{"roundsHalfAwayFromZero", "1/8", "0,13"},
        ExprCase{"negativeResult", "2-5", "-3,00"}, ExprCase{"leadingComma", ",5*2", "1,00"},
        ExprCase{"plainNumber", "12,34", "12,34"}, ExprCase{"divisionByZero", "10/0", std::nullopt},
        ExprCase{"leadingTimes", "*3", std::nullopt}, ExprCase{"leadingDivide", "/3", std::nullopt},
        ExprCase{"termWithoutNumber", "2++3", std::nullopt},
        ExprCase{"trailingOperator", "2+", std::nullopt}, ExprCase{"blank", "2 + 3", std::nullopt},
        ExprCase{"dotIsNoSeparator", "2.5", std::nullopt},
        ExprCase{"twoCommas", "1,2,3", std::nullopt}, ExprCase{"letters", "2x3", std::nullopt},
        ExprCase{"empty", "", std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

// Results the amount field cannot take are refused with the maximum in the message.
struct RangeCase
{
    const char *name;
    QString text;
    bool taken;
};
class ExpressionRange : public ::testing::TestWithParam<RangeCase>
{
};

TEST_P(ExpressionRange, ResultBeyondTheLargestAmountIsRefused)
{
    const auto v = entries::evaluateExpression(GetParam().text);
    ASSERT_TRUE(v.has_value());
    const auto problem = entries::expressionResultProblem(*v);
    EXPECT_EQ(!problem.has_value(), GetParam().taken)
        << entries::expressionResultText(*v).toStdString();
    if (problem) {
        EXPECT_EQ(*problem, "O resultado da expressão está acima do máximo permitido para o "
                            "\"Valor\"!\r\nO maior valor aceito para um lançamento é "
                            "999.999.999,99.");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ExpressionRange,
                         ::testing::Values(RangeCase{"largest", "999999999,99", true},
                                           RangeCase{"largestNegative", "-999999999,99", true},
                                           RangeCase{"oneCentavoOver", "999999999,99+0,01", false},
                                           RangeCase{"negativeOver", "-999999999,99-1", false},
                                           RangeCase{"farOver", "99999999*99999999", false},
                                           RangeCase{"beyondAnyQint64",
                                                     "99999999999*99999999999*99999999999", false}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
