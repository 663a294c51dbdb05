#include "period.h"

#include <app/error.h>
#include <data/UDM.h>

namespace entries {

Period &period()
{
    static Period p;
    return p;
}

DateRange monthOf(const QDate &d)
{
    if (!d.isValid())
        return {};
    const QDate ini(d.year(), d.month(), 1);
    return {ini, QDate(d.year(), d.month(), d.daysInMonth())};
}

DateRange yearOf(int year)
{
    return {QDate(year, 1, 1), QDate(year, 12, 31)};
}

void CalcularMes(const QDate &d)
{
    const DateRange m = monthOf(d);
    period().PerIni = m.ini;
    period().PerFim = m.fim;
}

bool entryClosed(const QDate &data, const QDate &fechadoAte)
{
    return data.isValid() && fechadoAte.isValid() && fechadoAte >= data;
}

QDate defaultFechadoAte(const QDate &today)
{
    return QDate(today.year() - 2, 12, 31);
}

QString intervalProblem(const QDate &ini, const QDate &fim)
{
    if (ini.isValid() && fim.isValid() && fim < ini)
        return "Data Final deve ser maior ou igual\r\na Data Inicial. Por favor, verifique!";
    return {};
}

QDate fechadoAte(const data::TDM &dm)
{
    return dm.TbUser->asDate("FechadoAte");
}

// Writes fields of the signed-in user's record and posts them at once.
static void saveUserFields(data::TDM &dm, const QList<std::pair<QString, QVariant>> &fields)
{
    if (fields.isEmpty())
        return;
    data::Table *user = dm.TbUser;
    user->edit();
    for (const auto &[name, value] : fields)
        user->setValue(name, value);
    user->post();
}

void applyUserDefaults(data::TDM &dm, const QDate &today)
{
    QList<std::pair<QString, QVariant>> fields;
    if (dm.TbUser->isNull("DtMin"))
        fields.append({"DtMin", today});
    if (dm.TbUser->isNull("FechadoAte"))
        fields.append({"FechadoAte", defaultFechadoAte(today)});
    saveUserFields(dm, fields);
}

void restoreUserPeriod(data::TDM &dm)
{
    CalcularMes(dm.TbUser->asDate("DtMin"));
    period().DtIni = period().PerIni;
    period().DtFim = period().PerFim;
}

void adoptChosenPeriod(data::TDM &dm)
{
    Period &p = period();
    QUORVILA_SOFT_ASSERT(p.PerIni.isValid() && p.PerFim.isValid(), return );
    p.DtIni = p.PerIni;
    p.DtFim = p.PerFim;
    saveUserFields(dm, {{"DtMin", p.DtIni}});
}

} // namespace entries
