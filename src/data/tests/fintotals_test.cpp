// The entries' kept totals against a count from scratch: after random writes of every kind, after
// a power loss at every sync and delete of a run of posts, and when the sign-in finds them
// missing, stale or tampered with. Its own process: the crash VFS becomes the default VFS.
#include "installedbook.h"

#include <data/fintotals.h>
#include <data/tests/crashvfs.h>

#include <QMap>
#include <QRandomGenerator>

#include <sys/wait.h>
#include <unistd.h>

using namespace data;

namespace {

using Key = QPair<QString, qint64>; // month, account
struct Sums
{
    qint64 deb = 0, cred = 0, sides = 0; // sides: the entry sides counted
    bool operator==(const Sums &) const = default;
};
struct Totals
{
    QMap<Key, Sums> months; // rows where some entry side is counted
    qint64 rows = 0, deb = 0, cred = 0;
    bool operator==(const Totals &o) const
    {
        return months == o.months && rows == o.rows && deb == o.deb && cred == o.cred;
    }
};

void PrintTo(const Totals &t, std::ostream *os)
{
    *os << "{rows " << t.rows << ", deb " << t.deb << ", cred " << t.cred;
    for (auto it = t.months.begin(); it != t.months.end(); ++it)
        *os << ", " << it.key().first.toStdString() << "/" << it.key().second << ": "
            << it.value().deb << "/" << it.value().cred << "/" << it.value().sides;
    *os << "}";
}

// What the file keeps.
Totals kept(Database &db, const QString &schema)
{
    Totals t;
    Statement st = db.prepare("SELECT Mes, Cta, Deb, Cred, N FROM " +
                              fintotals::totalsTable(schema) + " WHERE N <> 0");
    while (st.step())
        t.months.insert(
            {st.column(0).toString(), st.column(1).toLongLong()},
            {st.column(2).toLongLong(), st.column(3).toLongLong(), st.column(4).toLongLong()});
    Statement info =
        db.prepare("SELECT Lancamentos, SomaDeb, SomaCred FROM " + fintotals::infoTable(schema));
    if (info.step()) {
        t.rows = info.column(0).toLongLong();
        t.deb = info.column(1).toLongLong();
        t.cred = info.column(2).toLongLong();
    }
    return t;
}

// The same counted row by row from the entries, in C++.
Totals counted(Database &db, const QString &schema)
{
    Totals t;
    Statement st =
        db.prepare("SELECT Data, CtaDeb, CtaCred, Valor FROM " + quoteIdent(schema) + ".Tabela");
    while (st.step()) {
        ++t.rows;
        const QVariant data = st.column(0);
        if (data.isNull())
            continue;
        const QString month = data.toString().left(7);
        const qint64 valor = st.column(3).toLongLong();
        if (!st.column(1).isNull()) {
            Sums &m = t.months[{month, st.column(1).toLongLong()}];
            m.deb += valor;
            ++m.sides;
            t.deb += valor;
        }
        if (!st.column(2).isNull()) {
            Sums &m = t.months[{month, st.column(2).toLongLong()}];
            m.cred += valor;
            ++m.sides;
            t.cred += valor;
        }
    }
    return t;
}

class FinTotals : public InstalledBook
{
protected:
    QString schema() { return dm.db().aliasOf(dm.TbFin->fileName()); }
    Totals keptNow() { return kept(dm.db(), schema()); }
    Totals countedNow() { return counted(dm.db(), schema()); }

