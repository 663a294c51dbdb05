// The import screen's grid of statement rows: whether each row goes in ("Sim"/"Não", toggled
// by a click on that column or the space bar), the row as it will be booked, and a mark on
// the rows that look already recorded. Holds the rows; the screen re-books them through it.
#pragma once

#include "importer.h"

#include <QAbstractTableModel>

#include <vector>

namespace ofx {

class OfxRowsModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    enum Column { Incluir, Data, Dest, Orig, Valor, Hsto, NumDoc, Ok, Situacao, ColumnCount };

    void setRows(std::vector<ImportRow> rows);
    std::vector<ImportRow> &rows() { return m_rows; }
    const std::vector<ImportRow> &rows() const { return m_rows; }
    // The rows changed in place (booked again, confirmed, marked): repaint them.
    void rowsChanged();
    void toggle(int row);
    int includedCount() const;
    int similarIncludedCount() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    std::vector<ImportRow> m_rows;
};

} // namespace ofx
