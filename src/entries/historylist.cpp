#include "historylist.h"

#include <data/database.h>
#include <data/table.h>

namespace entries {

QStringList earlierHistories(data::Database &db, const data::Table &tbFin)
{
    // The table object's order walked backwards is its index columns descending, row id last.
    QStringList order;
    for (const QString &c : tbFin.indexColumns())
        order << data::quoteIdent(c) + " DESC";
    order << "rowid DESC";
    data::Statement st = db.prepare("SELECT Hsto FROM " + tbFin.sqlName() +
                                    " WHERE Hsto IS NOT NULL ORDER BY " + order.join(", "));
    QStringList out;
    while (st.step())
        out << st.column(0).toString();
    return out;
}

} // namespace entries
