#include "gridsetup.h"

#include <QHeaderView>
#include <QTableView>

namespace accounts {

void setUpReadOnlyGrid(QTableView *grid)
{
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->horizontalHeader()->setStretchLastSection(true);
}

data::TableModel::Column gridColumn(const QString &field, const QString &title,
                                    Qt::Alignment alignment)
{
    data::TableModel::Column c;
    c.field = field;
    c.title = title;
    c.alignment = alignment;
    return c;
}

} // namespace accounts
