// The working period: the main window's month DtIni..DtFim, the period last chosen (PerIni..PerFim,
// set by the month routine and the period dialog), the closed-until rule, and the user's stored
// month (TbUser.DtMin). Balances live in balances.h; the dialog that chooses a period in UData.h.
#pragma once

#include <QDate>
#include <QString>

namespace data {
class TDM;
}

namespace entries {

// Process-wide, like the rest of the signed-in user's state. DtIni/DtFim are always the first and
// last day of one month; PerIni/PerFim are scratch results that callers copy where they need them.
struct Period
{
    QDate DtIni, DtFim, PerIni, PerFim;
};
Period &period();

struct DateRange
{
    QDate ini, fim;
};

// The first and last day of the month holding `d` (leap years included); both invalid when `d` is.
DateRange monthOf(const QDate &d);
// 1 January .. 31 December of `year`.
DateRange yearOf(int year);
// The month routine: period().PerIni/PerFim = monthOf(d).
void CalcularMes(const QDate &d);

// An entry is closed when the user's closed-until date is on or after its date. An empty
// closed-until date (or entry date) closes nothing.
bool entryClosed(const QDate &data, const QDate &fechadoAte);
// The closed-until date a user gets when none is set: 31 December two years before `today`.
QDate defaultFechadoAte(const QDate &today);

// The message of an interval whose end comes before its start; empty when the interval is
// acceptable (equal dates are).
QString intervalProblem(const QDate &ini, const QDate &fim);

// ---- the signed-in user (the current record of dm.TbUser); each write is posted at once and a
// failed post throws app::StorageError with TbUser left in edit state.

// The user's closed-until date (invalid when empty).
QDate fechadoAte(const data::TDM &dm);
// Sign-in defaults: an empty DtMin becomes `today`, an empty FechadoAte defaultFechadoAte(today).
void applyUserDefaults(data::TDM &dm, const QDate &today);
// Sign-in: the period becomes the month of the user's DtMin (CalcularMes, then DtIni/DtFim).
void restoreUserPeriod(data::TDM &dm);
// The period button's OK: DtIni/DtFim = PerIni/PerFim, and DtMin = DtIni is saved for the next
// sign-in. Precondition: PerIni/PerFim hold a month (the dialog's month page).
void adoptChosenPeriod(data::TDM &dm);

} // namespace entries
