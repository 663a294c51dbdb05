// The crash VFS keeps what a real disk keeps through a power loss: synced writes stay, unsynced
// writes and files never synced go, a crash point stops the operation in progress, and a crash
// at the journal's deletion leaves a hot journal that the next connection rolls back.
#include "crashvfs.h"

#include <data/database.h>

#include <app/error.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <string>

using namespace data;

namespace {

const QString kFile = "T.DB";

// A file holding one row (x = 1), written before any recording.
void makeFile(const QString &dir)
{
    Database db;
    db.setDirDados(dir);
    AttachGuard g(db, kFile, true);
    db.exec("CREATE TABLE " + g.table() + " (x INTEGER)");
    db.exec("INSERT INTO " + g.table() + " VALUES (1)");
}

// Inserts x = 2 with the file's synchronous setting; false when the insert failed.
bool insertRow(const QString &dir, const char *synchronous)
{
    Database db;
    db.setDirDados(dir);
    AttachGuard g(db, kFile);
    db.exec(QString("PRAGMA %1.synchronous=%2").arg(g.alias(), synchronous));
    try {
        db.exec("INSERT INTO " + g.table() + " VALUES (2)");
        return true;
    } catch (const app::StorageError &) {
        return false;
    }
}

qint64 count(const QString &dir, const char *where)
{
    Database db;
    db.setDirDados(dir);
    AttachGuard g(db, kFile);
    EXPECT_EQ(db.scalar("PRAGMA " + g.alias() + ".integrity_check").toString(), "ok");
    return db.scalar("SELECT count(*) FROM " + g.table() + " WHERE " + where).toLongLong();
}

// The sync and delete calls of one insert, counted on a copy of the same file.
int pointsOfInsert()
{
    QTemporaryDir dir;
    makeFile(dir.path());
    crashvfs::arm();
    insertRow(dir.path(), "FULL");
    const int n = crashvfs::points();
    crashvfs::disarm();
    return n;
}

struct VfsCase
{
    const char *name;
    const char *synchronous;
    int crashAt; // 0: no crash; -1: the last point of the insert (the journal's deletion)
    bool insertReturns;
    bool rowSurvives;
};

class CrashVfs : public ::testing::TestWithParam<VfsCase>
{
protected:
    void SetUp() override { crashvfs::install(); }
};

TEST_P(CrashVfs, KeepsWhatWasSyncedAndCommitted)
{
    const VfsCase &c = GetParam();
    QTemporaryDir dir;
    makeFile(dir.path());
    crashvfs::arm(c.crashAt < 0 ? pointsOfInsert() : c.crashAt);
    EXPECT_EQ(insertRow(dir.path(), c.synchronous), c.insertReturns);
    crashvfs::powerLoss();

    EXPECT_EQ(count(dir.path(), "x = 1"), 1);
    EXPECT_EQ(count(dir.path(), "x = 2"), c.rowSurvives ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, CrashVfs,
                         ::testing::Values(VfsCase{"syncedWriteKept", "FULL", 0, true, true},
                                           VfsCase{"unsyncedWriteLost", "OFF", 0, true, false},
                                           VfsCase{"crashAtFirstSync", "FULL", 1, false, false},
                                           VfsCase{"crashAtJournalDeletion", "FULL", -1, false,
                                                   false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CrashVfsFiles, FileNeverSyncedIsGoneAndDeleteStays)
{
    crashvfs::install();
    QTemporaryDir dir;
    makeFile(dir.path());
    crashvfs::arm();
    {
        Database db;
        db.setDirDados(dir.path());
        AttachGuard g(db, "New.DB", true);
        db.exec("PRAGMA " + g.alias() + ".synchronous=OFF");
        db.exec("CREATE TABLE " + g.table() + " (x INTEGER)");
    }
    sqlite3_vfs *vfs = sqlite3_vfs_find(nullptr);
    const QByteArray old = (dir.path() + '/' + kFile).toUtf8();
    ASSERT_EQ(vfs->xDelete(vfs, old.constData(), 0), SQLITE_OK);
    crashvfs::powerLoss();

    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/New.DB"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + '/' + kFile));
}

} // namespace
