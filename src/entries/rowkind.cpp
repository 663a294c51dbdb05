#include "rowkind.h"

#include <QString>

namespace entries {

static QString threeDigits(qint64 v)
{
    return QString("%1").arg(v, 3, 10, QChar('0'));
}

RowKind rowKind(qint64 ctaDeb, qint64 ctaCred)
{
    if (threeDigits(ctaDeb).startsWith('2'))
        return RowKind::Expense;
    if (threeDigits(ctaCred).startsWith('1'))
        return RowKind::Income;
    return RowKind::Transfer;
}

} // namespace entries
