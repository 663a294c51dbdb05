#include "tablemodel.h"

namespace data {

static constexpr int kCacheLimit = 2000;

TableModel::TableModel(Table *table, std::vector<Column> columns, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(std::move(columns))
{
    for (const Column &c : m_columns)
        m_fieldIndex.push_back(m_table->def().indexOf(c.field));
    connect(m_table, &Table::reset, this, &TableModel::onReset);
}

void TableModel::onReset()
{
    beginResetModel();
    m_cache.clear();
    endResetModel();
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table->isActive() ? 0 : m_table->recordCount();
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

const Record &TableModel::record(int row) const
{
    auto it = m_cache.constFind(row);
    if (it != m_cache.constEnd())
        return *it;
    if (m_cache.size() >= kCacheLimit)
        m_cache.clear();
    try {
        return *m_cache.insert(row, m_table->recordAt(row));
    } catch (const std::exception &e) {
        qWarning("%s: row %d: %s", qPrintable(m_table->objectName()), row, e.what());
        return *m_cache.insert(row, Record());
    }
}

QVariant TableModel::fieldValue(int row, const QString &field) const
{
    const Record &r = record(row);
    const int i = m_table->def().indexOf(field);
    return i >= 0 ? r.values.value(i) : r.calc.value(field);
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= int(m_columns.size()))
        return QVariant();
    const Record &r = record(index.row());
    const Column &c = m_columns[size_t(index.column())];
    if (role == Qt::DisplayRole) {
        const int fi = m_fieldIndex[size_t(index.column())];
        const QVariant v = fi >= 0 ? r.values.value(fi) : r.calc.value(c.field);
        return c.format ? c.format(v) : v.toString();
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(c.alignment);
    return rowData ? rowData(r, role) : QVariant();
}

QVariant TableModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal || section < 0 || section >= int(m_columns.size()))
        return QAbstractTableModel::headerData(section, o, role);
    if (role == Qt::DisplayRole)
        return m_columns[size_t(section)].title;
    return QVariant();
}

} // namespace data
