// What the grids of this folder share: read-only, whole-row selection, no row numbers, a fixed
// row height; and the column descriptions of grids over table objects.
#pragma once

#include <data/tablemodel.h>

class QTableView;

namespace accounts {

void setUpReadOnlyGrid(QTableView *grid);

data::TableModel::Column gridColumn(const QString &field, const QString &title,
                                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

} // namespace accounts
