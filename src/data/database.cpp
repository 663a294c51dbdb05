#include "database.h"

#include "storageerror.h"

#include <app/error.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
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

// qcontains(text, NEEDLE): 1 when `text` in Qt's upper case contains NEEDLE (given in upper
// case) as typed, with no wildcard; NULL text contains nothing. Texts of ASCII alone (most
// histories) are compared byte by byte without building strings, which keeps a search of every
// entry of a large book fast.
static bool asciiOnly(const unsigned char *p, int n)
{
    for (int i = 0; i < n; ++i)
        if (p[i] >= 0x80)
            return false;
    return true;
}

static unsigned char asciiUpper(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

static void qcontainsFunction(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    const auto *hay = sqlite3_value_text(argv[0]);
    const int hayLen = sqlite3_value_bytes(argv[0]);
    const auto *needle = sqlite3_value_text(argv[1]);
    const int needleLen = sqlite3_value_bytes(argv[1]);
    if (asciiOnly(hay, hayLen)) {
        // The upper case of ASCII is ASCII: a needle with other characters cannot be in it.
        if (!asciiOnly(needle, needleLen)) {
            sqlite3_result_int(ctx, 0);
            return;
        }
        for (int i = 0; i + needleLen <= hayLen; ++i) {
            int k = 0;
            while (k < needleLen && asciiUpper(hay[i + k]) == needle[k])
                ++k;
            if (k == needleLen) {
                sqlite3_result_int(ctx, 1);
                return;
            }
        }
        sqlite3_result_int(ctx, 0);
        return;
    }
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(hay), hayLen).toUpper();
    sqlite3_result_int(
        ctx, text.contains(QString::fromUtf8(reinterpret_cast<const char *>(needle), needleLen)));
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

Statement::Statement(Database *owner, sqlite3_stmt *s, QString sql, QStringList needs)
    : m_owner(owner), m_db(owner->handle()), m_stmt(s), m_sql(std::move(sql)),
      m_needs(std::move(needs))
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
        throw sqliteError(sqlite3_extended_errcode(m_db), QString::fromUtf8(sqlite3_errmsg(m_db)),
                          m_sql, errorFiles(), m_owner->dirDados());
}

QStringList Statement::errorFiles() const
{
    return m_files.isEmpty() ? m_owner->filesOf(m_needs) : m_files;
}

void Statement::bindAll(const QVariantList &params)
{
    for (int i = 0; i < params.size(); ++i)
        bind(i + 1, params[i]);
}

bool Statement::step()
{
    // A file this statement names may have been detached to make room since it was prepared;
    // SQLite recompiles the statement once the file is back.
    if (!m_running && !m_needs.isEmpty())
        m_owner->ensureAttached(m_needs);
    m_running = true;
    const int rc = sqlite3_step(m_stmt.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE) {
        m_running = false;
        return false;
    }
    m_running = false;
    const int ext = sqlite3_extended_errcode(m_db);
    const QString text = QString::fromUtf8(sqlite3_errmsg(m_db));
    // Before the reset: a failed COMMIT names the files its transaction was writing.
    const QStringList files = errorFiles();
    sqlite3_reset(m_stmt.get());
    if (ext == SQLITE_CONSTRAINT_PRIMARYKEY || ext == SQLITE_CONSTRAINT_UNIQUE)
        throw app::StorageError(QString("Violação de chave: já existe um registro com esta chave."),
                                text + "\r\n" + m_sql, ext, files.value(0), __FILE__, __LINE__);
    throw sqliteError(ext, text, m_sql, files, m_owner->dirDados());
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
    m_running = false;
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
    openMain(QString());
}

Database::~Database() = default;

