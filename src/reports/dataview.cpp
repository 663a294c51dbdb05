#include "dataview.h"

#include <app/error.h>
#include <data/table.h>

namespace reports {

DataView::DataView(QStringList columns) : m_columns(std::move(columns))
{
    for (int i = 0; i < m_columns.size(); ++i)
        m_index.insert(m_columns[i], i);
}

void DataView::addRow(QVariantList values)
{
    while (values.size() < m_columns.size())
        values.append(QVariant());
    values.resize(m_columns.size());
    m_rows.push_back(std::move(values));
}

void DataView::addRow(const QHash<QString, QVariant> &values)
{
    QVariantList row(m_columns.size());
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        row[columnIndex(it.key())] = it.value();
    m_rows.push_back(std::move(row));
}

int DataView::columnIndex(const QString &name) const
{
    const auto it = m_index.constFind(name);
    if (it == m_index.cend())
        QUORVILA_THROW(app::Error, "Campo '" + name + "' não encontrado nos dados do relatório.");
    return *it;
}

QVariant DataView::value(int row, const QString &column) const
{
    const int c = columnIndex(column);
    if (row < 0 || row >= rowCount())
        return {};
    return m_rows[size_t(row)][c];
}

QString DataView::text(int row, const QString &column) const
{
    return value(row, column).toString();
}

double DataView::number(int row, const QString &column) const
{
    return value(row, column).toDouble();
}

QDate DataView::date(int row, const QString &column) const
{
    return value(row, column).toDate();
}

static QStringList columnsOf(const data::Table &table, const data::Record &sample)
{
    QStringList names;
    for (const data::FieldDef &f : table.def().fields)
        names << f.name;
    QStringList calc = sample.calc.keys();
    calc.sort();
    return names + calc;
}

static QVariantList valuesOf(const data::Table &table, const data::Record &r,
                             const QStringList &columns)
{
    QVariantList v;
    const auto &fields = table.def().fields;
    for (size_t i = 0; i < fields.size(); ++i) {
        const QVariant x = r.values.value(int(i));
        if (fields[i].type == data::FieldType::Money && !x.isNull())
            v << QVariant(double(x.toLongLong()) / 100.0);
        else
            v << x;
    }
    for (int i = int(fields.size()); i < columns.size(); ++i)
        v << r.calc.value(columns[i]);
    return v;
}

DataView tableView(const data::Table &table)
{
    if (!table.isActive() || table.isEmpty())
        return DataView(columnsOf(table, data::Record()));
    DataView view(columnsOf(table, table.recordAt(0)));
    for (int i = 0; i < table.recordCount(); ++i)
        view.addRow(valuesOf(table, table.recordAt(i), view.columns()));
    return view;
}

DataView currentRecordView(const data::Table &table)
{
    if (!table.isActive() || table.isEmpty())
        return DataView(columnsOf(table, data::Record()));
    DataView view(columnsOf(table, table.current()));
    view.addRow(valuesOf(table, table.current(), view.columns()));
    return view;
}

} // namespace reports
