#include "infocodes.h"

#include <QStringList>

namespace help {

QList<int> requiredCodes()
{
    QList<int> codes;
    const auto range = [&codes](int from, int to) {
        for (int c = from; c <= to; ++c)
            codes << c;
    };
    range(1000, 1073); // the Bible reader's topics, one per tree node
    range(1101, 1101); // the calculator screen's verse
    range(2001, 2004);
    range(2007, 2008);
    range(2020, 2025); // assets
    range(2031, 2038); // chart, histories, entries, finance tab
    range(2041, 2042); // balances and the year map
    range(2046, 2046); // budget
    range(2051, 2051); // OFX import
    range(2061, 2063); // calculator tabs
    range(2066, 2068); // calculator results
    range(2071, 2074); // users and preferences
    range(3011, 3014); // the calculators' analysis texts
    range(3021, 3025);
    range(3034, 3037);
    range(3041, 3042);
    range(3044, 3045);
    return codes;
}

QList<int> relatedCodes(const QString &topicosRel)
{
    QList<int> codes;
    for (const QString &part : topicosRel.split(' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int code = part.trimmed().toInt(&ok);
        if (ok)
            codes << code;
    }
    return codes;
}

} // namespace help
