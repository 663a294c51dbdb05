// The connection model: the main database file, any number of table files in use, aliases by
// path, and a transaction whose COMMIT fails.
#include "installedbook.h"

#include <data/UDM.h>
#include <data/filebatch.h>
#include <data/newuserdata.h>

#include <app/error.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace data;

namespace {

qint64 rows(Database &db, const QString &file)
{
    AttachGuard g(db, file);
    return db.scalar("SELECT count(*) FROM " + g.table()).toLongLong();
}

// Every one of the signed-in user's tables open, not only the usual ones.
struct SignedIn : InstalledBook
{
    void SetUp() override
    {
        InstalledBook::SetUp();
        for (Table *t : dm.userTableSet())
            t->open();
    }
};

TEST_F(SignedIn, MainDatabaseIsAFileOfTheDataFolderAndNoTable)
{
    const QString main = dm.db().mainFile();
    EXPECT_EQ(main, QDir(dir.path()).absoluteFilePath(Database::kMainFile));
    EXPECT_TRUE(QFile::exists(main));
    EXPECT_FALSE(QDir(dir.path()).entryList({"*.DB"}, QDir::Files).contains(Database::kMainFile));
}

TEST_F(SignedIn, MoreFilesThanSQLiteAttachesAtOnce)
{
    Database &db = dm.db();
    // A second user's tables are created and a third user's chart is copied while every table
    // of the first stays open.
    {
        FileBatch batch(db);
        CriarArquivos(batch, "0002");
        CopiarTabelasAuxiliaresQuorvila(batch, "0002");
        batch.commit();
    }
    {
        FileBatch batch(db);
        CriarArquivos(batch, "0003");
        CopiarTabelasDeOutroUsuario(batch, "0003", "0002");
        batch.commit();
    }
    EXPECT_LE(db.physicallyAttached(), sqlite3_limit(db.handle(), SQLITE_LIMIT_ATTACHED, -1));
    EXPECT_EQ(rows(db, "Tb0002Cta.DB"), 71);
    EXPECT_EQ(rows(db, "Tb0003Cta.DB"), 71);
    EXPECT_EQ(rows(db, "Tb0003Hsto.DB"), 23);

    // The first user's open tables still read and write, and see every row.
    Table *fin = dm.TbFin;
    fin->refresh();
    EXPECT_EQ(fin->recordCount(), 5);
    fin->append();
    fin->setValue("Data", QDate(2026, 12, 10));
    fin->setValue("CtaDeb", 11);
    fin->setValue("CtaCred", 111);
    fin->setValue("Valor", qlonglong(1234));
    fin->setValue("Hsto", "DEPOIS DE TANTOS ARQUIVOS");
    fin->post();
    EXPECT_EQ(fin->recordCount(), 6);
    EXPECT_EQ(rows(db, "Tb0001Fin.DB"), 6);
    dm.TbCta->first();
    EXPECT_FALSE(dm.TbCta->asString("CodCta").isEmpty());
    EXPECT_EQ(dm.TbUser->asString("Nome"), "Nome do Usuário");
}

TEST_F(SignedIn, TwoFilesWithOneBaseNameKeepTheirOwnRows)
{
    Database &db = dm.db();
    QDir(dir.path()).mkdir("copia");
    const QString backup = dir.filePath("copia/Tb0001Fin.DB");
    ASSERT_TRUE(QFile::copy(dir.filePath("Tb0001Fin.DB"), backup));
    {
        AttachGuard copy(db, backup);
        db.exec("DELETE FROM " + copy.table());
        EXPECT_NE(copy.alias(), db.aliasOf("Tb0001Fin.DB"));
        EXPECT_EQ(db.scalar("SELECT count(*) FROM " + copy.table()).toLongLong(), 0);
    }
    EXPECT_EQ(rows(db, "Tb0001Fin.DB"), 5);
    EXPECT_EQ(rows(db, backup), 0);
}

TEST_F(SignedIn, AFailedCommitRollsBackAndTheConnectionStaysUsable)
{
    Database &db = dm.db();
    db.setBusyTimeout(50);
    // Another process reading the entries file keeps its shared lock: COMMIT cannot write.
    OtherProgramLock reader(dir.filePath("Tb0001Fin.DB"), "BEGIN; SELECT count(*) FROM Tabela;");
    ASSERT_TRUE(reader.held());
    const QString fin = dm.TbFin->sqlName();
    {
        Transaction tr(db);
        db.exec("DELETE FROM " + fin);
        EXPECT_THROW(tr.commit(), app::StorageError);
    }
    EXPECT_EQ(db.transactionDepth(), 0);
    EXPECT_NE(sqlite3_get_autocommit(db.handle()), 0);
    reader.release();

    EXPECT_EQ(rows(db, "Tb0001Fin.DB"), 5);
    {
        Transaction tr(db);
        db.exec("DELETE FROM " + fin + " WHERE CtaDeb = 11");
        tr.commit();
    }
    EXPECT_EQ(rows(db, "Tb0001Fin.DB"), 3);
}

TEST_F(SignedIn, ReleasedFilesAreDetachedSoTheyCanBeReplaced)
{
    Database &db = dm.db();
    const int before = db.physicallyAttached();
    EXPECT_EQ(rows(db, "Tb0001Orc.DB"), 0);
    dm.TbOrc->close();
    EXPECT_FALSE(db.isAttached("Tb0001Orc.DB"));
    EXPECT_EQ(db.physicallyAttached(), before - 1);
    // A file nobody holds can be swapped on disk; the next attach reads the new one.
    ASSERT_TRUE(QFile::remove(dir.filePath("Tb0001Orc.DB")));
    ASSERT_TRUE(QFile::copy(dir.filePath("Tb0001Fin.DB"), dir.filePath("Tb0001Orc.DB")));
    EXPECT_EQ(rows(db, "Tb0001Orc.DB"), 5);
}

} // namespace
