// A grid model over a table object: one row per record of the table's current order and filter,
// fetched only when the view asks for it and kept in a small cache, so a book of 100,000 entries
// opens at once. Columns, formats and colours are the screen's, given as column descriptions.
#pragma once

#include "table.h"

#include <QAbstractTableModel>
#include <QHash>

#include <functional>
#include <vector>

namespace data {

class TableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString field; // a stored, look-up or calculated field
        QString title;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
        // Text shown for the value; empty function = the value as text.
        std::function<QString(const QVariant &)> format;
    };

    TableModel(Table *table, std::vector<Column> columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    Table *table() const { return m_table; }
    // The record of a row (cached); an empty record outside the range.
    const Record &record(int row) const;
    QVariant fieldValue(int row, const QString &field) const;
    // Per-row roles the screen adds (row colours): called with the row's record.
    std::function<QVariant(const Record &, int role)> rowData;

private:
    void onReset();

    Table *m_table;
    std::vector<Column> m_columns;
    std::vector<int> m_fieldIndex; // index in the definition, -1 for look-up and calculated
    mutable QHash<int, Record> m_cache;
};

} // namespace data
