// A fresh installation in a temporary data folder with user 0001 signed in: the shared tables
// and the user's usual tables open, as after sign-in. Shared by the data folder's tests.
#pragma once

#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <gtest/gtest.h>

struct InstalledBook : ::testing::Test
{
    QTemporaryDir dir;
    data::TDM dm;
    void SetUp() override
    {
        dm.DataModuleCreate(dir.path());
        data::installFirstRun(dm.db(), QDate(2026, 12, 10));
        dm.openSharedTables();
        dm.pointUserTables("0001");
        dm.OpenUserFiles();
    }
};

// Another program's connection to one table file, holding the lock `begin` takes ("BEGIN;
// SELECT count(*) FROM Tabela;" keeps a reader's shared lock, "BEGIN EXCLUSIVE" a writer's)
// until release() or the end of the scope.
class OtherProgramLock
{
public:
    OtherProgramLock(const QString &path, const char *begin)
    {
        m_ok = sqlite3_open(QFile::encodeName(path).constData(), &m_db) == SQLITE_OK &&
               sqlite3_exec(m_db, begin, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~OtherProgramLock() { release(); }
    OtherProgramLock(const OtherProgramLock &) = delete;
    OtherProgramLock &operator=(const OtherProgramLock &) = delete;
    bool held() const { return m_ok; }
    void release()
    {
        if (!m_db)
            return;
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
        m_db = nullptr;
    }

private:
    sqlite3 *m_db = nullptr;
    bool m_ok = false;
};
