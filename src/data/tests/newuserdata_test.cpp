// The first-run installation, a user's starting data, and that creation is all or nothing.
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <app/error.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace data;

namespace {

qint64 count(Database &db, const QString &file, const QString &where = {})
{
    AttachGuard g(db, file);
    return db
        .scalar("SELECT count(*) FROM " + g.table() + (where.isEmpty() ? "" : " WHERE " + where))
        .toLongLong();
}

QStringList files(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

TEST(FirstRun, CreatesExactlyTheStartingData)
{
    QTemporaryDir dir;
    Database db;
    db.setDirDados(dir.path());
    ASSERT_TRUE(firstRunNeeded(db));
    installFirstRun(db, QDate(2026, 12, 10));
    EXPECT_FALSE(firstRunNeeded(db));

    EXPECT_EQ(files(dir.path()),
              (QStringList{"Tb0001Bens.DB", "Tb0001BensCat.DB", "Tb0001BensVlr.DB", "Tb0001Cta.DB",
                           "Tb0001Fin.DB", "Tb0001Hsto.DB", "Tb0001MatFin.DB", "Tb0001Orc.DB",
                           "TbCfg.DB", "TbUser.DB"}));
    EXPECT_EQ(count(db, "Tb0001Cta.DB"), 71);
    EXPECT_EQ(count(db, "Tb0001Cta.DB", "CodRed IS NULL"), 21);
    EXPECT_EQ(count(db, "Tb0001Hsto.DB"), 23);
    EXPECT_EQ(count(db, "Tb0001BensCat.DB"), 9);
    EXPECT_EQ(count(db, "Tb0001Fin.DB"), 5);
    EXPECT_EQ(count(db, "Tb0001Fin.DB", "Confirmado = 1"), 5);
    EXPECT_EQ(count(db, "TbCfg.DB", "Cod = 1 AND LastUser = 1 AND UserOrder = 0"), 1);
    EXPECT_EQ(count(db, "TbUser.DB",
                    "Cod = 1 AND Nome = 'Nome do Usuário' AND Admin = 1 AND AtivarSenha = 0 AND "
                    "ProxDias = 5 AND OkOFX = 1 AND Senha IS NULL"),
              1);
}

TEST(FirstRun, SampleEntriesSitAroundTheFirstOfTheMonth)
{
    QTemporaryDir dir;
    TDM dm;
    dm.DataModuleCreate(dir.path());
    installFirstRun(dm.db(), QDate(2026, 1, 20));
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
    Table *t = dm.TbFin;
    struct Expected
    {
        QDate data;
        int deb, cred;
        qint64 centavos;
        QString hsto, numDoc;
    };
    const Expected rows[] = {
        {QDate(2025, 12, 31), 11, 195, 5000, "SALDO ANTERIOR EM DINHEIRO", {}},
        {QDate(2025, 12, 31), 13, 195, 20000, "SALDO ANTERIOR CONTA CORRENTE", {}},
        {QDate(2026, 1, 1), 13, 111, 200000, "SALARIO DE DEZ/25 - NOME DA EMPRESA", {}},
        {QDate(2026, 1, 2), 241, 13, 5000, "GASOLINA - NF 4123 POSTO DO ZÉ", "CH 125458"},
        {QDate(2026, 1, 6), 11, 13, 10000, "SAQUE CONTA CORRENTE BANCO 1", {}},
    };
    t->first();
    for (const Expected &e : rows) {
        ASSERT_FALSE(t->eof());
        EXPECT_EQ(t->asDate("Data"), e.data);
        EXPECT_EQ(t->asInt("CtaDeb"), e.deb);
        EXPECT_EQ(t->asInt("CtaCred"), e.cred);
        EXPECT_EQ(t->asMoney("Valor").centavos(), e.centavos);
        EXPECT_EQ(t->asString("Hsto"), e.hsto);
        EXPECT_EQ(t->asString("NumDoc"), e.numDoc);
        t->next();
    }
}

TEST(FirstRun, AFailurePartWayLeavesNothingBehind)
{
    QTemporaryDir dir;
    Database db;
    db.setDirDados(dir.path());
    // A stray history table of user 0001 makes the installation fail half-way through.
    QFile stray(dir.filePath("Tb0001Hsto.DB"));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.close();
    EXPECT_THROW(installFirstRun(db, QDate(2026, 12, 10)), app::StorageError);
    EXPECT_EQ(files(dir.path()), QStringList{"Tb0001Hsto.DB"});
    EXPECT_TRUE(firstRunNeeded(db));
    // Once the obstacle is gone the next start installs normally.
    QFile::remove(dir.filePath("Tb0001Hsto.DB"));
    installFirstRun(db, QDate(2026, 12, 10));
    EXPECT_EQ(count(db, "Tb0001Hsto.DB"), 23);
}

TEST(UserFiles, CopyFromAnotherUserAndDelete)
{
    QTemporaryDir dir;
    Database db;
    db.setDirDados(dir.path());
    installFirstRun(db, QDate(2026, 12, 10));
    {
        FileBatch batch(db);
        CriarArquivos(batch, "0003");
        CopiarTabelasDeOutroUsuario(batch, "0003", "0001");
        batch.commit();
    }
    EXPECT_EQ(count(db, "Tb0003Cta.DB"), 71);
    EXPECT_EQ(count(db, "Tb0003Hsto.DB"), 23);
    EXPECT_EQ(count(db, "Tb0003BensCat.DB"), 9);
    EXPECT_EQ(count(db, "Tb0003Fin.DB"), 0);

    QFile::remove(dir.filePath("Tb0003Orc.DB")); // a missing table is skipped
    EXPECT_TRUE(DeleteUserFiles(db, "0003"));
    EXPECT_FALSE(files(dir.path()).join(',').contains("Tb0003"));
    EXPECT_EQ(count(db, "Tb0001Fin.DB"), 5);
}

} // namespace
