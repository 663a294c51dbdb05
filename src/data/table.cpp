#include "table.h"

#include "storageerror.h"

#include <app/error.h>

#include <algorithm>

namespace data {

Table::Table(Database &db, const QString &objectName, TableDef def, QObject *parent)
    : QObject(parent), m_db(db), m_def(std::move(def))
{
    setObjectName(objectName);
}

Table::~Table()
{
    if (isActive()) {
        try {
            close();
        } catch (const std::exception &e) {
            qWarning("closing %s: %s", qPrintable(objectName()), e.what());
        }
    }
}

void Table::setDef(TableDef def)
{
    QUORVILA_SOFT_ASSERT(!isActive(), close());
    m_def = std::move(def);
}

void Table::setFileName(const QString &fileName)
{
    QUORVILA_SOFT_ASSERT(!isActive(), close());
    m_fileName = fileName;
    m_temporary = false;
}

void Table::setTempName(const QString &name)
{
    QUORVILA_SOFT_ASSERT(!isActive(), close());
    m_fileName = name;
    m_temporary = true;
}

QString Table::sqlName() const
{
    if (m_temporary)
        return "temp." + quoteIdent(m_fileName);
    return quoteIdent(m_alias) + '.' + kInnerTable;
}

// ---------------------------------------------------------------- open and close

void Table::open()
{
    if (isActive())
        return;
    if (m_fileName.isEmpty())
        QUORVILA_THROW(app::StorageError, objectName() + ": tabela sem nome de arquivo.");
    QString master;
    QString inner = kInnerTable;
    if (m_temporary) {
        master = "temp.sqlite_master";
        inner = m_fileName;
    } else {
        m_alias = m_db.attach(m_fileName);
        master = quoteIdent(m_alias) + ".sqlite_master";
    }
    const bool exists =
        m_db.scalar("SELECT count(*) FROM " + master + " WHERE type='table' AND name=?", {inner})
            .toLongLong() > 0;
    if (!exists) {
        if (!m_temporary)
            m_db.detach(m_fileName);
        m_alias.clear();
        throw damagedFileError(
            m_db.pathOf(m_fileName),
            "Tabela inexistente ou corrompida: o arquivo não contém a tabela \"" + inner + "\".");
    }
    m_state = State::Browse;
    requery();
    first();
    notifyReset();
    Q_EMIT stateChanged();
}

void Table::close()
{
    if (!isActive())
        return;
    m_state = State::Inactive;
    m_ids.clear();
    m_pos = -1;
    m_bof = m_eof = true;
    m_current = Record();
    dropCachedStatements();
    if (!m_temporary)
        m_db.detach(m_fileName);
    m_alias.clear();
    notifyReset();
    Q_EMIT stateChanged();
}

// ---------------------------------------------------------------- fields

int Table::fieldIndex(const QString &field) const
{
    const int i = m_def.indexOf(field);
    if (i < 0)
        QUORVILA_THROW(app::StorageError, objectName() + ": campo '" + field + "' não encontrado");
    return i;
}

QVariant Table::value(const QString &field) const
{
    const int i = m_def.indexOf(field);
    if (i < 0)
        return m_current.calc.value(field);
    if (m_current.values.size() <= i)
        return QVariant();
    return m_current.values[i];
}

void Table::setValue(const QString &field, const QVariant &v)
{
    if (m_state != State::Insert && m_state != State::Edit)
        QUORVILA_THROW(app::StorageError, objectName() + ": tabela não está em modo de edição");
    const int i = fieldIndex(field);
    m_current.values[i] = normaliseValue(m_def.field(i), v);
    if (onCalcFields)
        onCalcFields(*this, m_current);
    notifyCurrent();
}

bool Table::isNull(const QString &field) const
{
    const QVariant v = value(field);
    return !v.isValid() || v.isNull();
}

QString Table::asString(const QString &field) const
{
    return value(field).toString();
}

qint64 Table::asInt(const QString &field) const
{
    return value(field).toLongLong();
}

app::Money Table::asMoney(const QString &field) const
{
    return app::Money::fromCentavos(value(field).toLongLong());
}

QDate Table::asDate(const QString &field) const
{
    return value(field).toDate();
}

bool Table::asBool(const QString &field) const
{
    return value(field).toBool();
}

// ---------------------------------------------------------------- reading rows

Statement &Table::cached(std::optional<Statement> &slot, const QString &sql) const
{
    if (!slot)
        slot.emplace(m_db.prepare(sql));
    slot->reset();
    return *slot;
}

void Table::dropCachedStatements()
{
    m_fetchStmt.reset();
    m_keyStmt.reset();
    m_filterStmt.reset();
}

QString Table::orderBy() const
{
    QStringList cols;
    for (const QString &c : indexColumns())
        cols << quoteIdent(c);
    cols << "rowid";
    return " ORDER BY " + cols.join(", ");
}

QStringList Table::indexColumns() const
{
    if (m_indexName.isEmpty())
        return m_def.primaryKey;
    const IndexDef *i = m_def.index(m_indexName);
    return i ? i->columns : m_def.primaryKey;
}

QString Table::whereClause(const QString &extra) const
{
    QStringList conds;
    if (!m_filter.isEmpty())
        conds << '(' + m_filter + ')';
    if (!extra.isEmpty())
        conds << '(' + extra + ')';
    return conds.isEmpty() ? QString() : " WHERE " + conds.join(" AND ");
}

void Table::requery()
{
    Statement st = m_db.prepare("SELECT rowid FROM " + sqlName() + whereClause() + orderBy());
    st.bindAll(m_filterParams);
    m_ids.clear();
    while (st.step())
        m_ids.push_back(st.column(0).toLongLong());
}

Record Table::fetch(qint64 rowId) const
{
    QStringList cols;
    if (!m_fetchStmt)
        for (const FieldDef &f : m_def.fields)
            cols << quoteIdent(f.name);
    Statement &st =
        cached(m_fetchStmt, "SELECT " + cols.join(", ") + " FROM " + sqlName() + " WHERE rowid=?");
    st.bind(1, rowId);
    Record r;
    r.rowId = rowId;
    r.values.resize(int(m_def.fields.size()));
    if (st.step())
        for (int i = 0; i < r.values.size(); ++i)
            r.values[i] = fromStorage(m_def.field(i), st.column(i));
    st.reset();
    if (onCalcFields)
        onCalcFields(*this, r);
    return r;
}

Record Table::recordAt(int row) const
{
    if (row < 0 || row >= recordCount())
        return Record();
    return fetch(m_ids[size_t(row)]);
}

void Table::loadCurrent()
{
    if (m_pos < 0 || m_ids.empty()) {
        m_current = Record();
        m_current.values.resize(int(m_def.fields.size()));
        if (onCalcFields)
            onCalcFields(*this, m_current);
    } else {
        m_current = fetch(m_ids[size_t(m_pos)]);
    }
    notifyCurrent();
}

// ---------------------------------------------------------------- navigation

void Table::first()
{
    m_pos = m_ids.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_ids.empty();
    loadCurrent();
}

void Table::last()
{
    m_pos = int(m_ids.size()) - 1;
    m_eof = true;
    m_bof = m_ids.empty();
    loadCurrent();
}

void Table::next()
{
    if (m_pos + 1 >= int(m_ids.size())) {
        m_eof = true;
        return;
    }
    ++m_pos;
    m_bof = false;
    m_eof = false;
    loadCurrent();
}

void Table::prior()
{
    if (m_pos <= 0) {
        m_bof = true;
        return;
    }
    --m_pos;
    m_bof = false;
    m_eof = false;
    loadCurrent();
}

void Table::moveTo(int row)
{
    if (m_ids.empty())
        return first();
    m_pos = std::clamp(row, 0, int(m_ids.size()) - 1);
    m_bof = m_eof = false;
    loadCurrent();
}

bool Table::moveToRowId(qint64 rowId)
{
    const auto it = std::find(m_ids.begin(), m_ids.end(), rowId);
    if (it == m_ids.end())
        return false;
    moveTo(int(it - m_ids.begin()));
    return true;
}

bool Table::positionBySql(const QString &condition, const QVariantList &params)
{
    Statement st = m_db.prepare("SELECT rowid FROM " + sqlName() + whereClause(condition) +
                                orderBy() + " LIMIT 1");
    st.bindAll(m_filterParams + params);
    if (!st.step())
        return false;
    return moveToRowId(st.column(0).toLongLong());
}

static QVariantList keyParams(const TableDef &def, const QStringList &cols, const QVariantList &key)
{
    QVariantList p;
    for (int i = 0; i < key.size() && i < cols.size(); ++i)
        p << storageValue(def.field(def.indexOf(cols[i])), key[i]);
    return p;
}

bool Table::findKey(const QVariantList &key)
{
    const QStringList cols = indexColumns();
    QStringList conds;
    for (int i = 0; i < key.size() && i < cols.size(); ++i)
        conds << quoteIdent(cols[i]) + " IS ?";
    return positionBySql(conds.join(" AND "), keyParams(m_def, cols, key));
}

void Table::findNearest(const QVariantList &key)
{
    const QStringList cols = indexColumns();
    const int n = std::min<int>(key.size(), cols.size());
    QStringList l, r;
    for (int i = 0; i < n; ++i) {
        l << quoteIdent(cols[i]);
        r << "?";
    }
    const QString cond =
        n == 1 ? l[0] + " >= ?" : "(" + l.join(", ") + ") >= (" + r.join(", ") + ")";
    if (n == 0 || !positionBySql(cond, keyParams(m_def, cols, key)))
        last();
}

bool Table::locate(const QString &field, const QVariant &v, LocateOptions o)
{
    const int i = fieldIndex(field);
    const QVariant sv = storageValue(m_def.field(i), v);
    QString cond;
    QVariantList params;
    if (!sv.isValid()) {
        cond = quoteIdent(field) + " IS NULL";
    } else if (o.caseInsensitive || o.partialKey) {
        // Compared in C++ terms through qupper(): SQLite folds ASCII only.
        const QString lhs =
            o.caseInsensitive ? "qupper(" + quoteIdent(field) + ")" : quoteIdent(field);
        const QString rhs = o.caseInsensitive ? sv.toString().toUpper() : sv.toString();
        cond = o.partialKey ? "substr(" + lhs + ", 1, ?) = ?" : lhs + " = ?";
        if (o.partialKey)
            params << qlonglong(rhs.size());
        params << rhs;
    } else {
        cond = quoteIdent(field) + " = ?";
        params << sv;
    }
    return positionBySql(cond, params);
}

void Table::setIndexName(const QString &name)
{
    if (!name.isEmpty() && !m_def.index(name))
        QUORVILA_THROW(app::StorageError, objectName() + ": índice '" + name + "' não encontrado");
    m_indexName = name;
    dropCachedStatements();
    if (isActive())
        refresh();
}

void Table::setFilter(const QString &condition, const QVariantList &params)
{
    m_filter = condition;
    m_filterParams = params;
    dropCachedStatements();
    if (isActive()) {
        requery();
        first();
        notifyReset();
    }
}

// ---------------------------------------------------------------- editing

void Table::setState(State s)
{
    m_state = s;
    Q_EMIT stateChanged();
}

void Table::append()
{
    if (!isActive())
        QUORVILA_THROW(app::StorageError, objectName() + ": tabela fechada");
    if (m_state != State::Browse)
        cancel();
    m_saved = m_current;
    m_current = Record();
    m_current.values.resize(int(m_def.fields.size()));
    setState(State::Insert);
    if (onNewRecord)
        onNewRecord(*this);
    if (onCalcFields)
        onCalcFields(*this, m_current);
    notifyCurrent();
}

void Table::edit()
{
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (m_ids.empty())
        return append();
    m_saved = m_current;
    setState(State::Edit);
}

void Table::checkRequired() const
{
    for (size_t i = 0; i < m_def.fields.size(); ++i) {
        const FieldDef &f = m_def.fields[i];
        const QVariant &v = m_current.values[int(i)];
        if (f.required && (!v.isValid() || v.isNull()))
            QUORVILA_THROW(app::StorageError, QString("Campo '%1' deve ser preenchido")
                                                  .arg(f.label.isEmpty() ? f.name : f.label));
    }
}

// Every amount of the books stays within app::kMaxAmountCentavos, whichever screen or import
// wrote it, so that no sum over a table can leave 64 bits.
void Table::checkAmounts() const
{
    for (size_t i = 0; i < m_def.fields.size(); ++i) {
        const FieldDef &f = m_def.fields[i];
        const QVariant &v = m_current.values[int(i)];
        if (f.type == FieldType::Money && v.isValid() && !v.isNull() &&
            !app::amountInRange(v.toLongLong()))
            QUORVILA_THROW(app::StorageError,
                           QString("Campo '%1' com valor acima do máximo permitido.\r\n")
                                   .arg(f.label.isEmpty() ? f.name : f.label) +
                               app::maxAmountText());
    }
}

qint64 Table::writeInsert()
{
    QStringList cols, marks;
    QVariantList params;
    for (size_t i = 0; i < m_def.fields.size(); ++i) {
        const FieldDef &f = m_def.fields[i];
        const QVariant &v = m_current.values[int(i)];
        if (f.type == FieldType::AutoInc && (!v.isValid() || v.isNull()))
            continue;
        cols << quoteIdent(f.name);
        marks << "?";
        params << storageValue(f, v);
    }
    const QString sql = cols.isEmpty() ? "INSERT INTO " + sqlName() + " DEFAULT VALUES"
                                       : "INSERT INTO " + sqlName() + " (" + cols.join(", ") +
                                             ") VALUES (" + marks.join(", ") + ")";
    Statement st = m_db.prepare(sql);
    st.bindAll(params);
    st.step();
    return st.lastInsertRowId();
}

// Returns the row's id after the update: a single INTEGER key is SQLite's rowid itself, so
// changing that code (renumbering a category) moves the row to a new id.
qint64 Table::writeUpdate()
{
    QStringList sets;
    QVariantList params;
    for (size_t i = 0; i < m_def.fields.size(); ++i) {
        sets << quoteIdent(m_def.fields[i].name) + "=?";
        params << storageValue(m_def.fields[i], m_current.values[int(i)]);
    }
    params << m_current.rowId;
    const QVariant id = m_db.scalar("UPDATE " + sqlName() + " SET " + sets.join(", ") +
                                        " WHERE rowid=? RETURNING rowid",
                                    params);
    return id.isValid() ? id.toLongLong() : m_current.rowId;
}

// SQLite's ORDER BY order on stored values: NULL, numbers, text (bytewise UTF-8), blobs.
static int compareStored(const QVariant &a, const QVariant &b)
{
    const auto rank = [](const QVariant &v) {
        if (!v.isValid() || v.isNull())
            return 0;
        switch (v.typeId()) {
        case QMetaType::LongLong:
        case QMetaType::Double:
            return 1;
        case QMetaType::QString:
            return 2;
        default:
            return 3;
        }
    };
    const int ra = rank(a), rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    switch (ra) {
    case 1: {
        if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong)
            return a.toLongLong() < b.toLongLong() ? -1 : a.toLongLong() > b.toLongLong();
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : x > y;
    }
    case 2: {
        const int c = a.toString().toUtf8().compare(b.toString().toUtf8());
        return c < 0 ? -1 : c > 0;
    }
    case 3: {
        const int c = a.toByteArray().compare(b.toByteArray());
        return c < 0 ? -1 : c > 0;
    }
    default:
        return 0;
    }
}