    void post(const QDate &d, qint64 deb, qint64 cred, qint64 valor)
    {
        Table *t = dm.TbFin;
        t->append();
        t->setValue("Data", d);
        t->setValue("CtaDeb", deb);
        t->setValue("CtaCred", cred);
        t->setValue("Valor", valor);
        t->setValue("Hsto", "X");
        t->post();
    }
};

// Every way the program and other programs write entries: the table object's posts, edits and
// deletes, statements over many rows (a renumbering), rows with no date or account written by
// another program, a transaction rolled back, emptying the table.
TEST_F(FinTotals, MatchACountFromScratchAfterRandomWrites)
{
    ASSERT_TRUE(fintotals::inPlace(dm.db(), schema())) << "a new installation keeps its totals";
    ASSERT_EQ(keptNow(), countedNow());
    QRandomGenerator rng(22);
    const qint64 codes[] = {11, 12, 13, 100, 111, 195, 221, 241};
    const auto code = [&] {
        return codes[rng.bounded(8)];
    };
    const auto date = [&] {
        return QDate(2024, 1, 1).addDays(rng.bounded(3 * 365));
    };
    Table *fin = dm.TbFin;
    fin->setIndexName("IdxData");
    for (int step = 0; step < 200; ++step) {
        const int kind = rng.bounded(10);
        switch (kind) {
        case 0:
        case 1:
        case 2:
            post(date(), code(), code(), rng.bounded(1, 100000));
            break;
        case 3: // an edit of date, accounts and amount, or of the history alone
            if (fin->isEmpty())
                break;
            fin->moveTo(rng.bounded(fin->recordCount()));
            fin->edit();
            for (const char *f : {"Data", "CtaDeb"}) // another program's row may lack them
                if (fin->isNull(f))
                    fin->setValue(f, f[0] == 'D' ? QVariant(date()) : QVariant(code()));
            if (rng.bounded(4) == 0) {
                fin->setValue("Hsto", "OUTRO");
            } else {
                fin->setValue("Data", date());
                fin->setValue("CtaDeb", code());
                fin->setValue("Valor", qlonglong(rng.bounded(1, 100000)));
            }
            fin->post();
            break;
        case 4:
            if (fin->isEmpty())
                break;
            fin->moveTo(rng.bounded(fin->recordCount()));
            fin->remove();
            break;
        case 5: // a renumbering
            dm.db().exec("UPDATE " + fin->sqlName() + " SET CtaDeb = ? WHERE CtaDeb = ?",
                         {code(), code()});
            fin->refresh();
            break;
        case 6: // another program's rows: no date, no account, zero
            dm.db().exec("INSERT INTO " + fin->sqlName() +
                             " (Data, CtaDeb, CtaCred, Valor, Hsto) VALUES (?, ?, ?, ?, 'Y')",
                         {rng.bounded(2) ? QVariant() : QVariant(date().toString("yyyy-MM-dd")),
                          rng.bounded(2) ? QVariant() : QVariant(code()), code(),
                          qlonglong(rng.bounded(3) == 0 ? 0 : rng.bounded(1, 500))});
            fin->refresh();
            break;
        case 7: { // undone
            Transaction tr(dm.db());
            post(date(), code(), code(), 999);
            dm.db().exec("DELETE FROM " + fin->sqlName() + " WHERE rowid IN (SELECT rowid FROM " +
                         fin->sqlName() + " LIMIT 3)");
        }
            fin->refresh();
            break;
        case 8:
            if (rng.bounded(8) == 0)
                fin->emptyTable();
            break;
        default:
            dm.db().exec("UPDATE " + fin->sqlName() +
                             " SET Valor = Valor + 1, Data = ? WHERE "
                             "rowid % 7 = ?",
                         {date().toString("yyyy-MM-dd"), qlonglong(rng.bounded(7))});
            fin->refresh();
            break;
        }
        ASSERT_EQ(keptNow(), countedNow()) << "after step " << step << " (kind " << kind << ")";
    }
    EXPECT_EQ(fintotals::ensure(dm.db(), schema()), fintotals::Outcome::Sound);
}

// What the sign-in finds and mends: each case spoils the totals of a book with entries in a way a
// file can be found in, and signing in again must give totals equal to a count from scratch.
TEST_F(FinTotals, MissingStaleOrTamperedTotalsAreRebuiltAtSignIn)
{
    struct Case
    {
        const char *name;
        const char *sql; // run on the entries file's schema, "%1"
    };
    const Case cases[] = {
        {"no totals (a file of an earlier version)",
         "DROP TRIGGER %1.TotaisIncluir; DROP TRIGGER %1.TotaisAlterar; DROP TRIGGER "
         "%1.TotaisExcluir; DROP TABLE %1.Totais; DROP TABLE %1.TotaisInfo"},
        {"written with the triggers gone",
         "DROP TRIGGER %1.TotaisIncluir; INSERT INTO %1.Tabela (Data, CtaDeb, CtaCred, Valor, "
         "Hsto) VALUES ('2026-05-05', 11, 111, 700, 'Z')"},
        {"a trigger missing", "DROP TRIGGER %1.TotaisExcluir"},
        {"another version", "UPDATE %1.TotaisInfo SET Versao = Versao + 1"},
        {"a total changed by hand", "UPDATE %1.Totais SET Deb = Deb + 5 WHERE Cta = 11"},
        {"the header gone", "DELETE FROM %1.TotaisInfo"},
        {"the totals emptied", "DELETE FROM %1.Totais"},
        {"a row count that disagrees", "UPDATE %1.TotaisInfo SET Lancamentos = Lancamentos - 1"},
        {"the totals' table replaced by another",
         "DROP TABLE %1.Totais; CREATE TABLE %1.Totais (x)"},
        {"an earlier layout with matching sums",
         "DROP TABLE %1.Totais; CREATE TABLE %1.Totais (Mes TEXT, Cta INTEGER, Deb INTEGER, Cred "
         "INTEGER); INSERT INTO %1.Totais SELECT '2000-01', 11, SomaDeb, SomaCred FROM "
         "%1.TotaisInfo"},
    };
    for (int i = 0; i < 40; ++i)
        post(QDate(2025, 1, 1).addDays(i * 11), i % 2 ? 11 : 221, i % 3 ? 111 : 13, 100 + i);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Totals before = countedNow();
        const QString s = quoteIdent(schema());
        for (const QString &stmt : QString(c.sql).arg(s).split("; "))
            dm.db().exec(stmt);
        dm.CloseUserFiles();
        dm.OpenUserFiles();
        ASSERT_TRUE(fintotals::inPlace(dm.db(), schema()));
        EXPECT_EQ(keptNow(), countedNow());
        EXPECT_GE(countedNow().rows, before.rows);
        EXPECT_EQ(fintotals::ensure(dm.db(), schema()), fintotals::Outcome::Sound);
        post(QDate(2026, 2, 2), 13, 111, 4321); // and they are kept again from there on
        EXPECT_EQ(keptNow(), countedNow());
    }
}

