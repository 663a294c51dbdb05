// The kind an entry is drawn as in every grid of entries (the main list, the search, the upcoming
// entries, an OFX statement): a pure function of its two reduced codes.
#pragma once

#include <QtGlobal>

namespace entries {

enum class RowKind { Transfer, Income, Expense };
// Expense when the destination's three-digit code starts with "2"; otherwise income when the
// origin's starts with "1"; otherwise a transfer.
RowKind rowKind(qint64 ctaDeb, qint64 ctaCred);

} // namespace entries