void Database::openMain(const QString &path)
{
    sqlite3 *raw = nullptr;
    const QByteArray name = path.isEmpty() ? QByteArray(":memory:") : QFile::encodeName(path);
    int rc = sqlite3_open_v2(name.constData(), &raw,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX |
                                 SQLITE_OPEN_URI,
                             nullptr);
    if (rc != SQLITE_OK && !path.isEmpty()) {
        qWarning("main database %s: %s", name.constData(), raw ? sqlite3_errmsg(raw) : "?");
        sqlite3_close_v2(raw);
        openMain(QString());
        return;
    }
    m_db.reset(raw);
    if (rc != SQLITE_OK)
        fail("sqlite3_open_v2");
    m_mainPath = path;
    sqlite3_extended_result_codes(raw, 1);
    // A locked file (another process reading it) is waited for briefly instead of failing.
    sqlite3_busy_timeout(raw, m_busyMs);
    sqlite3_create_function(raw, "qupper", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            qupperFunction, nullptr, nullptr);
    sqlite3_create_function(raw, "qcontains", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            qcontainsFunction, nullptr, nullptr);
    if (!path.isEmpty()) {
        // The main holds no table; its journal settings decide how the super-journal is kept.
        execRaw("PRAGMA main.journal_mode=DELETE");
        execRaw("PRAGMA main.synchronous=FULL");
    }
}

void Database::setDirDados(const QString &dir)
{
    m_dir = dir;
    if (m_readOnly || dir.isEmpty())
        return;
    QUORVILA_SOFT_ASSERT(m_physical == 0 && m_depth == 0, return );
    if (QFileInfo(dir).isDir())
        openMain(QDir(dir).absoluteFilePath(kMainFile));
}

void Database::setBusyTimeout(int ms)
{
    m_busyMs = ms;
    sqlite3_busy_timeout(m_db.get(), ms);
}

void Database::fail(const QString &what, const QString &sql, const QStringList &files) const
{
    throw sqliteError(sqlite3_extended_errcode(m_db.get()),
                      QString::fromUtf8(sqlite3_errmsg(m_db.get())) + " (" + what + ")", sql,
                      files.isEmpty() ? filesOf(aliasesIn(sql)) : files, m_dir);
}

QStringList Database::filesOf(const QStringList &aliases) const
{
    QStringList files;
    for (const QString &a : aliases)
        if (m_aliasPaths.contains(a))
            files << m_aliasPaths.value(a);
    if (!files.isEmpty() || !m_db)
        return files;
    // A statement that names no file (COMMIT): the files its transaction writes, else reads.
    for (int wanted : {SQLITE_TXN_WRITE, SQLITE_TXN_READ}) {
        for (const Slot &s : m_slots)
            if (s.attached && sqlite3_txn_state(m_db.get(), s.alias.toUtf8().constData()) == wanted)
                files << s.path;
        if (!files.isEmpty())
            break;
    }
    files.sort();
    return files;
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

QString Database::canonicalPath(const QString &fileName) const
{
    const QFileInfo fi(pathOf(fileName));
    const QString file = fi.canonicalFilePath();
    if (!file.isEmpty())
        return file;
    // A file still to be created: its folder's canonical path and its name.
    const QString folder = QFileInfo(fi.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? QDir::cleanPath(fi.absolutePath()) : folder) + '/' + fi.fileName();
}

Database::Slot *Database::slotOf(const QString &fileName)
{
    const QString path = canonicalPath(fileName);
    auto it = m_slots.find(path);
    if (it != m_slots.end())
        return &it.value();
    // "Tb0001Fin.DB" -> "Tb0001Fin"; another file with the same base name gets a numbered alias,
    // and staging names keep their suffix.
    QString base = QFileInfo(path).fileName();
    if (base.endsWith(".DB", Qt::CaseInsensitive))
        base.chop(3);
    for (QChar &c : base)
        if (!c.isLetterOrNumber())
            c = '_';
    QString alias = base;
    for (int n = 2;
         m_aliasPaths.contains(alias) || alias.compare("main", Qt::CaseInsensitive) == 0 ||
         alias.compare("temp", Qt::CaseInsensitive) == 0;
         ++n)
        alias = base + '_' + QString::number(n);
    m_aliasPaths.insert(alias, path);
    Slot slot;
    slot.alias = alias;
    slot.path = path;
    return &m_slots.insert(path, slot).value();
}

Database::Slot *Database::slotByAlias(const QString &alias)
{
    auto p = m_aliasPaths.constFind(alias);
    if (p == m_aliasPaths.constEnd())
        return nullptr;
    auto it = m_slots.find(p.value());
    return it == m_slots.end() ? nullptr : &it.value();
}

QString Database::aliasOf(const QString &fileName)
{
    return slotOf(fileName)->alias;
}

bool Database::isAttached(const QString &fileName) const
{
    auto it = m_slots.constFind(canonicalPath(fileName));
    return it != m_slots.constEnd() && it->refs > 0;
}

QStringList Database::aliasesIn(const QString &sql) const
{
    // Every schema name this program forms is quoted and followed by a dot: "Tb0001Fin".Tabela.
    QStringList found;
    qsizetype from = 0;
    while (true) {
        const qsizetype open = sql.indexOf('"', from);
        if (open < 0)
            break;
        const qsizetype close = sql.indexOf('"', open + 1);
        if (close < 0)
            break;
        if (close + 1 < sql.size() && sql[close + 1] == '.') {
            const QString name = sql.mid(open + 1, close - open - 1);
            if (m_aliasPaths.contains(name) && !found.contains(name))
                found << name;
        }
        from = close + 1;
    }
    return found;
}

void Database::execRaw(const QString &sql, const QVariantList &params, const QStringList &files)
{
    sqlite3_stmt *s = nullptr;
    const QByteArray u = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db.get(), u.constData(), u.size(), &s, nullptr) != SQLITE_OK)
        fail("prepare", sql, files);
    Statement st(this, s, sql, {});
    // Files named by the caller or by the statement; otherwise found when it fails.
    if (!files.isEmpty())
        st.setErrorFiles(files);
    else if (const QStringList named = aliasesIn(sql); !named.isEmpty())
        st.setErrorFiles(filesOf(named));
    st.bindAll(params);
    while (st.step()) {
    }
}

