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
        ExprCase{"empty", "", std::nullopt},
        ExprCase{"tooLargeForAnAmount", "99999999*99999999", std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
