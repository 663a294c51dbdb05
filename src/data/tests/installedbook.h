// A fresh installation in a temporary data folder with user 0001 signed in: the shared tables
// and the user's usual tables open, as after sign-in. Shared by the data folder's tests.
#pragma once

#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QDate>
#include <QTemporaryDir>

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
