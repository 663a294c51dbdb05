// A small spreadsheet evaluator for the tests of the calculators' exports: it reads a
// ";"-separated sheet as the export wrote it and evaluates its formulas the way a
// Portuguese-language spreadsheet does (cell references with or without "$", ranges in SOMA,
// + - * / and "=", text literals, PGTO, TAXA, VP, VF, NPER, SE and SOMA with their argument
// orders). The financial functions are written here from their textbook definitions, apart from
// the program's engine, so a sheet that agrees with the program recalculates to its figures.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <variant>
#include <vector>

namespace sheet {

using Value = std::variant<long double, QString>;

class Sheet
{
public:
    // Windows-1252 bytes, CR LF line ends; quoted cells unquoted.
    explicit Sheet(const QByteArray &bytes);

    int lineCount() const { return int(m_cells.size()); }
    QStringList line(int row) const; // 1-based row, raw cells
    QString raw(const QString &ref) const;
    void set(const QString &ref, const QString &raw);

    Value value(const QString &ref);        // "D9"
    long double number(const QString &ref); // fails the test when the cell is text

private:
    friend class Parser;
    Value cellValue(int col, int row);
    std::vector<QStringList> m_cells;
    std::map<std::pair<int, int>, Value> m_cache;
    std::map<std::pair<int, int>, bool> m_busy;
};

// Splits a line into cells: ";" outside double quotes; a quoted cell loses its quotes and its
// doubled inner quotes become single.
QStringList splitLine(const QString &line);

// "A1"-style reference to 1-based column and row; false when not a reference.
bool parseRef(const QString &ref, int &col, int &row);

} // namespace sheet
