// The one SQLite connection of the books. Every table of the catalogue is its own database file in
// DirDados, attached to this connection under the file's base name while a table object or a
// statement needs it; work tables are TEMP tables of the same connection. Owns nothing above the
// SQL level: record semantics live in Table, statement results in Query.
#pragma once

#include <QHash>
#include <QString>
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
    Statement(sqlite3 *db, sqlite3_stmt *s, QString sql);
    void bind(int index, const QVariant &v); // 1-based
    void bindAll(const QVariantList &params);
    // Steps once; true while a row is available. Throws StorageError on failure.
    bool step();
    QVariant column(int i) const;
    int columnCount() const;
    QString columnName(int i) const;
    void reset();
    qint64 lastInsertRowId() const;

private:
    sqlite3 *m_db;
    std::unique_ptr<sqlite3_stmt, StatementDeleter> m_stmt;
    QString m_sql;
};

class Database
{
public:
    // Opens an in-memory main database; table files are attached below it. A read-only
    // connection attaches its files read-only (the information base).
    explicit Database(bool readOnly = false);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    void setDirDados(const QString &dir) { m_dir = dir; }
    QString dirDados() const { return m_dir; }
    QString pathOf(const QString &fileName) const;
    bool fileExists(const QString &fileName) const;

    // Attaches the file (a name in DirDados such as "Tb0001Fin.DB", or an absolute path) and
    // returns its schema name; reference counted, so each attach() pairs with one detach().
    // With create false a missing file throws StorageError instead of being created empty.
    QString attach(const QString &fileName, bool create = false);
    void detach(const QString &fileName);
    static QString aliasFor(const QString &fileName);
    bool isAttached(const QString &fileName) const;

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
    [[noreturn]] void fail(const QString &what, const QString &sql = {}) const;

private:
    std::unique_ptr<sqlite3, ConnectionDeleter> m_db;
    QString m_dir;
    bool m_readOnly = false;
    QHash<QString, int> m_attached; // alias -> reference count
    int m_depth = 0;
};

// Begins in its constructor, rolls back in its destructor unless commit() ran. Nests.
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
