// What the register's grids share: read-only rows in six pale bands chosen per row (by category
// or by position), the selected row of the focused grid white on dark green, and the text 3
// pixels below the cell's top.
#pragma once

#include <data/tablemodel.h>

#include <QStyledItemDelegate>

#include <functional>

class QTableView;

namespace assets {

// The band colour of index k (k modulo 6): #FEE8C7, #FFFFE2, #FFEFDD, #FFFFC8, #FFF5EA, #FFFFD5.
QColor bandColour(qint64 k);

class BandDelegate : public QStyledItemDelegate
{
public:
    // `bandOf(row)` gives the band index of a row; a negative index leaves the row as drawn by
    // default (a row without a code).
    BandDelegate(std::function<qint64(int row)> bandOf, QObject *parent);
    void paint(QPainter *p, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    std::function<qint64(int row)> m_bandOf;
};

void setUpBandGrid(QTableView *grid, std::function<qint64(int row)> bandOf);

// The widths of the seven columns of an asset list (the page's and the search's), wide enough for
// each title in the grid's font ("Aquisição em", "Valor Aquisição"); the description takes
// `descricaoWidth`.
void setAssetColumnWidths(QTableView *grid, int descricaoWidth);

// The categories' grids (the screen's and the look-up's): CodCat "00" centred and NomeCat under
// the given titles, banded by CodCat.
std::vector<data::TableModel::Column> categoryColumns(const QString &codTitle,
                                                      const QString &nameTitle);
void setUpCategoryGrid(QTableView *grid, data::TableModel *model);

} // namespace assets
