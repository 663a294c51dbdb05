// The signed-in user's working state: the main window's month, the balance figures with their
// cache, and the connection that runs the user's one-off statements. One Session exists per
// sign-in; the screens and rules that need any of it are handed the Session (or the part they
// need), never a process-wide copy. Holds no table of its own: the tables are the data module's.
#pragma once

#include "balances.h" // also declares data::Database and data::Table
#include "period.h"

namespace entries {

// Ownership: the main window creates the Session when it signs a user in, after the user's tables
// are open, and destroys it before it signs the next one in (or when it closes). The Session owns
// the Period and the BalanceCache; `db` and `tbFin` (the connection and entries table object of
// one TDM) are borrowed and must outlive every use. Screens that keep a reference to the Session
// (the entry editor) are created after it and destroyed before it.
class Session
{
public:
    Session(data::Database &db, data::Table &tbFin);
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // DtIni..DtFim; invalid until the caller sets it (restoreUserPeriod at sign-in).
    Period &period() { return m_period; }
    const Period &period() const { return m_period; }

    BalanceCache &balances() { return m_balances; }
    const BalanceCache &balances() const { return m_balances; }

    // The signed-in user's entries table object.
    data::Table &tbFin() const { return m_fin; }
    // One-off statements of this user (a bulk update, for example): each Database::exec prepares
    // its own statement, so nothing is left behind for another screen to trip over.
    data::Database &db() const { return m_db; }

private:
    data::Database &m_db;
    data::Table &m_fin;
    Period m_period;
    BalanceCache m_balances;
};

} // namespace entries