// A power loss at every sync and delete of a run of posts, edits and deletes: the file is intact,
// and its totals are those of its entries, so the next sign-in finds them sound.
TEST(FinTotalsPowerLoss, EveryCrashPointLeavesTotalsMatchingTheEntries)
{
    QTemporaryDir dir;
    {
        TDM dm;
        dm.DataModuleCreate(dir.path());
        installFirstRun(dm.db(), QDate(2026, 12, 10));
    }
    QMap<QString, QByteArray> start;
    for (const char *f : {"Tb0001Fin.DB"}) {

        QFile file(dir.path() + '/' + f);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        start[f] = file.readAll();
    }
    const auto run = [&] {
        TDM dm;
        dm.DataModuleCreate(dir.path());
        dm.pointUserTables("0001");
        dm.OpenUserFiles();
        Table *t = dm.TbFin;
        for (int i = 0; i < 3; ++i) {
            t->append();
            t->setValue("Data", QDate(2026, 11, 3 + i));
            t->setValue("CtaDeb", 221);
            t->setValue("CtaCred", 11);
            t->setValue("Valor", 1000 + i);
            t->setValue("Hsto", "X");
            t->post();
        }
        t->edit();
        t->setValue("Data", QDate(2026, 10, 1));
        t->post();
        t->first();
        t->remove();
    };
    int points = 0;
    {
        data::crashvfs::arm();
        run();
        points = data::crashvfs::points();
        data::crashvfs::disarm();
    }
    ASSERT_GT(points, 5);
    for (int k = 1; k <= points; ++k) {
        SCOPED_TRACE("crash at point " + std::to_string(k) + " of " + std::to_string(points));
        for (auto it = start.begin(); it != start.end(); ++it) {
            QFile file(dir.path() + '/' + it.key());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(it.value());
        }
        QFile::remove(dir.path() + "/Tb0001Fin.DB-journal");
        fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            // Whatever the dying process does after the power went never reaches the disk.
            std::set_terminate([] { _exit(0); });
            data::crashvfs::arm(k);
            try {
                run();
            } catch (...) {
            }
            data::crashvfs::powerLoss();
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        Database db;
        db.setDirDados(dir.path());
        const AttachGuard fin(db, "Tb0001Fin.DB");
        EXPECT_EQ(db.scalar("PRAGMA " + quoteIdent(fin.alias()) + ".integrity_check").toString(),
                  "ok");
        ASSERT_TRUE(fintotals::inPlace(db, fin.alias()));
        EXPECT_EQ(kept(db, fin.alias()), counted(db, fin.alias()));
        EXPECT_EQ(fintotals::ensure(db, fin.alias()), fintotals::Outcome::Sound);
    }
}

// Before the first connection: connections keep the VFS they opened with.
struct CrashVfsFirst : ::testing::Environment
{
    void SetUp() override { data::crashvfs::install(); }
};
const auto *const s_crashVfs = ::testing::AddGlobalTestEnvironment(new CrashVfsFirst);

} // namespace
