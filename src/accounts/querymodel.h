// A grid model over a query object's result rows (the chart screen's group lists): one row per
// result row, the columns the screen names. The query keeps the rows; the model only shows them
// and follows the query's resets.
#pragma once

#include <QAbstractTableModel>

#include <vector>

namespace data {
class Query;
}

namespace accounts {

class QueryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString name; // result column
        QString title;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    QueryModel(std::vector<Column> columns, QObject *parent = nullptr);

    // Shows `query` (null for none) from now on.
    void setQuery(data::Query *query);
    data::Query *query() const { return m_query; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    void onReset();

    std::vector<Column> m_columns;
    data::Query *m_query = nullptr;
    QMetaObject::Connection m_connection;
};

} // namespace accounts
