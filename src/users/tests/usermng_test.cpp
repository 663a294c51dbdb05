// Users made, changed and removed over an installation, and the tables packed: creation is all or
// nothing, deletion takes exactly one user's files, a failing table does not stop a reindex.
#include "restorefixture.h"

#include <users/maintenance.h>
#include <users/password.h>
#include <users/usermng.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace users;

namespace {

QStringList filesOf(const QString &dir, const QString &cod)
{
    return QDir(dir).entryList({"Tb" + cod + "*"}, QDir::Files);
}

UserEdit named(const QString &nome)
{
    UserEdit e;
    e.nome = nome;
    return e;
}

} // namespace

TEST_F(RestoreFixture, NewCodeIsTheHighestPlusOneInAnyOrder)
{
    addUser(2, "Zé");
    addUser(5, "Ana");
    dm.TbUser->setIndexName("IdxNome");
    EXPECT_EQ(nextUserCode(dm), 6);
}

TEST_F(RestoreFixture, UserFromModelsOrFromAnotherUserGetsTheRightStartingData)
{
    addEntry("0001", 100);
    UserEdit e = named("Maria");
    e.ativarSenha = true;
    e.senha = "abCD";
    e.redigitar = "ABCD";
    createUser(dm, 2, e, {}, {13, 101, QVariant(), false});
    EXPECT_EQ(dm.TbUser->asInt("Cod"), 2);
    EXPECT_TRUE(verifyPassword(dm.TbUser->asString("Senha"), "abcd"));
    EXPECT_EQ(dm.TbUser->asInt("Cta0OFX"), 13);
    EXPECT_EQ(dm.TbUser->asInt("ProxDias"), 5);
    EXPECT_EQ(tableContents("Tb0002Cta.DB").size(), 71);
    EXPECT_EQ(tableContents("Tb0002Hsto.DB").size(), 23);

    data::AttachGuard cta(dm.db(), "Tb0001Cta.DB");
    dm.db().exec("DELETE FROM " + cta.table() + " WHERE CodRed = 12");
    createUser(dm, 3, named("Pedro"), "0001", {});
    EXPECT_EQ(tableContents("Tb0003Cta.DB"), tableContents("Tb0001Cta.DB"));
    EXPECT_EQ(tableContents("Tb0003BensCat.DB"), tableContents("Tb0001BensCat.DB"));
    EXPECT_EQ(tableContents("Tb0003Hsto.DB"), tableContents("Tb0001Hsto.DB"));
    EXPECT_TRUE(tableContents("Tb0003Fin.DB").isEmpty());
    EXPECT_TRUE(dm.TbUser->asBool("OkOFX"));
}

TEST_F(RestoreFixture, CreationFailingPartWayLeavesNothing)
{
    // A leftover file of the new code refuses the creation and is left alone.
    QFile leftover(dm.db().pathOf("Tb0002Bens.DB"));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    EXPECT_THROW(createUser(dm, 2, named("Maria"), {}, {}), app::StorageError);
    EXPECT_EQ(filesOf(dm.DirDados(), "0002"), QStringList{"Tb0002Bens.DB"});
    EXPECT_FALSE(dm.TbUser->locate("Cod", 2));
    leftover.remove();

    // The row cannot be written (its code is taken by a row without files): the new files go.
    dm.TbUser->append();
    dm.TbUser->setValue("Cod", 7);
    dm.TbUser->setValue("Nome", "Sem arquivos");
    dm.TbUser->post();
    EXPECT_THROW(createUser(dm, 7, named("Outro"), {}, {}), app::Error);
    EXPECT_TRUE(filesOf(dm.DirDados(), "0007").isEmpty());
    EXPECT_EQ(dm.TbUser->recordCount(), 2);
}

TEST_F(RestoreFixture, DeletingAUserRemovesExactlyItsFilesAndRow)
{
    addUser(2, "Maria");
    addUser(3, "Pedro");
    const QStringList others = filesOf(dm.DirDados(), "0001") + filesOf(dm.DirDados(), "0002");
    ASSERT_TRUE(deleteUser(dm, 3));
    EXPECT_TRUE(filesOf(dm.DirDados(), "0003").isEmpty());
    EXPECT_EQ(filesOf(dm.DirDados(), "0001") + filesOf(dm.DirDados(), "0002"), others);
    EXPECT_FALSE(dm.TbUser->locate("Cod", 3));
    EXPECT_TRUE(dm.TbUser->locate("Cod", 2));
}

