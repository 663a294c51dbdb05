// The data a report reads: a data view of named columns and rows of values, filled by the caller
// before a run (from a table object of the data module, or row by row from a screen's query).
// A view is a plain copy, so a report laid out from it never reads a table again.
#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace data {
class Table;
}

namespace reports {

// Values are kept as given: texts, integers, dates, booleans; amounts as numbers in reais
// (double), the way the views of the books and the calculators present them. A null QVariant is
// an empty field.
class DataView
{
public:
    DataView() = default;
    explicit DataView(QStringList columns);

    const QStringList &columns() const { return m_columns; }
    bool hasColumn(const QString &name) const { return m_index.contains(name); }
    int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }

    // Appends a row whose values are in the order of columns(); missing values are null.
    void addRow(QVariantList values);
    // Appends a row from name-value pairs; unknown names throw app::Error.
    void addRow(const QHash<QString, QVariant> &values);

    // The value of `column` in `row` (from 0). An unknown column throws app::Error, so a report
    // that reads a field its view lacks fails with a message instead of printing blanks.
    QVariant value(int row, const QString &column) const;
    QString text(int row, const QString &column) const;
    double number(int row, const QString &column) const; // null gives 0
    QDate date(int row, const QString &column) const;

    // The same by position, for loops over many rows: columnIndex() throws for an unknown name,
    // at() expects a valid row and column.
    int columnIndex(const QString &name) const;
    const QVariant &at(int row, int column) const { return m_rows[size_t(row)][column]; }

private:
    QStringList m_columns;
    QHash<QString, int> m_index;
    std::vector<QVariantList> m_rows;
};

// Every record of a table object in its current order and filter, with its calculated and
// look-up fields as further columns; money fields become reais. The table's position is kept.
DataView tableView(const data::Table &table);
// The current record of a table object only (DvUser); no row when the table is closed or empty.
DataView currentRecordView(const data::Table &table);

} // namespace reports