QVariantList Table::sortKey(qint64 rowId) const
{
    QStringList cols;
    if (!m_keyStmt) {
        for (const QString &c : indexColumns())
            cols << quoteIdent(c);
        cols << "rowid";
    }
    Statement &st =
        cached(m_keyStmt, "SELECT " + cols.join(", ") + " FROM " + sqlName() + " WHERE rowid=?");
    st.bind(1, rowId);
    QVariantList key;
    if (st.step())
        for (int i = 0; i < st.columnCount(); ++i)
            key << st.column(i);
    st.reset();
    return key;
}

// Puts a written row at its place in the ordered list without reading the whole list again: a
// binary search over the sort keys of about log2(n) rows.
void Table::placeRow(qint64 rowId)
{
    const auto old = std::find(m_ids.begin(), m_ids.end(), rowId);
    if (old != m_ids.end())
        m_ids.erase(old);
    if (!m_filter.isEmpty()) {
        Statement &st = cached(m_filterStmt, "SELECT 1 FROM " + sqlName() + " WHERE rowid=? AND (" +
                                                 m_filter + ")");
        st.bind(1, rowId);
        for (int i = 0; i < m_filterParams.size(); ++i)
            st.bind(i + 2, m_filterParams[i]);
        const bool passes = st.step();
        st.reset();
        if (!passes)
            return;
    }
    const QVariantList key = sortKey(rowId);
    const auto less = [](const QVariantList &a, const QVariantList &b) {
        for (int i = 0; i < a.size() && i < b.size(); ++i)
            if (const int c = compareStored(a[i], b[i]); c != 0)
                return c < 0;
        return false;
    };
    size_t lo = 0, hi = m_ids.size();
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        if (less(sortKey(m_ids[mid]), key))
            lo = mid + 1;
        else
            hi = mid;
    }
    m_ids.insert(m_ids.begin() + qsizetype(lo), rowId);
}

