#include "query.h"

namespace data {

Query::Query(Database &db, const QString &objectName, QObject *parent) : QObject(parent), m_db(db)
{
    setObjectName(objectName);
}

void Query::setSql(const QString &sql, const QVariantList &params)
{
    close();
    m_sql = sql;
    m_params = params;
}

void Query::open()
{
    close();
    Statement st = m_db.prepare(m_sql);
    st.bindAll(m_params);
    m_columns.clear();
    for (int i = 0; i < st.columnCount(); ++i)
        m_columns << st.columnName(i);
    while (st.step()) {
        QVariantList row;
        for (int i = 0; i < m_columns.size(); ++i)
            row << st.column(i);
        m_rows.push_back(std::move(row));
    }
    m_active = true;
    first();
    Q_EMIT reset();
}

void Query::close()
{
    if (!m_active)
        return;
    m_active = false;
    m_rows.clear();
    m_pos = -1;
    m_eof = true;
    Q_EMIT reset();
}

int Query::exec()
{
    return m_db.exec(m_sql, m_params);
}

int Query::exec(const QString &sql, const QVariantList &params)
{
    setSql(sql, params);
    return exec();
}

void Query::first()
{
    m_pos = m_rows.empty() ? -1 : 0;
    m_eof = m_rows.empty();
    Q_EMIT currentChanged();
}

void Query::next()
{
    if (m_pos + 1 >= int(m_rows.size())) {
        m_eof = true;
        return;
    }
    ++m_pos;
    Q_EMIT currentChanged();
}

void Query::moveTo(int row)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    m_pos = row;
    m_eof = false;
    Q_EMIT currentChanged();
}

QVariant Query::valueAt(int row, const QString &column) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return QVariant();
    const int c = m_columns.indexOf(column);
    return c < 0 ? QVariant() : m_rows[size_t(row)][c];
}

QVariant Query::value(const QString &column) const
{
    return valueAt(m_pos, column);
}

} // namespace data
