// The query object: a statement text with bound parameters whose result rows are read into
// memory, with a current row, for the searches and lists that show a computed result. The
// statement runner QrAux is one of these used with exec(); it keeps no state between screens.
#pragma once

#include "database.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace data {

class Query : public QObject
{
    Q_OBJECT
public:
    Query(Database &db, const QString &objectName, QObject *parent = nullptr);

    void setSql(const QString &sql, const QVariantList &params = {});
    QString sql() const { return m_sql; }
    // Runs the statement and keeps its rows; the first row is current.
    void open();
    void close();
    bool isActive() const { return m_active; }
    // Runs a statement that returns no rows; returns the rows changed.
    int exec();
    // Shorthand for setSql + exec.
    int exec(const QString &sql, const QVariantList &params = {});

    int recordCount() const { return int(m_rows.size()); }
    int recNo() const { return m_pos + 1; }
    void first();
    void next();
    bool eof() const { return m_eof; }
    void moveTo(int row);
    QVariant value(const QString &column) const;
    QVariant valueAt(int row, const QString &column) const;
    QStringList columns() const { return m_columns; }

Q_SIGNALS:
    void reset();
    void currentChanged();

private:
    Database &m_db;
    QString m_sql;
    QVariantList m_params;
    bool m_active = false;
    QStringList m_columns;
    std::vector<QVariantList> m_rows;
    int m_pos = -1;
    bool m_eof = true;
};

} // namespace data