void Database::attachPhysically(Slot &slot)
{
    const QString target =
        m_readOnly ? QUrl::fromLocalFile(slot.path).toString(QUrl::FullyEncoded) + "?mode=ro"
                   : slot.path;
    // A file that is no database fails here (SQLITE_NOTADB), named by its path.
    execRaw("ATTACH DATABASE ? AS " + quoteIdent(slot.alias), {target}, {slot.path});
    slot.attached = true;
    ++m_physical;
    slot.lastUse = ++m_clock;
    if (m_readOnly)
        return;
    try {
        // Each post must be on disk when it returns, and at rest a table is exactly one file.
        execRaw("PRAGMA " + quoteIdent(slot.alias) + ".journal_mode=DELETE");
        execRaw("PRAGMA " + quoteIdent(slot.alias) + ".synchronous=FULL");
    } catch (...) {
        // Not a database (or unreadable): leave nothing attached behind the error.
        sqlite3_exec(m_db.get(), ("DETACH DATABASE " + quoteIdent(slot.alias)).toUtf8().constData(),
                     nullptr, nullptr, nullptr);
        slot.attached = false;
        --m_physical;
        throw;
    }
}

bool Database::detachPhysically(Slot &slot)
{
    if (!slot.attached)
        return true;
    const QByteArray alias = slot.alias.toUtf8();
    // A file that takes part in the open transaction, or that a statement is still reading,
    // cannot be detached.
    if (sqlite3_txn_state(m_db.get(), alias.constData()) != SQLITE_TXN_NONE)
        return false;
    execRaw("DETACH DATABASE " + quoteIdent(slot.alias));
    slot.attached = false;
    --m_physical;
    return true;
}

void Database::makeRoom(const QStringList &keep)
{
    const int limit = sqlite3_limit(m_db.get(), SQLITE_LIMIT_ATTACHED, -1);
    while (m_physical >= limit) {
        Slot *victim = nullptr;
        for (Slot &s : m_slots) {
            if (!s.attached || keep.contains(s.alias))
                continue;
            const QByteArray alias = s.alias.toUtf8();
            if (sqlite3_txn_state(m_db.get(), alias.constData()) != SQLITE_TXN_NONE)
                continue;
            if (!victim || s.lastUse < victim->lastUse)
                victim = &s;
        }
        if (!victim)
            QUORVILA_THROW(
                app::StorageError,
                QString("Arquivos demais em uso ao mesmo tempo (limite: %1).").arg(limit));
        detachPhysically(*victim);
    }
}

