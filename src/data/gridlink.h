// Keeps a grid and a table object on the same record: the grid follows the table's current
// record, and moving in the grid moves the table — only while the link is active and the table
// is browsing, so a grid that resets behind an open editor never moves the record it holds.
#pragma once

#include <QObject>

#include <functional>

class QTableView;

namespace data {

class Table;

class GridTableLink : public QObject
{
public:
    // The grid must already have its model. `active` says whether grid moves may move the table
    // (a pop-up: only while it is up); the grid follows the table while it holds too.
    GridTableLink(QTableView *grid, data::Table *table, std::function<bool()> active);

    // Selects the table's current record in the grid.
    void followTable();
    // Makes the record at `row` current, when the link is active and the table browsing.
    void moveTable(int row);

private:
    QTableView *m_grid;
    data::Table *m_table;
    std::function<bool()> m_active;
    bool m_syncing = false; // the grid follows the table: do not move the table back
};

} // namespace data
