// The chart exchange file (".KPF"): one record per account in key order with the code, the
// reduced code ("0000" when none), the name and the history name, then the trailer. Reading
// gives the accounts back only when the whole file passes, so an import either has every
// account or none.
#pragma once

#include "accountrows.h"
#include "exchangefile.h"

#include <QByteArray>

#include <vector>

namespace accounts {

// The file's bytes for `rows` (already in key order). Throws app::Error for a reduced code too
// wide for its four digits.
QByteArray writeChartFile(const std::vector<CtaRow> &rows, const TrailerRandom &random);

struct ChartFileContent
{
    ExchangeStatus status = ExchangeStatus::Invalid;
    std::vector<CtaRow> rows; // only when Valid; descParaHsto is never read back
};
// Valid when the scheme's checks hold and the accounts form a chart the editor could have
// built: the three group roots, well-formed codes, reduced codes exactly on level-3 accounts
// and in their group's range, no code or reduced code twice, every parent present, a name on
// every account and no control character in any text.
ChartFileContent readChartFile(const QByteArray &bytes);

} // namespace accounts
