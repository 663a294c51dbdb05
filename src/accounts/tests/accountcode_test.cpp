// The account-code grammar without any table: the form typed for each group, the rule for
// leaving the code field, parents, and the reduced-code range of each group.
#include <accounts/accountcheck.h>
#include <accounts/accountcode.h>

#include <gtest/gtest.h>

#include <string>

using namespace accounts;

namespace {

struct FormCase
{
    const char *name;
    const char *code;
    int group;
    bool valid;
};

class CodeForm : public ::testing::TestWithParam<FormCase>
{
};

TEST_P(CodeForm, AcceptsOnlyTheGroupsTwoTypedLevels)
{
    const FormCase &c = GetParam();
    EXPECT_EQ(hasValidForm(QString::fromUtf8(c.code), c.group), c.valid);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodeForm,
                         ::testing::Values(FormCase{"levelTwo", "1.01", 1, true},
                                           FormCase{"levelThree", "1.01.02", 1, true},
                                           FormCase{"groupZeroLevelThree", "0.03.02", 0, true},
                                           FormCase{"oneDigitTitle", "1.5", 1, false},
                                           FormCase{"oneDigitAnalytical", "1.05.3", 1, false},
                                           FormCase{"expenseCodeOnIncomeTab", "2.04", 1, false},
                                           FormCase{"groupRootIsNotTyped", "1", 1, false},
                                           FormCase{"groupThreeDoesNotExist", "3.01", 3, false},
                                           FormCase{"separatorMissing", "1001", 1, false},
                                           FormCase{"separatorMisplaced", "1.0.01", 1, false},
                                           FormCase{"dotInsteadOfDigit", "1.01..1", 1, false},
                                           FormCase{"secondSeparatorMissing", "1.01002", 1, false},
                                           FormCase{"letterInLevel", "1.0a", 1, false},
                                           FormCase{"tooLong", "1.01.012", 1, false},
                                           FormCase{"fourthLevel", "1.01.01.01", 1, false},
                                           FormCase{"empty", "", 1, false}),
                         [](const auto &info) { return std::string(info.param.name); });

struct LeaveCase
{
    const char *name;
    const char *typed;
    int group;
    const char *after; // the field's text after leaving it
    bool refused;
};

class LeavingTheCodeField : public ::testing::TestWithParam<LeaveCase>
{
};

TEST_P(LeavingTheCodeField, EmptiesABarePrefixAndRefusesBadForms)
{
    const LeaveCase &c = GetParam();
    QString code = QString::fromUtf8(c.typed);
    const std::optional<QString> message = checkCodeOnLeave(code, c.group);
    EXPECT_EQ(code, QString::fromUtf8(c.after));
    EXPECT_EQ(message.has_value(), c.refused);
    if (message) {
        EXPECT_EQ(*message, "Código de Conta Inválido.\r\nDigite o código de conta correto!\r\n"
                            "(Formato deve ser \"" +
                                QString::number(c.group) + ".xx\" ou \"" +
                                QString::number(c.group) + ".xx.xx\")!");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeavingTheCodeField,
    ::testing::Values(LeaveCase{"barePrefixIsEmptied", "1.", 1, "", false},
                      LeaveCase{"otherGroupsPrefixIsEmptiedToo", "2.", 1, "", false},
                      LeaveCase{"emptyIsLeftAlone", "", 0, "", false},
                      LeaveCase{"goodCodeIsKept", "1.03.02", 1, "1.03.02", false},
                      LeaveCase{"shortTitleRefused", "1.5", 1, "1.5", true},
                      LeaveCase{"shortAnalyticalRefused", "1.05.3", 1, "1.05.3", true},
                      LeaveCase{"otherGroupRefused", "2.04", 1, "2.04", true},
                      LeaveCase{"groupZeroNamesItsForm", "0.1", 0, "0.1", true}),
    [](const auto &info) { return std::string(info.param.name); });

struct RangeCase
{
    const char *name;
    int group;
    qint64 codRed;
    bool inRange;
};

class ReducedCodeRange : public ::testing::TestWithParam<RangeCase>
{
};

TEST_P(ReducedCodeRange, FollowsTheGroup)
{
    EXPECT_EQ(codRedInRange(GetParam().codRed, GetParam().group), GetParam().inRange);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReducedCodeRange,
    ::testing::Values(
        RangeCase{"cashBelowTen", 0, 5, false}, RangeCase{"cashNine", 0, 9, false},
        RangeCase{"cashLowest", 0, 10, true}, RangeCase{"cashHighest", 0, 99, true},
        RangeCase{"cashHundred", 0, 100, false}, RangeCase{"incomeHundred", 1, 100, false},
        RangeCase{"incomeLowest", 1, 101, true}, RangeCase{"incomeHighest", 1, 199, true},
        RangeCase{"incomeTwoHundred", 1, 200, false}, RangeCase{"expenseTwoHundred", 2, 200, false},
        RangeCase{"expenseLowest", 2, 201, true}, RangeCase{"expenseHighest", 2, 299, true},
        RangeCase{"expenseThreeHundred", 2, 300, false},
        RangeCase{"cashCodeInExpenses", 2, 50, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AccountCode, LevelGroupAndParentComeFromTheText)
{
    EXPECT_EQ(codeLevel("2"), 1);
    EXPECT_EQ(codeLevel("2.04"), 2);
    EXPECT_EQ(codeLevel("2.04.03"), 3);
    EXPECT_EQ(codeLevel("2.0"), 0);
    EXPECT_EQ(codeGroup("1.03"), 1);
    EXPECT_EQ(codeGroup("3.01"), -1);
    EXPECT_EQ(parentCode("2.04.03"), QString("2.04"));
    EXPECT_EQ(parentCode("2.04"), QString("2"));
    EXPECT_EQ(parentCode("2"), QString());
}

TEST(AccountCode, RowColoursFallBackToCashLevelThree)
{
    // A row with an empty code (a record being included) must still paint, as cash level 3.
    const RowColours empty = rowColours("", false);
    EXPECT_EQ(empty.font, 0x2C492Cu);
    EXPECT_EQ(empty.background, 0xECF4ECu);
    EXPECT_EQ(rowColours("2.04", true).background, 0x800000u);
    EXPECT_EQ(rowColours("1", false).background, 0x99C6EAu);
}

} // namespace
