// The rules behind the main window's entry list.
#include <main/entrylist.h>

#include <gtest/gtest.h>

using namespace main_ui;

namespace {

struct KindCase
{
    const char *name;
    qint64 deb, cred;
    RowKind kind;
};
class RowKinds : public ::testing::TestWithParam<KindCase>
{
};
TEST_P(RowKinds, ByTheThreeDigitCodes)
{
    EXPECT_EQ(int(rowKind(GetParam().deb, GetParam().cred)), int(GetParam().kind));
}
INSTANTIATE_TEST_SUITE_P(
    Cases, RowKinds,
    ::testing::Values(KindCase{"cashToCashIsTransfer", 11, 11, RowKind::Transfer},
                      KindCase{"incomeToCash", 11, 101, RowKind::Income},
                      KindCase{"cashToExpense", 201, 11, RowKind::Expense},
                      KindCase{"incomeToExpenseExpenseWins", 201, 101, RowKind::Expense},
                      KindCase{"expenseToCashIsTransfer", 11, 201, RowKind::Transfer},
                      KindCase{"twoDigitCodesArePadded", 21, 12, RowKind::Transfer}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Replica, DropsImportMarks)
{
    EXPECT_EQ(cleanNumDoc("[I] 123"), "123");
    EXPECT_EQ(cleanNumDoc(" CH 10 "), "CH 10");
    EXPECT_EQ(cleanNumDoc("[i] 5"), "[i] 5");
    EXPECT_EQ(cleanObs("[OFX000045] pago"), " pago");
    EXPECT_EQ(cleanObs("conta [OFX000045]"), "conta ");
    EXPECT_EQ(cleanObs("[OFX12]"), "[OFX12]");
    EXPECT_EQ(cleanObs("sem marca"), "sem marca");
}

TEST(FindText, CodesDatesAndRefusals)
{
    const auto code = parseFindText("1503", 2024);
    ASSERT_TRUE(std::holds_alternative<FindCode>(code));
    EXPECT_EQ(std::get<FindCode>(code).code, 1503);
    const auto dayMonth = parseFindText("15/3", 2024);
    ASSERT_TRUE(std::holds_alternative<FindDate>(dayMonth));
    EXPECT_EQ(std::get<FindDate>(dayMonth).date, QDate(2024, 3, 15));
    const auto full = parseFindText("15/03/2023", 2024);
    EXPECT_EQ(std::get<FindDate>(full).date, QDate(2023, 3, 15));
    const auto bad = parseFindText("31/02", 2024);
    ASSERT_TRUE(std::holds_alternative<FindInvalid>(bad));
    EXPECT_EQ(std::get<FindInvalid>(bad).message.toStdString(),
              "'31/02' não é um Código válido e\r\ntambém não é uma Data válida!\r\nPor favor, "
              "verifique.");
    const auto empty = parseFindText("", 2024);
    EXPECT_TRUE(std::get<FindInvalid>(empty).clearField);
}

TEST(DeleteTexts, DatesAndAmountsFormatted)
{
    EXPECT_EQ(
        deleteQuestionText(QDate(2024, 1, 2), "GASOLINA", app::Money::fromCentavos(123456))
            .toStdString(),
        "Excluir lançamento?\r\n\r\nData: 02/01/2024\r\nHistórico: GASOLINA\r\nValor: 1.234,56");
    EXPECT_EQ(
        closedDeleteText(QDate(2023, 12, 31), "X", app::Money::fromCentavos(5000),
                         QDate(2023, 12, 31))
            .toStdString(),
        "Este lançamento não pode ser excluído!\r\n\r\nData: 31/12/2023\r\nHistórico: "
        "X\r\nValor: 50,00\r\n\r\nPeríodo até 31/12/2023 fechado!\r\nAlterações não permitidas!");
}

} // namespace
