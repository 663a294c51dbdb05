// The working period: the main window's month DtIni..DtFim, the month routine and the other
// period values (PerIni..PerFim, returned as a DateRange), the closed-until rule, and the user's
// stored month (TbUser.DtMin). Who holds the period is session.h's; balances live in balances.h;
// the dialog that chooses a period in UData.h.
#pragma once

#include <QDate>
#include <QString>

namespace data {
class Table;
}

namespace entries {

// A period as the month routine and the period dialog give it (PerIni..PerFim); the caller keeps
// it where it needs it.
struct DateRange
{
    QDate ini, fim;
};

// The main window's working month, one per signed-in user (entries::Session holds it). DtIni and
// DtFim are always the first and last day of one month, or both invalid before sign-in.
struct Period
{
    QDate DtIni, DtFim;
};

// The month routine: the first and last day of the month holding `d` (leap years included); both
// invalid when `d` is.
DateRange CalcularMes(const QDate &d);
// 1 January .. 31 December of `year`.
DateRange yearOf(int year);

// An entry is closed when the user's closed-until date is on or after its date. An empty
// closed-until date (or entry date) closes nothing.
bool entryClosed(const QDate &data, const QDate &fechadoAte);
// The closed-until date a user gets when none is set: 31 December two years before `today`.
QDate defaultFechadoAte(const QDate &today);

// The message of an interval whose end comes before its start; empty when the interval is
// acceptable (equal dates are).
QString intervalProblem(const QDate &ini, const QDate &fim);

// ---- the signed-in user: the current record of the users' table object `tbUser` (TDM::TbUser).
// Each write is posted at once; a failed post throws app::StorageError with `tbUser` left in edit
// state.

// The user's closed-until date (invalid when empty).
QDate fechadoAte(const data::Table &tbUser);
// Sign-in defaults: an empty DtMin becomes `today`, an empty FechadoAte defaultFechadoAte(today).
void applyUserDefaults(data::Table &tbUser, const QDate &today);
// Sign-in: the working month is the month of the user's DtMin.
Period restoreUserPeriod(const data::Table &tbUser);
// The period button's OK: saves DtMin = month.ini for the next sign-in, then `p` becomes `month`.
// Precondition: `month` is a month (the dialog's month page); otherwise nothing changes. When the
// save throws, `p` is unchanged.
void adoptChosenPeriod(Period &p, data::Table &tbUser, const DateRange &month);

} // namespace entries
