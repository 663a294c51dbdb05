// The upcoming entries' date window, from today and the signed-in user's preferences
// (ProxDias, IncluirHoje). The list itself is the entry search reduced to its period.
#pragma once

#include <QDate>

namespace entries {

struct DateWindow
{
    QDate dtMin, dtMax;
};

// Tomorrow (today with `incluirHoje`) to today + `proxDias`. A zero or negative `proxDias`
// without today gives an inverted window, which the search then refuses with its message.
DateWindow upcomingWindow(const QDate &today, int proxDias, bool incluirHoje);

} // namespace entries