void Table::post()
{
    if (m_state != State::Insert && m_state != State::Edit)
        return;
    checkRequired();
    checkAmounts();
    qint64 rowId = m_current.rowId;
    if (m_state == State::Insert)
        rowId = writeInsert();
    else if ((rowId = writeUpdate()) != m_current.rowId) {
        // The key was the row id: the row left its old id behind.
        const auto gone = std::find(m_ids.begin(), m_ids.end(), m_current.rowId);
        if (gone != m_ids.end())
            m_ids.erase(gone);
    }
    setState(State::Browse);
    placeRow(rowId);
    if (!moveToRowId(rowId))
        first();
    notifyReset();
    for (const auto &hook : m_afterPost)
        hook(*this);
}

void Table::cancel()
{
    if (m_state != State::Insert && m_state != State::Edit)
        return;
    setState(State::Browse);
    if (m_pos >= 0 && m_pos < int(m_ids.size()))
        loadCurrent();
    else
        first();
}

void Table::remove()
{
    if (m_state == State::Insert)
        return cancel();
    if (m_ids.empty())
        QUORVILA_THROW(app::StorageError, objectName() + ": não há registro para excluir");
    m_db.exec("DELETE FROM " + sqlName() + " WHERE rowid=?", {m_current.rowId});
    setState(State::Browse);
    const int pos = m_pos;
    const auto gone = std::find(m_ids.begin(), m_ids.end(), m_current.rowId);
    if (gone != m_ids.end())
        m_ids.erase(gone);
    moveTo(pos);
    notifyReset();
}

void Table::refresh()
{
    if (!isActive())
        return;
    if (m_state != State::Browse)
        cancel();
    const qint64 rowId = m_current.rowId;
    const int pos = m_pos;
    requery();
    if (!moveToRowId(rowId))
        moveTo(pos);
    notifyReset();
}

void Table::emptyTable()
{
    m_db.exec("DELETE FROM " + sqlName());
    if (isActive()) {
        setState(State::Browse);
        requery();
        first();
        notifyReset();
    }
}

// ---------------------------------------------------------------- screen updates

void Table::disableControls()
{
    ++m_disabled;
}

void Table::enableControls()
{
    if (m_disabled == 0)
        return;
    if (--m_disabled == 0) {
        m_pendingReset = false;
        Q_EMIT reset();
        Q_EMIT currentChanged();
    }
}

void Table::notifyReset()
{
    if (m_disabled > 0) {
        m_pendingReset = true;
        return;
    }
    Q_EMIT reset();
}

void Table::notifyCurrent()
{
    if (m_disabled > 0)
        return;
    Q_EMIT currentChanged();
}

} // namespace data
