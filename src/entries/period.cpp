#include "period.h"

#include <app/error.h>
#include <data/table.h>

namespace entries {

DateRange CalcularMes(const QDate &d)
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

QDate fechadoAte(const data::Table &tbUser)
{
    return tbUser.asDate("FechadoAte");
}

// Writes fields of the signed-in user's record and posts them at once.
static void saveUserFields(data::Table &tbUser, const QList<std::pair<QString, QVariant>> &fields)
{
    if (fields.isEmpty())
        return;
    tbUser.edit();
    for (const auto &[name, value] : fields)
        tbUser.setValue(name, value);
    tbUser.post();
}

void applyUserDefaults(data::Table &tbUser, const QDate &today)
{
    QList<std::pair<QString, QVariant>> fields;
    if (tbUser.isNull("DtMin"))
        fields.append({"DtMin", today});
    if (tbUser.isNull("FechadoAte"))
        fields.append({"FechadoAte", defaultFechadoAte(today)});
    saveUserFields(tbUser, fields);
}

Period restoreUserPeriod(const data::Table &tbUser)
{
    const DateRange m = CalcularMes(tbUser.asDate("DtMin"));
    return {m.ini, m.fim};
}

void adoptChosenPeriod(Period &p, data::Table &tbUser, const DateRange &month)
{
    QUORVILA_SOFT_ASSERT(month.ini.isValid() && month.fim.isValid(), return );
    saveUserFields(tbUser, {{"DtMin", month.ini}});
    p = {month.ini, month.fim};
}

} // namespace entries