void Database::ensureAttached(const QStringList &aliases)
{
    for (const QString &alias : aliases) {
        Slot *slot = slotByAlias(alias);
        if (!slot || slot->refs == 0)
            continue; // a name that holds no reference is SQL's to refuse
        if (slot->attached) {
            slot->lastUse = ++m_clock;
            continue;
        }
        makeRoom(aliases);
        attachPhysically(*slot);
    }
}

QString Database::attach(const QString &fileName, bool create)
{
    if (!m_readOnly && m_mainPath.isEmpty() && !m_dir.isEmpty() && m_physical == 0 &&
        m_depth == 0 && QFileInfo(m_dir).isDir())
        openMain(QDir(m_dir).absoluteFilePath(kMainFile));
    if (m_depth == 0)
        detachPending(); // released while a statement still read them
    Slot &slot = *slotOf(fileName);
    if (slot.refs > 0) {
        ++slot.refs;
        return slot.alias;
    }
    if (!create && !QFileInfo::exists(slot.path))
        QUORVILA_THROW(app::StorageError,
                       "Arquivo não encontrado: " + QDir::toNativeSeparators(pathOf(fileName)));
    if (!slot.attached) {
        makeRoom({slot.alias});
        attachPhysically(slot);
    }
    slot.refs = 1;
    return slot.alias;
}

void Database::detach(const QString &fileName)
{
    auto it = m_slots.find(canonicalPath(fileName));
    if (it == m_slots.end() || it->refs == 0)
        return;
    // A file the open transaction (or a statement still reading) holds is detached later, by
    // detachPending at the end of the transaction or at the next attach.
    if (it->refs == 1)
        detachPhysically(*it);
    --it->refs;
}

void Database::detachPending()
{
    for (Slot &s : m_slots) {
        if (s.refs > 0 || !s.attached)
            continue;
        try {
            detachPhysically(s);
        } catch (const std::exception &e) {
            qWarning("detach after transaction: %s", e.what());
        }
    }
}

qint64 Database::changeCounter() const
{
    return sqlite3_total_changes64(m_db.get());
}

Statement Database::prepare(const QString &sql)
{
    QStringList needs = aliasesIn(sql);
    ensureAttached(needs);
    sqlite3_stmt *s = nullptr;
    const QByteArray u = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db.get(), u.constData(), u.size(), &s, nullptr) != SQLITE_OK)
        fail("prepare", sql);
    return Statement(this, s, sql, std::move(needs));
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
    if (m_depth == 0) {
        // A transaction a failed ROLLBACK left behind would make every later BEGIN fail.
        if (!sqlite3_get_autocommit(m_db.get()))
            execRaw("ROLLBACK");
        // Deferred: a file joins the transaction when first used, so files attached but not
        // touched can still be detached to make room for others.
        exec("BEGIN");
    } else {
        exec(QString("SAVEPOINT sp%1").arg(m_depth));
    }
    ++m_depth;
}

void Database::commit()
{
    QUORVILA_SOFT_ASSERT(m_depth > 0, return );
    if (m_depth > 1) {
        try {
            exec(QString("RELEASE sp%1").arg(m_depth - 1));
        } catch (...) {
            rollback();
            throw;
        }
        --m_depth;
        return;
    }
    try {
        exec("COMMIT");
    } catch (...) {
        // A COMMIT that fails (a locked file) leaves the transaction open; end it here so the
        // connection stays usable and the failure is a rollback, never a half-done write.
        try {
            if (!sqlite3_get_autocommit(m_db.get()))
                execRaw("ROLLBACK");
        } catch (const std::exception &e) {
            qWarning("rollback after a failed commit: %s", e.what());
        }
        m_depth = 0;
        detachPending();
        throw;
    }
    m_depth = 0;
    detachPending();
}

void Database::rollback()
{
    QUORVILA_SOFT_ASSERT(m_depth > 0, return );
    --m_depth;
    if (m_depth == 0) {
        const auto pending = qScopeGuard([this] { detachPending(); });
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
    // A failing commit rolls its own level back (Database::commit), so the destructor must not.
    m_done = true;
    m_db.commit();
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
