// The chart's rules against the real table files of a starting installation: every save check
// with its message and field, the in-use checks behind editing and deleting, and renumbering a
// reduced code together with the entries and budget rows that use it.
#include "fixture.h"

#include <accounts/chartstore.h>

#include <app/error.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace accounts;
using accounts::testing::Books;

namespace {

const QString kFormIncome =
    "Código de Conta Inválido.\r\nDigite o código de conta correto!\r\n(Formato deve ser "
    "\"1.xx\" ou \"1.xx.xx\")!";
const QString kShortened = "A Conta que está sendo editada possui %1.\r\nPor isso, o código da "
                           "Conta precisa continuar sendo\r\num código de terceiro nível "
                           "(x.xx.xx)!";
const QString kNoParent = "Para incluir ou utilizar a Conta de terceiro nivel \"%1\" é "
                          "necessário\r\nincluir antes a Conta de segundo nível \"%2\"!";
const QString kOutOfRange = "Código Reduzido de Conta é Inválido!\r\nDigite um código (Cod "
                            "Red>=%1 e Cod Red<=%2)!";

struct SaveCase
{
    const char *name;
    CtaEditContext ctx;
    const char *code;
    std::optional<qint64> codRed;
    const char *descricao;
    QString message; // empty: the account may be stored
    CtaField field = CtaField::Code;
};

CtaEditContext newIn(int group)
{
    CtaEditContext c;
    c.group = group;
    return c;
}

CtaEditContext editing(int group, const char *code, qint64 codRed = 0, bool lanc = false,
                       bool orc = false)
{
    return {code, codRed, lanc, orc, group};
}

// The installation is only read by these cases, so the suite shares one.
class SaveChecks : public ::testing::TestWithParam<SaveCase>
{
protected:
    static void SetUpTestSuite() { s_books = std::make_unique<Books>(); }
    static void TearDownTestSuite() { s_books.reset(); }
    static std::unique_ptr<Books> s_books;
};
std::unique_ptr<Books> SaveChecks::s_books;

TEST_P(SaveChecks, FirstFailureInOrderWithItsField)
{
    const SaveCase &c = GetParam();
    const CtaValues v{QString::fromUtf8(c.code), c.codRed, QString::fromUtf8(c.descricao)};
    const std::optional<CtaCheckFailure> f = checkAccountSave(c.ctx, v, ChartStore(s_books->dm));
    EXPECT_EQ(f ? f->message : QString(), c.message);
    if (f && !c.message.isEmpty()) {
        EXPECT_EQ(int(f->field), int(c.field));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveChecks,
    ::testing::Values(
        SaveCase{"emptyCode", newIn(1), "", std::nullopt, "X", "Digite o código da Conta!"},
        SaveCase{"otherGroupsCode", newIn(1), "2.04.07", 239, "X", "Primeiro nível inválido!"},
        // Regression: a malformed code whose first four characters name an existing account
        // passed every check of saving when the focus was not in the code field.
        SaveCase{"malformedCodeWithExistingPrefix", newIn(1), "1.015.5", 150, "X", kFormIncome},
        SaveCase{"shortCodeReachingSave", newIn(1), "1.5", std::nullopt, "X", kFormIncome},
        SaveCase{"renamingATitleWithSubaccounts", editing(2, "2.04"), "2.13", std::nullopt, "X",
                 "Você não pode alterar o código\r\nde conta que tem subcontas!"},
        SaveCase{"renamingAGroupRootWithSubaccounts", editing(2, "2"), "2.13", std::nullopt, "X",
                 "Você não pode alterar o código\r\nde conta que tem subcontas!"},
        SaveCase{"entriesKeepTheAccountAtLevelThree", editing(2, "2.05.01", 241, true), "2.13",
                 std::nullopt, "X", kShortened.arg("lançamentos")},
        SaveCase{"budgetKeepsTheAccountAtLevelThree", editing(2, "2.04.06", 236, false, true),
                 "2.13", std::nullopt, "X", kShortened.arg("valores orçados")},
        SaveCase{"bothKeepTheAccountAtLevelThree", editing(2, "2.05.01", 241, true, true), "2.13",
                 std::nullopt, "X", kShortened.arg("lançamentos\r\n e valores orçados")},
        SaveCase{"existingCode", newIn(2), "2.04.01", 239, "X",
                 "Código de Conta já existe.\r\nDigite outro código!"},
        SaveCase{"missingTitleParent", newIn(2), "2.10.01", 239, "X",
                 kNoParent.arg("2.10.01", "2.10")},
        SaveCase{"headingWithReducedCode", newIn(2), "2.13", 250, "X",
                 "Contas de Nível 1 e 2 servem para totalizar saldos\r\ne não podem receber "
                 "lançamentos, portanto\r\nnão precisam de Código Reduzido! Delete-o!",
                 CtaField::CodRed},
        SaveCase{"analyticalWithoutReducedCode", newIn(0), "0.01.05", std::nullopt, "X",
                 "Digite um Código Reduzido (Cod Red>10 e Cod Red<99)!", CtaField::CodRed},
        SaveCase{"cashFive", newIn(0), "0.01.05", 5, "X", kOutOfRange.arg(10).arg(99),
                 CtaField::CodRed},
        SaveCase{"incomeHundred", newIn(1), "1.01.04", 100, "X", kOutOfRange.arg(101).arg(199),
                 CtaField::CodRed},
        SaveCase{"expenseTwoHundred", newIn(2), "2.04.07", 200, "X", kOutOfRange.arg(201).arg(299),
                 CtaField::CodRed},
        SaveCase{"takenReducedCode", newIn(2), "2.04.07", 241, "X",
                 "Código Reduzido de Conta \"241\" já existe!\r\nEscolha outro codigo reduzido "
                 "para esta conta!",
                 CtaField::CodRed},
        SaveCase{"emptyName", newIn(2), "2.04.07", 239, "",
                 "Nome/Descrição da Conta precisa ser preenchido!", CtaField::Descricao},
        SaveCase{"blankName", newIn(2), "2.04.07", 239, "   ",
                 "Nome/Descrição da Conta precisa ser preenchido!", CtaField::Descricao},
        SaveCase{"newAnalyticalAccount", newIn(2), "2.04.07", 239, "Internet", {}},
        SaveCase{"newTitleAccount", newIn(1), "1.05", std::nullopt, "Aposentadoria", {}},
        SaveCase{
            "ownReducedCodeKept", editing(2, "2.05.01", 241, true), "2.05.01", 241, "Gasolina", {}},
        SaveCase{"accountInUseMovedWithinLevelThree",
                 editing(2, "2.05.01", 241, true),
                 "2.04.09",
                 241,
                 "X",
                 {}},
        SaveCase{"renamingATitleWithOneAccount", editing(1, "1.09"), "1.08", std::nullopt, "X",
                 "Você não pode alterar o código\r\nde conta que tem subcontas!"}),
    [](const auto &info) { return std::string(info.param.name); });

class ChartStoreTest : public ::testing::Test
{
protected:
    Books books;
    ChartStore store{books.dm};
};

TEST_F(ChartStoreTest, RenamingATitleUnderItselfNamesTheMissingParent)
{
    // 2.04 without its accounts: renamed to 2.04.07 it would be its own parent.
    books.dm.db().exec("DELETE FROM " + books.dm.TbCta->sqlName() + " WHERE CodCta LIKE '2.04.%'");
    const CtaValues v{"2.04.07", 239, "Casa"};
    const auto f = checkAccountSave(editing(2, "2.04"), v, store);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->message, kNoParent.arg("2.04.07", "2.04"));
}

struct UsageCase
{
    const char *name;
    qint64 codRed;
    bool entry;  // add an entry using it as origin
    bool budget; // add a budget row using it
    bool lancamentos;
    bool orcamento;
};

class Usage : public ::testing::TestWithParam<UsageCase>
{
protected:
    Books books;
};

TEST_P(Usage, SeesEntriesOnBothSidesAndBudgetRows)
{
    const UsageCase &c = GetParam();
    if (c.entry)
        books.addEntry(11, c.codRed);
    if (c.budget)
        books.addBudget(c.codRed);
    const ChartStore::Usage u = ChartStore(books.dm).usage(c.codRed);
    EXPECT_EQ(u.lancamentos, c.lancamentos);
    EXPECT_EQ(u.orcamento, c.orcamento);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Usage,
    ::testing::Values(UsageCase{"destinationOfSample", 241, false, false, true, false},
                      UsageCase{"originOfSample", 195, false, false, true, false},
                      UsageCase{"originOfNewEntry", 212, true, false, true, false},
                      UsageCase{"budgetOnly", 236, false, true, false, true},
                      UsageCase{"entriesAndBudget", 13, false, true, true, true},
                      UsageCase{"unused", 284, false, false, false, false}),
    [](const auto &info) { return std::string(info.param.name); });

struct DeleteCase
{
    const char *name;
    const char *code;
    std::optional<qint64> codRed;
    bool budget; // a budget row uses codRed
    QString refusal;
};

class DeleteRefusal : public ::testing::TestWithParam<DeleteCase>
{
protected:
    Books books;
};

const QString kInUse = "Esta conta não pode ser excluída\r\npois possui registros de %1!\r\n\r\n"
                       "Para excluí-la, seria necessário excluir antes\r\nestes registros de %1!";

TEST_P(DeleteRefusal, RefusesAccountsWithChildrenOrRecords)
{
    const DeleteCase &c = GetParam();
    if (c.budget)
        books.addBudget(*c.codRed);
    const std::optional<QString> r =
        ChartStore(books.dm).deleteRefusal({c.code, c.codRed, "X", {}});
    EXPECT_EQ(r.value_or(QString()), c.refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteRefusal,
    ::testing::Values(
        DeleteCase{"titleWithAccounts", "2.04", std::nullopt, false,
                   "Esta conta não pode ser excluída!\r\n\r\nPara excluí-la, seria necessário "
                   "excluir antes\r\nas contas que estão abaixo desta!"},
        DeleteCase{"usedByEntries", "2.05.01", 241, false, kInUse.arg("lançamento")},
        DeleteCase{"usedByBudgetOnly", "2.04.06", 236, true, kInUse.arg("orçamento")},
        DeleteCase{"usedByBoth", "0.01.03", 13, true, kInUse.arg("lançamento e de orçamento")},
        DeleteCase{"unusedAnalytical", "2.12.04", 284, false, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ChartStoreTest, TitleWithoutAccountsMayBeDeleted)
{
    books.dm.db().exec("DELETE FROM " + books.dm.TbCta->sqlName() + " WHERE CodCta LIKE '2.12.%'");
    EXPECT_EQ(store.deleteRefusal({"2.12", std::nullopt, "Compra de Bens", {}}), std::nullopt);
}

TEST_F(ChartStoreTest, LookupsAnswerFromTheStoredChart)
{
    EXPECT_EQ(store.countWithPrefix("2.04"), 7);
    EXPECT_EQ(store.countWithPrefix("0"), 11);
    EXPECT_EQ(store.countWithPrefix("2.04.01"), 1);
    EXPECT_TRUE(store.codeExists("2.04.01"));
    EXPECT_FALSE(store.codeExists("2.04.07"));
    EXPECT_TRUE(store.codRedExists(241));
    EXPECT_FALSE(store.codRedExists(245));
    EXPECT_FALSE(store.entriesEmpty());
}

// Puts TbCta in edit state on `code` with new values, as the editor leaves it before saving.
void editAccount(data::Table *cta, const QString &code, const QString &newCode, qint64 newRed)
{
    ASSERT_TRUE(cta->findKey({code}));
    cta->edit();
    cta->setValue("CodCta", newCode);
    cta->setValue("CodRed", newRed);
}

TEST_F(ChartStoreTest, RenumberingMovesEntriesBudgetAndTheAccountTogether)
{
    books.addEntry(11, 241); // 241 as origin too
    books.addBudget(241);
    books.addBudget(241, QDate(2027, 1, 1));
    books.addBudget(231);
    const qint64 asDestination = books.entries("CtaDeb = 241");
    ASSERT_EQ(asDestination, 1);
    editAccount(books.dm.TbCta, "2.05.01", "2.05.09", 245);

    store.renumberAndPost(241, 245);

    EXPECT_EQ(books.entries("CtaDeb = 241 OR CtaCred = 241"), 0);
    EXPECT_EQ(books.entries("CtaDeb = 245"), asDestination);
    EXPECT_EQ(books.entries("CtaCred = 245"), 1);
    EXPECT_EQ(books.entries("CtaCred = 13"), 2); // the other sides stay as they were
    EXPECT_EQ(books.budget("CodRed = 241"), 0);
    EXPECT_EQ(books.budget("CodRed = 245"), 2);
    EXPECT_EQ(books.budget("CodRed = 231"), 1);
    EXPECT_EQ(books.dm.TbCta->state(), data::Table::State::Browse);
    ASSERT_TRUE(books.dm.TbCta->findKey({"2.05.09"}));
    EXPECT_EQ(books.dm.TbCta->asInt("CodRed"), 245);
    EXPECT_FALSE(store.codeExists("2.05.01"));
    // The entries' account names follow at once.
    ASSERT_TRUE(books.dm.lookupCta(245).has_value());
    EXPECT_EQ(books.dm.lookupCta(245)->codCta, QString("2.05.09"));
}

TEST_F(ChartStoreTest, RenumberingIsAllOrNothing)
{
    books.addBudget(241);
    // The account's own post fails (its new code is taken) after the entries were rewritten:
    // before, the entries and budget stayed moved to a reduced code no account had.
    editAccount(books.dm.TbCta, "2.05.01", "2.05.02", 245);

    EXPECT_THROW(store.renumberAndPost(241, 245), app::StorageError);

    EXPECT_EQ(books.entries("CtaDeb = 241"), 1);
    EXPECT_EQ(books.entries("CtaDeb = 245"), 0);
    EXPECT_EQ(books.budget("CodRed = 241"), 1);
    EXPECT_EQ(books.dm.TbCta->state(), data::Table::State::Edit);
    EXPECT_EQ(books.dm.TbCta->asString("CodCta"), QString("2.05.02"));
    books.dm.TbCta->cancel();
    ASSERT_TRUE(books.dm.TbCta->findKey({"2.05.01"}));
    EXPECT_EQ(books.dm.TbCta->asInt("CodRed"), 241);
}

TEST_F(ChartStoreTest, BudgetCodesMissingFromAnotherChartAreNamed)
{
    books.addBudget(241, QDate(2026, 11, 1));
    books.addBudget(241);
    books.addBudget(111);
    books.addBudget(295);
    std::vector<CtaRow> rows = store.rows();
    EXPECT_TRUE(store.budgetCodesMissingFrom(rows).empty());
    // Without 2.05.01 (241) and 2.19.05 (295); a title without reduced code changes nothing.
    std::erase_if(rows, [](const CtaRow &r) {
        return r.codCta == "2.05.01" || r.codCta == "2.19.05" || r.codCta == "2.05";
    });
    EXPECT_EQ(store.budgetCodesMissingFrom(rows), (std::vector<qint64>{241, 295}));
    EXPECT_EQ(orphanedBudgetMessage({241, 295}),
              QString("O Orçamento usa contas que não existem neste\r\nPlano de Contas (códigos "
                      "reduzidos: 241, 295).\r\n\r\nO Plano de Contas não foi importado! "
                      "Retire do Orçamento os\r\nvalores dessas contas ou importe um Plano de "
                      "Contas que as tenha."));
}

TEST_F(ChartStoreTest, ContextOfAnAccountTellsWhatUsesIt)
{
    books.addBudget(241);
    const CtaEditContext used = store.contextFor({"2.05.01", 241, "Combustível", {}}, 2);
    EXPECT_EQ(used.CodCtaAnt, QString("2.05.01"));
    EXPECT_EQ(used.CodRedAnt, 241);
    EXPECT_TRUE(used.TemLancamentos);
    EXPECT_TRUE(used.TemOrcamento);
    const CtaEditContext title = store.contextFor({"2.05", std::nullopt, "Veículos", {}}, 2);
    EXPECT_EQ(title.CodRedAnt, 0);
    EXPECT_FALSE(title.TemLancamentos);
    EXPECT_FALSE(title.TemOrcamento);
}

TEST(ReducedCodeInUse, OnlyAChangedCodeOfAnAccountInUseNeedsRenumbering)
{
    const CtaEditContext used = editing(2, "2.05.01", 241, true);
    EXPECT_TRUE(changesReducedCodeInUse(used, {"2.05.01", 245, "X"}));
    EXPECT_FALSE(changesReducedCodeInUse(used, {"2.05.09", 241, "X"}));
    EXPECT_FALSE(changesReducedCodeInUse(editing(2, "2.05.01", 241), {"2.05.01", 245, "X"}));
    EXPECT_TRUE(
        changesReducedCodeInUse(editing(2, "2.04.06", 236, false, true), {"2.04.06", 239, "X"}));
}

TEST(ChartTexts, RenumberQuestionNamesWhatMoves)
{
    EXPECT_EQ(renumberQuestion(editing(2, "2.05.01", 241, true, true), 245),
              QString("A alteração de código reduzido de conta afeta registros de lançamentos e "
                      "de orçamento.\r\nTODOS os registros de lançamentos e de orçamento de Conta "
                      "\"241\" serão alterados para \"245\"\r\nindependentemente de data de "
                      "lançamentos e de orçamento!\r\n\r\nConfirma esta operação?"));
    EXPECT_EQ(renumberQuestion(editing(2, "2.04.06", 236, false, true), 239),
              QString("A alteração de código reduzido de conta afeta registros de orçamento.\r\n"
                      "TODOS os registros de orçamento de Conta \"236\" serão alterados para "
                      "\"239\"\r\nindependentemente de data de orçamento!\r\n\r\nConfirma esta "
                      "operação?"));
}

} // namespace
