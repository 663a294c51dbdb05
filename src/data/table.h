// The table object: one table of the books seen as records, the way every screen works with
// data. It keeps the number of rows of the current index and filter, a window of the row ids
// around the rows last asked for (never the whole list, never the rows themselves), the current
// record, and the edit state; screens bind only to these objects. Whatever lies outside the
// window is read from the index by key range when asked for, so the cost of moving, placing a
// written row or showing a grid does not grow with the size of the table (see table.cpp).
//
// States and transitions:
//   Inactive --open()--> Browse --edit()--> Edit --post()/cancel()--> Browse
//                        Browse --append()/insert()--> Insert --post()/cancel()--> Browse
//   any --close()--> Inactive
// A failed post() throws and leaves the state and the typed values as they were.
#pragma once

#include "database.h"
#include "tabledef.h"

#include <app/money.h>

#include <QDate>
#include <QObject>
#include <QVariant>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace data {

struct Record
{
    qint64 rowId = 0;
    QVector<QVariant> values;      // in definition order, in the form of normaliseValue()
    QHash<QString, QVariant> calc; // look-up and calculated fields
};

class Table : public QObject
{
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Insert, Edit };
    struct LocateOptions
    {
        bool caseInsensitive;
        bool partialKey;
        LocateOptions(bool ci = false, bool partial = false)
            : caseInsensitive(ci), partialKey(partial)
        {
        }
    };

    Table(Database &db, const QString &objectName, TableDef def, QObject *parent = nullptr);
    ~Table() override;

    const TableDef &def() const { return m_def; }
    // Changing the definition is for work tables whose owner decides their fields.
    void setDef(TableDef def);
    // A file in DirDados ("Tb0001Fin.DB"); the table must be closed.
    void setFileName(const QString &fileName);
    QString fileName() const { return m_fileName; }
    // A TEMP table of the connection instead of a file (the work tables).
    void setTempName(const QString &name);
    bool isTemporary() const { return m_temporary; }
    // The table as it is named in SQL ("Tb0001Fin".Tabela or "xTMP00..."); only while open.
    QString sqlName() const;

    // Throws StorageError when the file or table does not exist.
    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }

    // ---- the current record
    QVariant value(const QString &field) const;
    void setValue(const QString &field, const QVariant &v); // Insert or Edit state only
    bool isNull(const QString &field) const;
    QString asString(const QString &field) const;
    qint64 asInt(const QString &field) const;
    app::Money asMoney(const QString &field) const;
    QDate asDate(const QString &field) const;
    bool asBool(const QString &field) const;
    const Record &current() const { return m_current; }

    // ---- editing
    void append();
    void insert() { append(); }
    void edit();
    // Checks required fields and that every money field is within app::kMaxAmountCentavos,
    // writes the record and makes it current; throws StorageError ("Campo '%s' deve ser
    // preenchido", an amount over the maximum, a duplicate key) and stays in its state on failure.
    void post();
    void cancel();
    // Deletes the current record; the next one (or the new last one) becomes current.
    void remove();
    // Re-reads the row list and the current record, keeping the current row when it still exists.
    void refresh();
    // Deletes every row.
    void emptyTable();

    // ---- navigation
    void first();
    void last();
    void next();
    void prior();
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool isEmpty() const { return m_count == 0; }
    int recordCount() const { return m_count; }
    int recNo() const { return m_pos + 1; } // 1-based; 0 when empty
    void moveTo(int row);                   // 0-based position in the current order
    bool moveToRowId(qint64 rowId);

    // Finds by the full (or leading part of the) key of the current index.
    bool findKey(const QVariantList &key);
    // Moves to the first record whose key is at or after `key`, else to the last record.
    void findNearest(const QVariantList &key);
    bool locate(const QString &field, const QVariant &v, LocateOptions o);
    bool locate(const QString &field, const QVariant &v)
    {
        return locate(field, v, LocateOptions());
    }

    // Empty name = primary key. The current record stays current in the new order, and the row
    // count stands: rows written by statements are picked up by refresh(), not here.
    void setIndexName(const QString &name);
    QString indexName() const { return m_indexName; }
    QStringList indexColumns() const;
    // A program-written SQL condition with bound parameters (never typed text); empty = none.
    void setFilter(const QString &condition, const QVariantList &params = {});
    QString filter() const { return m_filter; }

    // Screen updates are suspended while the counter is above zero; resuming sends one reset.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

    // The record at a position of the current order, with its calculated fields (for grids).
    Record recordAt(int row) const;
    // The number of row ids the window reads at a time (at least 2); the window holds at most
    // four times as many. For tests that walk the window's edges over a small table.
    static void setWindowRows(int rows);
    static int windowRows();
    // Computes look-up and calculated fields of a record.
    std::function<void(const Table &, Record &)> onCalcFields;
    // Gives default values to a new record.
    std::function<void(Table &)> onNewRecord;
    // Run after every successful post, in order of registration.
    void addAfterPost(std::function<void(Table &)> hook) { m_afterPost.push_back(std::move(hook)); }

