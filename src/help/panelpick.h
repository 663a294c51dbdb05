// The random pick of the main window's reflection and verse panels: which page of a kind the
// panel shows next. Plain codes in, a code out; reading the candidates is infopages.h's.
#pragma once

#include <QList>

#include <functional>

namespace help {

// Draws a whole number from 0 to bound - 1 (app::randomBelow in the program).
using RandomBelow = std::function<int(int bound)>;

// The next page for a panel that shows `current` (0 before its first pick), drawn uniformly
// among `candidates` other than `current`, so the panel never shows the same page twice in a
// row and two candidates alternate. With only `current` to choose from, `current` again (the
// page stays as it is); with no candidates, 0 (the panel stays empty). `random` is called at
// most once.
qlonglong pickAnother(const QList<qlonglong> &candidates, qlonglong current,
                      const RandomBelow &random);

} // namespace help
