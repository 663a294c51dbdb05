// The formatting rules of the reports: signed colouring with and without the tolerance, the
// account levels by code length, the budget totals read from text, and the budget percent.
#include <reports/reportrules.h>

#include <gtest/gtest.h>

using namespace reports;

namespace {

struct SignedCase
{
    const char *name;
    double value;
    bool tolerance;
    const char *text;
    Tone tone;
};

class SignedColouring : public ::testing::TestWithParam<SignedCase>
{
};

TEST_P(SignedColouring, TextIsAbsoluteAndToneFollowsSign)
{
    const SignedCase &c = GetParam();
    const SignedText s = signedAmount(c.value, c.tolerance);
    EXPECT_EQ(s.text.toStdString(), c.text);
    EXPECT_EQ(int(s.tone), int(c.tone));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SignedColouring,
    ::testing::Values(
        SignedCase{"remainderWithinTolerance", -0.0004, true, "0,00", Tone::Neutral},
        SignedCase{"smallNegativeBeyondTolerance", -0.002, true, "0,00", Tone::Negative},
        SignedCase{"positive", 5, true, "5,00", Tone::Positive},
        SignedCase{"remainderWithoutTolerance", -0.0004, false, "0,00", Tone::Negative},
        SignedCase{"zero", 0, false, "0,00", Tone::Neutral},
        SignedCase{"largeNegativeGrouped", -1234567.895, false, "1.234.567,90", Tone::Negative},
        SignedCase{"toleranceEdgeIsNeutral", 0.001, true, "0,00", Tone::Neutral}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AccountLevels, ByCodeLength)
{
    EXPECT_EQ(accountLevel("2"), AccountLevel::Group);
    EXPECT_EQ(accountLevel("2.04"), AccountLevel::Title);
    EXPECT_EQ(accountLevel("2.04.03"), AccountLevel::Detail);
    EXPECT_EQ(accountLevel(""), AccountLevel::Detail);
    EXPECT_EQ(indentedName("1", "Entradas"), "Entradas");
    EXPECT_EQ(indentedName("1.01", "Salário"), "    Salário");
    EXPECT_EQ(indentedName("1.01.01", "Fixo"), "        Fixo");
}

struct TotalCase
{
    const char *name;
    const char *text;
    std::optional<double> value;
};

class BudgetTotals : public ::testing::TestWithParam<TotalCase>
{
};

TEST_P(BudgetTotals, ReadAsTheNumberWritten)
{
    const auto v = budgetTotal(GetParam().text);
    ASSERT_EQ(v.has_value(), GetParam().value.has_value());
    if (v) {
        EXPECT_DOUBLE_EQ(*v, *GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BudgetTotals,
    ::testing::Values(
        // Splitting at the point and adding the hundredths back read this as -11.50.
        TotalCase{"negativeKeepsSignOnWholeValue", "-12.50", -12.5},
        TotalCase{"negativeBelowOne", "-0.75", -0.75},
        TotalCase{"commaDecimal", "1234,56", 1234.56}, TotalCase{"wholeNumber", "7", 7.0},
        TotalCase{"zero", "0.00", 0.0}, TotalCase{"notANumber", "abc", std::nullopt},
        TotalCase{"empty", "", std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BudgetPercent, DashWhenNothingBudgeted)
{
    EXPECT_EQ(percentText(150, 0), "-   ");
    EXPECT_EQ(percentText(-450, -500), "90,00%");
    EXPECT_EQ(percentText(1, 3), "33,33%");
}

TEST(IssueText, DateAndClock)
{
    EXPECT_EQ(issueText(QDateTime(QDate(2026, 12, 10), QTime(9, 5))),
              "Emissão: 10/12/2026 às 09:05");
}

} // namespace
