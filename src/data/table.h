// The table object: one table of the books seen as records, the way every screen works with
// data. It keeps the ordered list of row ids of the current index and filter (never the rows
// themselves), the current record, and the edit state; screens bind only to these objects.
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
    bool isEmpty() const { return m_ids.empty(); }
    int recordCount() const { return int(m_ids.size()); }
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

    // Empty name = primary key.
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
    QString orderBy() const;
    QString whereClause(const QString &extra = {}) const;
    void requery();
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
    void placeRow(qint64 rowId);
    QVariantList sortKey(qint64 rowId) const;
    Statement &cached(std::optional<Statement> &slot, const QString &sql) const;
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
    std::vector<qint64> m_ids;
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
};

} // namespace data
