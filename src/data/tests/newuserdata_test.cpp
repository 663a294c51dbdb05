// The first-run installation, a user's starting data, and that creation is all or nothing.
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <app/error.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

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
    // A folder in the way of the history table's staging file makes the installation fail
    // half-way through, after TbCfg, TbUser, Fin and Cta were built.
    ASSERT_TRUE(QDir(dir.path()).mkdir("Tb0001Hsto.DB.new"));
    EXPECT_THROW(installFirstRun(db, QDate(2026, 12, 10)), app::StorageError);
    EXPECT_EQ(files(dir.path()), QStringList());
    EXPECT_TRUE(firstRunNeeded(db));
    // Once the obstacle is gone the next start installs normally.
    ASSERT_TRUE(QDir(dir.path()).rmdir("Tb0001Hsto.DB.new"));
    installFirstRun(db, QDate(2026, 12, 10));
    EXPECT_EQ(count(db, "Tb0001Hsto.DB"), 23);
}

// What the first start leaves when it ran to the end.
void expectCompleteInstallation(const QString &dir)
{
    EXPECT_EQ(files(dir),
              (QStringList{"Tb0001Bens.DB", "Tb0001BensCat.DB", "Tb0001BensVlr.DB", "Tb0001Cta.DB",
                           "Tb0001Fin.DB", "Tb0001Hsto.DB", "Tb0001MatFin.DB", "Tb0001Orc.DB",
                           "TbCfg.DB", "TbUser.DB"}));
    EXPECT_FALSE(QFile::exists(dir + "/" + FileBatch::kCommitRecord));
    Database db;
    db.setDirDados(dir);
    EXPECT_FALSE(firstRunNeeded(db));
    EXPECT_EQ(count(db, "Tb0001Cta.DB"), 71);
    EXPECT_EQ(count(db, "Tb0001Hsto.DB"), 23);
    EXPECT_EQ(count(db, "Tb0001BensCat.DB"), 9);
    EXPECT_EQ(count(db, "Tb0001Fin.DB"), 5);
    EXPECT_EQ(count(db, "TbCfg.DB", "Cod = 1 AND LastUser = 1"), 1);
    EXPECT_EQ(count(db, "TbUser.DB", "Cod = 1 AND Admin = 1"), 1);
    for (const QString &f :
         QStringList{"Tb0001Orc.DB", "Tb0001MatFin.DB", "Tb0001Bens.DB", "Tb0001BensVlr.DB"})
        EXPECT_EQ(count(db, f), 0) << f.toStdString();
}

// What the next start does: finish or undo, then install when nothing is there.
void nextStart(const QString &dir)
{
    Database db;
    db.setDirDados(dir);
    recoverInterruptedCreation(db);
    if (firstRunNeeded(db))
        installFirstRun(db, QDate(2026, 12, 10));
}

class StopHookGuard
{
public:
    explicit StopHookGuard(int at)
    {
        FileBatch::setStopHook([at](int step) { return step == at; });
    }
    ~StopHookGuard() { FileBatch::setStopHook(nullptr); }
};

// The first start killed at every step of its commit: before the commit record, and after each
// of the ten renames (the last one, TbCfg.DB, included). The next start finishes it every time.
TEST(FirstRun, KilledAtEveryRenameTheNextStartFinishesIt)
{
    const int n = int(firstRunFiles().size());
    ASSERT_EQ(n, 10);
    for (int step = -1; step <= n; ++step) {
        SCOPED_TRACE("stopped at step " + std::to_string(step));
        QTemporaryDir dir;
        {
            Database db;
            db.setDirDados(dir.path());
            StopHookGuard stop(step);
            EXPECT_THROW(installFirstRun(db, QDate(2026, 12, 10)), FileBatch::Stopped);
        }
        // What the kill left: the staging files not yet renamed, and the record once written.
        const QStringList left = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(left.filter(QRegularExpression("\\.DB\\.new$")).size(), step < 0 ? n : n - step);
        EXPECT_EQ(QFile::exists(dir.filePath(FileBatch::kCommitRecord)), step >= 0);
        {
            // Finished from the record, or (killed before it) the folder back as it was.
            Database db;
            db.setDirDados(dir.path());
            recoverInterruptedCreation(db);
            if (step < 0) {
                EXPECT_EQ(files(dir.path()), QStringList());
            }
        }
        nextStart(dir.path());
        expectCompleteInstallation(dir.path());
    }
}

