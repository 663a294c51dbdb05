#include "session.h"

namespace entries {

Session::Session(data::Database &db, data::Table &tbFin)
    : m_db(db), m_fin(tbFin), m_balances(db, tbFin)
{
}

} // namespace entries
