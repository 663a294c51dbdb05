#include "historylist.h"

#include <data/UDM.h>

namespace entries {

QStringList earlierHistories(data::TDM &dm)
{
    const data::Table &fin = *dm.TbFin;
    // The table object's order walked backwards is its index columns descending, row id last.
    QStringList order;
    for (const QString &c : fin.indexColumns())
        order << data::quoteIdent(c) + " DESC";
    order << "rowid DESC";
    data::Statement st = dm.db().prepare("SELECT Hsto FROM " + fin.sqlName() +
                                         " WHERE Hsto IS NOT NULL ORDER BY " + order.join(", "));
    QStringList out;
    while (st.step())
        out << st.column(0).toString();
    return out;
}

} // namespace entries
