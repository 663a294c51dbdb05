#include "maintenance.h"

#include "backup.h"

#include <app/error.h>
#include <data/UDM.h>

#include <QDir>
#include <QFile>

#include <sqlite3.h>

namespace users {

namespace {

struct Sqlite
{
    sqlite3 *db = nullptr;
    ~Sqlite() { sqlite3_close_v2(db); }
};

[[noreturn]] void packFailed(const QString &path, sqlite3 *db)
{
    QUORVILA_THROW(app::StorageError,
                   QDir::toNativeSeparators(path) + ": " + (db ? sqlite3_errmsg(db) : "não abriu"));
}

qint64 recordCount(const QString &path)
{
    Sqlite c;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &c.db, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK)
        return 0;
    sqlite3_stmt *st = nullptr;
    qint64 n = 0;
    if (sqlite3_prepare_v2(c.db, "SELECT count(*) FROM Tabela", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        n = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return n;
}

// Closes the table objects for the run and, whatever happens, reopens at the end those that were
// open, pointed at the signed-in user, with TbUser back on the row it was on.
class ClosedTables
{
public:
    ClosedTables(data::TDM &dm, bool shared) : m_dm(dm), m_shared(shared)
    {
        for (data::Query *q : {dm.QrFinPesq, dm.QrFinProx, dm.QrBensPesq})
            q->close();
        for (data::Table *t : dm.userTableSet()) {
            if (t->isActive())
                m_open.push_back(t);
            t->close();
        }
        if (shared) {
            m_cod = dm.TbUser->isActive() && !dm.TbUser->isEmpty() ? dm.TbUser->value("Cod")
                                                                   : QVariant();
            dm.TbCfg->close();
            dm.TbUser->close();
        }
    }
    ~ClosedTables()
    {
        app::noThrow("reindex: reopening the tables", [this] {
            if (m_shared) {
                m_dm.openSharedTables();
                if (m_cod.isValid())
                    m_dm.TbUser->locate("Cod", m_cod);
            }
            m_dm.pointUserTables(m_dm.CodUsuario());
            for (data::Table *t : m_open)
                t->open();
        });
    }
    ClosedTables(const ClosedTables &) = delete;
    ClosedTables &operator=(const ClosedTables &) = delete;

private:
    data::TDM &m_dm;
    bool m_shared;
    QVariant m_cod;
    std::vector<data::Table *> m_open;
};

} // namespace

QString ReindexOutcome::message() const
{
    if (failed.isEmpty())
        return "Ok. Reindexação realizada!";
    return "Reindexação realizada, exceto nos arquivos abaixo,\r\nque ficaram como "
           "estavam:\r\n\r\n" +
           failed.join("\r\n") +
           "\r\n\r\nVerifique se estes arquivos existem e não estão\r\nabertos em outro programa.";
}

void packFile(const QString &path, const std::function<void()> &tick)
{
    Sqlite c;
    if (!QFile::exists(path) || sqlite3_open_v2(QFile::encodeName(path).constData(), &c.db,
                                                SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        packFailed(path, c.db);
    sqlite3_busy_timeout(c.db, 1000);
    // VACUUM of a large table is one long call: the window is repainted meanwhile.
    const std::function<void()> *t = tick ? &tick : nullptr;
    sqlite3_progress_handler(
        c.db, 20000,
        [](void *f) {
            if (f)
                (*static_cast<const std::function<void()> *>(f))();
            return 0;
        },
        const_cast<std::function<void()> *>(t));
    const auto run = [&](const char *sql) {
        if (sqlite3_exec(c.db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            packFailed(path, c.db);
    };
    run("PRAGMA locking_mode = EXCLUSIVE");
    run("PRAGMA synchronous = FULL");
    run("SELECT count(*) FROM Tabela"); // a file of the program: holds its one table
    run("VACUUM");
    run("REINDEX");
    sqlite3_stmt *st = nullptr;
    const bool ok =
        sqlite3_prepare_v2(c.db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW &&
        QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))) == "ok";
    sqlite3_finalize(st);
    if (!ok)
        packFailed(path, c.db);
}

ReindexOutcome packFiles(const QString &dirDados, const QStringList &names,
                         const Progress &progress)
{
    std::vector<qint64> weights;
    qint64 total = 0;
    for (const QString &n : names) {
        weights.push_back(recordCount(dirDados + '/' + n) + 5);
        total += weights.back();
    }
    ReindexOutcome out;
    qint64 done = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        try {
            packFile(dirDados + '/' + names[i], [&] {
                if (progress)
                    progress(done, total);
            });
        } catch (const app::Error &e) {
            qWarning("reindex: %s", qPrintable(e.text()));
            out.failed << names[i];
        }
        done += weights[size_t(i)];
        if (progress)
            progress(done, total);
    }
    return out;
}

ReindexOutcome reindexAll(data::TDM &dm, const Progress &progress)
{
    QStringList names = generalBackupNames(userCodes(dm));
    // TbUser before TbCfg, as the shared tables are packed.
    names.removeLast();
    names.removeLast();
    names << "TbUser.DB"
          << "TbCfg.DB";
    ClosedTables closed(dm, true);
    return packFiles(dm.DirDados(), names, progress);
}

ReindexOutcome reindexUser(data::TDM &dm, const Progress &progress)
{
    const QStringList names = userBackupNames(dm.CodUsuario());
    ClosedTables closed(dm, false);
    return packFiles(dm.DirDados(), names, progress);
}

} // namespace users
