#include "table.h"

#include "storageerror.h"

#include <app/error.h>

#include <algorithm>

namespace data {

// A field without a value: never set, or NULL as stored.
static bool isNullValue(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

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
    m_count = 0;
    dropWindow();
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
    return isNullValue(value(field));
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
    m_rangeStmts.clear();
}

// ---------------------------------------------------------------- the window of row ids
//
// The order of a table is the order of its index: the index's columns, then the rowid, which
// every SQLite index carries last. A row's key is those values as stored. The rows after a key
// (or before it) are a run of index ranges read one after the other, deepest first: the rows
// that share the key's first columns and the rowid's predecessor columns and have a greater
// rowid, then those sharing one column less and greater in the next, and so on up to the rows
// greater in the first column. Each range is an equality prefix and one bound, which SQLite
// answers with a seek into the index and a walk of as many entries as the LIMIT asks for; NULLs
// sort first and are compared with IS, so empty document numbers take their place too.
//
// With those ranges the table reads a window of ids around the rows asked for, extends it as a
// grid scrolls, counts the rows before a key to learn a row's position (from whichever end of
// the table is nearer), and reads a far position with OFFSET from the nearer end.

static int s_windowRows = 256;

// The statements of the window, kept by their text until the order or the filter changes.
Statement &Table::rangeStatement(const QString &sql) const
{
    auto it = m_rangeStmts.find(sql);
    if (it == m_rangeStmts.end())
        it = m_rangeStmts.emplace(sql, m_db.prepare(sql)).first;
    it->second.reset();
    return it->second;
}

void Table::setWindowRows(int rows)
{
    s_windowRows = std::max(2, rows);
}

int Table::windowRows()
{
    return s_windowRows;
}

QStringList Table::keyColumns() const
{
    QStringList cols;
    for (const QString &c : indexColumns())
        cols << quoteIdent(c);
    cols << "rowid";
    return cols;
}

QString Table::orderBy(Side side) const
{
    QStringList cols = keyColumns();
    if (side == Side::Before)
        for (QString &c : cols)
            c += " DESC";
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

// The ranges in the order `side` reads them: ascending for the rows after the key, descending
// for the rows before it.
std::vector<Table::Range> Table::rangesBeside(const QVariantList &key, Side side) const
{
    const QStringList cols = keyColumns();
    std::vector<Range> out;
    for (int i = int(std::min<qsizetype>(cols.size(), key.size())) - 1; i >= 0; --i) {
        QStringList prefix;
        QVariantList params;
        for (int j = 0; j < i; ++j) {
            if (isNullValue(key[j])) {
                prefix << cols[j] + " IS NULL";
            } else {
                prefix << cols[j] + " = ?";
                params << key[j];
            }
        }
        const auto add = [&](const QString &bound, bool withValue) {
            QStringList conds = prefix;
            conds << cols[i] + bound;
            QVariantList p = params;
            if (withValue)
                p << key[i];
            out.push_back({conds.join(" AND "), p});
        };
        if (side == Side::After) {
            if (isNullValue(key[i]))
                add(" IS NOT NULL", false);
            else
                add(" > ?", true);
        } else if (!isNullValue(key[i])) {
            add(" < ?", true);
            if (i + 1 < cols.size()) // the rowid is never NULL
                add(" IS NULL", false);
        }
    }
    return out;
}

// Steps a statement of row ids to its end, adding them to `ids`.
static void appendIds(Statement &st, std::vector<qint64> &ids)
{
    while (st.step())
        ids.push_back(st.column(0).toLongLong());
    st.reset();
}

// Up to `limit` ids beside `key`, nearest first; from the start of the order (After) or its end
// (Before) when the key is empty.
std::vector<qint64> Table::readIds(Side side, const QVariantList &key, int limit) const
{
    std::vector<qint64> ids;
    std::vector<Range> ranges;
    if (key.isEmpty())
        ranges.push_back({});
    else
        ranges = rangesBeside(key, side);
    for (const Range &r : ranges) {
        if (int(ids.size()) >= limit)
            break;
        const QString sql =
            "SELECT rowid FROM " + sqlName() + whereClause(r.where) + orderBy(side) + " LIMIT ?";
        Statement &st = rangeStatement(sql);
        st.bindAll(m_filterParams + r.params + QVariantList{qlonglong(limit - int(ids.size()))});
        appendIds(st, ids);
    }
    return ids;
}

// SQLite's ORDER BY order on stored values: NULL, numbers, text (bytewise UTF-8), blobs.
static int compareStored(const QVariant &a, const QVariant &b)
{
    const auto rank = [](const QVariant &v) {
        if (isNullValue(v))
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

// Lexicographic order of two sort keys, as the index orders them.
static bool less(const QVariantList &a, const QVariantList &b)
{
    for (int i = 0; i < a.size() && i < b.size(); ++i)
        if (const int c = compareStored(a[i], b[i]); c != 0)
            return c < 0;
    return false;
}

// How many rows lie beside `key`, counting no further than `limit` when it is given.
qint64 Table::countBeside(const QVariantList &key, Side side, qint64 limit) const
{
    qint64 n = 0;
    for (const Range &r : rangesBeside(key, side)) {
        if (limit >= 0 && n >= limit)
            break;
        // A plain count walks the index faster than a count of a LIMITed subquery.
        QString sql = "SELECT count(*) FROM " + sqlName() + whereClause(r.where);
        QVariantList params = m_filterParams + r.params;
        if (limit >= 0) {
            sql = "SELECT count(*) FROM (SELECT 1 FROM " + sqlName() + whereClause(r.where) +
                  " LIMIT ?)";
            params << limit - n;
        }
        Statement &st = rangeStatement(sql);
        st.bindAll(params);
        if (st.step())
            n += st.column(0).toLongLong();
        st.reset();
    }
    return n;
}

// The position of a listed row from its key: the rows before it counted from the start or, when
// the row lies in the second half of the order, the rows after it counted from the end, so no
// count walks more than half the index. A row near either end (today's entries, the first ones)
// is found by two short counts. Otherwise the window tells the half when the key lies beyond it
// on the side of the middle, or else the key at the middle of the order does, read once per
// order and filter (writes move the true middle by a row each, which only makes the guess a
// little less good: either count gives the right position).
int Table::positionOf(const QVariantList &key) const
{
    const qint64 n = m_count;
    const qint64 nearEnd = 4 * s_windowRows;
    if (const qint64 after = countBeside(key, Side::After, nearEnd); after < nearEnd)
        return int(std::max<qint64>(0, n - 1 - after));
    if (const qint64 before = countBeside(key, Side::Before, nearEnd); before < nearEnd)
        return int(std::min<qint64>(before, std::max<qint64>(0, n - 1)));
    const int end = windowEnd();
    bool secondHalf;
    if (!m_win.empty() && end >= n / 2 && less(sortKey(m_win.back()), key)) {
        secondHalf = true;
    } else if (!m_win.empty() && m_winStart <= n / 2 && less(key, sortKey(m_win.front()))) {
        secondHalf = false;
    } else {
        QVariantList &middle = m_middleKeys[m_indexName];
        if (middle.isEmpty()) {
            const std::vector<qint64> mid = readIdsAt(Side::After, int(n / 2), 1);
            if (!mid.empty())
                middle = sortKey(mid.front());
        }
        secondHalf = !middle.isEmpty() && !less(key, middle);
    }
    const qint64 pos =
        secondHalf ? n - 1 - countBeside(key, Side::After) : countBeside(key, Side::Before);
    return int(std::clamp<qint64>(pos, 0, std::max<qint64>(0, n - 1)));
}

int Table::windowEnd() const
{
    return m_winStart + int(m_win.size());
}

bool Table::inWindow(int row) const
{
    return row >= m_winStart && row < windowEnd();
}

void Table::dropWindow() const
{
    m_win.clear();
    m_winStart = 0;
}

// Keeps the window within four reads, dropping the side away from `keep`.
void Table::trimWindow(int keep) const
{
    const int most = 4 * s_windowRows;
    if (int(m_win.size()) <= most)
        return;
    const int drop = int(m_win.size()) - most;
    if (keep - m_winStart >= int(m_win.size()) / 2) {
        m_win.erase(m_win.begin(), m_win.begin() + drop);
        m_winStart += drop;
    } else {
        m_win.resize(size_t(most));
    }
}

// Up to `limit` ids from `offset` rows into the order read from its start (After) or from its
// end (Before), nearest the offset first.
std::vector<qint64> Table::readIdsAt(Side side, int offset, int limit) const
{
    const QString sql =
        "SELECT rowid FROM " + sqlName() + whereClause() + orderBy(side) + " LIMIT ? OFFSET ?";
    Statement &st = rangeStatement(sql);
    st.bindAll(m_filterParams + QVariantList{qlonglong(limit), qlonglong(offset)});
    std::vector<qint64> ids;
    appendIds(st, ids);
    return ids;
}

// A window centred on `row`, read by OFFSET from the nearer end of the order.
void Table::loadWindowAt(int row) const
{
    const int start = std::max(0, row - s_windowRows / 2);
    const int end = std::min(m_count, start + s_windowRows);
    if (start <= m_count - end) {
        m_win = readIdsAt(Side::After, start, end - start);
        m_winStart = start;
    } else {
        m_win = readIdsAt(Side::Before, m_count - end, end - start);
        std::reverse(m_win.begin(), m_win.end());
        m_winStart = end - int(m_win.size());
    }
}

// A window around a row whose position is known.
void Table::loadWindowAround(qint64 rowId, const QVariantList &key, int pos) const
{
    std::vector<qint64> ids = readIds(Side::Before, key, s_windowRows / 2);
    std::reverse(ids.begin(), ids.end());
    m_winStart = pos - int(ids.size());
    ids.push_back(rowId);
    const std::vector<qint64> after = readIds(Side::After, key, s_windowRows / 2);
    ids.insert(ids.end(), after.begin(), after.end());
    m_win = std::move(ids);
}

// The id at a position of the order: from the window, by extending it from its edge when the
// position is near, else from a new window read at the position. 0 outside the order.
qint64 Table::idAt(int row) const
{
    if (row < 0 || row >= m_count)
        return 0;
    if (inWindow(row))
        return m_win[size_t(row - m_winStart)];
    const int end = windowEnd();
    bool extended = false;
    if (!m_win.empty() && row >= end && row < end + s_windowRows) {
        const QVariantList edge = sortKey(m_win.back());
        if (!edge.isEmpty()) {
            const std::vector<qint64> more =
                readIds(Side::After, edge, row - end + 1 + s_windowRows / 2);
            m_win.insert(m_win.end(), more.begin(), more.end());
            extended = true;
        }
    } else if (!m_win.empty() && row < m_winStart && row >= m_winStart - s_windowRows) {
        const QVariantList edge = sortKey(m_win.front());
        if (!edge.isEmpty()) {
            std::vector<qint64> more =
                readIds(Side::Before, edge, m_winStart - row + s_windowRows / 2);
            std::reverse(more.begin(), more.end());
            m_win.insert(m_win.begin(), more.begin(), more.end());
            m_winStart -= int(more.size());
            extended = true;
        }
    }
    if (extended)
        trimWindow(row);
    if (!inWindow(row))
        loadWindowAt(row);
    return inWindow(row) ? m_win[size_t(row - m_winStart)] : 0;
}

void Table::requery()
{
    dropWindow();
    m_middleKeys.clear();
    m_count = int(m_db.scalar("SELECT count(*) FROM " + sqlName() + whereClause(), m_filterParams)
                      .toLongLong());
}

bool Table::passesFilter(qint64 rowId) const
{
    if (m_filter.isEmpty())
        return true;
    Statement &st = cached(m_filterStmt,
                           "SELECT 1 FROM " + sqlName() + " WHERE rowid=? AND (" + m_filter + ")");
    st.bind(1, rowId);
    for (int i = 0; i < m_filterParams.size(); ++i)
        st.bind(i + 2, m_filterParams[i]);
    const bool passes = st.step();
    st.reset();
    return passes;
}

// ---------------------------------------------------------------- reading rows

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
    const qint64 id = idAt(row);
    return id == 0 ? Record() : fetch(id);
}

void Table::loadCurrent()
{
    const qint64 id = idAt(m_pos);
    if (m_pos < 0 || id == 0) {
        m_current = Record();
        m_current.values.resize(int(m_def.fields.size()));
        if (onCalcFields)
            onCalcFields(*this, m_current);
    } else {
        m_current = fetch(id);
    }
    notifyCurrent();
}

// ---------------------------------------------------------------- navigation

void Table::first()
{
    m_pos = m_count == 0 ? -1 : 0;
    m_bof = true;
    m_eof = m_count == 0;
    loadCurrent();
}

void Table::last()
{
    m_pos = m_count - 1;
    m_eof = true;
    m_bof = m_count == 0;
    loadCurrent();
}

void Table::next()
{
    if (m_pos + 1 >= m_count) {
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
    if (m_count == 0)
        return first();
    m_pos = std::clamp(row, 0, m_count - 1);
    m_bof = m_eof = false;
    loadCurrent();
}

bool Table::moveToRowId(qint64 rowId)
{
    if (!isActive() || m_count == 0)
        return false;
    const auto it = std::find(m_win.begin(), m_win.end(), rowId);
    if (it != m_win.end()) {
        moveTo(m_winStart + int(it - m_win.begin()));
        return true;
    }
    const QVariantList key = sortKey(rowId);
    if (key.isEmpty() || !passesFilter(rowId))
        return false;
    const int pos = positionOf(key);
    loadWindowAround(rowId, key, pos);
    moveTo(pos);
    return true;
}

bool Table::positionBySql(const QString &condition, const QVariantList &params)
{
    Statement st = m_db.prepare("SELECT rowid FROM " + sqlName() + whereClause(condition) +
                                orderBy(Side::After) + " LIMIT 1");
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
    // The same rows in another order: their number stands (writes made by statements are
    // picked up by refresh(), not here).
    if (isActive())
        findCurrentAgain(false);
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
    if (m_count == 0)
        return append();
    m_saved = m_current;
    setState(State::Edit);
}

void Table::checkRequired() const
{
    for (size_t i = 0; i < m_def.fields.size(); ++i) {
        const FieldDef &f = m_def.fields[i];
        const QVariant &v = m_current.values[int(i)];
        if (f.required && isNullValue(v))
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
        if (f.type == FieldType::AutoInc && isNullValue(v))
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

// Takes the row being edited out of the window before its new values place it again; false when
// the window does not have it where the table says (the book changed behind the table's back).
bool Table::leaveRow(int pos, qint64 rowId)
{
    if (!inWindow(pos) || m_win[size_t(pos - m_winStart)] != rowId)
        return false;
    m_win.erase(m_win.begin() + (pos - m_winStart));
    --m_count;
    return true;
}

// Counts a written row in and, when its key falls within the window, puts it at its place there
// by a binary search over the sort keys of about log2(window) rows; otherwise the window is let go
// and the row's position is counted from the index.
void Table::placeRow(qint64 rowId)
{
    if (!passesFilter(rowId))
        return;
    const QVariantList key = sortKey(rowId);
    const bool fromStart = m_winStart == 0;
    const bool toEnd = windowEnd() == m_count;
    ++m_count;
    if (m_win.empty() || key.isEmpty())
        return dropWindow();
    if ((!fromStart && !less(sortKey(m_win.front()), key)) ||
        (!toEnd && !less(key, sortKey(m_win.back()))))
        return dropWindow();
    size_t lo = 0, hi = m_win.size();
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        if (less(sortKey(m_win[mid]), key))
            lo = mid + 1;
        else
            hi = mid;
    }
    m_win.insert(m_win.begin() + qsizetype(lo), rowId);
}

void Table::post()
{
    if (m_state != State::Insert && m_state != State::Edit)
        return;
    checkRequired();
    checkAmounts();
    const bool editing = m_state == State::Edit;
    const int pos = m_pos;
    const qint64 oldId = m_current.rowId;
    // The edited row is in the window before the write, so that taking it out reads nothing.
    if (editing)
        idAt(pos);
    const qint64 rowId = editing ? writeUpdate() : writeInsert();
    setState(State::Browse);
    if (editing && !leaveRow(pos, oldId))
        requery();
    else
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
    if (m_pos >= 0 && m_pos < m_count)
        loadCurrent();
    else
        first();
}

void Table::remove()
{
    if (m_state == State::Insert)
        return cancel();
    if (m_count == 0)
        QUORVILA_THROW(app::StorageError, objectName() + ": não há registro para excluir");
    const int pos = m_pos;
    idAt(pos);
    m_db.exec("DELETE FROM " + sqlName() + " WHERE rowid=?", {m_current.rowId});
    setState(State::Browse);
    if (!leaveRow(pos, m_current.rowId))
        requery();
    moveTo(pos);
    notifyReset();
}

void Table::refresh()
{
    if (isActive())
        findCurrentAgain(true);
}

// After the order changed or the rows were counted again: the current row where it now is, or
// the row at its old position when it is gone.
void Table::findCurrentAgain(bool recount)
{
    if (m_state != State::Browse)
        cancel();
    const qint64 rowId = m_current.rowId;
    const int pos = m_pos;
    if (recount)
        requery();
    else
        dropWindow();
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
