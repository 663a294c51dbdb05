#include "upcoming.h"

namespace entries {

DateWindow upcomingWindow(const QDate &today, int proxDias, bool incluirHoje)
{
    return {incluirHoje ? today : today.addDays(1), today.addDays(proxDias)};
}

} // namespace entries
