#include "database.h"

#include <app/error.h>

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

namespace data {

// UPPER() of SQLite folds ASCII only; names and histories are Portuguese ("ção").
static void qupperFunction(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QByteArray u =
        QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(argv[0])),
                          sqlite3_value_bytes(argv[0]))
            .toUpper()
            .toUtf8();
    sqlite3_result_text(ctx, u.constData(), u.size(), SQLITE_TRANSIENT);
}

void StatementDeleter::operator()(sqlite3_stmt *s) const
{
    sqlite3_finalize(s);
}

void ConnectionDeleter::operator()(sqlite3 *c) const
{
    sqlite3_close_v2(c);
}

QString quoteIdent(const QString &name)
{
    QString q = name;
    q.replace('"', "\"\"");
    return '"' + q + '"';
}

// ---------------------------------------------------------------- Statement

Statement::Statement(sqlite3 *db, sqlite3_stmt *s, QString sql)
    : m_db(db), m_stmt(s), m_sql(std::move(sql))
{
}

void Statement::bind(int index, const QVariant &v)
{
    sqlite3_stmt *s = m_stmt.get();
    int rc = SQLITE_OK;
    if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(s, index);
    } else {
        switch (v.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(s, index, v.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
        case QMetaType::Short:
            rc = sqlite3_bind_int64(s, index, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(s, index, v.toDouble());
            break;
        case QMetaType::QDate: {
            const QByteArray t = v.toDate().toString("yyyy-MM-dd").toUtf8();
            rc = sqlite3_bind_text(s, index, t.constData(), t.size(), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob(s, index, b.constData(), b.size(), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray t = v.toString().toUtf8();
            rc = sqlite3_bind_text(s, index, t.constData(), t.size(), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        QUORVILA_THROW(app::StorageError, QString::fromUtf8(sqlite3_errmsg(m_db)) + "\r\n" + m_sql);
}

void Statement::bindAll(const QVariantList &params)
{
    for (int i = 0; i < params.size(); ++i)
        bind(i + 1, params[i]);
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const int ext = sqlite3_extended_errcode(m_db);
    QString text = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_reset(m_stmt.get());
    if (ext == SQLITE_CONSTRAINT_PRIMARYKEY || ext == SQLITE_CONSTRAINT_UNIQUE)
        QUORVILA_THROW(app::StorageError,
                       QString("Violação de chave: já existe um registro com esta chave."));
    QUORVILA_THROW(app::StorageError, text + "\r\n" + m_sql);
}

QVariant Statement::column(int i) const
{
    sqlite3_stmt *s = m_stmt.get();
    switch (sqlite3_column_type(s, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(s, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(s, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, i)),
                                          sqlite3_column_bytes(s, i)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(s, i)),
                                   sqlite3_column_bytes(s, i)));
    default:
        return QVariant();
    }
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt.get());
}

QString Statement::columnName(int i) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt.get(), i));
}

void Statement::reset()
{
    sqlite3_reset(m_stmt.get());
    sqlite3_clear_bindings(m_stmt.get());
}

qint64 Statement::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

// ---------------------------------------------------------------- Database

Database::Database(bool readOnly) : m_readOnly(readOnly)
{
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(":memory:", &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE |
                                       SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI,
                                   nullptr);
    m_db.reset(raw);
    if (rc != SQLITE_OK)
        fail("sqlite3_open_v2");
    sqlite3_extended_result_codes(raw, 1);
    // A locked file (another process reading it) is waited for briefly instead of failing.
    sqlite3_busy_timeout(raw, 2000);
    sqlite3_create_function(raw, "qupper", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            qupperFunction, nullptr, nullptr);
}

Database::~Database() = default;

void Database::fail(const QString &what, const QString &sql) const
{
    QString text = QString::fromUtf8(sqlite3_errmsg(m_db.get())) + " (" + what + ")";
    if (!sql.isEmpty())
        text += "\r\n" + sql;
    QUORVILA_THROW(app::StorageError, text);
}

QString Database::pathOf(const QString &fileName) const
{
    if (QFileInfo(fileName).isAbsolute())
        return fileName;
    return m_dir + '/' + fileName;
}

bool Database::fileExists(const QString &fileName) const
{
    return QFileInfo::exists(pathOf(fileName));
}

QString Database::aliasFor(const QString &fileName)
{
    // "Tb0001Fin.DB" -> "Tb0001Fin"; staging names keep their suffix so they never collide.
    QString base = QFileInfo(fileName).fileName();
    if (base.endsWith(".DB", Qt::CaseInsensitive))
        base.chop(3);
    for (QChar &c : base)
        if (!c.isLetterOrNumber())
            c = '_';
    return base;
}

bool Database::isAttached(const QString &fileName) const
{
    return m_attached.contains(aliasFor(fileName));
}

QString Database::attach(const QString &fileName, bool create)
{
    const QString alias = aliasFor(fileName);
    auto it = m_attached.find(alias);
    if (it != m_attached.end()) {
        ++it.value();
        return alias;
    }
    const QString path = pathOf(fileName);
    if (!create && !QFileInfo::exists(path))
        QUORVILA_THROW(app::StorageError,
                       "Arquivo não encontrado: " + QDir::toNativeSeparators(path));
    if (m_readOnly) {
        const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + "?mode=ro";
        exec("ATTACH DATABASE ? AS " + quoteIdent(alias), {uri});
        m_attached.insert(alias, 1);
        return alias;
    }
    exec("ATTACH DATABASE ? AS " + quoteIdent(alias), {path});
    // Each post must be on disk when it returns, and at rest a table is exactly one file.
    exec("PRAGMA " + quoteIdent(alias) + ".journal_mode=DELETE");
    exec("PRAGMA " + quoteIdent(alias) + ".synchronous=FULL");
    m_attached.insert(alias, 1);
    return alias;
}

void Database::detach(const QString &fileName)
{
    const QString alias = aliasFor(fileName);
    auto it = m_attached.find(alias);
    if (it == m_attached.end())
        return;
    if (--it.value() > 0)
        return;
    m_attached.erase(it);
    exec("DETACH DATABASE " + quoteIdent(alias));
}

qint64 Database::changeCounter() const
{
    return sqlite3_total_changes64(m_db.get());
}

Statement Database::prepare(const QString &sql)
{
    sqlite3_stmt *s = nullptr;
    const QByteArray u = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db.get(), u.constData(), u.size(), &s, nullptr) != SQLITE_OK)
        fail("prepare", sql);
    return Statement(m_db.get(), s, sql);
}

