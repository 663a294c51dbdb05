// The month routine, the closed-until rule, the interval check and the user's stored month.
#include "printers.h"

#include <entries/period.h>

#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct MonthCase
{
    const char *name;
    QDate date, ini, fim;
};
class CalcularMesCases : public ::testing::TestWithParam<MonthCase>
{
};

TEST_P(CalcularMesCases, GivesFirstAndLastDayOfTheMonth)
{
    const entries::DateRange m = entries::CalcularMes(GetParam().date);
    EXPECT_EQ(m.ini, GetParam().ini);
    EXPECT_EQ(m.fim, GetParam().fim);
}

INSTANTIATE_TEST_SUITE_P(
    Months, CalcularMesCases,
    ::testing::Values(
        MonthCase{"midMonth", QDate(2024, 3, 15), QDate(2024, 3, 1), QDate(2024, 3, 31)},
        MonthCase{"firstDay", QDate(2024, 4, 1), QDate(2024, 4, 1), QDate(2024, 4, 30)},
        MonthCase{"lastDayOfYear", QDate(2023, 12, 31), QDate(2023, 12, 1), QDate(2023, 12, 31)},
        MonthCase{"leapFebruary", QDate(2024, 2, 10), QDate(2024, 2, 1), QDate(2024, 2, 29)},
        MonthCase{"plainFebruary", QDate(2023, 2, 28), QDate(2023, 2, 1), QDate(2023, 2, 28)},
        MonthCase{"centuryNotLeap", QDate(2100, 2, 3), QDate(2100, 2, 1), QDate(2100, 2, 28)},
        MonthCase{"fourHundredLeap", QDate(2000, 2, 3), QDate(2000, 2, 1), QDate(2000, 2, 29)},
        MonthCase{"noDate", QDate(), QDate(), QDate()}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PeriodRules, EntryIsClosedOnAndBeforeTheClosingDate)
{
    const QDate fechado(2023, 12, 31);
    EXPECT_TRUE(entries::entryClosed(QDate(2023, 12, 31), fechado));
    EXPECT_TRUE(entries::entryClosed(QDate(2020, 1, 1), fechado));
    EXPECT_FALSE(entries::entryClosed(QDate(2024, 1, 1), fechado));
    EXPECT_FALSE(entries::entryClosed(QDate(2020, 1, 1), QDate())) << "no closing date";
    EXPECT_FALSE(entries::entryClosed(QDate(), fechado)) << "no entry date";
}

TEST(PeriodRules, IntervalEndMayEqualButNotPrecedeStart)
{
    EXPECT_EQ(entries::intervalProblem(QDate(2024, 3, 10), QDate(2024, 3, 10)), QString());
    EXPECT_EQ(entries::intervalProblem(QDate(2024, 3, 11), QDate(2024, 3, 10)),
              QString("Data Final deve ser maior ou igual\r\na Data Inicial. Por favor, "
                      "verifique!"));
}

class UserPeriod : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data::Database db;
        db.setDirDados(m_dir.path());
        data::installFirstRun(db, QDate(2024, 6, 15));
    }
    std::unique_ptr<data::TDM> signIn()
    {
        auto dm = std::make_unique<data::TDM>();
        dm->DataModuleCreate(m_dir.path());
        dm->openSharedTables();
        return dm;
    }
    QTemporaryDir m_dir;
};

TEST_F(UserPeriod, EmptyDatesGetTheirDefaultsAndAreSaved)
{
    {
        auto dm = signIn();
        ASSERT_TRUE(dm->TbUser->isNull("DtMin"));
        entries::applyUserDefaults(*dm->TbUser, QDate(2024, 6, 15));
        const entries::Period p = entries::restoreUserPeriod(*dm->TbUser);
        EXPECT_EQ(p.DtIni, QDate(2024, 6, 1));
        EXPECT_EQ(p.DtFim, QDate(2024, 6, 30));
    }
    auto dm = signIn();
    EXPECT_EQ(dm->TbUser->asDate("DtMin"), QDate(2024, 6, 15));
    EXPECT_EQ(dm->TbUser->asDate("FechadoAte"), QDate(2022, 12, 31));
    EXPECT_EQ(entries::fechadoAte(*dm->TbUser), QDate(2022, 12, 31));
}

TEST_F(UserPeriod, ChosenMonthIsRestoredAtTheNextSignIn)
{
    {
        auto dm = signIn();
        entries::applyUserDefaults(*dm->TbUser, QDate(2024, 6, 15));
        entries::Period p = entries::restoreUserPeriod(*dm->TbUser);
        entries::adoptChosenPeriod(p, *dm->TbUser, entries::CalcularMes(QDate(2024, 2, 20)));
        EXPECT_EQ(p.DtIni, QDate(2024, 2, 1));
        EXPECT_EQ(p.DtFim, QDate(2024, 2, 29));
    }
    auto dm = signIn();
    entries::applyUserDefaults(*dm->TbUser, QDate(2024, 6, 15)); // must not overwrite the month
    const entries::Period p = entries::restoreUserPeriod(*dm->TbUser);
    EXPECT_EQ(dm->TbUser->asDate("DtMin"), QDate(2024, 2, 1));
    EXPECT_EQ(p.DtIni, QDate(2024, 2, 1));
    EXPECT_EQ(p.DtFim, QDate(2024, 2, 29));
}

} // namespace
