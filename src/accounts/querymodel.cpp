#include "querymodel.h"

#include <data/query.h>

namespace accounts {

QueryModel::QueryModel(std::vector<Column> columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns))
{
}

void QueryModel::setQuery(data::Query *query)
{
    beginResetModel();
    disconnect(m_connection);
    m_query = query;
    if (m_query)
        m_connection = connect(m_query, &data::Query::reset, this, &QueryModel::onReset);
    endResetModel();
}

void QueryModel::onReset()
{
    beginResetModel();
    endResetModel();
}

int QueryModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_query || !m_query->isActive())
        return 0;
    return m_query->recordCount();
}

int QueryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant QueryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_query || index.column() >= int(m_columns.size()))
        return QVariant();
    const Column &c = m_columns[size_t(index.column())];
    if (role == Qt::DisplayRole)
        return m_query->valueAt(index.row(), c.name).toString();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(c.alignment);
    return QVariant();
}

QVariant QueryModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < int(m_columns.size()))
        return m_columns[size_t(section)].title;
    return QAbstractTableModel::headerData(section, o, role);
}

} // namespace accounts