int Database::exec(const QString &sql, const QVariantList &params)
{
    Statement st = prepare(sql);
    st.bindAll(params);
    while (st.step()) {
    }
    return sqlite3_changes(m_db.get());
}

QVariant Database::scalar(const QString &sql, const QVariantList &params)
{
    Statement st = prepare(sql);
    st.bindAll(params);
    if (!st.step())
        return QVariant();
    return st.column(0);
}

void Database::begin()
{
    if (m_depth == 0)
        exec("BEGIN IMMEDIATE");
    else
        exec(QString("SAVEPOINT sp%1").arg(m_depth));
    ++m_depth;
}

void Database::commit()
{
    QUORVILA_SOFT_ASSERT(m_depth > 0, return );
    --m_depth;
    if (m_depth == 0)
        exec("COMMIT");
    else
        exec(QString("RELEASE sp%1").arg(m_depth));
}

void Database::rollback()
{
    QUORVILA_SOFT_ASSERT(m_depth > 0, return );
    --m_depth;
    if (m_depth == 0) {
        if (!sqlite3_get_autocommit(m_db.get()))
            exec("ROLLBACK");
    } else {
        exec(QString("ROLLBACK TO sp%1").arg(m_depth));
        exec(QString("RELEASE sp%1").arg(m_depth));
    }
}

// ---------------------------------------------------------------- guards

Transaction::Transaction(Database &db) : m_db(db)
{
    m_db.begin();
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    try {
        m_db.rollback();
    } catch (const std::exception &e) {
        qWarning("rollback failed: %s", e.what());
    }
}

void Transaction::commit()
{
    m_db.commit();
    m_done = true;
}

AttachGuard::AttachGuard(Database &db, const QString &fileName, bool create)
    : m_db(db), m_file(fileName), m_alias(db.attach(fileName, create))
{
}

AttachGuard::~AttachGuard()
{
    try {
        m_db.detach(m_file);
    } catch (const std::exception &e) {
        qWarning("detach failed: %s", e.what());
    }
}

QString AttachGuard::table() const
{
    return quoteIdent(m_alias) + '.' + kInnerTable;
}

} // namespace data