// What builds without the commit record left when killed between two renames: the first k files
// of the rename order in place, the rest only as staging files (2 of 91 kills in that window made
// every later start fail with "Arquivo já existe" or "Arquivo não encontrado: ...TbCfg.DB").
TEST(FirstRun, AnOldInterruptedInstallationIsFinished)
{
    QStringList order = firstRunFiles();
    std::reverse(order.begin(), order.end());
    for (int k = 1; k < order.size(); ++k) {
        SCOPED_TRACE("renamed " + std::to_string(k));
        QTemporaryDir dir;
        {
            Database db;
            db.setDirDados(dir.path());
            installFirstRun(db, QDate(2026, 12, 10));
        }
        for (int i = k; i < order.size(); ++i)
            ASSERT_TRUE(QFile::rename(dir.filePath(order[i]),
                                      dir.filePath(FileBatch::stagingName(order[i]))));
        nextStart(dir.path());
        expectCompleteInstallation(dir.path());
    }
}

// Staging files without a record never were visible: they go, and the start installs anew.
TEST(FirstRun, StagingLeftoversWithoutARecordAreRemoved)
{
    QTemporaryDir dir;
    for (const char *f :
         {"TbCfg.DB.new", "TbUser.DB.new", "Tb0001Fin.DB.new", "Tb0001Fin.DB.new-journal"}) {
        QFile garbage(dir.filePath(f));
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write("not a table, half written");
    }
    nextStart(dir.path());
    expectCompleteInstallation(dir.path());
    EXPECT_FALSE(QFile::exists(dir.filePath("Tb0001Fin.DB.new-journal")));
}

// A user's files without TbCfg and TbUser are someone's data: never installed over or beside.
TEST(FirstRun, RefusesToInstallBesideUsersFiles)
{
    for (const QString &cod : {QString("0002"), QString("0001")}) {
        SCOPED_TRACE(cod.toStdString());
        QTemporaryDir dir;
        Database db;
        db.setDirDados(dir.path());
        {
            FileBatch batch(db);
            CriarArquivos(batch, cod);
            batch.commit();
        }
        const QStringList before = files(dir.path());
        ASSERT_EQ(userTableFiles(db).size(), 8);
        EXPECT_TRUE(recoverInterruptedCreation(db).isEmpty());
        ASSERT_TRUE(firstRunNeeded(db));
        try {
            installFirstRun(db, QDate(2026, 12, 10));
            ADD_FAILURE() << "installed beside user " << cod.toStdString();
        } catch (const app::StorageError &e) {
            EXPECT_TRUE(e.text().contains(QDir::toNativeSeparators(dir.path())));
            EXPECT_TRUE(e.text().contains("Tb" + cod + "Fin.DB"));
            EXPECT_TRUE(e.text().contains("TbCfg.DB e TbUser.DB"));
            EXPECT_FALSE(e.text().contains("Arquivo já existe"));
        }
        EXPECT_EQ(files(dir.path()), before);
    }
}

// Half an old split with another user's file beside it is not ours to finish.
TEST(FirstRun, ASplitBesideAnotherUsersFileIsNotFinished)
{
    QTemporaryDir dir;
    Database db;
    db.setDirDados(dir.path());
    installFirstRun(db, QDate(2026, 12, 10));
    for (const char *f : {"TbCfg.DB", "TbUser.DB"})
        ASSERT_TRUE(QFile::rename(dir.filePath(f), dir.filePath(QString(f) + ".new")));
    QFile other(dir.filePath("Tb0002Fin.DB"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    EXPECT_TRUE(recoverInterruptedCreation(db).isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("TbCfg.DB")));
    EXPECT_THROW(installFirstRun(db, QDate(2026, 12, 10)), app::StorageError);
    EXPECT_EQ(userTableFiles(db).size(), 9);
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
