#include "historystore.h"

#include "tablereplace.h"

#include <data/UDM.h>

namespace accounts {

HistoryStore::HistoryStore(data::TDM &dm) : m_dm(dm) {}

std::vector<HstoRow> HistoryStore::rows() const
{
    data::Statement st = m_dm.db().prepare("SELECT Codigo, Descricao, Tipo FROM " +
                                           m_dm.TbHsto->sqlName() + " ORDER BY Codigo, rowid");
    std::vector<HstoRow> out;
    while (st.step())
        out.push_back(
            {st.column(0).toLongLong(), st.column(1).toString(), st.column(2).toString()});
    return out;
}

bool HistoryStore::codeTaken(qint64 codigo, qint64 exceptRowId) const
{
    return m_dm.db()
        .scalar("SELECT 1 FROM " + m_dm.TbHsto->sqlName() +
                    " WHERE Codigo = ? AND rowid <> ? LIMIT 1",
                {qlonglong(codigo), qlonglong(exceptRowId)})
        .isValid();
}

void HistoryStore::replace(const std::vector<HstoRow> &rows)
{
    std::vector<QVariantList> values;
    values.reserve(rows.size());
    for (const HstoRow &r : rows)
        values.push_back({qlonglong(r.codigo), r.descricao, r.tipo});
    replaceRows(m_dm.db(), *m_dm.TbHsto, values);
}

} // namespace accounts
