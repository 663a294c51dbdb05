// The one SQLite connection of the books. Every table of the catalogue is its own database file in
// DirDados, attached to this connection while a table object or a statement needs it; work tables
// are TEMP tables of the same connection. Owns nothing above the SQL level: record semantics live
// in Table, statement results in Query.
//
// The main database of a writing connection is a real file in DirDados (kMainFile), never a
// table of the books: SQLite writes the super-journal of a transaction over several files beside
// the main database, and without one (an in-memory main) such a transaction is atomic only file
// by file when the machine loses power.
//
// Files in use: attach() takes a reference for a table object or a guard; the file is given an
// alias keyed by its canonical path, kept for the connection's life, so two files with one base
// name (a backup's "Tb0001Fin.DB" beside the live one) never share an alias. SQLite attaches at
// most a handful of files at once, so a referenced file is attached physically only while a
// statement needs it: preparing or stepping a statement that names an alias ("alias".Tabela)
// attaches it, detaching the least recently used file that holds no transaction or open read
// when the limit is reached.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace data {

struct StatementDeleter
{
    void operator()(sqlite3_stmt *s) const;
};
struct ConnectionDeleter
{
    void operator()(sqlite3 *c) const;
};

// Every table file holds exactly one table under this name, so a file can be renamed, copied or
// restored under another user's code without touching its contents.
inline constexpr const char *kInnerTable = "Tabela";

// A prepared statement with bound parameters. Values go in and come out as QVariant:
// integers as qlonglong, reals as double, text as QString, blobs as QByteArray, NULL as invalid.
class Statement
{
public:
    Statement(class Database *owner, sqlite3_stmt *s, QString sql, QStringList needs);
    void bind(int index, const QVariant &v); // 1-based
    void bindAll(const QVariantList &params);
    // Steps once; true while a row is available. Throws StorageError on failure.
    bool step();
    QVariant column(int i) const;
    int columnCount() const;
    QString columnName(int i) const;
    void reset();
    qint64 lastInsertRowId() const;
    // The files a failure of this statement is about (by default those its aliases name).
    void setErrorFiles(const QStringList &files) { m_files = files; }

private:
    QStringList errorFiles() const;

    class Database *m_owner;
    sqlite3 *m_db;
    std::unique_ptr<sqlite3_stmt, StatementDeleter> m_stmt;
    QString m_sql;
    QStringList m_needs; // the aliases the statement names, attached before it first steps
    QStringList m_files; // set by setErrorFiles
    bool m_running = false;
};

class Database
{
public:
    // The main database of a writing connection, in DirDados; part of no backup and of no table
    // catalogue. Its super-journals ("<name>-mj...") appear beside it during a commit.
    static constexpr const char *kMainFile = ".quorvila-conexao";

    // Opens with an in-memory main database until setDirDados() gives it its file. A read-only
    // connection (the information base) keeps the in-memory main and attaches files read-only.
    explicit Database(bool readOnly = false);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Precondition: no file attached, no transaction. A writing connection reopens on
    // DirDados/kMainFile (at once when the folder exists, else at the first attach). When that
    // file cannot be created (a read-only folder) the main stays in memory: nothing there can be
    // written anyway.
    void setDirDados(const QString &dir);
    QString dirDados() const { return m_dir; }
    QString pathOf(const QString &fileName) const;
    bool fileExists(const QString &fileName) const;

    // Takes a reference on the file (a name in DirDados such as "Tb0001Fin.DB", or an absolute
    // path), attaches it and returns its schema name; each attach() pairs with one detach().
    // With create false a missing file throws StorageError instead of being created empty. On
    // failure no reference is taken.
    QString attach(const QString &fileName, bool create = false);
    // Drops a reference; the last one detaches the file (at the end of the transaction when one
    // holds it). Throws StorageError when DETACH fails, with the reference kept.
    void detach(const QString &fileName);
    // The alias a file has (or will have) on this connection, keyed by its canonical path.
    QString aliasOf(const QString &fileName);
    // True while the file holds a reference.
    bool isAttached(const QString &fileName) const;
    // Files attached physically right now (for tests of the attach limit).
    int physicallyAttached() const { return m_physical; }
    void setBusyTimeout(int ms);

    // Runs one statement (any kind) with bound parameters; returns the number of changed rows.
    int exec(const QString &sql, const QVariantList &params = {});
    // Runs a query and returns the first column of its first row (invalid when no row).
    QVariant scalar(const QString &sql, const QVariantList &params = {});
    Statement prepare(const QString &sql);

    // Nested transactions: the outermost begin/commit is a real transaction, inner ones are
    // savepoints. Use Transaction rather than calling these directly.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

    // Grows with every row this connection inserts, updates or deletes: a cache computed from
    // the tables is still valid while the counter has not moved.
    qint64 changeCounter() const;

    sqlite3 *handle() const { return m_db.get(); }
    QString mainFile() const { return m_mainPath; } // empty while the main is in memory
    // Throws the StorageError for SQLite's last failure on this connection, its user text
    // naming `files`, else the files of `sql` (data::sqliteError).
    [[noreturn]] void fail(const QString &what, const QString &sql = {},
                           const QStringList &files = {}) const;
    // The paths of files named by `aliases`; with none, the files the open transaction writes
    // (else reads): the files a failure is about.
    QStringList filesOf(const QStringList &aliases) const;

    // Attaches every referenced file among `aliases` that is not attached (Statement calls it
    // before preparing and before the first step). Throws StorageError when room cannot be made.
    void ensureAttached(const QStringList &aliases);

private:
    struct Slot
    {
        QString alias;
        QString path;
        int refs = 0;
        bool attached = false;
        quint64 lastUse = 0;
    };
    void openMain(const QString &path);
    Slot *slotOf(const QString &fileName);
    Slot *slotByAlias(const QString &alias);
    QString canonicalPath(const QString &fileName) const;
    QStringList aliasesIn(const QString &sql) const;
    void attachPhysically(Slot &slot);
    bool detachPhysically(Slot &slot); // false when SQLite holds the file (a transaction)
    void makeRoom(const QStringList &keep);
    void detachPending();
    void execRaw(const QString &sql, const QVariantList &params = {},
                 const QStringList &files = {});

    std::unique_ptr<sqlite3, ConnectionDeleter> m_db;
    QString m_dir;
    QString m_mainPath;
    bool m_readOnly = false;
    QHash<QString, Slot> m_slots;         // canonical path -> slot
    QHash<QString, QString> m_aliasPaths; // alias -> canonical path
    int m_physical = 0;
    quint64 m_clock = 0;
    int m_depth = 0;
    int m_busyMs = 2000;
};

// Begins in its constructor, rolls back in its destructor unless commit() ran. Nests. A commit()
// that throws has already rolled its level back, and the connection stays usable.
class Transaction
{
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    Database &m_db;
    bool m_done = false;
};

// Keeps a file attached for the lifetime of the guard.
class AttachGuard
{
public:
    AttachGuard(Database &db, const QString &fileName, bool create = false);
    ~AttachGuard();
    AttachGuard(const AttachGuard &) = delete;
    AttachGuard &operator=(const AttachGuard &) = delete;
    QString alias() const { return m_alias; }
    // "alias".Tabela, ready to splice into a statement (a name we formed, never typed text).
    QString table() const;

private:
    Database &m_db;
    QString m_file;
    QString m_alias;
};

// Quotes an identifier for SQL.
QString quoteIdent(const QString &name);

} // namespace data
