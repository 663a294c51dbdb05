#include "gridlink.h"

#include "table.h"

#include <app/application.h>

#include <QTableView>
#include <QTimer>

namespace data {

GridTableLink::GridTableLink(QTableView *grid, data::Table *table, std::function<bool()> active)
    : QObject(grid), m_grid(grid), m_table(table), m_active(std::move(active))
{
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) {
                if (i.isValid())
                    moveTable(i.row());
            });
    connect(table, &data::Table::currentChanged, this, [this] {
        if (m_active() && !m_syncing)
            followTable();
    });
    // A reset model drops its selection; select the current record again once it settled.
    connect(grid->model(), &QAbstractItemModel::modelReset, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (m_active())
                followTable();
        });
    });
}

void GridTableLink::followTable()
{
    // A record being typed is not in the list yet: the grid stays where it is.
    if (!m_table->isActive() || m_table->recNo() <= 0 ||
        m_table->state() != data::Table::State::Browse)
        return;
    m_syncing = true;
    const QModelIndex idx = m_grid->model()->index(m_table->recNo() - 1, 0);
    m_grid->selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
    m_grid->scrollTo(idx);
    m_syncing = false;
}

void GridTableLink::moveTable(int row)
{
    if (m_syncing || !m_active() || m_table->state() != data::Table::State::Browse)
        return;
    m_syncing = true;
    app::guarded([this, row] { m_table->moveTo(row); });
    m_syncing = false;
}

} // namespace data
