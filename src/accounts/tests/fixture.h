// A fresh installation in a temporary directory, as the first run leaves it: user 0001 with the
// starting chart, histories and five sample entries, tables open. Shared by the rule tests.
#pragma once

#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QDate>
#include <QTemporaryDir>

namespace accounts::testing {

// Opens the shared tables and user 0001's files, as signing in does.
inline void openUserBooks(data::TDM &dm)
{
    dm.openSharedTables();
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
}

class Books
{
public:
    Books()
    {
        dm.DataModuleCreate(dir.path());
        data::installFirstRun(dm.db(), QDate(2026, 12, 10));
        openUserBooks(dm);
    }

    void addEntry(qint64 deb, qint64 cred)
    {
        dm.db().exec(
            "INSERT INTO " + dm.TbFin->sqlName() +
                " (Data, CtaDeb, CtaCred, Valor, Hsto) VALUES ('2026-12-01', ?, ?, 100, 'X')",
            {deb, cred});
        dm.TbFin->refresh();
    }

    void addBudget(qint64 codRed, const QDate &month = QDate(2026, 12, 1))
    {
        data::AttachGuard orc(dm.db(), dm.TbOrc->fileName());
        dm.db().exec("INSERT INTO " + orc.table() +
                         " (Data, CodRed, ValorOrcado) VALUES (?, ?, 5000)",
                     {month, codRed});
    }

    void emptyEntries() { dm.TbFin->emptyTable(); }

    qint64 count(const QString &fileName, const QString &where, const QVariantList &params = {})
    {
        data::AttachGuard t(dm.db(), fileName);
        return dm.db()
            .scalar("SELECT count(*) FROM " + t.table() + " WHERE " + where, params)
            .toLongLong();
    }
    qint64 entries(const QString &where, const QVariantList &params = {})
    {
        return count(dm.TbFin->fileName(), where, params);
    }
    qint64 budget(const QString &where, const QVariantList &params = {})
    {
        return count(dm.TbOrc->fileName(), where, params);
    }

    QTemporaryDir dir;
    data::TDM dm;
};

} // namespace accounts::testing
