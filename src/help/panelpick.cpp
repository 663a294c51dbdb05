#include "panelpick.h"

namespace help {

qlonglong pickAnother(const QList<qlonglong> &candidates, qlonglong current,
                      const RandomBelow &random)
{
    QList<qlonglong> others = candidates;
    others.removeAll(current);
    if (others.isEmpty())
        return candidates.isEmpty() ? 0 : current;
    // Drawing among the others at once, rather than drawing again until the code differs,
    // ends after one draw whatever the generator returns.
    const int k = random(int(others.size()));
    return others.at(qBound(0, k, int(others.size()) - 1));
}

} // namespace help