Q_SIGNALS:
    void reset();          // the list of rows changed (open, close, post, delete, order, filter)
    void currentChanged(); // another record became current, or the current one changed
    void stateChanged();

private:
    int fieldIndex(const QString &field) const; // throws for an unknown field
    QString whereClause(const QString &extra = {}) const;
    enum class Side { After, Before };
    struct Range
    {
        QString where;
        QVariantList params;
    };
    void requery();
    QStringList keyColumns() const;
    QString orderBy(Side side) const;
    std::vector<Range> rangesBeside(const QVariantList &key, Side side) const;
    std::vector<qint64> readIds(Side side, const QVariantList &key, int limit) const;
    qint64 countBeside(const QVariantList &key, Side side, qint64 limit = -1) const;
    std::vector<qint64> readIdsAt(Side side, int offset, int limit) const;
    int positionOf(const QVariantList &key) const;
    qint64 idAt(int row) const;
    void loadWindowAt(int row) const;
    void loadWindowAround(qint64 rowId, const QVariantList &key, int pos) const;
    void trimWindow(int keep) const;
    void dropWindow() const;
    int windowEnd() const;
    bool inWindow(int row) const;
    bool passesFilter(qint64 rowId) const;
    Record fetch(qint64 rowId) const;
    void loadCurrent();
    void checkRequired() const;
    void checkAmounts() const;
    qint64 writeInsert();
    qint64 writeUpdate();
    void setState(State s);
    void notifyReset();
    void notifyCurrent();
    bool positionBySql(const QString &condition, const QVariantList &params);
    bool leaveRow(int pos, qint64 rowId);
    void findCurrentAgain(bool recount);
    void placeRow(qint64 rowId);
    QVariantList sortKey(qint64 rowId) const;
    Statement &cached(std::optional<Statement> &slot, const QString &sql) const;
    Statement &rangeStatement(const QString &sql) const;
    void dropCachedStatements();

    Database &m_db;
    TableDef m_def;
    QString m_fileName;
    bool m_temporary = false;
    QString m_alias;
    State m_state = State::Inactive;
    QString m_indexName;
    QString m_filter;
    QVariantList m_filterParams;
    int m_count = 0; // rows of the current filter
    // The ids of the rows at positions m_winStart .. m_winStart + m_win.size() - 1.
    mutable std::vector<qint64> m_win;
    mutable int m_winStart = 0;
    int m_pos = -1;
    bool m_bof = true;
    bool m_eof = true;
    Record m_current;
    Record m_saved; // the record as it was before edit(), for cancel()
    int m_disabled = 0;
    bool m_pendingReset = false;
    std::vector<std::function<void(Table &)>> m_afterPost;
    mutable std::optional<Statement> m_fetchStmt;
    mutable std::optional<Statement> m_keyStmt;
    mutable std::optional<Statement> m_filterStmt;
    mutable std::map<QString, Statement> m_rangeStmts; // by their SQL
    // Per index, the key near the middle of the order, once read; until the next requery().
    mutable std::map<QString, QVariantList> m_middleKeys;
};

} // namespace data