struct FormCase
{
    const char *name;
    UserEdit e;
    bool creating = false, fromUser = false, chosen = false;
    const char *field = nullptr; // nullptr: accepted
};

class UserMngForm : public ::testing::TestWithParam<FormCase>
{
};

TEST_P(UserMngForm, RefusesWithTheFieldToFocus)
{
    const FormCase &c = GetParam();
    const auto p = checkUserMngForm(c.e, false, c.creating, c.fromUser, c.chosen);
    EXPECT_EQ(p ? p->field : QString(), QString(c.field ? c.field : ""));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserMngForm,
    ::testing::Values(
        FormCase{"emptyName", {" ", false, {}, {}, false}, false, false, false, "DBEditNome"},
        FormCase{
            "threeLetters", {"A", true, "abc", "abc", false}, false, false, false, "DBEditSenha"},
        FormCase{"blank", {"A", true, "ab c", "ab c", false}, false, false, false, "DBEditSenha"},
        FormCase{
            "retypeDiffers", {"A", true, "abcd", "abce", false}, false, false, false, "EditSenha"},
        FormCase{"mixedCaseRetypedInCapitals", {"A", true, "aBcD", "ABCD", false}},
        FormCase{"noPasswordIgnoresFields", {"A", false, "x", "", false}},
        FormCase{"copyWithoutUser", {"A", false, {}, {}, false}, true, true, false, "ComboUser"},
        FormCase{"copyWithUser", {"A", false, {}, {}, false}, true, true, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(RestoreFixture, ReindexShrinksTheEntriesAndKeepsEveryRowAndIndex)
{
    {
        data::Transaction tr(dm.db());
        for (int i = 0; i < 3000; ++i)
            addEntry("0001", i + 1);
        tr.commit();
    }
    {
        data::AttachGuard fin(dm.db(), "Tb0001Fin.DB");
        dm.db().exec("DELETE FROM " + fin.table() + " WHERE Valor > 100");
    }
    const QString path = dm.db().pathOf("Tb0001Fin.DB");
    const qint64 before = QFileInfo(path).size();
    const QStringList rows = tableContents("Tb0001Fin.DB");
    const ReindexOutcome r = reindexUser(dm);
    EXPECT_TRUE(r.failed.isEmpty());
    EXPECT_EQ(r.message(), "Ok. Reindexação realizada!");
    EXPECT_LT(QFileInfo(path).size(), before);
    EXPECT_EQ(tableContents("Tb0001Fin.DB"), rows);
    EXPECT_TRUE(dm.TbFin->isActive());
    EXPECT_EQ(dm.TbFin->recordCount(), rows.size());
}

TEST_F(RestoreFixture, ReindexCarriesOnPastAFailingTableAndNamesIt)
{
    addUser(2, "Maria");
    dm.TbUser->locate("Cod", 1);
    QFile bad(dm.db().pathOf("Tb0002Hsto.DB"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bad.write("this is not a database file, and it is long enough to look like one....");
    bad.close();
    std::vector<qint64> steps;
    const ReindexOutcome r = reindexAll(dm, [&](qint64 d, qint64 t) {
        steps.push_back(d);
        EXPECT_LE(d, t);
    });
    EXPECT_EQ(r.failed, QStringList{"Tb0002Hsto.DB"});
    EXPECT_TRUE(r.message().contains("Tb0002Hsto.DB"));
    EXPECT_EQ(steps.size(), size_t(2 * 8 + 2));
    // Back on the signed-in user, whatever failed.
    EXPECT_TRUE(dm.TbFin->isActive());
    EXPECT_EQ(dm.TbFin->fileName(), "Tb0001Fin.DB");
    EXPECT_EQ(dm.TbUser->asInt("Cod"), 1);
}
