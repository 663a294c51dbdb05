// The entry editor's save checks in their order, the amount text and the date field's shade.
#include "printers.h"

#include <entries/entryrules.h>

#include <gtest/gtest.h>

using entries::EntryField;

namespace {

// A valid entry: each case changes only what it is about.
struct SaveCase
{
    const char *name;
    QString data = "05/03/2024";
    qint64 deb = 221, cred = 13;
    bool debKnown = true, credKnown = true;
    QString valor = "12,50";
    QString hsto = "MERCADO";
    bool panelEnabled = true;
    std::optional<EntryField> field; // empty: accepted
    QString message;
};
class SaveChecks : public ::testing::TestWithParam<SaveCase>
{
};

TEST_P(SaveChecks, FirstFailingCheckNamesItsField)
{
    const SaveCase &c = GetParam();
    const auto problem =
        entries::checkEntry({c.data, c.deb, c.cred, c.debKnown, c.credKnown, c.valor, c.hsto},
                            {c.panelEnabled, QDate(2023, 12, 31)});
    ASSERT_EQ(problem.has_value(), c.field.has_value());
    if (!problem)
        return;
    EXPECT_EQ(int(problem->field), int(*c.field));
    EXPECT_EQ(problem->message, c.message);
}

SaveCase accepted(const char *name, const std::function<void(SaveCase &)> &change = {})
{
    SaveCase c;
    c.name = name;
    if (change)
        change(c);
    return c;
}
SaveCase refused(const char *name, const std::function<void(SaveCase &)> &change, EntryField field,
                 const QString &message)
{
    SaveCase c = accepted(name, change);
    c.field = field;
    c.message = message;
    return c;
}

const QString kOverMaximum = "O \"Valor\" do lançamento está acima do máximo permitido!\r\n"
                             "O maior valor aceito para um lançamento é 999.999.999,99.";
const QString kClosed = "Lançamento nesta data não permitido!\r\n\r\nPeríodo até 31/12/2023 não "
                        "pode ser alterado,\r\nconforme a Data de Permissão de Alterações "
                        "informada\r\nnas Preferências do Usuário. Para alterar, acesse o "
                        "menu\r\nUsuários/Informações e Preferências do Usuário!";
const QString kDestIncome = "\"Conta Destino\" não pode ser uma conta de Receita (1.xx.xx).\r\n"
                            "Digite uma conta de Despesa ou uma conta de Saldo!";
const QString kOrigExpense = "\"Conta Origem\" não pode ser uma conta de Despesa (2.xx.xx).\r\n"
                             "Digite uma conta de Receita ou uma conta de Saldo!";
const QString kNeedsCash =
    "A \"Conta Destino\" ou a \"Conta Origem\"\r\nprecisa ser uma conta de Saldo (0.xx.xx).";

INSTANTIATE_TEST_SUITE_P(
    InOrder, SaveChecks,
    ::testing::Values(
        accepted("expenseFromCash"),
        accepted("cashFromIncome", [](auto &c) { c.deb = 11, c.cred = 101; }),
        accepted("cashToCash", [](auto &c) { c.deb = 11, c.cred = 12; }),
        accepted("dayAfterClosingDate", [](auto &c) { c.data = "01/01/2024"; }),
        refused(
            "noDate", [](auto &c) { c.data = "", c.deb = 0; }, EntryField::Data,
            "Você precisa digitar\r\na \"Data\" do lançamento!"),
        refused(
            "unreadableDate", [](auto &c) { c.data = "31/02/2024"; }, EntryField::Data,
            "Data '31/02/2024' inválida. Verifique!"),
        refused(
            "onClosingDate", [](auto &c) { c.data = "31/12/2023"; }, EntryField::Data, kClosed),
        refused(
            "noDestination", [](auto &c) { c.deb = 0, c.cred = 0; }, EntryField::CtaDeb,
            "\"Conta Destino\" deve ser preenchida!"),
        refused(
            "noOrigin", [](auto &c) { c.cred = 0, c.valor = ""; }, EntryField::CtaCred,
            "\"Conta Origem\" deve ser preenchida!"),
        refused(
            "unknownDestination", [](auto &c) { c.deb = 999, c.debKnown = false; },
            EntryField::CtaDeb, "Este código de \"Conta Destino\"\r\né inexistente. Redigite!"),
        refused(
            "unknownOrigin", [](auto &c) { c.cred = 5, c.credKnown = false; }, EntryField::CtaCred,
            "Este código de \"Conta Origem\"\r\né inexistente. Redigite!"),
        refused(
            "destinationIncomeBeforeOriginExpense", [](auto &c) { c.deb = 101, c.cred = 201; },
            EntryField::CtaDeb, kDestIncome),
        refused(
            "originExpense", [](auto &c) { c.deb = 11, c.cred = 201; }, EntryField::CtaCred,
            kOrigExpense),
        refused(
            "expenseFromIncome", [](auto &c) { c.deb = 201, c.cred = 101; }, EntryField::CtaDeb,
            kNeedsCash),
        refused(
            "valueDoesNotConvert", [](auto &c) { c.valor = "12,345"; }, EntryField::Valor,
            "'12,345' não é um número válido para o campo 'Valor'.\r\nLembre-se de não "
            "digitar o separador de milhar"),
        accepted("largestValue", [](auto &c) { c.valor = "999.999.999,99"; }),
        refused(
            "valueOneCentavoOverTheLargest", [](auto &c) { c.valor = "1000000000,00"; },
            EntryField::Valor, kOverMaximum),
        refused(
            "valueFarOverTheLargest", [](auto &c) { c.valor = "999999999999999,99"; },
            EntryField::Valor, kOverMaximum),
        refused(
            "zeroValue", [](auto &c) { c.valor = "0,00"; }, EntryField::Valor,
            "O \"Valor\" do lançamento\r\ndeve ser maior que zero!"),
        refused(
            "emptyValue", [](auto &c) { c.valor = ""; }, EntryField::Valor,
            "O \"Valor\" do lançamento\r\ndeve ser maior que zero!"),
        refused(
            "negativeValue", [](auto &c) { c.valor = "-3,00"; }, EntryField::Valor,
            "O \"Valor\" do lançamento\r\ndeve ser maior que zero!"),
        refused(
            "blankHistory", [](auto &c) { c.hsto = "   "; }, EntryField::Hsto,
            "O \"Histórico/Descrição do Lançamento\"\r\ndeve ser preenchido!")),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SaveChecksViewOnly, ClosedDateIsNotAProblemWhenTheEntryIsOnlyShown)
{
    const auto problem = entries::checkEntry({"31/12/2023", 221, 13, true, true, "1,00", "X"},
                                             {false, QDate(2023, 12, 31)});
    EXPECT_FALSE(problem.has_value());
}

TEST(ValorText, ReadsTheShownAndTheTypedForms)
{
    EXPECT_EQ(entries::valorFromText("1.234,50"), app::Money::fromCentavos(123450));
    EXPECT_EQ(entries::valorFromText("1234,5"), app::Money::fromCentavos(123450));
    EXPECT_EQ(entries::valorFromText(""), app::Money());
    EXPECT_EQ(entries::valorFromText("1,2,3"), std::nullopt);
    EXPECT_EQ(entries::valorFromText(QString(16, '9')), std::nullopt) << "beyond any amount";
}

TEST(ValorText, LeavingTheFieldRefusesAnAmountOverTheLargest)
{
    EXPECT_EQ(entries::valorTextProblem("999999999,99"), std::nullopt);
    EXPECT_EQ(entries::valorTextProblem("1000000000"), kOverMaximum);
    EXPECT_EQ(entries::valorTextProblem("1.000.000.000,00"), kOverMaximum);
}

TEST(AccountGroup, FirstDigitOfTheThreeDigitForm)
{
    EXPECT_EQ(entries::accountGroup(11), 0);
    EXPECT_EQ(entries::accountGroup(5), 0);
    EXPECT_EQ(entries::accountGroup(101), 1);
    EXPECT_EQ(entries::accountGroup(299), 2);
}

struct ShadeCase
{
    const char *name;
    QDate data;
    QString opening;
    bool panelEnabled = true;
    entries::DateShade shade;
};
class Shade : public ::testing::TestWithParam<ShadeCase>
{
};

// Period March 2024, closed until 31/12/2023.
TEST_P(Shade, WarnsWhereTheDateLies)
{
    const ShadeCase &c = GetParam();
    const QString text = c.data.isValid() ? c.data.toString("dd/MM/yyyy") : QString();
    EXPECT_EQ(int(entries::dateShade({c.data, text, c.opening, c.panelEnabled, QDate(2023, 12, 31),
                                      QDate(2024, 3, 1), QDate(2024, 3, 31)})),
              int(c.shade));
}

using entries::DateShade;
INSTANTIATE_TEST_SUITE_P(
    Dates, Shade,
    ::testing::Values(
        ShadeCase{"noDate", QDate(), "", true, DateShade::Normal},
        ShadeCase{"workingMonth", QDate(2024, 3, 20), "", true, DateShade::Normal},
        ShadeCase{"closed", QDate(2023, 12, 31), "", true, DateShade::Closed},
        ShadeCase{"closedButOnlyShown", QDate(2023, 12, 31), "", false, DateShade::Other},
        ShadeCase{"openingDateUnchanged", QDate(2024, 1, 1), "01/01/2024", true, DateShade::Normal},
        ShadeCase{"nearMonthBefore", QDate(2024, 1, 15), "", true, DateShade::Other},
        ShadeCase{"monthStartingOver100DaysBefore", QDate(2023, 11, 15), "", false, DateShade::Far},
        ShadeCase{"monthEndingWithin100DaysAfter", QDate(2024, 6, 30), "", true, DateShade::Other},
        ShadeCase{"monthEndingOver100DaysAfter", QDate(2024, 7, 1), "", true, DateShade::Far}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
